#pragma once

#include "export/Spreadsheet.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

// The program's own spreadsheet application: workbooks in memory, written
// as .xlsx files when the export releases the application and then opened
// in the desktop's spreadsheet program.
namespace Spreadsheet {

std::unique_ptr<Application> CreateWorkbookEngine(const QString& subject);

// Opens a written workbook for the user; false when it could not. Without
// an opener (the default outside the program's window), or when it answers
// false, an information box says where the file is. Returns the previous one.
using WorkbookOpener = std::function<bool(const QString& path)>;
WorkbookOpener SetWorkbookOpener(WorkbookOpener opener);

// The folder the workbooks are written into; empty restores the default,
// "Zegerooster-export" in the user's documents folder. Returns the previous.
QString SetExportFolder(const QString& folder);
QString ExportFolder();

// The time in the names of written files; empty restores the clock.
using ExportClock = std::function<QDateTime()>;
ExportClock SetExportClock(ExportClock clock);

// "Poules 2026-12-07 14.05.xlsx", or with " (2)", " (3)" ... when taken.
QString ExportFileName(const QString& folder, const QString& subject, const QDateTime& time);

} // namespace Spreadsheet
