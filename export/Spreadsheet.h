#pragma once

#include <QString>
#include <QStringList>

#include <exception>
#include <functional>
#include <memory>

// The spreadsheet application as the exports see it: a narrow object model
// of workbooks, worksheets, cells, borders and defined names. Rows and
// columns count from 1, row first. Any failing operation throws
// Spreadsheet::Error with a Dutch message for the user. The default backend
// is the program's own workbook engine; another backend (a spreadsheet
// application's own automation, say) could implement the same classes.
namespace Spreadsheet {

class Error : public std::exception {
public:
    explicit Error(QString message);
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// The size of a worksheet in the workbook format and in the spreadsheet
// applications that read it.
constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;

// Cell edges a border can be drawn on, numbered as spreadsheet automation
// numbers them.
enum class Edge { Left = 7, Top = 8, Bottom = 9, Right = 10 };
constexpr int LineStyleContinuous = 1;

// One cell or a rectangle of cells on a worksheet.
class Range {
public:
    virtual ~Range() = default;
    virtual int Row() const = 0;    // of the top-left cell
    virtual int Column() const = 0; // of the top-left cell
    virtual void SetValue(const QString& text) = 0;
    virtual void SetValue(double number) = 0;
    // A one-column array written top to bottom; an empty element empties
    // its cell. The range must be one column as high as the array.
    virtual void SetValues(const QStringList& column) = 0;
    // Borders.Item(edge).LineStyle := style, on every cell of the range.
    virtual void SetBorderLineStyle(Edge edge, int lineStyle) = 0;
};

// A defined name visible on a worksheet: a sheet-level one reads
// "Sheet!Name", a workbook-level one just "Name".
class Name {
public:
    virtual ~Name() = default;
    virtual QString Text() const = 0;
    virtual std::unique_ptr<Range> RefersToRange() const = 0;
};

class Worksheet {
public:
    virtual ~Worksheet() = default;
    virtual QString GetName() const = 0;
    virtual void SetName(const QString& name) = 0;
    virtual void Delete() = 0;
    virtual void Activate() = 0;
    // A copy with content, formatting, sheet-level names, pictures, notes and
    // tables, placed after `after`.
    virtual void Copy(const Worksheet& after) = 0;
    virtual std::unique_ptr<Range> Cells(int row, int column) = 0;
    virtual std::unique_ptr<Range> GetRange(const Range& cell1, const Range& cell2) = 0;
    virtual int NamesCount() const = 0;
    virtual std::unique_ptr<Name> NamesItem(int index) const = 0; // from 1
};

// The application with its active workbook. Worksheet operations act on
// the active workbook.
class Application {
public:
    virtual ~Application() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetDisplayAlerts(bool displayAlerts) = 0;
    // Opens a workbook, or a new workbook based on a template; it becomes active.
    virtual void WorkbooksOpen(const QString& path) = 0;
    // A new workbook from the default template (one sheet, "Blad1"); it becomes active.
    virtual void WorkbooksAdd() = 0;
    // Throws when the active sheet is no worksheet (a chart sheet, say).
    virtual std::unique_ptr<Worksheet> ActiveSheet() = 0;
    virtual int WorksheetsCount() = 0;
    virtual std::unique_ptr<Worksheet> WorksheetsItem(int index) = 0; // from 1, tab order
    virtual std::unique_ptr<Worksheet> WorksheetsItem(const QString& name) = 0;
    // Worksheets.Add(After := after, Count := 1): the new, empty sheet.
    virtual std::unique_ptr<Worksheet> WorksheetsAdd(const Worksheet& after) = 0;
    // Ends the export's use of the application; the workbooks made stay
    // with the user (the engine writes and opens them). Called once, also
    // after a failure; never throws.
    virtual void Release() noexcept = 0;
};

// Obtains the application for one export. `subject` says what the export
// writes ("Deelnemers", "Poules", "Winnaarsronde", ...), for the backend
// to name what it makes. Throws Error when no application can be had.
std::unique_ptr<Application> ObtainApplication(const QString& subject);

// Tests and other platforms may put another backend in place; returns the
// previous factory. An empty factory restores the default.
using ApplicationFactory = std::function<std::unique_ptr<Application>(const QString& subject)>;
ApplicationFactory SetApplicationFactory(ApplicationFactory factory);

// Brings the program's own window to the front before an export shows a
// message; the GUI installs it.
void SetBringToFront(std::function<void()> bringToFront);
void BringToFront();

} // namespace Spreadsheet
