#include "export/DeelnemersExport.h"
#include "export/KnockoutExport.h"
#include "export/PoulesExport.h"
#include "export/Workbook.h"
#include "export/WorkbookEngine.h"
#include "model/Knockout.h"
#include "support/LibreOffice.h"
#include "support/ScriptedMessageService.h"
#include "test_exports_fixtures.h"
#include "test_workbook_fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace ExportFixtures;
using Spreadsheet::Edge;
using Spreadsheet::Workbook;

// The three exports end to end: the program's own workbook engine writes the
// file, LibreOffice reads every sheet back as CSV, and Workbook::load shows
// what CSV cannot (sheet order, the active sheet, names, borders, numbers).
// Without LibreOffice these tests fail rather than skip.

namespace {

using Plek = std::pair<int, int>; // row, column
using Inhoud = std::map<Plek, QString>;
using Randen = std::map<Plek, QSet<Edge>>;

const QDateTime Klok(QDate(2026, 12, 7), QTime(14, 5));

QString Tijd() {
    return QStringLiteral("2026-12-07 14.05");
}

// Every cell of a written sheet that shows something.
Inhoud InhoudVan(const Workbook& boek, const QString& blad) {
    Inhoud inhoud;
    for (const quint64 sleutel : boek.findSheet(blad)->cells.keys()) {
        const Plek plek{int(sleutel >> 32), int(sleutel & 0xffffffffu)};
        const QString tekst = boek.cellText(blad, plek.first, plek.second);
        if (!tekst.isEmpty())
            inhoud[plek] = tekst;
    }
    return inhoud;
}

// Every cell of a CSV sheet that shows something.
Inhoud InhoudVan(const LibreOffice::CsvSheet& csv) {
    Inhoud inhoud;
    for (int rij = 0; rij < csv.size(); ++rij) {
        for (int kolom = 0; kolom < csv[rij].size(); ++kolom) {
            if (!csv[rij][kolom].isEmpty())
                inhoud[{rij + 1, kolom + 1}] = csv[rij][kolom];
        }
    }
    return inhoud;
}

Randen RandenVan(const Workbook& boek, const QString& blad) {
    Randen randen;
    for (const quint64 sleutel : boek.findSheet(blad)->cells.keys()) {
        const Plek plek{int(sleutel >> 32), int(sleutel & 0xffffffffu)};
        const QSet<Edge> hier = boek.cellBorders(blad, plek.first, plek.second);
        if (!hier.isEmpty())
            randen[plek] = hier;
    }
    return randen;
}

QStringList Tekst(const Inhoud& inhoud) {
    QStringList regels;
    for (const auto& [plek, tekst] : inhoud)
        regels << QStringLiteral("R%1C%2='%3'").arg(plek.first).arg(plek.second).arg(tekst);
    return regels;
}

QStringList Tekst(const Randen& randen) {
    QStringList regels;
    for (const auto& [plek, hier] : randen) {
        QString letters;
        for (const auto& [rand, letter] :
             {std::pair{Edge::Left, u'L'}, std::pair{Edge::Top, u'T'},
              std::pair{Edge::Bottom, u'B'}, std::pair{Edge::Right, u'R'}}) {
            if (hier.contains(rand))
                letters += letter;
        }
        regels << QStringLiteral("R%1C%2:%3").arg(plek.first).arg(plek.second).arg(letters);
    }
    return regels;
}

// What one listing has and the other lacks, for a failure that says which cells.
QString Verschil(const QStringList& echt, const QStringList& verwacht) {
    QStringList regels;
    for (const QString& regel : echt) {
        if (!verwacht.contains(regel))
            regels << QStringLiteral("unexpected ") + regel;
    }
    for (const QString& regel : verwacht) {
        if (!echt.contains(regel))
            regels << QStringLiteral("missing ") + regel;
    }
    return regels.join(QStringLiteral("; "));
}

// Cells or borders of a sheet against what they should be.
#define VERGELIJK(echt, verwacht)                                                                  \
    do {                                                                                           \
        const QString verschil = Verschil(Tekst(echt), Tekst(verwacht));                           \
        QVERIFY2(verschil.isEmpty(), qPrintable(verschil));                                        \
    } while (false)

std::unique_ptr<TDeelnemer> Deelnemer(const QString& voornaam, const QString& achternaam, int poule,
                                      int positie = -1, std::uint8_t knockoutNr = 0) {
    auto deelnemer = std::make_unique<TDeelnemer>(voornaam, achternaam);
    deelnemer->Poule = poule;
    deelnemer->Positie = positie;
    deelnemer->KnockoutNr = knockoutNr;
    return deelnemer;
}

// Eleven participants in pools of 4, 4 and 3, the pools interleaved in the
// list as a draw leaves them.
TDeelnemerLijst ElfInDriePoules() {
    const QStringList namen{"Anna Bakker", "Bram Claes",  "Cato Dijk",   "Daan Evers",
                            "Eef Fokker",  "Fleur Graaf", "Gijs Hoek",   "Hanna Ides",
                            "Ivo Jansen",  "Jet Kramer",  "Kees Lammers"};
    TDeelnemerLijst lijst;
    for (qsizetype i = 0; i < namen.size(); ++i)
        lijst.push_back(
            Deelnemer(namen[i].section(u' ', 0, 0), namen[i].section(u' ', 1), int(i % 3) + 1));
    return lijst;
}

QStringList NamenInPoule(const TDeelnemerLijst& lijst, int poule) {
    QStringList namen;
    for (const auto& d : lijst) {
        if (d->Poule == poule)
            namen << d->Naam();
    }
    return namen;
}

// The pool template: a sheet of explanation and two model sheets, each
// with its own layout, the names of the pool cell and of the first name
// cell on the sheet itself, and a placeholder right below the last name
// that the export has to clear.
Spreadsheet::ZipPackage PouleSjabloon() {
    const Blad uitleg{QStringLiteral("Uitleg"), {{1, 1, QStringLiteral("Kopieer niet")}}};
    const Blad vier{QStringLiteral("4poule"),
                    {{1, 1, QStringLiteral("Poule:")},
                     {1, 4, QStringLiteral("Wedstrijden")},
                     {3, 2, QStringLiteral("Naam")},
                     {8, 2, QStringLiteral("vrij")}}};
    const Blad drie{QStringLiteral("3poule"),
                    {{2, 2, QStringLiteral("Poule van drie:")},
                     {4, 3, QStringLiteral("Naam")},
                     {8, 3, QStringLiteral("vrij")}}};
    return Werkmap({uitleg, vier, drie},
                   {{QStringLiteral("PouleNaam"), 1, QStringLiteral("'4poule'!$B$1")},
                    {QStringLiteral("DEELNEMERS"), 1, QStringLiteral("'4poule'!$B$4")},
                    {QStringLiteral("PouleNaam"), 2, QStringLiteral("'3poule'!$C$2")},
                    {QStringLiteral("DEELNEMERS"), 2, QStringLiteral("'3poule'!$C$5")}},
                   0, Soort::Sjabloon);
}

} // namespace

class ExportsLibreOfficeTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_scratch{QDir::currentPath() + QStringLiteral("/exports-XXXXXX")};
    QString m_uit;
    QStringList m_geopend;

    // The one workbook the export wrote: in the export folder, named after
    // the subject and the clock, and exactly that path handed to the opener.
    void Geschreven(const QString& onderwerp, QString& pad) {
        const QString verwacht = onderwerp + u' ' + Tijd() + QStringLiteral(".xlsx");
        QCOMPARE(QDir(m_uit).entryList(QDir::Files), QStringList{verwacht});
        QCOMPARE(m_geopend, QStringList{QDir(m_uit).filePath(verwacht)});
        pad = m_geopend.first();
    }

private Q_SLOTS:
    void initTestCase() {
        if (LibreOffice::program().isEmpty())
            QFAIL(LibreOffice::missingMessage());
        QVERIFY(m_scratch.isValid());
        Spreadsheet::SetWorkbookOpener([this](const QString& pad) {
            m_geopend << pad;
            return true;
        });
        Spreadsheet::SetExportClock([] { return Klok; });
    }
    void cleanupTestCase() {
        Spreadsheet::SetExportFolder(QString());
        Spreadsheet::SetWorkbookOpener({});
        Spreadsheet::SetExportClock({});
    }
    void init() {
        // Each case writes into a folder of its own, so the file it wrote is
        // the only one there.
        m_uit = m_scratch.filePath(QStringLiteral("uit-%1-%2")
                                       .arg(QString::fromLatin1(QTest::currentTestFunction()),
                                            QString::fromLatin1(QTest::currentDataTag())));
        Spreadsheet::SetExportFolder(m_uit);
        m_geopend.clear();
    }

    void participantsFillTwoColumns() {
        // In the window's order, which is not re-sorted; a name that looks
        // like a number stays text.
        const Deelnemerslijst::TNamen namen{{QStringLiteral("Zoë"), QStringLiteral("Çelik")},
                                            {QStringLiteral("Anna"), QStringLiteral("de Vries")},
                                            {QStringLiteral("Bert"), QStringLiteral("007")}};
        ScriptedMessages berichten;
        DeelnemersExport::Exporteer(namen);
        QVERIFY(berichten->calls().isEmpty());
        QString pad;
        Geschreven(QStringLiteral("Deelnemers"), pad);
        if (QTest::currentTestFailed())
            return;

        const auto boek = Workbook::load(pad);
        QCOMPARE(boek->sheetNames(), QStringList{QStringLiteral("Blad1")});
        const Inhoud verwacht{{{1, 1}, "Zoë"},      {{1, 2}, "Çelik"}, {{2, 1}, "Anna"},
                              {{2, 2}, "de Vries"}, {{3, 1}, "Bert"},  {{3, 2}, "007"}};
        VERGELIJK(InhoudVan(*boek, "Blad1"), verwacht);
        QCOMPARE(int(boek->findSheet("Blad1")->cells.size()), 6);
        QVERIFY(!boek->cellNumber("Blad1", 3, 2));

        QString fout;
        const auto csv =
            LibreOffice::sheetsAsCsv(pad, {"Blad1"}, m_scratch.filePath("csv-deelnemers"), &fout);
        QVERIFY2(fout.isEmpty(), qPrintable(fout));
        const LibreOffice::CsvSheet blad = csv.value("Blad1");
        QCOMPARE(blad.size(), 3);
        for (const QStringList& rij : blad)
            QCOMPARE(rij.size(), 2);
        VERGELIJK(InhoudVan(blad), verwacht);
    }

    void poolsInTheDefaultWorkbook() {
        // Pool 1 holds the second, third and fifth participant of the list.
        TDeelnemerLijst lijst;
        lijst.push_back(Deelnemer("Wim", "Zwart", 2));
        lijst.push_back(Deelnemer("Anna", "Bakker", 1));
        lijst.push_back(Deelnemer("Cor", "Dekker", 1));
        lijst.push_back(Deelnemer("Els", "Vos", 2));
        lijst.push_back(Deelnemer("Bert", "Claes", 1));
        ScriptedMessages berichten;
        berichten->queueAnswer(Answer::Ok);
        PoulesExport::Exporteer(lijst, {"Poule 1", "Poule 2"}, QString());
        QCOMPARE(berichten->texts(), QStringList{PoulesExport::GeenSjabloonTekst()});
        QCOMPARE(berichten->calls().first().buttons, Buttons::OkCancel);
        QVERIFY(berichten->allAnswersUsed());
        QString pad;
        Geschreven(QStringLiteral("Poules"), pad);
        if (QTest::currentTestFailed())
            return;

        const auto boek = Workbook::load(pad);
        QCOMPARE(boek->sheetNames(), (QStringList{"Poule 1", "Poule 2"}));
        QCOMPARE(boek->activeSheetName(), QStringLiteral("Poule 1"));
        const Inhoud een{{{1, 1}, "Poule 1"},
                         {{3, 1}, "Anna Bakker"},
                         {{4, 1}, "Cor Dekker"},
                         {{5, 1}, "Bert Claes"}};
        const Inhoud twee{{{1, 1}, "Poule 2"}, {{3, 1}, "Wim Zwart"}, {{4, 1}, "Els Vos"}};
        VERGELIJK(InhoudVan(*boek, "Poule 1"), een);
        VERGELIJK(InhoudVan(*boek, "Poule 2"), twee);

        QString fout;
        const auto csv = LibreOffice::sheetsAsCsv(pad, {"Poule 1", "Poule 2"},
                                                  m_scratch.filePath("csv-standaard"), &fout);
        QVERIFY2(fout.isEmpty(), qPrintable(fout));
        VERGELIJK(InhoudVan(csv.value("Poule 1")), een);
        VERGELIJK(InhoudVan(csv.value("Poule 2")), twee);
    }

    void poolsFromATemplate_data() {
        QTest::addColumn<bool>("oud");
        QTest::newRow("xltx") << false;
        QTest::newRow("xlt") << true;
    }
    void poolsFromATemplate() {
        QFETCH(bool, oud);
        const QString map = m_scratch.filePath(oud ? "sjabloon-oud" : "sjabloon");
        QDir().mkpath(map);
        QString sjabloon = QDir(map).filePath("poules.xltx");
        PouleSjabloon().write(sjabloon);
        QString fout;
        if (oud) {
            sjabloon = LibreOffice::saveAsLegacyTemplate(sjabloon, map, &fout);
            QVERIFY2(fout.isEmpty(), qPrintable(fout));
        }
        const TDeelnemerLijst lijst = ElfInDriePoules();
        ScriptedMessages berichten;
        PoulesExport::Exporteer(lijst, {"Poule 1", "Poule 2", "Poule 3"}, sjabloon);
        QCOMPARE(berichten->texts(), QStringList());
        QString pad;
        Geschreven(QStringLiteral("Poules"), pad);
        if (QTest::currentTestFailed())
            return;

        const auto boek = Workbook::load(pad);
        QCOMPARE(boek->sheetNames(), (QStringList{"Poule 1", "Poule 2", "Poule 3"}));
        QCOMPARE(boek->activeSheetName(), QStringLiteral("Poule 1"));
        // Every pool sheet carries its model's two names; none is left on a
        // removed sheet.
        QStringList namen;
        for (const auto& [naam, verwijzing] : boek->definedNames()) {
            const QString tekst = (naam + u' ' + verwijzing).toUpper();
            QVERIFY2(!tekst.contains("3POULE") && !tekst.contains("4POULE") &&
                         !tekst.contains("UITLEG"),
                     qPrintable(tekst));
            namen << tekst;
        }
        for (const char* verwacht :
             {"'POULE 1'!POULENAAM 'POULE 1'!$B$1", "'POULE 1'!DEELNEMERS 'POULE 1'!$B$4",
              "'POULE 2'!POULENAAM 'POULE 2'!$B$1", "'POULE 2'!DEELNEMERS 'POULE 2'!$B$4",
              "'POULE 3'!POULENAAM 'POULE 3'!$C$2", "'POULE 3'!DEELNEMERS 'POULE 3'!$C$5"})
            QVERIFY2(namen.contains(verwacht), qPrintable(namen.join(", ")));

        // A pool of four on the 4poule layout, the pool of three on its own.
        const auto vierpoule = [&](int poule) {
            const QStringList n = NamenInPoule(lijst, poule);
            return Inhoud{{{1, 1}, "Poule:"},      {{1, 2}, QStringLiteral("Poule %1").arg(poule)},
                          {{1, 4}, "Wedstrijden"}, {{3, 2}, "Naam"},
                          {{4, 2}, n[0]},          {{5, 2}, n[1]},
                          {{6, 2}, n[2]},          {{7, 2}, n[3]}};
        };
        const QStringList drie = NamenInPoule(lijst, 3);
        const Inhoud driepoule{{{2, 2}, "Poule van drie:"}, {{2, 3}, "Poule 3"}, {{4, 3}, "Naam"},
                               {{5, 3}, drie[0]},           {{6, 3}, drie[1]},   {{7, 3}, drie[2]}};
        QCOMPARE(int(NamenInPoule(lijst, 1).size()), 4);
        QCOMPARE(int(drie.size()), 3);
        VERGELIJK(InhoudVan(*boek, "Poule 1"), vierpoule(1));
        VERGELIJK(InhoudVan(*boek, "Poule 3"), driepoule);

        const auto csv =
            LibreOffice::sheetsAsCsv(pad, {"Poule 1", "Poule 2", "Poule 3"},
                                     m_scratch.filePath(oud ? "csv-xlt" : "csv-xltx"), &fout);
        QVERIFY2(fout.isEmpty(), qPrintable(fout));
        VERGELIJK(InhoudVan(csv.value("Poule 1")), vierpoule(1));
        VERGELIJK(InhoudVan(csv.value("Poule 2")), vierpoule(2));
        VERGELIJK(InhoudVan(csv.value("Poule 3")), driepoule);
    }

    void poolSheetsKeepPicturesNotesAndTables() {
        // Both model sheets carry a logo, a note on B2 and a table over D4:E6.
        const QString sjabloon = m_scratch.filePath("objecten.xltx");
        poolTemplateWithObjects(templateType).write(sjabloon);
        const TDeelnemerLijst lijst = ElfInDriePoules();
        ScriptedMessages berichten;
        PoulesExport::Exporteer(lijst, {"Poule 1", "Poule 2", "Poule 3"}, sjabloon);
        QCOMPARE(berichten->texts(), QStringList());
        QString pad;
        Geschreven(QStringLiteral("Poules"), pad);
        if (QTest::currentTestFailed())
            return;

        // LibreOffice's flat format shows what it made of the file.
        const QString map = m_scratch.filePath("fods-objecten");
        const QString fout =
            LibreOffice::run({QStringLiteral("--convert-to"), QStringLiteral("fods"),
                              QStringLiteral("--outdir"), map, pad},
                             map);
        QVERIFY2(fout.isEmpty(), qPrintable(fout));
        QFile bestand(QDir(map).filePath(QFileInfo(pad).completeBaseName() + ".fods"));
        QVERIFY(bestand.open(QIODevice::ReadOnly));
        const QString fods = QString::fromUtf8(bestand.readAll());
        for (const QString blad : {"Poule 1", "Poule 2", "Poule 3"}) {
            const qsizetype begin = fods.indexOf("<table:table table:name=\"" + blad + u'"');
            QVERIFY2(begin >= 0, qPrintable(blad));
            const QString inhoud = fods.mid(begin, fods.indexOf("</table:table>", begin) - begin);
            QVERIFY2(inhoud.contains("<draw:image draw:mime-type=\"image/png\">"),
                     qPrintable(blad));
            QVERIFY2(inhoud.contains("<office:annotation") && inhoud.contains("Naam van de poule"),
                     qPrintable(blad));
            const QString bereik = QStringLiteral("&apos;%1&apos;.D4:&apos;%1&apos;.E6").arg(blad);
            QVERIFY2(fods.contains("table:target-range-address=\"" + bereik + u'"'),
                     qPrintable(blad));
        }
    }

    void knockoutDrawnInFull() {
        // Seven participants in the bracket of eight places; the last one
        // has no pool and a bye.
        TDeelnemerLijst lijst;
        lijst.push_back(Deelnemer("Anna", "Bakker", 1, 1, 1));
        lijst.push_back(Deelnemer("Bert", "Claes", 2, 2, 1));
        lijst.push_back(Deelnemer("Cor", "Dekker", 2, 1, 1));
        lijst.push_back(Deelnemer("Dirk", "Evers", 1, 2, 1));
        lijst.push_back(Deelnemer("Eva", "Fransen", 3, 1, 1));
        lijst.push_back(Deelnemer("Fenna", "Groen", 3, 2, 1));
        lijst.push_back(Deelnemer("Gijs", "Hendriks", 0, -1, 1));
        TKnockout knockout(lijst, 1, TKnockout::Leeg);
        QCOMPARE(knockout.AantalWedstrijden(0), 4);
        const auto w = [&](int ronde, int nummer) { return knockout.Wedstrijd(ronde, nummer); };
        for (int m = 0; m < 3; ++m) {
            w(0, m)->ZetDeelnemerBoven(lijst[2 * m].get());
            w(0, m)->ZetDeelnemerOnder(lijst[2 * m + 1].get());
        }
        w(0, 3)->ZetDeelnemerBoven(lijst[6].get());
        w(0, 3)->ZetBye(true);
        w(0, 0)->ZetEindstand(0, 3);
        w(0, 1)->ZetEindstand(2, 1);
        w(1, 0)->ZetEindstand(5, 4);
        QCOMPARE(w(2, 0)->DeelnemerBoven(), lijst[1].get());
        QCOMPARE(w(1, 1)->DeelnemerOnder(), lijst[6].get());

        ScriptedMessages berichten;
        berichten->queueAnswer(Answer::Ok); // no template: the default workbook
        KnockoutExport::TInstellingen standaard;
        standaard.BeginRij = 2; // the cells below are counted from row 2
        KnockoutExport::Exporteer(knockout, standaard);
        QCOMPARE(berichten->texts(), QStringList{KnockoutExport::SjabloonFoutTekst(QString())});
        QString pad;
        Geschreven(QStringLiteral("Winnaarsronde"), pad);
        if (QTest::currentTestFailed())
            return;

        const QString blad = QStringLiteral("Winnaarsronde");
        Inhoud verwacht{{{2, 2}, "Ronde 1"},
                        {{2, 6}, "Ronde 2"},
                        {{2, 10}, "Ronde 3"},
                        {{4, 2}, "1p1: Anna Bakker"},
                        {{5, 2}, "2p2: Bert Claes"},
                        {{4, 3}, "0"},
                        {{5, 3}, "3"},
                        {{8, 2}, "1p2: Cor Dekker"},
                        {{9, 2}, "2p1: Dirk Evers"},
                        {{8, 3}, "2"},
                        {{9, 3}, "1"},
                        {{12, 2}, "1p3: Eva Fransen"},
                        {{13, 2}, "2p3: Fenna Groen"},
                        {{12, 3}, "n.o."},
                        {{13, 3}, "n.o."},
                        {{16, 2}, ": Gijs Hendriks"},
                        {{17, 2}, "Bye"},
                        {{6, 6}, "2p2: Bert Claes"},
                        {{7, 6}, "1p2: Cor Dekker"},
                        {{6, 7}, "5"},
                        {{7, 7}, "4"},
                        {{14, 6}, "n.o."},
                        {{15, 6}, ": Gijs Hendriks"},
                        {{10, 10}, "2p2: Bert Claes"},
                        {{11, 10}, "n.o"}};
        // Match tops per round, as the rows of the bracket of eight fall.
        const QList<QList<int>> boven{{4, 8, 12, 16}, {6, 14}, {10}};
        Randen randen;
        for (int r = 0; r < boven.size(); ++r) {
            const int k = 1 + 4 * r;
            const bool laatste = r == boven.size() - 1;
            for (int j = 0; j < boven[r].size(); ++j) {
                const int t = boven[r][j];
                verwacht[{t, k}] = QStringLiteral("Wedstrijd %1").arg(j + 1);
                randen[{t, k}] << Edge::Bottom;
                if (!laatste)
                    randen[{t, k + 3}] << Edge::Bottom;
                randen[{t, k + 1}] << Edge::Left << Edge::Top;
                randen[{t, k + 2}] << Edge::Top << Edge::Right;
                randen[{t + 1, k + 1}] << Edge::Left << Edge::Bottom;
                randen[{t + 1, k + 2}] << Edge::Bottom << Edge::Right;
            }
        }
        for (const auto& [kolom, van, tot] :
             {std::tuple{4, 5, 8}, std::tuple{4, 13, 16}, std::tuple{8, 7, 14}}) {
            for (int rij = van; rij <= tot; ++rij) {
                verwacht[{rij, kolom}] = QStringLiteral(" ");
                randen[{rij, kolom}] << Edge::Right;
            }
        }

        const auto boek = Workbook::load(pad);
        QCOMPARE(boek->sheetNames(), QStringList{blad});
        VERGELIJK(InhoudVan(*boek, blad), verwacht);
        VERGELIJK(RandenVan(*boek, blad), randen);
        // Scores are numbers, a 0 as well; the markers are text.
        for (const auto& [rij, kolom, score] :
             {std::tuple{4, 3, 0}, std::tuple{5, 3, 3}, std::tuple{8, 3, 2}, std::tuple{9, 3, 1},
              std::tuple{6, 7, 5}, std::tuple{7, 7, 4}})
            QCOMPARE(boek->cellNumber(blad, rij, kolom).value_or(-1), double(score));
        QVERIFY(!boek->cellNumber(blad, 12, 3));

        QString fout;
        const auto csv =
            LibreOffice::sheetsAsCsv(pad, {blad}, m_scratch.filePath("csv-knockout"), &fout);
        QVERIFY2(fout.isEmpty(), qPrintable(fout));
        VERGELIJK(InhoudVan(csv.value(blad)), verwacht);
    }

    void knockoutOnTheTemplatesActiveSheet() {
        TDeelnemerLijst lijst;
        lijst.push_back(Deelnemer("Hans", "Jansen", 1, 3, 2));
        lijst.push_back(Deelnemer("Ilse", "Kok", 2, 3, 2));
        TKnockout knockout(lijst, 2, TKnockout::Leeg);
        knockout.Wedstrijd(0, 0)->ZetDeelnemerBoven(lijst[0].get());
        knockout.Wedstrijd(0, 0)->ZetDeelnemerOnder(lijst[1].get());

        const QString sjabloon = m_scratch.filePath("knockout.xltx");
        Werkmap({{QStringLiteral("Voorblad"), {{1, 1, QStringLiteral("Clubkampioenschap")}}},
                 {QStringLiteral("Schema"), {{1, 1, QStringLiteral("Troostronde")}}}},
                {}, 1, Soort::Sjabloon)
            .write(sjabloon);
        KnockoutExport::TInstellingen instellingen;
        instellingen.Sjabloon = sjabloon;
        instellingen.BeginRij = 2;
        ScriptedMessages berichten;
        KnockoutExport::Exporteer(knockout, instellingen);
        QCOMPARE(berichten->texts(), QStringList());
        QString pad;
        Geschreven(QStringLiteral("Verliezersronde"), pad);
        if (QTest::currentTestFailed())
            return;

        const Inhoud voorblad{{{1, 1}, "Clubkampioenschap"}};
        const Inhoud schema{{{1, 1}, "Troostronde"},   {{2, 2}, "Ronde 1"},
                            {{4, 1}, "Wedstrijd 1"},   {{4, 2}, "3p1: Hans Jansen"},
                            {{5, 2}, "3p2: Ilse Kok"}, {{4, 3}, "n.o."},
                            {{5, 3}, "n.o."}};
        const auto boek = Workbook::load(pad);
        QCOMPARE(boek->sheetNames(), (QStringList{"Voorblad", "Verliezersronde"}));
        QCOMPARE(boek->activeSheetName(), QStringLiteral("Verliezersronde"));
        VERGELIJK(InhoudVan(*boek, "Voorblad"), voorblad);
        VERGELIJK(InhoudVan(*boek, "Verliezersronde"), schema);
        QVERIFY(RandenVan(*boek, "Voorblad").empty());

        QString fout;
        const auto csv = LibreOffice::sheetsAsCsv(pad, {"Voorblad", "Verliezersronde"},
                                                  m_scratch.filePath("csv-sjabloon"), &fout);
        QVERIFY2(fout.isEmpty(), qPrintable(fout));
        VERGELIJK(InhoudVan(csv.value("Voorblad")), voorblad);
        VERGELIJK(InhoudVan(csv.value("Verliezersronde")), schema);
    }
};

QTEST_GUILESS_MAIN(ExportsLibreOfficeTest)
#include "test_exports_libreoffice.moc"
