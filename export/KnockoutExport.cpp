#include "export/KnockoutExport.h"

#include "export/SpreadsheetExport.h"
#include "model/Deelnemer.h"
#include "model/Knockout.h"
#include "model/MessageService.h"

using Spreadsheet::Edge;
using Spreadsheet::Worksheet;
using SpreadsheetExport::TToepassing;

namespace KnockoutExport {

namespace {

const QString MarkerBoven = QStringLiteral("n.o.");
const QString MarkerOnder = QStringLiteral("n.o");
const QString MarkerUitslag = QStringLiteral("n.o.");

QString BladNaam(const TKnockout& knockout) {
    return knockout.KnockoutNr() == 1 ? QStringLiteral("Winnaarsronde")
                                      : QStringLiteral("Verliezersronde");
}

// Draws the bracket round by round. Match j of a round of m matches has its
// top row at R0 + (j - 1/2) * H / m, H being four rows per first-round
// match; rounds halve, so every box lies midway between the two it follows.
class TTekenaar {
public:
    TTekenaar(Worksheet& blad, const TKnockout& knockout, const TInstellingen& instellingen)
        : m_blad(blad)
        , m_knockout(knockout)
        , m_in(instellingen)
        , m_hoogte(4 * knockout.AantalWedstrijden(0)) {}

    void Teken() {
        const int rondes = m_knockout.AantalRondes();
        for (int ronde = 1; ronde <= rondes; ++ronde)
            TekenRonde(ronde, ronde == rondes);
    }

private:
    void TekenRonde(int ronde, bool laatste) {
        const int kolom = m_in.BeginKolom + 4 * (ronde - 1);
        const int aantal = m_knockout.AantalWedstrijden(ronde - 1);
        if (m_in.Ronden)
            Tekst(m_in.BeginRij, kolom + 1, TKnockout::RondeTitel(ronde - 1));
        for (int nummer = 1; nummer <= aantal; ++nummer) {
            // (j - 1/2) * H / m in whole numbers, truncated as the rows need;
            // the product outgrows 32 bits from 65,536 participants on.
            const int boven =
                m_in.BeginRij + int((2 * qint64(nummer) - 1) * m_hoogte / (2 * aantal));
            TekenWedstrijd(*m_knockout.Wedstrijd(ronde - 1, nummer - 1), nummer, boven, kolom,
                           laatste);
            if (nummer % 2 == 1 && !laatste)
                TekenVerbinding(boven, kolom + 3, m_hoogte / aantal);
        }
    }

    void TekenWedstrijd(const TKnockoutWedstrijd& wedstrijd, int nummer, int boven, int kolom,
                        bool laatste) {
        if (m_in.Wedstrijden)
            Tekst(boven, kolom, QStringLiteral("Wedstrijd %1").arg(nummer));
        const TDeelnemer* bovenste = wedstrijd.DeelnemerBoven();
        const TDeelnemer* onderste = wedstrijd.DeelnemerOnder();
        if (bovenste)
            Tekst(boven, kolom + 1, DeelnemerTekst(*bovenste));
        else if (m_in.DeelnemerNO)
            Tekst(boven, kolom + 1, MarkerBoven);
        if (wedstrijd.Bye())
            Tekst(boven + 1, kolom + 1, QStringLiteral("Bye"));
        else if (onderste)
            Tekst(boven + 1, kolom + 1, DeelnemerTekst(*onderste));
        else if (m_in.DeelnemerNO)
            Tekst(boven + 1, kolom + 1, MarkerOnder);
        const TKnockoutAfloop& afloop = wedstrijd.Afloop();
        if (bovenste && onderste && afloop.Soort != TAfloop::Gespeeld) {
            // The loser's cell says how the match ended; the winner's stays
            // empty, its name standing in the next round.
            Tekst(afloop.Verliezer == 0 ? boven : boven + 1, kolom + 2,
                  AfloopAfkorting(afloop.Soort));
        } else if (bovenste && onderste) {
            Score(boven, kolom + 2, wedstrijd.ScoreBoven());
            Score(boven + 1, kolom + 2, wedstrijd.ScoreOnder());
        }
        TekenRanden(boven, kolom, laatste);
    }

    void TekenRanden(int boven, int kolom, bool laatste) {
        // The underlined caption cell joins the connector to the box; the
        // next round's own underline closes the connector that reaches it.
        Rand(boven, kolom, Edge::Bottom);
        if (!laatste)
            Rand(boven, kolom + 3, Edge::Bottom);
        Rand(boven, kolom + 1, Edge::Left);
        Rand(boven + 1, kolom + 1, Edge::Left);
        Rand(boven, kolom + 1, Edge::Top);
        Rand(boven, kolom + 2, Edge::Top);
        Rand(boven + 1, kolom + 1, Edge::Bottom);
        Rand(boven + 1, kolom + 2, Edge::Bottom);
        Rand(boven, kolom + 2, Edge::Right);
        Rand(boven + 1, kolom + 2, Edge::Right);
    }

    // A blank in each cell keeps the line visible whatever the spreadsheet
    // does with empty cells.
    void TekenVerbinding(int boven, int kolom, int rijen) {
        for (int rij = boven + 1; rij <= boven + rijen; ++rij) {
            Tekst(rij, kolom, QStringLiteral(" "));
            Rand(rij, kolom, Edge::Right);
        }
    }

    QString DeelnemerTekst(const TDeelnemer& deelnemer) const {
        if (m_in.PouleInformatie)
            return deelnemer.PouleCode() + QStringLiteral(": ") + deelnemer.Naam();
        return deelnemer.Naam();
    }

    void Score(int rij, int kolom, int score) {
        if (score >= 0)
            m_blad.Cells(rij, kolom)->SetValue(static_cast<double>(score));
        else if (m_in.UitslagNO)
            Tekst(rij, kolom, MarkerUitslag);
    }

    void Tekst(int rij, int kolom, const QString& tekst) {
        m_blad.Cells(rij, kolom)->SetValue(tekst);
    }

    void Rand(int rij, int kolom, Edge rand) {
        m_blad.Cells(rij, kolom)->SetBorderLineStyle(rand, Spreadsheet::LineStyleContinuous);
    }

    Worksheet& m_blad;
    const TKnockout& m_knockout;
    const TInstellingen& m_in;
    int m_hoogte;
};

// Refuses a drawing that would run off the sheet, before a single cell is
// written: rows from the round captions (or the first match) to the lower
// name of the last first-round match, columns from the first match caption
// to the scores of the final.
void ControleerRuimte(const TKnockout& knockout, const TInstellingen& in) {
    const qint64 hoogte = 4 * qint64(knockout.AantalWedstrijden(0));
    const qint64 eersteRij = in.Ronden ? in.BeginRij : in.BeginRij + qint64(2);
    const qint64 laatsteRij = in.BeginRij + hoogte - 1;
    const qint64 laatsteKolom = in.BeginKolom + 4 * (qint64(knockout.AantalRondes()) - 1) + 2;
    const auto melding = [](const char* soort, qint64 eerste, qint64 laatste, int grootste,
                            const char* begin) {
        return Spreadsheet::Error(
            QStringLiteral("Het knockoutschema past niet op het werkblad: het beslaat de %1 %2 "
                           "tot en met %3, en een werkblad heeft de %1 1 tot en met %4. Kies "
                           "bij \"Opties/Instellingen\" een andere %5.")
                .arg(QLatin1String(soort))
                .arg(eerste)
                .arg(laatste)
                .arg(grootste)
                .arg(QLatin1String(begin)));
    };
    if (eersteRij < 1 || laatsteRij > Spreadsheet::MaxRows)
        throw melding("rijen", eersteRij, laatsteRij, Spreadsheet::MaxRows, "beginrij");
    if (in.BeginKolom < 1 || laatsteKolom > Spreadsheet::MaxColumns)
        throw melding("kolommen", in.BeginKolom, laatsteKolom, Spreadsheet::MaxColumns,
                      "beginkolom");
}

// Opens the template, or after the user's OK the default workbook; false
// when the user declines.
bool OpenWerkmap(Spreadsheet::Application& excel, const QString& sjabloon) {
    try {
        excel.WorkbooksOpen(sjabloon);
        return true;
    } catch (const Spreadsheet::Error&) {
        Spreadsheet::BringToFront();
        if (messages().informationOkCancel(SjabloonFoutTekst(sjabloon)) != Answer::Ok)
            return false;
    }
    excel.WorkbooksAdd();
    return true;
}

void Schrijf(const TKnockout& knockout, const TInstellingen& instellingen) {
    TToepassing excel(BladNaam(knockout));
    excel->SetVisible(true);
    if (!OpenWerkmap(*excel, instellingen.Sjabloon))
        return;
    const std::unique_ptr<Worksheet> blad = excel->ActiveSheet();
    blad->SetName(BladNaam(knockout));
    ControleerRuimte(knockout, instellingen);
    TTekenaar(*blad, knockout, instellingen).Teken();
}

} // namespace

QString SjabloonFoutTekst(const QString& knockoutSjabloon) {
    return SpreadsheetExport::SjabloonFoutTekst(
        knockoutSjabloon,
        QStringLiteral("Kies OK om het standaard werkmap-sjabloon te gebruiken."));
}

QString FoutTekst(const QString& foutmelding) {
    return SpreadsheetExport::FoutTekst(
        QStringLiteral(
            "Er is een fout opgetreden tijdens het exporteren van het knockoutschema naar Excel."),
        foutmelding);
}

void Exporteer(const TKnockout& knockout, const TInstellingen& instellingen) {
    if (knockout.AantalRondes() == 0)
        return;
    try {
        Schrijf(knockout, instellingen);
    } catch (const std::exception& fout) {
        Spreadsheet::BringToFront();
        messages().information(FoutTekst(SpreadsheetExport::Foutmelding(fout)));
    }
}

} // namespace KnockoutExport
