#pragma once

#include "export/PackageParts.h"
#include "export/Spreadsheet.h"
#include "export/WorkbookStyles.h"
#include "export/ZipPackage.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <list>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace Spreadsheet {

// "B3" for row 3, column 2.
QString cellReference(int row, int column);
// "'Poule 1'" or "Blad1": a sheet name as a formula writes it.
QString quotedSheetName(const QString& name);

struct DefinedName;

struct SheetCell {
    enum class Kind : quint8 { Blank, Number, Text, SharedText, Verbatim };
    int format = 0;
    Kind kind = Kind::Blank;
    int sharedIndex = -1;
    // Number: its lexical form; Text: the text; Verbatim: the whole <c>
    // element as read (a formula, a boolean, an error).
    QString value;
};

struct SheetRow {
    QList<std::pair<QString, QString>> attributes; // besides r and spans
    int format = -1;                               // with customFormat
};

struct ColumnFormat {
    int first = 0;
    int last = 0;
    int format = 0;
};

// One sheet of a workbook. Its XML before and after the cell data is kept
// as text; the cells live in a hash.
struct Sheet {
    QString name;
    QString partName;     // "xl/worksheets/sheet1.xml"
    QString relationType; // worksheet, chartsheet, ...
    QString relationId;   // in workbook.xml.rels, when kept from the file
    QList<std::pair<QString, QString>> sheetAttributes; // of <sheet> besides name, sheetId, r:id
    int sheetId = 0;
    bool isWorksheet = true;
    bool deleted = false;
    QString head; // up to <sheetData>
    QString tail; // after </sheetData>
    QString prefix;
    QHash<quint64, SheetCell> cells;
    std::map<int, SheetRow> rows;
    std::vector<ColumnFormat> columns;
    QByteArray opaquePart;                    // a sheet that is no worksheet, as read
    QByteArray relsPart;                      // its relationships, when any
    std::vector<DefinedName*> ownNames;       // sheet-level names
    std::vector<DefinedName*> referringNames; // names whose reference is on this sheet

    static quint64 key(int row, int column) { return (quint64(row) << 32) | quint64(column); }
    int formatForNewCell(int row, int column) const;
};

struct DefinedName {
    QString name;
    Sheet* scope = nullptr; // nothing: workbook-level
    QList<std::pair<QString, QString>> otherAttributes;
    // A reference to one sheet ("'4poule'!$B$2") is kept as that sheet and
    // the part after "!", so it follows renames and copies.
    Sheet* target = nullptr;
    bool targetDeleted = false;
    QString reference; // "$B$2" or "$B$2:$B$9"
    QString formula;   // any other formula, as written
    QString text() const;
    QString refersTo() const;                           // the formula as written to the file
    std::optional<std::pair<int, int>> topLeft() const; // row, column
};

// A workbook in memory, read from or written to Office Open XML. It is the
// engine's document model and the read-back API of tests.
class Workbook {
public:
    // A new workbook with one empty sheet "Blad1".
    static std::unique_ptr<Workbook> createDefault();
    // Opens .xlsx, .xlsm, .xltx or .xltm (by content, not by extension).
    // Throws Error with a Dutch message when the file is missing or no workbook.
    static std::unique_ptr<Workbook> load(const QString& path);
    // Writes an .xlsx; throws Error with the reason when that fails.
    void save(const QString& path) const;

    Workbook();
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // --- structure ---
    const std::vector<std::shared_ptr<Sheet>>& sheets() const { return m_sheets; }
    std::vector<Sheet*> worksheets() const;
    Sheet* findSheet(const QString& name) const; // any case
    int indexOf(const Sheet* sheet) const;       // in all sheets, -1 when gone
    Sheet* activeSheet() const { return m_active; }
    void activate(Sheet* sheet) { m_active = sheet; }
    Sheet* addWorksheet(const Sheet* after);
    Sheet* copyWorksheet(const Sheet& source, const Sheet* after);
    void deleteSheet(Sheet* sheet);
    void renameSheet(Sheet* sheet, const QString& name);
    QString uniqueSheetName(const QString& wanted) const;

    // --- cells ---
    void setText(Sheet& sheet, int row, int column, const QString& text);
    void setNumber(Sheet& sheet, int row, int column, double number);
    void clear(Sheet& sheet, int row, int column);
    void setBorder(Sheet& sheet, int row, int column, Edge edge, bool drawn);

    // --- names ---
    // Sheet-level names of the sheet, then workbook-level names that refer to it.
    std::vector<const DefinedName*> namesOf(const Sheet* sheet) const;
    const std::list<DefinedName>& names() const { return m_names; }

    // --- read-back ---
    QStringList sheetNames() const; // worksheets in tab order
    QString activeSheetName() const;
    // Text of a text cell, or the lexical form of a number; empty when blank.
    QString cellText(const QString& sheet, int row, int column) const;
    std::optional<double> cellNumber(const QString& sheet, int row, int column) const;
    bool cellExists(const QString& sheet, int row, int column) const;
    QSet<Edge> cellBorders(const QString& sheet, int row, int column) const;
    struct CellFormat {
        bool bold = false;
        QString fillPattern;
        int numberFormat = 0;
        int font = 0;
        int fill = 0;
    };
    CellFormat cellFormat(const QString& sheet, int row, int column) const;
    // "Name" for a workbook-level name, "Sheet!Name" for a sheet-level one,
    // each with the formula it refers to, in the workbook's order.
    QList<std::pair<QString, QString>> definedNames() const;
    // The raw XML of a part of the package as read, for structure checks.
    QString partText(const QString& partName) const { return m_package.text(partName); }
    const WorkbookStyles& styles() const { return m_styles; }

private:
    friend class WorkbookReader;
    friend class WorkbookWriter;
    const SheetCell* cellOf(const QString& sheet, int row, int column) const;
    SheetCell& cellFor(Sheet& sheet, int row, int column);
    DefinedName& addName(DefinedName name);
    void insertSheet(std::shared_ptr<Sheet> sheet, const Sheet* after);
    QString newPartName();

    ZipPackage m_package; // every part as read; the writer replaces what changed
    PackageParts::ContentTypes m_contentTypes;
    QString m_stylesPart;
    QString m_workbookPart;
    QString m_workbookXml;
    QList<PackageParts::Relationship> m_workbookRelations; // besides the sheets
    std::vector<std::shared_ptr<Sheet>> m_sheets;
    QHash<QString, Sheet*> m_sheetsByName; // lower case
    std::list<DefinedName> m_names;
    QStringList m_sharedStrings;
    WorkbookStyles m_styles;
    Sheet* m_active = nullptr;
    int m_nextSheetId = 1;
    int m_nextPartNumber = 1;
    QSet<QString> m_partNames; // given to sheets made here
};

} // namespace Spreadsheet
