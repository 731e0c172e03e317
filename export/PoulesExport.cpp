#include "export/PoulesExport.h"

#include "export/SpreadsheetExport.h"
#include "model/MessageService.h"
#include "model/Poules.h"
#include "model/Text.h"

#include <algorithm>
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

QString PouleNaam(const QStringList& tabTeksten, std::size_t i) {
    const qsizetype tab = static_cast<qsizetype>(i);
    return tab < tabTeksten.size() ? tabTeksten[tab] : QStringLiteral("Poule %1").arg(i + 1);
}

// The matches sheet after the pool sheets: a title, a heading row and one
// row per match. Columns are written whole, the round as a number so that
// the sheet sorts by it.
void SchrijfWedstrijden(Application& excel, const QString& naam,
                        const std::vector<TWedstrijdRij>& rijen) {
    const std::unique_ptr<Worksheet> blad = excel.WorksheetsAdd(*LaatsteBlad(excel));
    LaatsteBlad(excel)->SetName(naam);
    blad->Cells(1, 1)->SetValue(QStringLiteral("Wedstrijden"));
    const QStringList koppen{QStringLiteral("Poule"), QStringLiteral("Ronde"),
                             QStringLiteral("Deelnemer"), QStringLiteral("Tegenstander"),
                             QStringLiteral("Uitslag")};
    for (int k = 0; k < koppen.size(); ++k)
        blad->Cells(3, k + 1)->SetValue(koppen[k]);
    constexpr int Eerste = 4;
    const int laatste = Eerste + static_cast<int>(rijen.size()) - 1;
    auto kolom = [&](int nummer, QString TWedstrijdRij::*veld) {
        QStringList waarden;
        for (const TWedstrijdRij& rij : rijen)
            waarden << rij.*veld;
        blad->GetRange(*blad->Cells(Eerste, nummer), *blad->Cells(laatste, nummer))
            ->SetValues(waarden);
    };
    kolom(1, &TWedstrijdRij::Poule);
    for (std::size_t i = 0; i < rijen.size(); ++i)
        blad->Cells(Eerste + static_cast<int>(i), 2)->SetValue(double(rijen[i].Ronde));
    kolom(3, &TWedstrijdRij::A);
    kolom(4, &TWedstrijdRij::B);
    kolom(5, &TWedstrijdRij::Uitslag);
}

void Schrijf(const std::vector<QStringList>& poules, const QStringList& tabTeksten,
             const QString& pouleSjabloon, const std::vector<TWedstrijdRij>& wedstrijden) {
    TToepassing excel(QStringLiteral("Poules"));
    excel->SetVisible(true);
    const std::optional<bool> sjabloon = OpenWerkmap(*excel, pouleSjabloon);
    if (!sjabloon)
        return;
    const TPouleSchrijver schrijver(*excel, *sjabloon);
    for (std::size_t i = 0; i < poules.size(); ++i)
        schrijver.Schrijf(PouleNaam(tabTeksten, i), poules[i]);
    if (!wedstrijden.empty())
        SchrijfWedstrijden(*excel, WedstrijdenBladNaam(tabTeksten), wedstrijden);
    VerwijderOudeBladen(*excel, static_cast<int>(poules.size()) + (wedstrijden.empty() ? 0 : 1));
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

std::vector<TWedstrijdRij> WedstrijdRijen(const TDeelnemerLijst& deelnemers,
                                          const QStringList& tabTeksten,
                                          const Poulewedstrijden::TPoulewedstrijden& wedstrijden) {
    // Until a score is in, the pools are run on positions alone, and the
    // workbook is the one they always had.
    const auto gespeeld = [](const Poulewedstrijden::TPoule& poule) {
        return std::any_of(poule.Wedstrijden.begin(), poule.Wedstrijden.end(),
                           [](const auto& wedstrijd) { return wedstrijd.Gespeeld(); });
    };
    if (std::none_of(wedstrijden.Poules.begin(), wedstrijden.Poules.end(), gespeeld))
        return {};
    std::vector<TWedstrijdRij> rijen;
    const Poules::TPouleIndex index = Poules::MaakPouleIndex(deelnemers);
    const auto naam = [&](int lid) {
        return lid >= 0 && std::size_t(lid) < deelnemers.size()
                   ? deelnemers[std::size_t(lid)]->Naam()
                   : QString();
    };
    for (std::size_t p = 0; p < index.size() && p < wedstrijden.Poules.size(); ++p) {
        if (index[p].empty())
            break; // the pools end here, as their sheets do
        for (const Poulewedstrijden::TPouleWedstrijd& wedstrijd :
             wedstrijden.Poules[p].Wedstrijden) {
            // A match not played out names how it ended and its winner.
            const int verliezer = wedstrijd.AfloopVerliezer();
            const QString winnaar =
                verliezer < 0 ? QString()
                              : naam(verliezer == wedstrijd.A ? wedstrijd.B : wedstrijd.A);
            rijen.push_back(
                {PouleNaam(tabTeksten, p), wedstrijd.Ronde, naam(wedstrijd.A), naam(wedstrijd.B),
                 wedstrijd.Gespeeld() ? Poulewedstrijden::UitslagTekst(wedstrijd, winnaar)
                                      : QString()});
        }
    }
    return rijen;
}

QString WedstrijdenBladNaam(const QStringList& tabTeksten) {
    // Sheet names are unique whatever their letter case.
    QString naam = QStringLiteral("Wedstrijden");
    for (int nummer = 2; tabTeksten.contains(naam, Qt::CaseInsensitive); ++nummer)
        naam = QStringLiteral("Wedstrijden (%1)").arg(nummer);
    return naam;
}

void Exporteer(const TDeelnemerLijst& deelnemers, const QStringList& tabTeksten,
               const QString& pouleSjabloon,
               const Poulewedstrijden::TPoulewedstrijden* wedstrijden) {
    const std::vector<QStringList> poules = PouleNamen(deelnemers);
    // Without pools there is nothing to write, and removing the workbook's
    // own sheets would have to remove its last sheet.
    if (poules.empty())
        return;
    try {
        Schrijf(poules, tabTeksten, pouleSjabloon,
                wedstrijden ? WedstrijdRijen(deelnemers, tabTeksten, *wedstrijden)
                            : std::vector<TWedstrijdRij>{});
    } catch (const std::exception& fout) {
        Spreadsheet::BringToFront();
        messages().information(FoutTekst(SpreadsheetExport::Foutmelding(fout)), FoutHelpContext);
    }
}

} // namespace PoulesExport
