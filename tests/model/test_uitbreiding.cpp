#include <QTest>

#include "model/Toernooi.h"
#include "model/Toernooibestand.h"
#include "model/Uitbreiding.h"
#include "support/KnockoutTestHulp.h"

using namespace Poulewedstrijden;
using KnockoutTestHulp::Naam;
using Toernooibestand::Leesfout;

namespace {

// Two pools of four, the pools alternating in the list, so that a pool's
// letters are not its list indices.
void Vul(TToernooi& t) {
    const QStringList voor{"Jeffrey", "Carla", "Jan van der", "Piet",
                           "Anna",    "Zoë",   "Bram",        "Émile"};
    const QStringList achter{"Hoffmann", "Smit",  "Berg",   "Bakker",
                             "de Vries", "Aarts", "Jansen", "Dubois"};
    t.Programmastatus = 1;
    for (qsizetype i = 0; i < voor.size(); ++i) {
        auto d = std::make_unique<TDeelnemer>(voor[i], achter[i]);
        d->Poule = static_cast<int>(i % 2) + 1;
        t.Lijst.push_back(std::move(d));
    }
}

// Table tennis, two scores in pool 1, pool 2 set by hand and ordered by lot.
void VulMetUitslagen(TToernooi& t) {
    Vul(t);
    t.Wedstrijden = Uitbreiding::ZonderUitslagen(t.Lijst);
    t.Wedstrijden.Telling = Preset(TSysteem::Tafeltennis);
    auto& eerste = t.Wedstrijden.Poules[0].Wedstrijden;
    eerste[0].Games = {{11, 7}, {11, 9}, {11, 5}};
    eerste[1].Games = {{9, 11}, {11, 8}, {12, 14}, {11, 4}, {11, 6}};
    t.Wedstrijden.Poules[1].PositiesHandmatig = true;
    t.Wedstrijden.Poules[1].Loten = {{{5, 3}}};
    t.Lijst[1]->Positie = 2;
}

// A direct knockout of eight, drawn by hand: match m of the first round is
// participant 2m against 2m + 1.
void VulKnockout(TToernooi& t) {
    Vul(t);
    t.Programmastatus = 3;
    for (auto& d : t.Lijst) {
        d->Poule = 0;
        d->KnockoutNr = 1;
    }
    t.BouwKnockouts();
    for (int i = 0; i < 8; ++i)
        t.Winnaars->Wijziger(i / 2, i % 2)->WijsToe(t.Lijst[std::size_t(i)].get());
}

// The number of the line on which `tekst` starts.
int RegelVan(const QByteArray& bestand, const QByteArray& tekst) {
    return static_cast<int>(bestand.left(bestand.indexOf(tekst)).count("\r\n")) + 1;
}

} // namespace

class UitbreidingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The block follows the older form byte for byte, which a reader that
    // stops at "#Einde" still opens, and reads back to the same matches.
    void theBlockReadsBackAndLeavesTheOlderFormAsItWas() {
        TToernooi t;
        VulMetUitslagen(t);
        const QByteArray bestand = t.Bewaar();
        const QByteArray ouder = Toernooibestand::Schrijf(1, t.Lijst, nullptr, nullptr);
        QVERIFY(bestand.startsWith(ouder));
        QVERIFY(bestand.mid(ouder.size()).startsWith("#Uitbreiding 1\r\n#Telling\r\n"));
        QVERIFY(bestand.contains("\r\n1 4 11-7 11-9 11-5\r\n")); // A against D, by letter

        TToernooi terug;
        QVERIFY(!Uitbreiding::Lees(bestand, terug));
        QVERIFY(terug.Wedstrijden == t.Wedstrijden);
        QCOMPARE(terug.Bewaar(), bestand);

        TToernooi alleenOuder;
        QVERIFY(!Toernooibestand::Lees(bestand, alleenOuder));
        QCOMPARE(alleenOuder.Lijst.size(), t.Lijst.size());
        QVERIFY(alleenOuder.Wedstrijden.Leeg());

        // A retirement with its score, a w.o., a withdrawal and another
        // walkover score come back as they were, the older form untouched.
        auto& eerste = t.Wedstrijden.Poules[0].Wedstrijden;
        eerste[2] = {eerste[2].Ronde,   eerste[2].A,        eerste[2].B,
                     {{11, 7}, {5, 3}}, TAfloop::Opgegeven, 0};
        t.Wedstrijden.Poules[1].Wedstrijden[0].Afloop = TAfloop::Walkover;
        t.Wedstrijden.Poules[1].Wedstrijden[0].Verliezer = 1;
        t.Wedstrijden.Telling.WalkoverVoor = 5;
        t.Lijst[7]->Teruggetrokken = true;
        t.Lijst[7]->TeruggetrokkenVanaf = 2;
        const QByteArray metAfloop = t.Bewaar();
        QVERIFY(metAfloop.startsWith(ouder));
        QVERIFY(metAfloop.contains("\r\ntafeltennis tafeltennis 3 1 0 5 0\r\n"));
        // Pool 1 holds 0, 2, 4 and 6: the loser by its letter.
        QVERIFY(metAfloop.contains(" opg. " + QByteArray::number(eerste[2].A / 2 + 1) +
                                   " 11-7 5-3\r\n"));
        QVERIFY(metAfloop.contains("\r\n#Teruggetrokken 1\r\n7 2\r\n#EindeUitbreiding"));
        TToernooi terugAfloop;
        QVERIFY(!Uitbreiding::Lees(metAfloop, terugAfloop));
        QVERIFY(terugAfloop.Wedstrijden == t.Wedstrijden);
        QVERIFY(terugAfloop.Lijst[7]->Teruggetrokken);
        QCOMPARE(terugAfloop.Lijst[7]->TeruggetrokkenVanaf, 2);
        QCOMPARE(terugAfloop.Bewaar(), metAfloop);
    }

    // Matches not played out keep how they ended in the block, and the
    // results after them survive reading it; a reader of the older form
    // sees the same winners. Without any, not a byte changes.
    void knockoutMatchesNotPlayedOutReadBack() {
        TToernooi t;
        VulKnockout(t);
        const QByteArray zonder = t.Bewaar();
        QCOMPARE(zonder,
                 Toernooibestand::Schrijf(3, t.Lijst, t.Winnaars.get(), t.Verliezers.get()));

        TKnockout& k = *t.Winnaars;
        k.Wedstrijd(0, 0)->ZetAfloop({TAfloop::Walkover, 0});
        // The upper one led when it retired: the older form still puts the
        // winner ahead.
        k.Wedstrijd(0, 1)->ZetAfloop({TAfloop::Opgegeven, 0, 2, 1});
        k.Wedstrijd(0, 2)->ZetEindstand(3, 1);
        k.Wedstrijd(0, 3)->ZetAfloop({TAfloop::Diskwalificatie, 1});
        t.Lijst[4]->Teruggetrokken = true;
        QVERIFY(k.Wedstrijd(1, 1)->GeefWalkovers());
        k.Wedstrijd(1, 0)->ZetEindstand(2, 0);
        k.Wedstrijd(2, 0)->ZetEindstand(1, 4);
        QCOMPARE(k.Wedstrijd(0, 1)->Tekst(),
                 QStringLiteral("opg.: Jan van der Berg\r\nPiet Bakker"));
        QCOMPARE(k.Wedstrijd(0, 1)->Winnaar(), t.Lijst[3].get());

        const QByteArray bestand = t.Bewaar();
        QVERIFY(bestand.contains("\r\n#Teruggetrokken 1\r\n4 0\r\n#Knockout 4\r\n"
                                 "1 0 0 walkover 0\r\n1 0 1 opgegeven 0 2-1\r\n"
                                 "1 0 3 diskwalificatie 1\r\n1 1 1 teruggetrokken 0\r\n"));
        TToernooi terug;
        QVERIFY(!Uitbreiding::Lees(bestand, terug));
        TToernooi ouder;
        QVERIFY(!Toernooibestand::Lees(bestand, ouder));
        for (const TToernooi* gelezen : {&terug, &ouder})
            for (int ronde = 0; ronde < 3; ++ronde)
                for (int nummer = 0; nummer < k.AantalWedstrijden(ronde); ++nummer)
                    QCOMPARE(Naam(gelezen->Winnaars->Wedstrijd(ronde, nummer)->Winnaar()),
                             Naam(k.Wedstrijd(ronde, nummer)->Winnaar()));
        for (int ronde = 0; ronde < 3; ++ronde)
            for (int nummer = 0; nummer < k.AantalWedstrijden(ronde); ++nummer)
                QVERIFY(terug.Winnaars->Wedstrijd(ronde, nummer)->Afloop() ==
                        k.Wedstrijd(ronde, nummer)->Afloop());
        QVERIFY(terug.Lijst[4]->Teruggetrokken);
        QCOMPARE(terug.Winnaars->Wedstrijd(2, 0)->ScoreOnder(), 4);
        QCOMPARE(terug.Bewaar(), bestand);
    }

    // A file without the block: every pool its schedule, badminton, the
    // typed positions kept as typed; saved again it stays as it was.
    void aFileWithoutTheBlockGetsItsSchedules() {
        TToernooi t;
        Vul(t);
        t.Lijst[0]->Positie = 1; // typed in pool 1
        const QByteArray ouder = Toernooibestand::Schrijf(1, t.Lijst, nullptr, nullptr);
        TToernooi geladen;
        QVERIFY(!Uitbreiding::Lees(ouder, geladen));
        const TPoulewedstrijden& w = geladen.Wedstrijden;
        QVERIFY(w.Telling == Preset(TSysteem::Badminton));
        QCOMPARE(w.Poules.size(), std::size_t(2));
        QCOMPARE(w.Poules[0].Wedstrijden, MaakSchema({0, 2, 4, 6}));
        QCOMPARE(w.Poules[1].Wedstrijden, MaakSchema({1, 3, 5, 7}));
        QVERIFY(w.Poules[0].PositiesHandmatig);
        QVERIFY(!w.Poules[1].PositiesHandmatig);
        QCOMPARE(geladen.Bewaar(), ouder);
    }

    // Every fault names its line and is told apart from a fault in the
    // older form, and the file still opens without the block.
    void aDamagedOrNewerBlockIsReportedWithItsLine_data() {
        QTest::addColumn<QByteArray>("van");
        QTest::addColumn<QByteArray>("naar");
        QTest::addColumn<QString>("melding");
        QTest::newRow("newer version")
            << QByteArray("#Uitbreiding 1") << QByteArray("#Uitbreiding 2")
            << "nieuwere versie van Zegerooster";
        QTest::newRow("not a number")
            << QByteArray("\n1 4 11-7") << QByteArray("\n1 x 11-7") << "'x' is geen geldig getal.";
        QTest::newRow("no such letter") << QByteArray("\n1 4 11-7") << QByteArray("\n1 5 11-7")
                                        << "Poule 1 heeft geen deelnemer 5.";
        QTest::newRow("pair not in the pool")
            << QByteArray("\n1 4 11-7") << QByteArray("\n1 1 11-7")
            << "Wedstrijd 1-1 hoort niet bij poule 1.";
        QTest::newRow("refused game") << QByteArray("11-9 11-5") << QByteArray("11-9 11-10")
                                      << "Poule 1, wedstrijd 1-4: Game 3: 11-10 is geen uitslag";
        QTest::newRow("score beyond three digits")
            << QByteArray("\n1 4 11-7") << QByteArray("\n1 4 1100-7") << "1100 is meer dan 999.";
        QTest::newRow("participant out of range")
            << QByteArray("-Poule 1 0 2 0 2 4 6") << QByteArray("-Poule 1 0 2 0 2 4 96")
            << "Deelnemer 96 bestaat niet.";
        QTest::newRow("other members")
            << QByteArray("-Poule 1 0 2 0 2 4 6") << QByteArray("-Poule 1 0 2 0 2 6 4")
            << "De deelnemers van poule 1 zijn niet die van de";
        QTest::newRow("a pool missing")
            << QByteArray("#Poules 2\r\n") << QByteArray("#Poules 3\r\n") << "\"-Poule\" verwacht.";
        QTest::newRow("knockout results without a knockout")
            << QByteArray("#EindeUitbreiding") << QByteArray("#Knockout 0\r\n#EindeUitbreiding")
            << "Knockoutuitslagen in een toernooi zonder knockout.";
        QTest::newRow("cut short") << QByteArray("#EindeUitbreiding\r\n") << QByteArray()
                                   << "onvolledig: \"#EindeUitbreiding\" ontbreekt.";
    }
    void aDamagedOrNewerBlockIsReportedWithItsLine() {
        QFETCH(QByteArray, van);
        QFETCH(QByteArray, naar);
        QFETCH(QString, melding);
        TToernooi t;
        VulMetUitslagen(t);
        QByteArray bestand = t.Bewaar();
        QVERIFY(bestand.contains(van));
        bestand.replace(van, naar);
        // The line of the changed text; past the end for a block cut short.
        const int regel = naar.isEmpty()            ? static_cast<int>(bestand.count("\r\n")) + 1
                          : naar == "#Poules 3\r\n" ? RegelVan(bestand, "#EindeUitbreiding")
                                                    : RegelVan(bestand, naar.trimmed());

        TToernooi geladen;
        const auto fout = Uitbreiding::Lees(bestand, geladen);
        QVERIFY(fout);
        QVERIFY2(fout->Melding.contains(melding), qPrintable(fout->Melding));
        QCOMPARE(fout->Regelnummer, regel);
        QVERIFY(fout->Soort == Leesfout::TSoort::Uitbreiding);
        QVERIFY(Uitbreiding::OverslaanVraag(*fout).contains(melding));

        TToernooi zonder;
        QVERIFY(!Uitbreiding::Lees(bestand, zonder, nullptr, Uitbreiding::TBlok::Overslaan));
        QVERIFY(zonder.Wedstrijden == Uitbreiding::ZonderUitslagen(zonder.Lijst));
    }

    // Clubs and seeds ride in the block, for the list and for the recovery
    // part's names; nobody with either leaves the file as it was. A club
    // outside Windows-1252 makes the file UTF-8, as such a name does.
    void clubsAndSeedsReadBackAndOnlyThen() {
        TToernooi t;
        VulMetUitslagen(t);
        Uitbreiding::THerstel herstel{"/home/jan/cup.txt", {{"Jeffrey", "Hoffmann"}, {"Zoë", ""}}};
        const QByteArray zonder = Uitbreiding::Schrijf(t, &herstel);
        QVERIFY(!zonder.contains("#Deelnemers") && !zonder.contains("#Namen"));
        t.Lijst[0]->Vereniging = "BC De Shuttle '78";
        t.Lijst[0]->Plaatsing = 2;
        t.Lijst[5]->Plaatsing = 1;
        t.Lijst[7]->Vereniging = "Smash  Zoetermeer"; // blanks inside stay
        herstel.Namen[1].Vereniging = "Club Île-de-France 李";
        herstel.Namen[1].Plaatsing = 12;
        const QByteArray bestand = Uitbreiding::Schrijf(t, &herstel);
        QVERIFY(bestand.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bestand.contains("#Deelnemers 3\r\n0 2 BC De Shuttle '78\r\n5 1\r\n"));

        TToernooi terug;
        std::optional<Uitbreiding::THerstel> gelezen;
        QVERIFY(!Uitbreiding::Lees(bestand, terug, &gelezen));
        QVERIFY(gelezen == herstel);
        for (std::size_t i = 0; i < t.Lijst.size(); ++i) {
            QCOMPARE(terug.Lijst[i]->Vereniging, t.Lijst[i]->Vereniging);
            QCOMPARE(terug.Lijst[i]->Plaatsing, t.Lijst[i]->Plaatsing);
        }
        QCOMPARE(Uitbreiding::Schrijf(terug, &*gelezen), bestand);
    }

    void damagedClubsAndSeedsAreReportedWithTheirLine_data() {
        QTest::addColumn<QByteArray>("naar");
        QTest::addColumn<QString>("melding");
        QTest::newRow("seed twice") << QByteArray("5 2") << "Plaatsing 2 staat twee keer";
        QTest::newRow("no such participant") << QByteArray("8 3") << "Deelnemer 8 bestaat niet.";
        QTest::newRow("participant twice") << QByteArray("0 3") << "Deelnemer 0 staat twee keer";
        QTest::newRow("no number") << QByteArray("5 -1") << "'-1' is geen geldig getal.";
        QTest::newRow("seed too high") << QByteArray("5 100000") << "meer dan 99999";
    }
    void damagedClubsAndSeedsAreReportedWithTheirLine() {
        QFETCH(QByteArray, naar);
        QFETCH(QString, melding);
        TToernooi t;
        Vul(t);
        t.Lijst[0]->Vereniging = "HZV";
        t.Lijst[0]->Plaatsing = 2;
        t.Lijst[5]->Plaatsing = 1;
        QByteArray bestand = t.Bewaar();
        QVERIFY(bestand.contains("\r\n5 1\r\n"));
        bestand.replace("\r\n5 1\r\n", "\r\n" + naar + "\r\n");
        TToernooi geladen;
        const auto fout = Uitbreiding::Lees(bestand, geladen);
        QVERIFY(fout);
        QVERIFY2(fout->Melding.contains(melding), qPrintable(fout->Melding));
        QCOMPARE(fout->Regelnummer, RegelVan(bestand, "\r\n" + naar + "\r\n") + 1);
    }

    // The recovery part rides in the block; a recovery file of the earlier
    // form still gives its file name and names.
    void theRecoveryPartInBothForms() {
        TToernooi t;
        VulMetUitslagen(t);
        const Uitbreiding::THerstel herstel{"/home/jan/Toernooien/cup.txt",
                                            {{"Jeffrey", "Hoffmann"}, {"#EindeUitbreiding", ""}}};
        std::optional<Uitbreiding::THerstel> gelezen;
        TToernooi terug;
        QVERIFY(!Uitbreiding::Lees(Uitbreiding::Schrijf(t, &herstel), terug, &gelezen));
        QVERIFY(gelezen == herstel);

        const QByteArray oud = Toernooibestand::Schrijf(1, t.Lijst, nullptr, nullptr) +
                               "#Herstel\r\n/home/jan/cup.txt\r\nJan van der\r\nBerg\r\n1\r\n";
        TToernooi oudTerug;
        QVERIFY(!Uitbreiding::Lees(oud, oudTerug, &gelezen));
        QVERIFY(gelezen == (Uitbreiding::THerstel{"/home/jan/cup.txt", {{"Jan van der", "Berg"}}}));
    }
};

QTEST_GUILESS_MAIN(UitbreidingTest)
#include "test_uitbreiding.moc"
