#pragma once

#include "export/Spreadsheet.h"

#include <QString>

#include <exception>
#include <memory>

// What the three exports share: holding the spreadsheet application for the
// length of one export, and the text of a failure.
namespace SpreadsheetExport {

// The application of one export: obtained on construction (which throws
// Spreadsheet::Error when there is none) and released exactly once when it
// goes out of scope, after success and failure alike.
class TToepassing {
public:
    explicit TToepassing(const QString& onderwerp);
    ~TToepassing();
    TToepassing(const TToepassing&) = delete;
    TToepassing& operator=(const TToepassing&) = delete;

    Spreadsheet::Application* operator->() const { return m_toepassing.get(); }
    Spreadsheet::Application& operator*() const { return *m_toepassing; }

private:
    std::unique_ptr<Spreadsheet::Application> m_toepassing;
};

// The message of a caught failure: the layer's own Dutch text, or what a
// standard exception says.
QString Foutmelding(const std::exception& fout);

// An export's failure message: its first sentence, a blank line (LF CR LF
// CR), then "Foutmelding: " and the failure's own text.
QString FoutTekst(const QString& eersteZin, const QString& foutmelding);

// The template message of the pool and knockout exports; `vervolg` is the
// sentence that offers the default workbook.
QString SjabloonFoutTekst(const QString& sjabloon, const QString& vervolg);

// A defined name as the exports compare it: a-z in upper case, and without
// the sheet prefix of a sheet-level name (everything up to the first "!").
QString KaleNaam(const QString& naam);

} // namespace SpreadsheetExport
