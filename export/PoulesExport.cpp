#include "export/PoulesExport.h"

#include "export/SpreadsheetExport.h"
#include "model/MessageService.h"
#include "model/Poules.h"
#include "model/Text.h"

#include <optional>
#include <vector>

using Spreadsheet::Application;
using Spreadsheet::Range;
using Spreadsheet::Worksheet;
using SpreadsheetExport::TToepassing;

namespace PoulesExport {

namespace {

const QString StandaardWerkmapZin =
    QStringLiteral("Kies OK om een standaard werkmapsjabloon te gebruiken");

// The names of each pool, pool 1 first, in list order; the pools end at the
// first number without participants.
std::vector<QStringList> PouleNamen(const TDeelnemerLijst& deelnemers) {
    std::vector<QStringList> poules;
    for (const std::vector<int>& leden : Poules::MaakPouleIndex(deelnemers)) {
        if (leden.empty())
            break;
        QStringList& namen = poules.emplace_back();
        for (int i : leden)
            namen << deelnemers[static_cast<std::size_t>(i)]->Naam();
    }
    return poules;
}

// The cell a defined name of the sheet refers to; nothing when no name
// matches. The first match counts.
std::unique_ptr<Range> BenoemdeCel(const Worksheet& blad, const QString& naam) {
    const int aantal = blad.NamesCount();
    for (int k = 1; k <= aantal; ++k) {
        const std::unique_ptr<Spreadsheet::Name> gedefinieerd = blad.NamesItem(k);
        if (SpreadsheetExport::KaleNaam(gedefinieerd->Text()) == naam)
            return gedefinieerd->RefersToRange();
    }
    return nullptr;
}

std::unique_ptr<Worksheet> LaatsteBlad(Application& excel) {
    return excel.WorksheetsItem(excel.WorksheetsCount());
}

// One pool, written either into the plain layout or into a copy of the
// template's model sheet for its size.
class TPouleSchrijver {
public:
    TPouleSchrijver(Application& excel, bool sjabloon)
        : m_excel(excel)
        , m_sjabloon(sjabloon) {}

    void Schrijf(const QString& pouleNaam, const QStringList& namen) const {
        const std::unique_ptr<Worksheet> blad = MaakBlad(static_cast<int>(namen.size()));
        LaatsteBlad(m_excel)->SetName(pouleNaam);
        QStringList kolom = namen;
        kolom << QString(); // empties the cell below the last name
        if (m_sjabloon) {
            if (const std::unique_ptr<Range> cel = BenoemdeCel(*blad, QStringLiteral("POULENAAM")))
                cel->SetValue(pouleNaam);
            if (const std::unique_ptr<Range> cel = BenoemdeCel(*blad, QStringLiteral("DEELNEMERS")))
                SchrijfKolom(*blad, cel->Row(), cel->Column(), kolom);
        } else {
            blad->Cells(1, 1)->SetValue(pouleNaam);
            SchrijfKolom(*blad, 3, 1, kolom);
        }
    }

private:
    std::unique_ptr<Worksheet> MaakBlad(int grootte) const {
        if (!m_sjabloon)
            return m_excel.WorksheetsAdd(*LaatsteBlad(m_excel));
        const std::unique_ptr<Worksheet> model =
            m_excel.WorksheetsItem(QString::number(grootte) + QStringLiteral("poule"));
        model->Copy(*LaatsteBlad(m_excel));
        return LaatsteBlad(m_excel);
    }

    static void SchrijfKolom(Worksheet& blad, int rij, int kolom, const QStringList& waarden) {
        const int onder = rij + static_cast<int>(waarden.size()) - 1;
        blad.GetRange(*blad.Cells(rij, kolom), *blad.Cells(onder, kolom))->SetValues(waarden);
    }

    Application& m_excel;
    bool m_sjabloon;
};

// Removes every sheet that stood before the pool sheets, without the
// application asking about it. Confirmations are switched on again even
// after a failure, as the application keeps the setting.
void VerwijderOudeBladen(Application& excel, int aantalPoules) {
    excel.SetDisplayAlerts(false);
    try {
        while (excel.WorksheetsCount() > aantalPoules)
            excel.WorksheetsItem(1)->Delete();
    } catch (...) {
        try {
            excel.SetDisplayAlerts(true);
        } catch (const std::exception&) {
            // The first failure is the one to report.
        }
        throw;
    }
    excel.SetDisplayAlerts(true);
}

// Opens the workbook to write into; true = from the template. Nothing when
// the user declines the default workbook.
std::optional<bool> OpenWerkmap(Application& excel, const QString& pouleSjabloon) {
    if (pouleSjabloon.isEmpty()) {
        if (messages().informationOkCancel(GeenSjabloonTekst()) != Answer::Ok)
            return std::nullopt;
        excel.WorkbooksAdd();
        return false;
    }
    try {
        excel.WorkbooksOpen(pouleSjabloon);
        return true;
    } catch (const Spreadsheet::Error&) {
        Spreadsheet::BringToFront();
        if (messages().informationOkCancel(SjabloonFoutTekst(pouleSjabloon)) != Answer::Ok)
            return std::nullopt;
    }
    excel.WorkbooksAdd();
    return false;
}

void Schrijf(const std::vector<QStringList>& poules, const QStringList& tabTeksten,
             const QString& pouleSjabloon) {
    TToepassing excel(QStringLiteral("Poules"));
    excel->SetVisible(true);
    const std::optional<bool> sjabloon = OpenWerkmap(*excel, pouleSjabloon);
    if (!sjabloon)
        return;
    const TPouleSchrijver schrijver(*excel, *sjabloon);
    for (std::size_t i = 0; i < poules.size(); ++i) {
        const qsizetype tab = static_cast<qsizetype>(i);
        const QString naam =
            tab < tabTeksten.size() ? tabTeksten[tab] : QStringLiteral("Poule %1").arg(i + 1);
        schrijver.Schrijf(naam, poules[i]);
    }
    VerwijderOudeBladen(*excel, static_cast<int>(poules.size()));
    excel->WorksheetsItem(1)->Activate();
}

} // namespace

QString GeenSjabloonTekst() {
    return QStringLiteral("Er is geen sjabloonbestand voor poules ingesteld. Kies "
                          "\"Opties/Instellingen\" in het hoofdvenster om dit in te stellen. ") +
           Text::lineBreak + Text::lineBreak + StandaardWerkmapZin;
}

QString SjabloonFoutTekst(const QString& pouleSjabloon) {
    return SpreadsheetExport::SjabloonFoutTekst(pouleSjabloon, StandaardWerkmapZin + u'.');
}

QString FoutTekst(const QString& foutmelding) {
    return SpreadsheetExport::FoutTekst(
        QStringLiteral(
            "Er is een fout opgetreden tijdens het exporteren van de poules naar Excel."),
        foutmelding);
}

void Exporteer(const TDeelnemerLijst& deelnemers, const QStringList& tabTeksten,
               const QString& pouleSjabloon) {
    const std::vector<QStringList> poules = PouleNamen(deelnemers);
    // Without pools there is nothing to write, and removing the workbook's
    // own sheets would have to remove its last sheet.
    if (poules.empty())
        return;
    try {
        Schrijf(poules, tabTeksten, pouleSjabloon);
    } catch (const std::exception& fout) {
        Spreadsheet::BringToFront();
        messages().information(FoutTekst(SpreadsheetExport::Foutmelding(fout)), FoutHelpContext);
    }
}

} // namespace PoulesExport
