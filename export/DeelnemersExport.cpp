#include "export/DeelnemersExport.h"

#include "export/SpreadsheetExport.h"
#include "model/MessageService.h"

using SpreadsheetExport::TToepassing;

namespace DeelnemersExport {

namespace {

void Schrijf(const Deelnemerslijst::TNamen& namen) {
    TToepassing excel(QStringLiteral("Deelnemers"));
    excel->SetVisible(true);
    excel->WorkbooksAdd();
    const std::unique_ptr<Spreadsheet::Worksheet> blad = excel->ActiveSheet();
    int rij = 0;
    for (const Deelnemerslijst::TNaam& naam : namen) {
        ++rij;
        blad->Cells(rij, 1)->SetValue(naam.Voornaam);
        blad->Cells(rij, 2)->SetValue(naam.Achternaam);
    }
}

} // namespace

QString FoutTekst(const QString& foutmelding) {
    return SpreadsheetExport::FoutTekst(
        QStringLiteral("Er is een fout opgetreden tijdens het exporteren naar Excel."),
        foutmelding);
}

void Exporteer(const Deelnemerslijst::TNamen& namen) {
    if (namen.empty())
        return;
    try {
        Schrijf(namen);
    } catch (const std::exception& fout) {
        Spreadsheet::BringToFront();
        messages().information(FoutTekst(SpreadsheetExport::Foutmelding(fout)));
    }
}

} // namespace DeelnemersExport
