#include "model/Poulewedstrijden.h"

#include <QtTest>

#include <array>
#include <numeric>
#include <set>

using namespace Poulewedstrijden;

namespace {

QString RondesTekst(const std::vector<TParen>& rondes) {
    QStringList tekst;
    for (const TParen& ronde : rondes) {
        QStringList paren;
        for (const auto& [a, b] : ronde)
            paren << QStringLiteral("%1-%2").arg(a).arg(b);
        tekst << paren.join(u' ');
    }
    return tekst.join(QStringLiteral(" / "));
}

// A played match between pool members `a` and `b` (their list indices).
TPouleWedstrijd Wedstrijd(int a, int b, const QString& games) {
    return {1, a, b, *LeesGames(games)};
}

// The standings as "<participant>:<place>:<criterion>" best first; an open
// tie shows "=" for its criterion.
QString StandTekst(const TStand& stand) {
    QStringList rijen;
    for (const TStandRij& rij : stand.Rijen)
        rijen << QStringLiteral("%1:%2:%3")
                     .arg(rij.Deelnemer)
                     .arg(rij.Plaats)
                     .arg(rij.Open ? QStringLiteral("=") : CriteriumTekst(rij.Beslist));
    return rijen.join(u' ');
}

} // namespace

class PoulewedstrijdenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bergerTables_data();
    void bergerTables();
    void bergerEveryPairOnce();
    void uitslagControle_data();
    void uitslagControle();
    void gamesLezen();
    void schemaHoudtUitslagen();
    void stand_data();
    void stand();
    void standCijfers();
};

void PoulewedstrijdenTest::bergerTables_data() {
    QTest::addColumn<int>("aantal");
    QTest::addColumn<QString>("rondes");
    // The published tables; an odd pool plays the next even table without
    // the missing highest number.
    QTest::newRow("3") << 3 << "2-3 / 1-2 / 3-1";
    QTest::newRow("4") << 4 << "1-4 2-3 / 4-3 1-2 / 2-4 3-1";
    QTest::newRow("5") << 5 << "2-5 3-4 / 5-3 1-2 / 3-1 4-5 / 1-4 2-3 / 4-2 5-1";
    QTest::newRow("6") << 6
                       << "1-6 2-5 3-4 / 6-4 5-3 1-2 / 2-6 3-1 4-5 / 6-5 1-4 2-3 / 3-6 4-2 5-1";
    QTest::newRow("7") << 7
                       << "2-7 3-6 4-5 / 6-4 7-3 1-2 / 3-1 4-7 5-6 / 7-5 1-4 2-3 / 4-2 5-1 6-7"
                          " / 1-6 2-5 3-4 / 5-3 6-2 7-1";
    QTest::newRow("8") << 8
                       << "1-8 2-7 3-6 4-5 / 8-5 6-4 7-3 1-2 / 2-8 3-1 4-7 5-6 / 8-6 7-5 1-4 2-3"
                          " / 3-8 4-2 5-1 6-7 / 8-7 1-6 2-5 3-4 / 4-8 5-3 6-2 7-1";
}

void PoulewedstrijdenTest::bergerTables() {
    QFETCH(int, aantal);
    QFETCH(QString, rondes);
    QCOMPARE(RondesTekst(BergerRondes(aantal)), rondes);
}

void PoulewedstrijdenTest::bergerEveryPairOnce() {
    for (int aantal : {2, 9, 64, 65}) {
        const std::vector<TParen> rondes = BergerRondes(aantal);
        QCOMPARE(static_cast<int>(rondes.size()), aantal % 2 == 0 ? aantal - 1 : aantal);
        std::set<std::pair<int, int>> paren;
        for (const TParen& ronde : rondes) {
            std::set<int> spelers;
            for (const auto& [a, b] : ronde) {
                QVERIFY(spelers.insert(a).second && spelers.insert(b).second);
                QVERIFY(a >= 1 && b >= 1 && a <= aantal && b <= aantal && a != b);
                paren.insert({std::min(a, b), std::max(a, b)});
            }
        }
        QCOMPARE(static_cast<int>(paren.size()), aantal * (aantal - 1) / 2);
    }
}

void PoulewedstrijdenTest::uitslagControle_data() {
    QTest::addColumn<int>("spelvorm");
    QTest::addColumn<QString>("games");
    QTest::addColumn<QString>("melding"); // empty: a finished match
    const int bad = int(TSpelvorm::Badminton);
    const int tt = int(TSpelvorm::Tafeltennis);
    const int score = int(TSpelvorm::Score);
    QTest::newRow("badminton in three") << bad << "21-17 19-21 21-15"
                                        << "";
    QTest::newRow("badminton extended and capped") << bad << "29-27 30-29"
                                                   << "";
    QTest::newRow("badminton one point clear")
        << bad << "21-17 21-20"
        << "Game 2: 21-20 is geen uitslag; een game wordt gewonnen met twee punten verschil.";
    QTest::newRow("badminton short")
        << bad << "21-17 15-10"
        << "Game 2: 15-10 is geen uitslag; een game gaat tot 21 punten.";
    QTest::newRow("badminton over the cap")
        << bad << "31-29 21-3"
        << "Game 1: 31-29 is geen uitslag; een game eindigt uiterlijk bij 30 punten.";
    QTest::newRow("badminton played on")
        << bad << "25-20 21-3"
        << "Game 1: 25-20 is geen uitslag; boven 21 punten eindigt "
           "een game zodra het verschil twee punten is.";
    QTest::newRow("badminton game after the end") << bad << "21-1 21-2 21-3"
                                                  << "Game 3: de wedstrijd was al beslist.";
    QTest::newRow("badminton undecided")
        << bad << "21-1 1-21"
        << "De wedstrijd is nog niet beslist: wie 2 games wint, wint de wedstrijd.";
    QTest::newRow("table tennis in five") << tt << "11-9 9-11 12-10 5-11 11-3"
                                          << "";
    QTest::newRow("table tennis long deuce") << tt << "31-29 11-0 11-0"
                                             << "";
    QTest::newRow("table tennis one clear")
        << tt << "11-10 11-0 11-0"
        << "Game 1: 11-10 is geen uitslag; een game wordt gewonnen met twee punten verschil.";
    QTest::newRow("table tennis best of three is short")
        << tt << "11-3 11-3"
        << "De wedstrijd is nog niet beslist: wie 3 games wint, wint de wedstrijd.";
    QTest::newRow("score draw") << score << "2-2"
                                << "";
    QTest::newRow("score twice") << score << "2-2 1-0"
                                 << "Vul één uitslag in: de score van elke kant.";
    QTest::newRow("nothing") << bad << ""
                             << "Er is geen uitslag ingevuld.";
}

void PoulewedstrijdenTest::uitslagControle() {
    QFETCH(int, spelvorm);
    QFETCH(QString, games);
    QFETCH(QString, melding);
    const std::optional<QString> fout = ControleerUitslag(TSpelvorm(spelvorm), *LeesGames(games));
    QCOMPARE(fout.value_or(QString()), melding);
}

void PoulewedstrijdenTest::gamesLezen() {
    QCOMPARE(LeesGames(QStringLiteral(" 21 - 17, 19-21;21:15 ")),
             (TGames{{21, 17}, {19, 21}, {21, 15}}));
    QCOMPARE(GamesTekst({{21, 17}, {19, 21}}), QStringLiteral("21-17 19-21"));
    for (const QString& fout : {QStringLiteral("21-17 x"), QStringLiteral("21"),
                                QStringLiteral("-3-21"), QStringLiteral("1234-1")}) {
        QString melding;
        QVERIFY2(!LeesGames(fout, &melding), qPrintable(fout));
        QVERIFY(melding.contains(QStringLiteral("geen reeks games")));
    }
}

void PoulewedstrijdenTest::schemaHoudtUitslagen() {
    // Members 10, 11, 12; a swap replaces 12 by 20. The played match of 10
    // and 11 keeps its score (turned round when the pair is), the one of 11
    // and 12 goes.
    std::vector<TPouleWedstrijd> vorige = MaakSchema({10, 11, 12});
    for (TPouleWedstrijd& w : vorige) {
        if (std::set<int>{w.A, w.B} == std::set<int>{10, 11})
            w.Games = w.A == 10 ? TGames{{21, 5}, {21, 7}} : TGames{{5, 21}, {7, 21}};
        if (std::set<int>{w.A, w.B} == std::set<int>{11, 12})
            w.Games = {{21, 0}, {21, 0}};
    }
    const std::vector<TPouleWedstrijd> nieuw = MaakSchema({10, 11, 20}, vorige);
    int gespeeld = 0;
    for (const TPouleWedstrijd& w : nieuw) {
        if (!w.Gespeeld())
            continue;
        ++gespeeld;
        const TGame eerste =
            w.A == 10 ? w.Games.front() : TGame{w.Games.front().B, w.Games.front().A};
        QCOMPARE(eerste, (TGame{21, 5}));
    }
    QCOMPARE(gespeeld, 1);
    // How a match ended goes with it, its loser turned round with the pair.
    std::vector<TPouleWedstrijd> omgekeerd = vorige;
    for (TPouleWedstrijd& w : omgekeerd) {
        std::swap(w.A, w.B);
        w.Games.clear();
        w.Afloop = TAfloop::Walkover;
        w.Verliezer = w.B == 10 ? 1 : 0; // 10 lost every match it had
    }
    for (const TPouleWedstrijd& w : MaakSchema({10, 11, 20}, omgekeerd))
        QCOMPARE(w.AfloopVerliezer(), w.A + w.B == 21 ? 10 : -1); // only 10-11 stays
    const std::vector<TPouleWedstrijd> weg = VervallenUitslagen({10, 11, 20}, vorige);
    QCOMPARE(weg.size(), std::size_t(1));
    QCOMPARE((std::set<int>{weg.front().A, weg.front().B}), (std::set<int>{11, 12}));
}

void PoulewedstrijdenTest::stand_data() {
    QTest::addColumn<int>("systeem");
    QTest::addColumn<QStringList>("uitslagen"); // "a b games", list indices 0..
    QTest::addColumn<int>("leden");
    QTest::addColumn<QString>("lot"); // "3 1": an order for level players
    QTest::addColumn<QString>("stand");
    const int bad = int(TSysteem::Badminton);
    const int tt = int(TSysteem::Tafeltennis);
    const int punten = int(TSysteem::Punten);

    // 0 and 1 both win twice; 1 has the better game balance, but 0 beat 1.
    QTest::newRow("two level: their match")
        << bad << QStringList{"0 1 21-19 19-21 21-19", "0 2 21-19 19-21 21-19", "3 0 21-1 21-1",
                              "1 2 21-1 21-1",         "1 3 21-1 21-1",         "2 3 21-1 21-1"}
        << 4 << ""
        << "0:1:onderling 1:2:onderling 2:3:onderling 3:4:onderling";

    // A beats B, B beats C, C beats A, all beat D. Badminton counts the game
    // balance over all matches: A and C are level at +2 and C beat A.
    QTest::newRow("circle, badminton")
        << bad << QStringList{"0 1 21-1 21-1",      "1 2 21-1 1-21 21-1", "2 0 21-1 1-21 21-1",
                              "0 3 21-1 1-21 21-1", "1 3 21-1 21-1",      "2 3 21-1 21-1"}
        << 4 << ""
        << "2:1:onderling 0:2:onderling 1:3:gamesaldo 3:4:gewonnen";
    // Table tennis looks only among A, B and C: A 5-3, C 5-5, B 3-5 in games.
    QTest::newRow("circle, table tennis")
        << tt << QStringList{"0 1 11-1 11-1 11-1",           "1 2 11-1 1-11 11-1 1-11 11-1",
                             "2 0 11-1 1-11 11-1 1-11 11-1", "0 3 11-1 1-11 11-1 1-11 11-1",
                             "1 3 11-1 11-1 11-1",           "2 3 11-1 11-1 11-1"}
        << 4 << ""
        << "0:1:gamequotiënt 2:2:gamequotiënt 1:3:gamequotiënt 3:4:wedstrijdpunten";

    // A circle level in games; the point ratio leaves A and B level at
    // 74:62 and C behind. A and B start again among themselves: A beat B.
    QTest::newRow("table tennis starts again")
        << tt
        << QStringList{"0 1 11-3 11-3 11-3 3-11", "1 2 11-1 11-1 11-1 21-23",
                       "2 0 11-9 11-9 11-9 9-11"}
        << 3 << ""
        << "0:1:onderling 1:2:onderling 2:3:puntquotiënt";

    // Level in everything: open until a lot orders them.
    QTest::newRow("only a lot, open")
        << punten << QStringList{"0 1 1-1", "0 2 2-0", "1 2 2-0"} << 3 << ""
        << "0:1:= 1:1:= 2:3:punten";
    QTest::newRow("only a lot, drawn")
        << punten << QStringList{"0 1 1-1", "0 2 2-0", "1 2 2-0"} << 3 << "1 0"
        << "1:1:lot 0:2:lot 2:3:punten";
}

void PoulewedstrijdenTest::stand() {
    QFETCH(int, systeem);
    QFETCH(QStringList, uitslagen);
    QFETCH(int, leden);
    QFETCH(QString, lot);
    QFETCH(QString, stand);
    TPoule poule;
    for (const QString& uitslag : uitslagen) {
        const QStringList delen = uitslag.split(u' ');
        poule.Wedstrijden.push_back(
            Wedstrijd(delen[0].toInt(), delen[1].toInt(), delen.mid(2).join(u' ')));
    }
    if (!lot.isEmpty()) {
        TLot order;
        for (const QString& d : lot.split(u' '))
            order.Volgorde.push_back(d.toInt());
        poule.Loten.push_back(order);
    }
    std::vector<int> ledenLijst(static_cast<std::size_t>(leden));
    std::iota(ledenLijst.begin(), ledenLijst.end(), 0);
    QCOMPARE(StandTekst(BerekenStand(Preset(TSysteem(systeem)), ledenLijst, poule)), stand);
}

void PoulewedstrijdenTest::standCijfers() {
    // Table tennis: 2 per win, 1 per played loss; unplayed matches count nothing.
    TPoule poule;
    poule.Wedstrijden = MaakSchema({7, 3, 5});
    poule.Wedstrijden[1].Games = *LeesGames(QStringLiteral("11-9 9-11 11-7 11-13 11-5"));
    const int a = poule.Wedstrijden[1].A;
    const TStand stand = BerekenStand(Preset(TSysteem::Tafeltennis), {7, 3, 5}, poule);
    QVERIFY(!stand.AllesGespeeld);
    const TStandRij& eerste = stand.Rijen.front();
    QCOMPARE(eerste.Deelnemer, a);
    QCOMPARE((std::array{eerste.Gespeeld, eerste.Gewonnen, eerste.Verloren, eerste.Punten}),
             (std::array{1, 1, 0, 2}));
    QCOMPARE(
        (std::array{eerste.GamesVoor, eerste.GamesTegen, eerste.PuntenVoor, eerste.PuntenTegen}),
        (std::array{3, 2, 53, 45}));
    QCOMPARE(stand.Rijen[1].Punten, 1);
    QCOMPARE(stand.Rijen[2].Gespeeld, 0);
    // A pool number nobody has (a damaged file) stands empty.
    QVERIFY(BerekenStand(Preset(TSysteem::Punten), {}, TPoule{}).Rijen.empty());
}

QTEST_GUILESS_MAIN(PoulewedstrijdenTest)
#include "test_poulewedstrijden.moc"
