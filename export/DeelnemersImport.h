#pragma once

#include "model/Import.h"

#include <QString>

// Reads a participant list for the import from a file: .xlsx and .xlsm with
// the program's own workbook engine, .ods and .xls after LibreOffice
// converted them, anything else as text (CSV or one name per line).
namespace DeelnemersImport {

// Throws Spreadsheet::Error with a Dutch message when the file cannot be
// read at all; rows it cannot read are marked in the table instead.
Import::TImport LeesBestand(const QString& pad);

// The rows of the workbook's active sheet, from its first row and column
// that hold anything.
Import::TTabel LeesWerkmap(const QString& pad);

} // namespace DeelnemersImport
