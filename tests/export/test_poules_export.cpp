#include "export/PoulesExport.h"
#include "model/Poules.h"
#include "support/FakeSpreadsheet.h"
#include "support/ScriptedMessageService.h"

#include <QtTest>

using Fake::DefinedName;
using Fake::FakeSpreadsheet;
using Fake::Sheet;

namespace {

const QString Sjabloon = QStringLiteral("/sjablonen/poules.xlt");
const QStringList Tabs{"Poule 1", "Poule 2", "Poule 3"};

// Pools of the given sizes, their participants mixed as a draw leaves them:
// round-robin over the pools, "A1" the first of pool 1.
TDeelnemerLijst poules(const QList<int>& groottes) {
    TDeelnemerLijst lijst;
    const int grootste = *std::max_element(groottes.begin(), groottes.end());
    for (int plek = 1; plek <= grootste; ++plek) {
        for (int p = 0; p < groottes.size(); ++p) {
            if (plek > groottes[p])
                continue;
            auto d = std::make_unique<TDeelnemer>(QString(QChar(u'A' + plek - 1)),
                                                  QString::number(p + 1));
            d->Poule = p + 1;
            lijst.push_back(std::move(d));
        }
    }
    return lijst;
}

Sheet blad(const QString& naam, std::vector<DefinedName> namen = {}) {
    Sheet s;
    s.name = naam;
    s.names = std::move(namen);
    return s;
}

QString cel(const Sheet& s, int rij, int kolom) {
    return s.text(rij, kolom);
}

// A model sheet with its title cell, its names and old content below the
// participants' cells.
Sheet modelBlad(int grootte, std::vector<DefinedName> namen, int eersteRij, int kolom) {
    Sheet s = blad(QStringLiteral("%1poule").arg(grootte), std::move(namen));
    s.cells[{eersteRij - 1, kolom}] = {false, QStringLiteral("Deelnemers"), 0};
    s.cells[{eersteRij + grootte, kolom}] = {false, QStringLiteral("oud"), 0};
    return s;
}

QString algemeneFout(const QString& melding) {
    return QStringLiteral("Er is een fout opgetreden tijdens het exporteren van de poules naar "
                          "Excel.\n\r\n\rFoutmelding: ") +
           melding;
}

} // namespace

class PoulesExportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_voorgrond = 0;
        Spreadsheet::SetBringToFront([this] { ++m_voorgrond; });
    }
    void cleanup() { Spreadsheet::SetBringToFront({}); }

    void templateSheetsPerPoolSize() {
        FakeSpreadsheet excel;
        excel.addTemplate(Sjabloon,
                          {blad(QStringLiteral("Uitleg")),
                           modelBlad(3, {{"Poulenaam", 1, 2}, {"deelnemers", 4, 2}}, 4, 2),
                           modelBlad(4,
                                     {{"XPOULENAAM", 9, 9},
                                      {"POULENAAM", 2, 2},
                                      {"Deelnemers", 5, 3},
                                      {"DEELNEMERS", 20, 1}},
                                     5, 3)});
        ScriptedMessages berichten;
        const TDeelnemerLijst lijst = poules({4, 4, 3});
        PoulesExport::Exporteer(lijst, Tabs, Sjabloon);
        QVERIFY(berichten->calls().isEmpty());
        QCOMPARE(excel.subjects, QStringList{QStringLiteral("Poules")});
        QCOMPARE(excel.sheetNames(), Tabs);
        QCOMPARE(excel.activeSheetName(), QStringLiteral("Poule 1"));
        QCOMPARE(excel.released, 1);
        QCOMPARE(excel.deleteQuestions, 0);
        QVERIFY(excel.displayAlerts);

        const Sheet& p2 = *excel.sheet(QStringLiteral("Poule 2"));
        QCOMPARE(cel(p2, 2, 2), QStringLiteral("Poule 2"));
        QCOMPARE(cel(p2, 9, 9), QString());
        QCOMPARE(cel(p2, 4, 3), QStringLiteral("Deelnemers")); // the template's own text
        QCOMPARE(QStringList({cel(p2, 5, 3), cel(p2, 6, 3), cel(p2, 7, 3), cel(p2, 8, 3)}),
                 QStringList({"A 2", "B 2", "C 2", "D 2"}));
        QVERIFY(!p2.has(9, 3)); // emptied below the last name
        QVERIFY(!p2.has(20, 1));
        const Sheet& p3 = *excel.sheet(QStringLiteral("Poule 3"));
        QCOMPARE(cel(p3, 1, 2), QStringLiteral("Poule 3"));
        QCOMPARE(QStringList({cel(p3, 4, 2), cel(p3, 5, 2), cel(p3, 6, 2)}),
                 QStringList({"A 3", "B 3", "C 3"}));
        QVERIFY(!p3.has(7, 2));

        // Copies first, then the old sheets go without a question.
        const qsizetype uit = excel.calls.indexOf(QStringLiteral("SetDisplayAlerts false"));
        QCOMPARE(
            excel.calls.mid(uit),
            QStringList({"SetDisplayAlerts false", "Delete Uitleg", "Delete 3poule",
                         "Delete 4poule", "SetDisplayAlerts true", "Activate Poule 1", "Release"}));
        QCOMPARE(excel.calls.filter(QStringLiteral("Copy")),
                 QStringList({"Copy 4poule after 4poule", "Copy 4poule after Poule 1",
                              "Copy 3poule after Poule 2"}));
    }

    void namesMatchWhateverTheirCaseAndPrefix() {
        // Sheet-level names carry the sheet's name; a workbook-level name
        // counts as well. The first match wins; without POULENAAM the pool's
        // name is only the tab's.
        FakeSpreadsheet excel;
        excel.addTemplate(
            Sjabloon,
            {modelBlad(2, {{"pouleNaamX", 1, 1}, {"dEeLnEmErS", 3, 4, false}, {"Deelnemers", 8, 8}},
                       3, 4)});
        ScriptedMessages berichten;
        PoulesExport::Exporteer(poules({2, 2}), {"Groep A", "Groep B"}, Sjabloon);
        QCOMPARE(excel.sheetNames(), QStringList({"Groep A", "Groep B"}));
        const Sheet& a = *excel.sheet(QStringLiteral("Groep A"));
        QCOMPARE(a.dump(), QStringList({"R2C4='Deelnemers'", "R3C4='A 1'", "R4C4='B 1'"}));
        // A sheet-level name reads "'Groep A'!Deelnemers" after renaming.
        FakeSpreadsheet tweede;
        tweede.addTemplate(Sjabloon, {modelBlad(2, {{"Deelnemers", 3, 4}}, 3, 4)});
        PoulesExport::Exporteer(poules({2, 2}), {"Groep A", "Groep B"}, Sjabloon);
        QCOMPARE(tweede.sheet(QStringLiteral("Groep B"))->text(4, 4), QStringLiteral("B 2"));
    }

    void missingModelSheetFailsAndKeepsTheTemplate() {
        FakeSpreadsheet excel;
        excel.addTemplate(Sjabloon, {modelBlad(4, {{"DEELNEMERS", 2, 1}}, 2, 1)});
        ScriptedMessages berichten;
        PoulesExport::Exporteer(poules({4, 5}), {"Poule 1", "Poule 2"}, Sjabloon);
        QCOMPARE(berichten->calls().size(), 1);
        const MessageCall& melding = berichten->calls()[0];
        QCOMPARE(melding.kind, MessageKind::Information);
        QCOMPARE(melding.buttons, Buttons::Ok);
        QCOMPARE(melding.helpContext, 1007);
        QCOMPARE(melding.text, algemeneFout(QStringLiteral("Werkblad 5poule bestaat niet.")));
        QCOMPARE(m_voorgrond, 1);
        QCOMPARE(excel.sheetNames(), QStringList({"4poule", "Poule 1"}));
        QCOMPARE(excel.released, 1);
        QCOMPARE(excel.usedAfterRelease, 0);
    }

    void defaultWorkbookWithoutTemplate() {
        const QString tekst =
            QStringLiteral("Er is geen sjabloonbestand voor poules ingesteld. Kies "
                           "\"Opties/Instellingen\" in het hoofdvenster om dit in te stellen. "
                           "\n\r\n\rKies OK om een standaard werkmapsjabloon te gebruiken");
        QCOMPARE(PoulesExport::GeenSjabloonTekst(), tekst);
        FakeSpreadsheet excel;
        excel.defaultSheetCount = 3;
        ScriptedMessages berichten;
        berichten->queueAnswer(Answer::Ok);
        PoulesExport::Exporteer(poules({4, 4, 3}), Tabs, QString());
        QCOMPARE(berichten->calls().size(), 1);
        QCOMPARE(berichten->calls()[0].buttons, Buttons::OkCancel);
        QCOMPARE(berichten->calls()[0].helpContext, 0);
        QCOMPARE(berichten->calls()[0].text, tekst);
        QCOMPARE(excel.sheetNames(), Tabs);
        QCOMPARE(excel.activeSheetName(), QStringLiteral("Poule 1"));
        QCOMPARE(excel.sheet(QStringLiteral("Poule 3"))->dump(),
                 QStringList({"R1C1='Poule 3'", "R3C1='A 3'", "R4C1='B 3'", "R5C1='C 3'"}));
        QVERIFY(excel.calls.contains(QStringLiteral("R3C1:R7C1 = [A 1|B 1|C 1|D 1|]")));
        QVERIFY(excel.calls.contains(QStringLiteral("R3C1:R6C1 = [A 3|B 3|C 3|]")));
        QCOMPARE(excel.calls.filter(QStringLiteral("Delete")),
                 QStringList({"Delete Blad1", "Delete Blad2", "Delete Blad3"}));
        QCOMPARE(excel.released, 1);
    }

    void cancelEndsTheExportQuietly() {
        {
            FakeSpreadsheet excel;
            ScriptedMessages berichten;
            berichten->queueAnswer(Answer::Cancel);
            PoulesExport::Exporteer(poules({3}), {"Poule 1"}, QString());
            QCOMPARE(berichten->calls().size(), 1);
            QCOMPARE(excel.calls, QStringList({"Obtain Poules", "SetVisible true", "Release"}));
        }
        const QString pad = QStringLiteral("C:\\Mijn Sjablonen\\Poules.XLT");
        const QString tekst =
            QStringLiteral("Er is een fout opgetreden tijdens het openen van \"") + pad +
            QStringLiteral("\". Kies OK om een standaard werkmapsjabloon te "
                           "gebruiken.");
        QCOMPARE(PoulesExport::SjabloonFoutTekst(pad), tekst);
        for (const Answer antwoord : {Answer::Cancel, Answer::Ok}) {
            FakeSpreadsheet excel;
            ScriptedMessages berichten;
            berichten->queueAnswer(antwoord);
            m_voorgrond = 0;
            PoulesExport::Exporteer(poules({3}), {"Poule 1"}, pad);
            QCOMPARE(berichten->texts(), QStringList{tekst});
            QCOMPARE(berichten->calls()[0].buttons, Buttons::OkCancel);
            QCOMPARE(berichten->calls()[0].helpContext, 0);
            QCOMPARE(m_voorgrond, 1);
            QCOMPARE(excel.released, 1);
            QCOMPARE(excel.sheetNames(),
                     antwoord == Answer::Ok ? QStringList{"Poule 1"} : QStringList());
        }
    }

    void failuresAreReported() {
        struct Geval {
            QString operatie;
            int keer;
            int verkregen;
        };
        for (const Geval& geval :
             {Geval{QStringLiteral("ObtainApplication"), 1, 0},
              Geval{QStringLiteral("Delete"), 2, 1}, Geval{QStringLiteral("SetValues"), 1, 1}}) {
            FakeSpreadsheet excel;
            excel.failAt(geval.operatie, geval.keer, QStringLiteral("Geweigerd."));
            excel.defaultSheetCount = 3;
            ScriptedMessages berichten;
            berichten->queueAnswer(Answer::Ok);
            PoulesExport::Exporteer(poules({3, 3}), {"Poule 1", "Poule 2"}, QString());
            const MessageCall& melding = berichten->calls().last();
            QCOMPARE(melding.text, algemeneFout(QStringLiteral("Geweigerd.")));
            QCOMPARE(melding.helpContext, 1007);
            QCOMPARE(excel.released, geval.verkregen);
            // A failed removal leaves the application's confirmations on.
            QVERIFY(excel.displayAlerts);
        }
    }

    // Once a score is in, a last sheet lists the matches; every pool sheet stays
    // cell for cell what the export writes without them.
    void matchesSheetFollowsUnchangedPoolSheets_data() {
        QTest::addColumn<QString>("sjabloon");
        QTest::newRow("sjabloon") << Sjabloon;
        QTest::newRow("standaard werkmap") << QString();
    }
    void matchesSheetFollowsUnchangedPoolSheets() {
        QFETCH(QString, sjabloon);
        const TDeelnemerLijst lijst = poules({4, 4, 3});
        Poulewedstrijden::TPoulewedstrijden wedstrijden;
        for (int poule = 1; poule <= 3; ++poule)
            wedstrijden.Poules.push_back(
                {Poulewedstrijden::MaakSchema(Poules::Leden(lijst, poule)), {}, false});
        wedstrijden.Poules[1].Wedstrijden[0].Games = {{21, 19}, {18, 21}, {30, 29}};
        auto exporteer = [&](const Poulewedstrijden::TPoulewedstrijden* metWedstrijden) {
            FakeSpreadsheet excel;
            excel.addTemplate(Sjabloon,
                              {blad(QStringLiteral("Uitleg")),
                               modelBlad(3, {{"POULENAAM", 1, 2}, {"DEELNEMERS", 4, 2}}, 4, 2),
                               modelBlad(4, {{"POULENAAM", 1, 2}, {"DEELNEMERS", 4, 2}}, 4, 2)});
            ScriptedMessages berichten;
            berichten->queueAnswer(Answer::Ok); // the default workbook, without template
            PoulesExport::Exporteer(lijst, Tabs, sjabloon, metWedstrijden);
            QStringList bladen{excel.activeSheetName()};
            for (const QString& naam : excel.sheetNames())
                bladen << naam + u':' + excel.sheet(naam)->dump().join(u' ') + u':' +
                              excel.sheet(naam)->borderDump().join(u' ');
            return bladen;
        };
        const QStringList zonder = exporteer(nullptr);
        const QStringList met = exporteer(&wedstrijden);
        QCOMPARE(met.mid(0, zonder.size()), zonder);
        QCOMPARE(met.size(), zonder.size() + 1);
        // Without a score the workbook is the one without matches.
        Poulewedstrijden::TPoulewedstrijden ongespeeld = wedstrijden;
        ongespeeld.Poules[1].Wedstrijden[0].Games.clear();
        QCOMPARE(exporteer(&ongespeeld), zonder);
        const QStringList laatste = met.back().split(u':');
        QCOMPARE(laatste[0], QStringLiteral("Wedstrijden"));
        // 6 + 6 + 3 matches under the heading, pool 2 from row 10.
        const QString inhoud = laatste[1];
        for (const char* stuk :
             {"R1C1='Wedstrijden'", "R3C1='Poule' R3C2='Ronde' R3C3='Deelnemer'",
              "R4C1='Poule 1' R4C2=1 R4C3='A 1' R4C4='D 1' R5C1",
              "R10C1='Poule 2' R10C2=1 R10C3='A 2' R10C4='D 2' R10C5='21-19 18-21 30-29'",
              "R18C1='Poule 3' R18C2=3 R18C3='C 3' R18C4='A 3'"})
            QVERIFY2(inhoud.contains(QLatin1String(stuk)), qPrintable(stuk + u'\n' + inhoud));
        QVERIFY(inhoud.endsWith(QStringLiteral("R18C4='A 3'")));
        QCOMPARE(PoulesExport::WedstrijdenBladNaam({"Poule 1", "wedstrijden"}),
                 QStringLiteral("Wedstrijden (2)"));
    }

    void nothingToExportWithoutPools() {
        FakeSpreadsheet excel;
        ScriptedMessages berichten;
        TDeelnemerLijst lijst = poules({3});
        for (auto& d : lijst)
            d->Poule = 0;
        PoulesExport::Exporteer(lijst, {}, Sjabloon);
        PoulesExport::Exporteer({}, {}, Sjabloon);
        QCOMPARE(excel.obtained, 0);
        QVERIFY(berichten->calls().isEmpty());
    }

private:
    int m_voorgrond = 0;
};

QTEST_GUILESS_MAIN(PoulesExportTest)
#include "test_poules_export.moc"
