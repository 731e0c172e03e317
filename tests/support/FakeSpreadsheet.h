#pragma once

#include "export/Spreadsheet.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

// A spreadsheet application for tests. While a FakeSpreadsheet lives, the
// exports obtain it instead of the real backend. It keeps workbooks of
// sheets with cells (text or number), borders and sheet-level names,
// records every effectful call in order, offers templates to
// WorkbooksOpen, and throws Spreadsheet::Error where a test tells it to.
// It refuses what a spreadsheet refuses: row or column 0, a missing sheet
// name, a duplicate sheet name, deleting the last sheet.
namespace Fake {

struct Cell {
    bool isNumber = false;
    QString text;
    double number = 0;
};

struct DefinedName {
    QString name; // without sheet prefix
    int row = 1;
    int column = 1;
    bool sheetLevel = true; // shown as "Sheet!Name"
};

struct Sheet {
    QString name;
    std::map<std::pair<int, int>, Cell> cells;
    std::map<std::pair<int, int>, std::set<Spreadsheet::Edge>> borders;
    std::vector<DefinedName> names;
    bool deleted = false;

    bool has(int row, int column) const { return cells.count({row, column}) > 0; }
    // The text of a text cell; a number as the spreadsheet would show it.
    QString text(int row, int column) const;
    bool isNumber(int row, int column) const;
    bool border(int row, int column, Spreadsheet::Edge edge) const;
    // Every filled cell as R1C1='text' or R1C1=5, by row then column.
    QStringList dump() const;
    // The cells that carry any border, as R1C1:LTBR letters.
    QStringList borderDump() const;
};

struct Workbook {
    QString source; // the template, empty for a default workbook
    std::vector<std::shared_ptr<Sheet>> sheets;
    std::shared_ptr<Sheet> active;
};

class FakeSpreadsheet {
public:
    FakeSpreadsheet();  // installs itself as the application factory
    ~FakeSpreadsheet(); // restores the previous factory
    FakeSpreadsheet(const FakeSpreadsheet&) = delete;
    FakeSpreadsheet& operator=(const FakeSpreadsheet&) = delete;

    // A file that WorkbooksOpen accepts; any other path fails.
    void addTemplate(const QString& path, std::vector<Sheet> sheets, int activeIndex = 0);
    // The `occurrence`-th call of `operation` (ObtainApplication, Cells,
    // SetValue, WorksheetsItem, ...) throws Spreadsheet::Error(message).
    void failAt(const QString& operation, int occurrence = 1, const QString& message = {});
    // Sheets of a new default workbook ("Blad1", "Blad2", ...).
    int defaultSheetCount = 1;

    // What happened.
    QStringList calls;    // effectful calls in order
    QStringList subjects; // one per obtained application
    int obtained = 0;
    int released = 0;
    int usedAfterRelease = 0; // calls on an application already released
    int deleteQuestions = 0;  // sheets deleted while alerts were on
    bool visible = false;
    bool displayAlerts = true;
    std::vector<std::unique_ptr<Workbook>> workbooks;

    Workbook* activeWorkbook() const;
    Sheet* sheet(const QString& name) const; // in the active workbook
    QStringList sheetNames() const;          // of the active workbook, in tab order
    QString activeSheetName() const;

    // Used by the fake's own objects.
    void enter(const QString& operation);
    void record(const QString& call) { calls << call; }
    void openTemplate(const QString& path);

private:
    std::vector<std::pair<QString, std::vector<Sheet>>> m_templates;
    QMap<QString, int> m_activeIndex;
    QMap<QString, int> m_counts;
    QMap<QString, std::pair<int, QString>> m_failures;
    Spreadsheet::ApplicationFactory m_previous;
};

} // namespace Fake
