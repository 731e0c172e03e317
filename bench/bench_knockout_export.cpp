// Times the knockout export of a fully played bracket of 1024 through the
// program's own workbook engine, from a template to the written file, every
// option on. Exits non-zero only when the written workbook is wrong, never
// because of time.
#include "export/KnockoutExport.h"
#include "export/Workbook.h"
#include "export/WorkbookEngine.h"
#include "model/Knockout.h"
#include "model/RandomSource.h"
#include "tests/export/test_exports_fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

QString Tekst(const TDeelnemer* deelnemer) {
    return deelnemer ? deelnemer->PouleCode() + QStringLiteral(": ") + deelnemer->Naam()
                     : QStringLiteral("?");
}

bool Score(const Spreadsheet::Workbook& boek, const QString& blad, int rij, int kolom, int score) {
    const std::optional<double> getal = boek.cellNumber(blad, rij, kolom);
    return getal && *getal == score;
}

// Every match of the bracket where the drawing puts it: caption, both
// participants with their pool codes, both scores as numbers, the box and
// the connector of every odd match.
bool KloptSchema(const Spreadsheet::Workbook& boek, const TKnockout& knockout) {
    const QString blad = QStringLiteral("Winnaarsronde");
    if (boek.sheetNames() != QStringList{blad})
        return false;
    const int hoogte = 4 * knockout.AantalWedstrijden(0);
    for (int r = 0; r < knockout.AantalRondes(); ++r) {
        const int k = 1 + 4 * r;
        const int aantal = knockout.AantalWedstrijden(r);
        const bool laatste = r == knockout.AantalRondes() - 1;
        if (boek.cellText(blad, 2, k + 1) != QStringLiteral("Ronde %1").arg(r + 1))
            return false;
        for (int j = 1; j <= aantal; ++j) {
            const TKnockoutWedstrijd& w = *knockout.Wedstrijd(r, j - 1);
            const int t = 2 + (2 * j - 1) * hoogte / (2 * aantal);
            if (boek.cellText(blad, t, k) != QStringLiteral("Wedstrijd %1").arg(j) ||
                boek.cellText(blad, t, k + 1) != Tekst(w.DeelnemerBoven()) ||
                boek.cellText(blad, t + 1, k + 1) != Tekst(w.DeelnemerOnder()) ||
                !Score(boek, blad, t, k + 2, w.ScoreBoven()) ||
                !Score(boek, blad, t + 1, k + 2, w.ScoreOnder()) ||
                !boek.cellBorders(blad, t + 1, k + 2).contains(Spreadsheet::Edge::Right) ||
                boek.cellBorders(blad, t, k + 3).contains(Spreadsheet::Edge::Bottom) == laatste)
                return false;
            const bool verbinding = j % 2 == 1 && !laatste;
            if (verbinding &&
                (boek.cellText(blad, t + hoogte / aantal, k + 3) != u' ' ||
                 !boek.cellBorders(blad, t + 1, k + 3).contains(Spreadsheet::Edge::Right)))
                return false;
        }
    }
    return true;
}

} // namespace

int main() {
    constexpr int Herhalingen = 15;
    constexpr int Aantal = 1024;
    auto vorigeBron = setRandomSource(
        std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{11}; }));
    auto* meldingen = new ExportFixtures::TelMeldingen;
    auto vorigeMeldingen = setMessageService(std::unique_ptr<MessageService>(meldingen));

    // 256 pools of four; the random draw puts them anywhere.
    TDeelnemerLijst lijst;
    for (int i = 0; i < Aantal; ++i) {
        lijst.push_back(std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i)));
        lijst.back()->Poule = i / 4 + 1;
        lijst.back()->Positie = i % 4 + 1;
        lijst.back()->KnockoutNr = 1;
    }
    TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
    // Every match played; a 0 in half of them.
    for (int r = 0; r < knockout.AantalRondes(); ++r) {
        for (int m = 0; m < knockout.AantalWedstrijden(r); ++m)
            knockout.Wedstrijd(r, m)->ZetEindstand(m % 2 ? 3 : 0, m % 2 ? 1 : 2);
    }

    QTemporaryDir map;
    const QString sjabloon = map.filePath(QStringLiteral("knockout.xltx"));
    ExportFixtures::Werkmap({{QStringLiteral("Schema"), {}}}, {}, 0,
                            ExportFixtures::Soort::Sjabloon)
        .write(sjabloon);
    const QString uit = map.filePath(QStringLiteral("uit"));
    const QString vorigeMap = Spreadsheet::SetExportFolder(uit);
    QStringList geopend;
    auto vorigeOpener = Spreadsheet::SetWorkbookOpener([&geopend](const QString& pad) {
        geopend << pad;
        return true;
    });
    KnockoutExport::TInstellingen instellingen;
    instellingen.Sjabloon = sjabloon;

    std::vector<double> tijden;
    bool goed = map.isValid() && knockout.AantalRondes() == 10;
    QString laatste;
    for (int h = 0; h < Herhalingen && goed; ++h) {
        geopend.clear();
        const auto begin = std::chrono::steady_clock::now();
        KnockoutExport::Exporteer(knockout, instellingen);
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
        // Only the file of this run lies in the export folder.
        goed = geopend.size() == 1 && QDir(uit).entryList(QDir::Files) ==
                                          QStringList{QFileInfo(geopend.first()).fileName()};
        laatste = geopend.value(0);
        if (goed && h + 1 < Herhalingen)
            QFile::remove(laatste);
    }
    try {
        goed = goed && meldingen->aantal == 0 &&
               KloptSchema(*Spreadsheet::Workbook::load(laatste), knockout);
    } catch (const Spreadsheet::Error&) {
        goed = false;
    }

    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.2f ms  max %8.2f ms  (target < 300 ms)%s\n",
                "knockout export, 1024, every option, file written",
                tijden.empty() ? 0.0 : tijden[tijden.size() / 2],
                tijden.empty() ? 0.0 : tijden.back(), goed ? "" : "  WRONG RESULT");
    Spreadsheet::SetWorkbookOpener(std::move(vorigeOpener));
    Spreadsheet::SetExportFolder(vorigeMap);
    setMessageService(std::move(vorigeMeldingen));
    setRandomSource(std::move(vorigeBron));
    return goed ? 0 : 1;
}
