#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Helpers for tests that check workbooks with LibreOffice, started headless
// with a private profile (inside the given work folder) and a time limit.
// Tests that need LibreOffice fail, never skip, when it is missing.
namespace LibreOffice {

// The soffice program on PATH; empty when LibreOffice is not installed.
QString program();
// What a test reports when program() is empty.
const char* missingMessage();

// Runs soffice with `arguments` after the profile options; an empty text
// on success, otherwise what went wrong (exit code, time-out, output).
QString run(const QStringList& arguments, const QString& workFolder, int timeoutMs = 180'000);

// One sheet as CSV: rows of cells, as LibreOffice shows the values.
using CsvSheet = QList<QStringList>;

// Converts every sheet of `workbook` to its own CSV file (UTF-8, comma,
// double quotes) in workFolder and reads them back, keyed by sheet name.
// `sheetNames` says which sheets to read. On failure `error` is set.
QMap<QString, CsvSheet> sheetsAsCsv(const QString& workbook, const QStringList& sheetNames,
                                    const QString& workFolder, QString* error);

// The cell of a CSV sheet, empty when outside it (row and column from 1).
QString csvCell(const CsvSheet& sheet, int row, int column);

// Saves `workbook` as an Excel 97 template (.xlt) in workFolder and returns
// its path; empty with `error` set when that fails.
QString saveAsLegacyTemplate(const QString& workbook, const QString& workFolder, QString* error);

// Parses CSV text (RFC 4180: quoted fields may hold commas, quotes, line breaks).
CsvSheet parseCsv(const QString& text);

} // namespace LibreOffice
