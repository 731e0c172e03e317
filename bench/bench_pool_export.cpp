// Times the pool export of 512 pools of eight from a template through the
// program's own workbook engine, up to the written file. Exits non-zero only
// when the written workbook is wrong, never because of time.
#include "export/PoulesExport.h"
#include "export/Workbook.h"
#include "export/WorkbookEngine.h"
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

constexpr int AantalPoules = 512;
constexpr int Grootte = 8;

// Pool i + 1 holds participants i, i + 512, i + 1024, ... of the list.
QString Naam(int poule, int plaats) {
    return QStringLiteral("Speler %1").arg(plaats * AantalPoules + poule - 1);
}

// A model sheet for pools of eight with its names, a placeholder under the
// last name, and a sheet of explanation that the export removes.
Spreadsheet::ZipPackage Sjabloon() {
    using namespace ExportFixtures;
    const Blad uitleg{QStringLiteral("Uitleg"), {{1, 1, QStringLiteral("Niet afdrukken")}}};
    const Blad acht{QStringLiteral("8poule"),
                    {{1, 1, QStringLiteral("Poule:")},
                     {3, 2, QStringLiteral("Naam")},
                     {12, 2, QStringLiteral("vrij")}}};
    return Werkmap({uitleg, acht},
                   {{QStringLiteral("PouleNaam"), 1, QStringLiteral("'8poule'!$B$1")},
                    {QStringLiteral("Deelnemers"), 1, QStringLiteral("'8poule'!$B$4")}},
                   0, Soort::Sjabloon);
}

// Every pool on its own sheet, in pool order, the first active, with its
// name and its eight participants in the named cells and the placeholder gone.
bool KloptWerkmap(const Spreadsheet::Workbook& boek) {
    const QStringList bladen = boek.sheetNames();
    if (bladen.size() != AantalPoules || boek.activeSheetName() != QStringLiteral("Poule 1"))
        return false;
    for (int poule = 1; poule <= AantalPoules; ++poule) {
        const QString blad = QStringLiteral("Poule %1").arg(poule);
        if (bladen[poule - 1] != blad || boek.cellText(blad, 1, 2) != blad ||
            boek.cellText(blad, 3, 2) != QStringLiteral("Naam") ||
            !boek.cellText(blad, 12, 2).isEmpty())
            return false;
        for (int plaats = 0; plaats < Grootte; ++plaats) {
            if (boek.cellText(blad, 4 + plaats, 2) != Naam(poule, plaats))
                return false;
        }
    }
    return true;
}

} // namespace

int main() {
    constexpr int Herhalingen = 10;
    auto* meldingen = new ExportFixtures::TelMeldingen;
    auto vorigeMeldingen = setMessageService(std::unique_ptr<MessageService>(meldingen));

    TDeelnemerLijst lijst;
    for (int i = 0; i < AantalPoules * Grootte; ++i) {
        lijst.push_back(std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i)));
        lijst.back()->Poule = i % AantalPoules + 1;
    }
    QStringList tabs;
    for (int poule = 1; poule <= AantalPoules; ++poule)
        tabs << QStringLiteral("Poule %1").arg(poule);

    QTemporaryDir map;
    const QString sjabloon = map.filePath(QStringLiteral("poules.xltx"));
    Sjabloon().write(sjabloon);
    const QString uit = map.filePath(QStringLiteral("uit"));
    const QString vorigeMap = Spreadsheet::SetExportFolder(uit);
    QStringList geopend;
    auto vorigeOpener = Spreadsheet::SetWorkbookOpener([&geopend](const QString& pad) {
        geopend << pad;
        return true;
    });

    std::vector<double> tijden;
    bool goed = map.isValid();
    QString laatste;
    for (int h = 0; h < Herhalingen && goed; ++h) {
        geopend.clear();
        const auto begin = std::chrono::steady_clock::now();
        PoulesExport::Exporteer(lijst, tabs, sjabloon);
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
        goed =
            goed && meldingen->aantal == 0 && KloptWerkmap(*Spreadsheet::Workbook::load(laatste));
    } catch (const Spreadsheet::Error&) {
        goed = false;
    }

    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.2f ms  max %8.2f ms  (target < 1000 ms)%s\n",
                "pool export, 512 pools of 8, from a template, file written",
                tijden.empty() ? 0.0 : tijden[tijden.size() / 2],
                tijden.empty() ? 0.0 : tijden.back(), goed ? "" : "  WRONG RESULT");
    Spreadsheet::SetWorkbookOpener(std::move(vorigeOpener));
    Spreadsheet::SetExportFolder(vorigeMap);
    setMessageService(std::move(vorigeMeldingen));
    return goed ? 0 : 1;
}
