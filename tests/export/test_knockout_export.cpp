#include "export/KnockoutExport.h"
#include "model/Knockout.h"
#include "support/FakeSpreadsheet.h"
#include "support/ScriptedMessageService.h"

#include <QtTest>

using Fake::FakeSpreadsheet;
using Fake::Sheet;
using KnockoutExport::TInstellingen;
using Spreadsheet::Edge;

namespace {

const QString Sjabloon = QStringLiteral("/sjablonen/knockout.xlt");

// A bracket of `aantal` participants "Speler i" with pool codes (participant
// i is number i % 2 + 1 of pool i / 2 + 1); the first round is filled in
// list order, two by two, unless `vul` is false.
struct Schema {
    explicit Schema(int aantal, std::uint8_t nummer = 1, bool vul = true) {
        for (int i = 0; i < aantal; ++i) {
            auto d = std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i));
            d->Poule = i / 2 + 1;
            d->Positie = i % 2 + 1;
            d->KnockoutNr = nummer;
            lijst.push_back(std::move(d));
        }
        knockout = std::make_unique<TKnockout>(lijst, nummer, TKnockout::Leeg);
        for (int m = 0; vul && m < knockout->AantalWedstrijden(0); ++m) {
            wedstrijd(1, m + 1).ZetDeelnemerBoven(deelnemer(2 * m));
            wedstrijd(1, m + 1).ZetDeelnemerOnder(deelnemer(2 * m + 1));
        }
    }
    TDeelnemer* deelnemer(int i) const {
        return i < static_cast<int>(lijst.size()) ? lijst[static_cast<std::size_t>(i)].get()
                                                  : nullptr;
    }
    TKnockoutWedstrijd& wedstrijd(int ronde, int nummer) const {
        return *knockout->Wedstrijd(ronde - 1, nummer - 1);
    }

    TDeelnemerLijst lijst;
    std::unique_ptr<TKnockout> knockout;
};

TInstellingen instellingen(bool alles = true) {
    TInstellingen in;
    in.Ronden = in.Wedstrijden = in.DeelnemerNO = in.UitslagNO = in.PouleInformatie = alles;
    in.Sjabloon = Sjabloon;
    in.BeginRij = 2; // the cells below are counted from row 2
    return in;
}

Sheet sjabloonBlad(const QString& naam) {
    Sheet blad;
    blad.name = naam;
    return blad;
}

// A fake with the template in place.
struct Excel : FakeSpreadsheet {
    Excel() { addTemplate(Sjabloon, {sjabloonBlad(QStringLiteral("Blad1"))}); }
    Sheet& blad() const { return *sheet(activeSheetName()); }
    // The cells holding one blank: the connectors.
    QStringList verbindingen() const {
        QStringList cellen;
        for (const auto& [plek, cel] : blad().cells) {
            if (!cel.isNumber && cel.text == u' ')
                cellen << QStringLiteral("R%1C%2").arg(plek.first).arg(plek.second);
        }
        return cellen;
    }
};

QStringList rijen(int van, int tot, int kolom) {
    QStringList cellen;
    for (int rij = van; rij <= tot; ++rij)
        cellen << QStringLiteral("R%1C%2").arg(rij).arg(kolom);
    return cellen;
}

QString fout(const QString& melding) {
    return QStringLiteral("Er is een fout opgetreden tijdens het exporteren van het "
                          "knockoutschema naar Excel.\n\r\n\rFoutmelding: ") +
           melding;
}

} // namespace

class KnockoutExportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_voorgrond = 0;
        Spreadsheet::SetBringToFront([this] { ++m_voorgrond; });
    }
    void cleanup() { Spreadsheet::SetBringToFront({}); }

    void eightParticipantsDrawTheWholeBracket() {
        const Schema s(8);
        s.wedstrijd(1, 1).ZetEindstand(3, 1);
        Excel excel;
        ScriptedMessages berichten;
        KnockoutExport::Exporteer(*s.knockout, instellingen());
        QVERIFY(berichten->calls().isEmpty());
        QCOMPARE(excel.subjects, QStringList{QStringLiteral("Winnaarsronde")});
        QCOMPARE(excel.released, 1);
        QCOMPARE(excel.usedAfterRelease, 0);
        QCOMPARE(excel.calls.mid(0, 3), QStringList({"Obtain Winnaarsronde", "SetVisible true",
                                                     "WorkbooksOpen " + Sjabloon}));
        QCOMPARE(excel.calls[3], QStringLiteral("SetName Blad1 -> Winnaarsronde"));
        QCOMPARE(excel.calls.last(), QStringLiteral("Release"));
        QCOMPARE(excel.sheetNames(), QStringList{QStringLiteral("Winnaarsronde")});

        // The first match, in the order it is written, then its connector.
        QCOMPARE(excel.calls.mid(4, 20), QStringList({"R2C2 = 'Ronde 1'",
                                                      "R4C1 = 'Wedstrijd 1'",
                                                      "R4C2 = '1p1: Speler 0'",
                                                      "R5C2 = '2p1: Speler 1'",
                                                      "R4C3 = 3",
                                                      "R5C3 = 1",
                                                      "R4C1 Bottom 1",
                                                      "R4C4 Bottom 1",
                                                      "R4C2 Left 1",
                                                      "R5C2 Left 1",
                                                      "R4C2 Top 1",
                                                      "R4C3 Top 1",
                                                      "R5C2 Bottom 1",
                                                      "R5C3 Bottom 1",
                                                      "R4C3 Right 1",
                                                      "R5C3 Right 1",
                                                      "R5C4 = ' '",
                                                      "R5C4 Right 1",
                                                      "R6C4 = ' '",
                                                      "R6C4 Right 1"}));

        const Sheet& blad = excel.blad();
        QCOMPARE(blad.text(2, 2), QStringLiteral("Ronde 1"));
        QCOMPARE(blad.text(2, 6), QStringLiteral("Ronde 2"));
        QCOMPARE(blad.text(2, 10), QStringLiteral("Ronde 3"));
        const QList<std::tuple<int, int, int>> boxen{{1, 1, 4}, {1, 2, 8},  {1, 3, 12}, {1, 4, 16},
                                                     {2, 1, 6}, {2, 2, 14}, {3, 1, 10}};
        for (const auto& [ronde, nummer, boven] : boxen) {
            const int k = 1 + 4 * (ronde - 1);
            QCOMPARE(blad.text(boven, k), QStringLiteral("Wedstrijd %1").arg(nummer));
            for (int rij : {boven, boven + 1}) {
                QVERIFY(blad.border(rij, k + 1, Edge::Left));
                QVERIFY(blad.border(rij, k + 2, Edge::Right));
            }
            QVERIFY(blad.border(boven, k, Edge::Bottom));
            QVERIFY(blad.border(boven, k + 1, Edge::Top) && blad.border(boven, k + 2, Edge::Top));
            QVERIFY(blad.border(boven + 1, k + 1, Edge::Bottom) &&
                    blad.border(boven + 1, k + 2, Edge::Bottom));
            QCOMPARE(blad.border(boven, k + 3, Edge::Bottom), ronde < 3);
        }
        QStringList verbindingen = excel.verbindingen();
        QStringList verwacht = rijen(5, 8, 4) + rijen(13, 16, 4) + rijen(7, 14, 8);
        verbindingen.sort();
        verwacht.sort();
        QCOMPARE(verbindingen, verwacht);
        for (const QString& cel : excel.verbindingen()) {
            const int rij = cel.section(u'C', 0, 0).mid(1).toInt();
            const int kolom = cel.section(u'C', 1).toInt();
            QVERIFY(blad.border(rij, kolom, Edge::Right));
        }
        // Nothing at all right of the final's box.
        for (const auto& [plek, randen] : blad.borders)
            QVERIFY(plek.second <= 11);
    }

    void scoresAndMarkers() {
        Schema s(8);
        s.wedstrijd(1, 1).ZetEindstand(0, 2); // Speler 1 goes on to round 2, match 1
        s.wedstrijd(1, 4).ZetDeelnemerOnder(nullptr);
        Excel excel;
        ScriptedMessages berichten;
        KnockoutExport::Exporteer(*s.knockout, instellingen());
        const Sheet& blad = excel.blad();
        // A score of 0 is a number like any other.
        QVERIFY(blad.isNumber(4, 3) && blad.isNumber(5, 3));
        QCOMPARE(blad.text(4, 3), QStringLiteral("0"));
        QCOMPARE(blad.text(5, 3), QStringLiteral("2"));
        // Not played yet.
        QVERIFY(!blad.isNumber(8, 3));
        QCOMPARE(blad.text(8, 3), QStringLiteral("n.o."));
        QCOMPARE(blad.text(9, 3), QStringLiteral("n.o."));
        // An empty slot: the upper marker has a final dot, the lower one not;
        // without both participants there are no score cells.
        QCOMPARE(blad.text(17, 2), QStringLiteral("n.o"));
        QVERIFY(!blad.has(16, 3) && !blad.has(17, 3));
        QCOMPARE(blad.text(6, 6), QStringLiteral("2p1: Speler 1"));
        QCOMPARE(blad.text(7, 6), QStringLiteral("n.o"));
        QCOMPARE(blad.text(14, 6), QStringLiteral("n.o."));
        QCOMPARE(blad.text(15, 6), QStringLiteral("n.o"));
        QVERIFY(!blad.has(6, 7) && !blad.has(14, 7));
    }

    void byeAndParticipantsWithoutPool() {
        Schema s(3);
        s.wedstrijd(1, 2).ZetBye(true);
        s.lijst[0]->Poule = 0; // a direct knockout: no pool code
        Excel excel;
        ScriptedMessages berichten;
        KnockoutExport::Exporteer(*s.knockout, instellingen());
        const Sheet& blad = excel.blad();
        QCOMPARE(blad.text(4, 2), QStringLiteral(": Speler 0"));
        QCOMPARE(blad.text(8, 2), QStringLiteral("1p2: Speler 2"));
        QCOMPARE(blad.text(9, 2), QStringLiteral("Bye"));
        QVERIFY(!blad.has(8, 3) && !blad.has(9, 3));
        QVERIFY(blad.border(8, 2, Edge::Left) && blad.border(9, 3, Edge::Right) &&
                blad.border(9, 2, Edge::Bottom) && blad.border(8, 3, Edge::Top));
        // The bye's participant has reached the final.
        QCOMPARE(blad.text(7, 6), QStringLiteral("1p2: Speler 2"));
    }

    void clearedCheckBoxesLeaveOnlyTheBracket() {
        Schema s(8);
        s.wedstrijd(1, 1).ZetEindstand(4, 2);
        s.wedstrijd(1, 2).ZetBye(true);
        Excel excel;
        ScriptedMessages berichten;
        KnockoutExport::Exporteer(*s.knockout, instellingen(false));
        const Sheet& blad = excel.blad();
        QStringList teksten;
        for (const auto& [plek, cel] : blad.cells) {
            if (!cel.isNumber && cel.text != u' ')
                teksten << cel.text;
        }
        QCOMPARE(teksten, QStringList({"Speler 0", "Speler 1", "Speler 0", "Speler 2", "Speler 2",
                                       "Bye", "Speler 4", "Speler 5", "Speler 6", "Speler 7"}));
        QCOMPARE(blad.text(4, 3), QStringLiteral("4"));
        QVERIFY(!blad.has(12, 3)); // unplayed, no marker
        QCOMPARE(excel.verbindingen().size(), 16);
        // Every box keeps its borders, also around empty slots.
        QVERIFY(blad.border(10, 10, Edge::Left) && blad.border(11, 11, Edge::Right));
        QVERIFY(blad.border(10, 9, Edge::Bottom));
    }

    void twoParticipantsOneMatch() {
        const Schema s(2, 2);
        Excel excel;
        ScriptedMessages berichten;
        KnockoutExport::Exporteer(*s.knockout, instellingen());
        QCOMPARE(excel.subjects, QStringList{QStringLiteral("Verliezersronde")});
        QCOMPARE(excel.sheetNames(), QStringList{QStringLiteral("Verliezersronde")});
        QCOMPARE(excel.blad().dump(),
                 QStringList({"R2C2='Ronde 1'", "R4C1='Wedstrijd 1'", "R4C2='1p1: Speler 0'",
                              "R4C3='n.o.'", "R5C2='2p1: Speler 1'", "R5C3='n.o.'"}));
        QCOMPARE(excel.blad().borderDump(),
                 QStringList({"R4C1:B", "R4C2:LT", "R4C3:TR", "R5C2:LB", "R5C3:BR"}));
    }

    void startCellShiftsTheDrawing() {
        Schema s(5);
        s.wedstrijd(1, 1).ZetEindstand(1, 0);
        ScriptedMessages berichten;
        // Every cell and bordered cell relative to the start cell.
        const auto teken = [&](int beginRij, int beginKolom) {
            Excel excel;
            TInstellingen in = instellingen();
            in.BeginRij = beginRij;
            in.BeginKolom = beginKolom;
            KnockoutExport::Exporteer(*s.knockout, in);
            QStringList relatief;
            for (const auto& [plek, cel] : excel.blad().cells)
                relatief << QStringLiteral("%1,%2 %3")
                                .arg(plek.first - beginRij)
                                .arg(plek.second - beginKolom)
                                .arg(excel.blad().text(plek.first, plek.second));
            for (const auto& [plek, randen] : excel.blad().borders)
                relatief << QStringLiteral("%1,%2 rand %3")
                                .arg(plek.first - beginRij)
                                .arg(plek.second - beginKolom)
                                .arg(randen.size());
            return relatief;
        };
        const QStringList gewoon = teken(2, 1);
        QVERIFY(gewoon.contains(QStringLiteral("0,1 Ronde 1")));
        // The first match always lies two rows below the round captions.
        QVERIFY(gewoon.contains(QStringLiteral("2,0 Wedstrijd 1")));
        QVERIFY(gewoon.contains(QStringLiteral("2,2 1")));
        QCOMPARE(teken(5, 3), gewoon);
        QCOMPARE(teken(1, 7), gewoon);
    }

    void emptyBracketStartsNothing() {
        const Schema s(0);
        QCOMPARE(s.knockout->AantalRondes(), 0);
        Excel excel;
        ScriptedMessages berichten;
        KnockoutExport::Exporteer(*s.knockout, instellingen());
        QCOMPARE(excel.obtained, 0);
        QVERIFY(excel.calls.isEmpty());
        QVERIFY(berichten->calls().isEmpty());
    }

    void templateThatCannotBeOpened() {
        const QString pad = QStringLiteral("/nergens/Knockout.XLT");
        const QString tekst =
            QStringLiteral("Er is een fout opgetreden tijdens het openen van \"") + pad +
            QStringLiteral("\". Kies OK om het standaard werkmap-sjabloon te "
                           "gebruiken.");
        QCOMPARE(KnockoutExport::SjabloonFoutTekst(pad), tekst);
        const Schema s(4);
        for (const Answer antwoord : {Answer::Ok, Answer::Cancel}) {
            Excel excel;
            ScriptedMessages berichten;
            berichten->queueAnswer(antwoord);
            int voorgrondBijMelding = -1;
            berichten->onEveryCall([&](const MessageCall&) { voorgrondBijMelding = m_voorgrond; });
            m_voorgrond = 0;
            TInstellingen in = instellingen();
            in.Sjabloon = pad;
            KnockoutExport::Exporteer(*s.knockout, in);
            QCOMPARE(berichten->calls().size(), 1);
            QCOMPARE(berichten->calls()[0].kind, MessageKind::Information);
            QCOMPARE(berichten->calls()[0].buttons, Buttons::OkCancel);
            QCOMPARE(berichten->calls()[0].text, tekst);
            QCOMPARE(berichten->calls()[0].helpContext, 0);
            QCOMPARE(voorgrondBijMelding, 1);
            QCOMPARE(excel.released, 1);
            QVERIFY(excel.visible);
            if (antwoord == Answer::Ok) {
                QCOMPARE(excel.calls.mid(3, 2),
                         QStringList({"WorkbooksAdd", "SetName Blad1 -> Winnaarsronde"}));
                QCOMPARE(excel.blad().text(4, 2), QStringLiteral("1p1: Speler 0"));
            } else {
                QVERIFY(excel.workbooks.empty());
                QCOMPARE(excel.calls, QStringList({"Obtain Winnaarsronde", "SetVisible true",
                                                   "WorkbooksOpen " + pad, "Release"}));
            }
        }
    }

    void templateKeepsItsOtherSheets() {
        const Schema s(2, 2);
        FakeSpreadsheet excel;
        Sheet voorblad = sjabloonBlad(QStringLiteral("Voorblad"));
        voorblad.cells[{1, 1}] = {false, QStringLiteral("Clubkampioenschap"), 0};
        excel.addTemplate(Sjabloon, {voorblad, sjabloonBlad(QStringLiteral("Schema"))}, 1);
        ScriptedMessages berichten;
        KnockoutExport::Exporteer(*s.knockout, instellingen());
        QCOMPARE(excel.sheetNames(), QStringList({"Voorblad", "Verliezersronde"}));
        QCOMPARE(excel.sheet(QStringLiteral("Voorblad"))->dump(),
                 QStringList{QStringLiteral("R1C1='Clubkampioenschap'")});
        QVERIFY(excel.sheet(QStringLiteral("Verliezersronde"))->has(4, 2));
    }

    void failuresAreReportedAndReleased() {
        const Schema s(4);
        struct Geval {
            const char* naam;
            int rij;
            int kolom;
            bool ronden;
            QString operatie;
            int keer;
            int verkregen;
        };
        const QList<Geval> gevallen{
            // The layer refuses column 0: the first caption of a match.
            {"column 0", 2, 0, true, {}, 0, 1},
            // Row 0 fails only with round captions.
            {"row 0", 0, 1, true, {}, 0, 1},
            {"refused call", 2, 1, true, QStringLiteral("SetBorderLineStyle"), 7, 1},
            {"no application", 2, 1, true, QStringLiteral("ObtainApplication"), 1, 0},
            {"active sheet", 2, 1, true, QStringLiteral("ActiveSheet"), 1, 1},
        };
        for (const Geval& geval : gevallen) {
            Excel excel;
            if (!geval.operatie.isEmpty())
                excel.failAt(geval.operatie, geval.keer, QStringLiteral("Geweigerd."));
            ScriptedMessages berichten;
            m_voorgrond = 0;
            TInstellingen in = instellingen();
            in.BeginRij = geval.rij;
            in.BeginKolom = geval.kolom;
            in.Ronden = geval.ronden;
            KnockoutExport::Exporteer(*s.knockout, in);
            QVERIFY2(berichten->calls().size() == 1, geval.naam);
            const MessageCall& melding = berichten->calls()[0];
            QCOMPARE(melding.kind, MessageKind::Information);
            QCOMPARE(melding.buttons, Buttons::Ok);
            QCOMPARE(melding.helpContext, 0);
            QVERIFY2(melding.text.startsWith(fout(QString())), geval.naam);
            if (!geval.operatie.isEmpty())
                QCOMPARE(melding.text, fout(QStringLiteral("Geweigerd.")));
            QCOMPARE(m_voorgrond, 1);
            QCOMPARE(excel.obtained, geval.verkregen);
            QCOMPARE(excel.released, geval.verkregen);
            QCOMPARE(excel.usedAfterRelease, 0);
        }
        // What was written before the failure stays.
        Excel excel;
        excel.failAt(QStringLiteral("SetBorderLineStyle"), 7);
        ScriptedMessages berichten;
        KnockoutExport::Exporteer(*s.knockout, instellingen());
        QCOMPARE(excel.blad().text(4, 2), QStringLiteral("1p1: Speler 0"));
        QVERIFY(!excel.blad().has(8, 2));
        // Row 0 without round captions is never written to.
        Excel zonderKoppen;
        TInstellingen in = instellingen();
        in.BeginRij = 0;
        in.Ronden = false;
        KnockoutExport::Exporteer(*s.knockout, in);
        QCOMPARE(berichten->calls().size(), 1);
        QCOMPARE(zonderKoppen.blad().text(2, 1), QStringLiteral("Wedstrijd 1"));
    }

    void theDrawingMustFitTheSheet() {
        // Four participants: rows R0 .. R0 + 7, columns C0 .. C0 + 6.
        const Schema s(4);
        constexpr int rijen = Spreadsheet::MaxRows;
        constexpr int kolommen = Spreadsheet::MaxColumns;
        const QString rijFout = QStringLiteral(
            "Het knockoutschema past niet op het werkblad: het beslaat de rijen %1 tot en met %2, "
            "en een werkblad heeft de rijen 1 tot en met 1048576. Kies bij \"Opties/Instellingen\" "
            "een andere beginrij.");
        const QString kolomFout = QStringLiteral(
            "Het knockoutschema past niet op het werkblad: het beslaat de kolommen %1 tot en met "
            "%2, en een werkblad heeft de kolommen 1 tot en met 16384. Kies bij "
            "\"Opties/Instellingen\" een andere beginkolom.");
        const struct {
            int rij;
            int kolom;
            QString melding;
        } gevallen[] = {
            {rijen - 7, kolommen - 6, QString()},
            {rijen - 6, 1, rijFout.arg(rijen - 6).arg(rijen + 1)},
            {INT_MAX, 1, rijFout.arg(INT_MAX).arg(qint64(INT_MAX) + 7)},
            {2, kolommen - 5, kolomFout.arg(kolommen - 5).arg(kolommen + 1)},
            {2, INT_MAX, kolomFout.arg(INT_MAX).arg(qint64(INT_MAX) + 6)},
        };
        for (const auto& geval : gevallen) {
            Excel excel;
            ScriptedMessages berichten;
            TInstellingen in = instellingen();
            in.BeginRij = geval.rij;
            in.BeginKolom = geval.kolom;
            KnockoutExport::Exporteer(*s.knockout, in);
            if (geval.melding.isEmpty()) {
                QCOMPARE(berichten->texts(), QStringList());
                QCOMPARE(excel.blad().text(rijen, kolommen - 5), QStringLiteral("2p2: Speler 3"));
                QCOMPARE(excel.blad().text(rijen - 3, kolommen - 1), QStringLiteral("n.o."));
            } else {
                QCOMPARE(berichten->texts(), QStringList{fout(geval.melding)});
                QVERIFY(excel.blad().cells.empty());
            }
        }
    }

private:
    int m_voorgrond = 0;
};

QTEST_GUILESS_MAIN(KnockoutExportTest)
#include "test_knockout_export.moc"
