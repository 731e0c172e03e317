#include <QTest>

#include "model/Ansi.h"
#include "model/Knockout.h"
#include "model/RandomSource.h"
#include "model/Toernooi.h"
#include "model/Toernooibestand.h"
#include "support/KnockoutTestHulp.h"
#include "support/ToernooiBeeld.h"

using namespace KnockoutTestHulp;

namespace {

QByteArray Bestand(const QStringList& regels) {
    return regels.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

// The direct knockout of Anna, Bram and Carla, as the format's own example
// gives it, line for line.
QByteArray Voorbeeld() {
    return Bestand({"#Programmastatus",
                    "3",
                    "#Deelnemer",
                    "Anna",
                    "de Vries",
                    "0",
                    "-1",
                    "1",
                    "#Deelnemer",
                    "Bram",
                    "Jansen",
                    "0",
                    "-1",
                    "1",
                    "#Deelnemer",
                    "Carla",
                    "Smit",
                    "0",
                    "-1",
                    "1",
                    "#Winnaarsronde",
                    "-Ronde",
                    "0",
                    "3",
                    "2",
                    "1",
                    "1",
                    "-1",
                    "3",
                    "-1",
                    "-Ronde",
                    "-1",
                    "-1",
                    "#Verliezersronde",
                    "#Einde"});
}

QStringList Beeld(const TToernooi& t) {
    return ToernooiBeeld(t.Programmastatus, t.Lijst, t.Winnaars.get(), t.Verliezers.get());
}

// Plays every playable match of the first `rondes` rounds, upper or lower
// winning in turn, so that later rounds fill from the results.
void Speel(TKnockout& knockout, int rondes) {
    int beurt = 0;
    for (int r = 0; r < std::min(rondes, knockout.AantalRondes()); ++r) {
        for (int m = 0; m < knockout.AantalWedstrijden(r); ++m) {
            TKnockoutWedstrijd* w = knockout.Wedstrijd(r, m);
            if (w->IsSpeelbaar())
                ++beurt % 2 ? w->ZetEindstand(3, beurt % 3) : w->ZetEindstand(0, 2);
        }
    }
}

std::unique_ptr<TToernooi> Geladen(const QByteArray& inhoud) {
    auto toernooi = std::make_unique<TToernooi>();
    const auto fout = Toernooibestand::Lees(inhoud, *toernooi);
    if (fout)
        qWarning() << "unexpected load failure" << fout->Regelnummer << fout->Melding;
    return fout ? nullptr : std::move(toernooi);
}

} // namespace

class TestToernooibestand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        setRandomSource(std::make_unique<ClockSeededRandomSource>([] { return 20261207u; }));
    }

    void theExampleLoadsAndSavesBackByteForByte() {
        const auto toernooi = Geladen(Voorbeeld());
        QVERIFY(toernooi);
        QCOMPARE(toernooi->Programmastatus, 3);
        const TKnockout& w = *toernooi->Winnaars;
        QCOMPARE(EersteRonde(w), QStringList({"Anna de Vries v Carla Smit", "Bram Jansen bye"}));
        QCOMPARE(w.Wedstrijd(0, 0)->ScoreBoven(), 3);
        QCOMPARE(w.Wedstrijd(0, 0)->ScoreOnder(), 1);
        // The final follows from the first round and is not played.
        QCOMPARE(Naam(w.Wedstrijd(1, 0)->DeelnemerBoven()), QStringLiteral("Anna de Vries"));
        QCOMPARE(Naam(w.Wedstrijd(1, 0)->DeelnemerOnder()), QStringLiteral("Bram Jansen"));
        QCOMPARE(w.Wedstrijd(1, 0)->ScoreBoven(), -1);
        QCOMPARE(toernooi->Verliezers->AantalRondes(), 0);
        QCOMPARE(Verbanden(toernooi->Lijst, w), QString());
        QCOMPARE(toernooi->Bewaar(), Voorbeeld());
    }

    void everyStageSurvivesARoundTrip_data() {
        QTest::addColumn<int>("stage");
        QTest::addColumn<int>("gespeeld"); // rounds played in each bracket
        QTest::newRow("names only") << 0 << 0;
        QTest::newRow("pools") << 1 << 0;
        QTest::newRow("knockout from pools, half played") << 2 << 2;
        QTest::newRow("knockout from pools, all played") << 2 << 99;
        QTest::newRow("direct knockout") << 3 << 1;
    }
    void everyStageSurvivesARoundTrip() {
        QFETCH(int, stage);
        QFETCH(int, gespeeld);
        TToernooi toernooi;
        toernooi.Programmastatus = stage;
        toernooi.Lijst = stage == 3 ? TDeelnemerLijst() : Poules(stage == 0 ? 0 : 7, 5, 3);
        if (stage == 0 || stage == 3) {
            for (int i = 0; i < 13; ++i)
                Voeg(toernooi.Lijst, 0, -1, stage == 3 ? 1 : 0);
        }
        if (stage >= 2) {
            const int indeling = stage == 2 ? TKnockout::VolgensPoules : TKnockout::LootWillekeurig;
            toernooi.Winnaars = std::make_unique<TKnockout>(toernooi.Lijst, 1, indeling);
            toernooi.Verliezers = std::make_unique<TKnockout>(toernooi.Lijst, 2, indeling);
            Speel(*toernooi.Winnaars, gespeeld);
            Speel(*toernooi.Verliezers, gespeeld - 1);
        }
        const QByteArray bestand = toernooi.Bewaar();
        const auto geladen = Geladen(bestand);
        QVERIFY(geladen);
        QCOMPARE(Beeld(*geladen), Beeld(toernooi));
        QCOMPARE(geladen->Bewaar(), bestand);
    }

    void handEditedFirstRoundsSurviveARoundTrip() {
        TToernooi toernooi;
        toernooi.Programmastatus = 3;
        for (int i = 0; i < 6; ++i)
            Voeg(toernooi.Lijst, 0, -1, 1);
        toernooi.Winnaars = std::make_unique<TKnockout>(toernooi.Lijst, 1, TKnockout::Leeg);
        toernooi.Verliezers = std::make_unique<TKnockout>(toernooi.Lijst, 2, TKnockout::Leeg);
        TKnockout& w = *toernooi.Winnaars;
        auto plaats = [&](int match, int boven, int onder) {
            TKnockoutWedstrijd* wedstrijd = w.Wedstrijd(0, match);
            TDeelnemer* b = boven < 0 ? nullptr : toernooi.Lijst[boven].get();
            TDeelnemer* o = onder < 0 ? nullptr : toernooi.Lijst[onder].get();
            wedstrijd->ZetDeelnemerBoven(b);
            wedstrijd->ZetDeelnemerOnder(o);
            for (TDeelnemer* d : {b, o})
                if (d)
                    d->Wedstrijd = wedstrijd;
        };
        plaats(0, 5, 0);                 // out of list order
        plaats(1, -1, 3);                // an empty upper slot
        plaats(2, 1, -1);                // an empty lower slot
        w.Wedstrijd(0, 3)->ZetBye(true); // a bye nobody stands in
        w.Wedstrijd(0, 0)->ZetEindstand(0, 0);
        const QByteArray bestand = toernooi.Bewaar();
        const auto geladen = Geladen(bestand);
        QVERIFY(geladen);
        QCOMPARE(Beeld(*geladen), Beeld(toernooi));
        QCOMPARE(geladen->Bewaar(), bestand);
    }

    void namesOutsideTheCodePageSurviveAsUtf8() {
        TToernooi toernooi;
        toernooi.Lijst.push_back(std::make_unique<TDeelnemer>("Łukasz", "Ωmega"));
        toernooi.Lijst.push_back(std::make_unique<TDeelnemer>("Zoë", "d’Hondt"));
        const QByteArray utf8 = toernooi.Bewaar();
        QVERIFY(utf8.startsWith("\xEF\xBB\xBF#Programmastatus\r\n"));
        QCOMPARE(Beeld(*Geladen(utf8)), Beeld(toernooi));

        toernooi.Lijst.erase(toernooi.Lijst.begin());
        const QByteArray ansi = toernooi.Bewaar();
        QVERIFY(ansi.contains("Zo\xEB\r\nd\x92Hondt\r\n"));
        QCOMPARE(Beeld(*Geladen(ansi)), Beeld(toernooi));
    }

    // The file is built straight into bytes; they must be those of the
    // whole text encoded at once, whatever the names hold.
    void namesAreWrittenAsTheWholeTextWouldBeEncoded() {
        const QStringList namen = {"Zoë",
                                   "d’Hondt",
                                   "€",
                                   "",
                                   "Łukasz",
                                   "🎾 Ωmega",
                                   QString(QChar(0xD83C)) + "x",
                                   QString("y") + QChar(0xDFBE),
                                   QString("z") + QChar(0xD83C),
                                   "ok"};
        for (const bool utf8 : {false, true}) {
            TToernooi toernooi;
            QStringList regels = {"#Programmastatus", "0"};
            for (qsizetype i = 0; i + 1 < namen.size(); i += 2) {
                if (!utf8 && !Ansi::fitsCodePage(namen[i] + namen[i + 1]))
                    continue;
                toernooi.Lijst.push_back(std::make_unique<TDeelnemer>(namen[i], namen[i + 1]));
                regels << "#Deelnemer" << namen[i] << namen[i + 1] << "0"
                       << "-1"
                       << "0";
            }
            regels << "#Einde";
            QCOMPARE(toernooi.Bewaar(), Ansi::encode(regels.join("\r\n") + "\r\n"));
        }
    }

    // A hand-edited file may hold tabs or other control characters in a
    // name: they read as one blank, as the participant dialog takes them.
    void controlCharactersInANameReadAsOneBlank() {
        QByteArray inhoud = Voorbeeld();
        inhoud.replace("Anna\r\nde Vries", "\tAn\x01\x02na\t\r\nde  \x1fVries\x7f");
        const auto geladen = Geladen(inhoud);
        QVERIFY(geladen);
        QCOMPARE(geladen->Lijst[0]->Voornaam, QStringLiteral("An na"));
        QCOMPARE(geladen->Lijst[0]->Achternaam, QStringLiteral("de   Vries\x7f"));
    }

    void everyKindOfLineEndReads() {
        QByteArray lf = Voorbeeld();
        lf.replace("\r\n", "\n");
        QByteArray cr = Voorbeeld();
        cr.replace("\r\n", "\r");
        QCOMPARE(Geladen(lf)->Bewaar(), Voorbeeld());
        QCOMPARE(Geladen(cr)->Bewaar(), Voorbeeld());
    }

    void roundsBeyondTheBracketAddNothingAndMissingOnesStayUnplayed() {
        QStringList regels = QString::fromLatin1(Voorbeeld()).split("\r\n");
        regels.insert(34, "-Ronde"); // a third round in a bracket of two
        regels.insert(35, " -Ronde ");
        const auto extra = Geladen(Bestand(regels.mid(0, regels.size() - 1)));
        QVERIFY(extra);
        QCOMPARE(extra->Bewaar(), Voorbeeld());

        regels = QString::fromLatin1(Voorbeeld()).split("\r\n");
        regels.remove(30, 3); // no final
        const auto zonderFinale = Geladen(Bestand(regels.mid(0, regels.size() - 1)));
        QVERIFY(zonderFinale);
        QCOMPARE(zonderFinale->Bewaar(), Voorbeeld());
    }

    void failuresNameTheirLineAndCause_data() {
        QTest::addColumn<QByteArray>("inhoud");
        QTest::addColumn<int>("regel");
        QTest::addColumn<QString>("melding");
        const QByteArray v = Voorbeeld();
        auto vervang = [&v](int regel, const char* tekst) {
            QList<QByteArray> regels = v.split('\n');
            regels[regel - 1] = QByteArray(tekst) + '\r';
            return regels.join('\n');
        };
        QTest::newRow("empty file") << QByteArray() << 1 << "\"#Programmastatus\" verwacht.";
        QTest::newRow("blank after the header")
            << vervang(1, "#Programmastatus ") << 1 << "\"#Programmastatus\" verwacht.";
        QTest::newRow("stage not a number")
            << vervang(2, "3 ") << 2 << "'3 ' is not a valid integer value";
        QTest::newRow("stage out of range") << vervang(2, "4") << 2 << "Onbekende programmastatus.";
        QTest::newRow("negative stage") << vervang(2, "-1") << 2 << "Onbekende programmastatus.";
        QTest::newRow("no record keyword")
            << vervang(9, "#Speler") << 9 << "\"#Deelnemer\" verwacht.";
        QTest::newRow("no name") << vervang(4, " ").replace("de Vries", "\t") << 5
                                 << "Deelnemer heeft geen naam.";
        QTest::newRow("named bye") << vervang(4, "bYe").replace("de Vries", "") << 5
                                   << "Deelnemer heeft \"Bye\" als naam.";
        QTest::newRow("same name twice") << vervang(10, "Anna").replace("Jansen", "de Vries") << 11
                                         << "Er bestaat al een deelnemer met deze naam.";
        QTest::newRow("same name after a tab")
            << vervang(10, "Anna").replace("Jansen", "de\tVries") << 11
            << "Er bestaat al een deelnemer met deze naam.";
        QTest::newRow("pool not a number")
            << vervang(12, "een") << 12 << "'een' is not a valid integer value";
        QTest::newRow("pool beyond every participant")
            << vervang(12, "4") << 12 << "Ongeldig poulenummer.";
        QTest::newRow("negative pool") << vervang(18, "-2") << 18 << "Ongeldig poulenummer.";
        QTest::newRow("no winners' keyword")
            << vervang(21, "#Verliezersronde") << 21 << "\"#Deelnemer\" verwacht.";
        QTest::newRow("no round keyword") << vervang(22, "Ronde") << 22 << "\"-Ronde\" verwacht.";
        QTest::newRow("participant beyond the list")
            << vervang(23, "4") << 23 << "List index out of bounds (4)";
        QTest::newRow("negative participant")
            << vervang(25, "-2") << 25 << "List index out of bounds (-2)";
        QTest::newRow("wrong bracket")
            << vervang(20, "2") << 25 << "Deelnemer moet in de verkeerde knockoutronde spelen.";
        QTest::newRow("two slots")
            << vervang(27, "2") << 27
            << "Deelnemer is ingedeeld in meerdere wedstrijden in de 1e ronde.";
        QTest::newRow("score not a number")
            << vervang(24, "drie") << 24 << "'drie' is not a valid integer value";
        QTest::newRow("no losers' keyword")
            << vervang(34, "#Einde") << 34 << "\"#Verliezersronde\" verwacht.";
        QTest::newRow("no end") << vervang(35, "#Verliezersronde") << 35 << "\"#Einde\" verwacht.";
        QTest::newRow("cut short")
            << v.left(v.indexOf("-Ronde\r\n-1") + 8) << 32 << "'' is not a valid integer value";
    }
    void failuresNameTheirLineAndCause() {
        QFETCH(QByteArray, inhoud);
        QFETCH(int, regel);
        QFETCH(QString, melding);
        TToernooi toernooi;
        const auto fout = Toernooibestand::Lees(inhoud, toernooi);
        QVERIFY(fout);
        QCOMPARE(fout->Melding, melding);
        QCOMPARE(fout->Regelnummer, regel);
    }

    void stageFilesEndWhereTheirStageEnds() {
        // Stage 1 has no brackets, so a bracket keyword is where "#Einde" belongs.
        QByteArray poules = Voorbeeld();
        poules.replace("#Programmastatus\r\n3", "#Programmastatus\r\n1");
        TToernooi toernooi;
        auto fout = Toernooibestand::Lees(poules, toernooi);
        QVERIFY(fout);
        QCOMPARE(fout->Regelnummer, 21);
        QCOMPARE(fout->Melding, QStringLiteral("\"#Einde\" verwacht."));
        // Stage 0 files hold only the header, the records and "#Einde".
        TToernooi namen;
        namen.Lijst.push_back(std::make_unique<TDeelnemer>("jan", "Jansen"));
        namen.Lijst.push_back(std::make_unique<TDeelnemer>("Jan", "Jansen"));
        QCOMPARE(namen.Bewaar(),
                 Bestand({"#Programmastatus", "0", "#Deelnemer", "jan", "Jansen", "0", "-1", "0",
                          "#Deelnemer", "Jan", "Jansen", "0", "-1", "0", "#Einde"}));
        QCOMPARE(Geladen(namen.Bewaar())->Lijst.size(), std::size_t(2));
    }

    void theMessagesOfTheMainWindow() {
        QCOMPARE(Toernooibestand::LaadFoutTekst({7, QStringLiteral("X.")}),
                 QStringLiteral("Er is een fout opgetreden bij het laden van het toernooi.\n\r\n\r"
                                "Regelnummer: 7\n\rFoutmelding: X."));
        QCOMPARE(
            Toernooibestand::BewaarFoutTekst(QStringLiteral("Schijf vol")),
            QStringLiteral("Er is een fout opgetreden bij het bewaren van het toernooi.\n\r\n\r"
                           "Foutmelding: Schijf vol"));
    }
};

QTEST_APPLESS_MAIN(TestToernooibestand)
#include "test_toernooibestand.moc"
