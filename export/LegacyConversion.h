#pragma once

#include <QString>

namespace Spreadsheet {

// Workbooks in formats older than Office Open XML (.xlt, .xls, .ods) are
// converted by LibreOffice, started headless with a private profile.

bool isLegacyWorkbook(const QString& path);

// The LibreOffice program to start: a path, a name searched on PATH, or
// empty for "soffice" on PATH. Returns the previous choice.
QString SetLibreOfficeProgram(const QString& program);
// The program found, empty when LibreOffice is not installed.
QString findLibreOffice();

// Converts `path` into an .xlsx in `outputFolder` and returns its path.
// Throws Error with a Dutch message when LibreOffice is missing, fails or
// takes too long.
QString convertToXlsx(const QString& path, const QString& outputFolder);

} // namespace Spreadsheet
