#include "model/Planning.h"
#include "model/Poulewedstrijden.h"

#include <QtTest>

using namespace Planning;

namespace {

// 64 players in 16 pools of 4; the first two of each pool to a winners'
// bracket of 32, the others to a losers' bracket of 32: 96 + 31 + 31 matches.
std::vector<TPlanWedstrijd> Dag64() {
    std::vector<TPlanWedstrijd> wedstrijden;
    std::vector<std::vector<int>> perPoule(16);
    for (int poule = 0; poule < 16; ++poule) {
        const auto rondes = Poulewedstrijden::BergerRondes(4);
        for (std::size_t r = 0; r < rondes.size(); ++r)
            for (const auto& [a, b] : rondes[r]) {
                perPoule[static_cast<std::size_t>(poule)].push_back(
                    static_cast<int>(wedstrijden.size()));
                wedstrijden.push_back(
                    {{4 * poule + a - 1, 4 * poule + b - 1}, {}, false, int(r) + 1});
            }
    }
    for (int bracket = 0; bracket < 2; ++bracket) {
        std::vector<int> ronde;
        for (int m = 0; m < 16; ++m) {
            TPlanWedstrijd eerste{{}, {}, true, 1};
            for (int poule : {m, (m + 1) % 16})
                for (int w : perPoule[static_cast<std::size_t>(poule)])
                    eerste.Voorgangers.push_back(w);
            ronde.push_back(static_cast<int>(wedstrijden.size()));
            wedstrijden.push_back(eerste);
        }
        for (int nummer = 2; ronde.size() > 1; ++nummer) {
            std::vector<int> volgende;
            for (std::size_t m = 0; m < ronde.size(); m += 2) {
                volgende.push_back(static_cast<int>(wedstrijden.size()));
                wedstrijden.push_back({{}, {ronde[m], ronde[m + 1]}, true, nummer});
            }
            ronde = volgende;
        }
    }
    return wedstrijden;
}

TInstellingen Zaal(int banen) {
    TInstellingen instellingen;
    instellingen.Banen = banen;
    return instellingen; // 20-minute slots, one slot of rest
}

} // namespace

class PlanningTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void referentiedag();
    void botsingen_data();
    void botsingen();
    void vertragingSchuiftAlleenDeBaan();
};

void PlanningTest::referentiedag() {
    const std::vector<TPlanWedstrijd> dag = Dag64();
    QCOMPARE(dag.size(), std::size_t(158));
    const TInstellingen zaal = Zaal(8);
    const TPlan plan = MaakPlan(dag, zaal);
    QVERIFY(Controleer(dag, zaal, plan).empty());
    QCOMPARE(Ondergrens(dag, zaal), 20 * 20);
    QVERIFY2(plan.Einde <= 24 * 20, qPrintable(QString::number(plan.Einde / 20)));
    qInfo("reference day: %d slots, lower bound 20", plan.Einde / 20);
}

void PlanningTest::botsingen_data() {
    QTest::addColumn<QString>("plan"); // "court@start" per match of the day below
    QTest::addColumn<int>("soort");    // -1: no clash
    // Matches: 0 = players 1-2, 1 = players 3-4, 2 = players 1-3, 3 = the
    // knockout match after 0 and 1. A break from 100 to 120.
    QTest::newRow("court twice") << "0@0 1@0 0@40 0@50" << int(TBotsingSoort::BaanDubbel);
    QTest::newRow("player twice") << "0@0 1@60 2@10 0@120" << int(TBotsingSoort::DeelnemerDubbel);
    QTest::newRow("rest too short") << "0@0 1@0 0@30 1@40" << int(TBotsingSoort::RustTeKort);
    QTest::newRow("before its feeder") << "0@0 1@0 0@40 1@30" << int(TBotsingSoort::VoorVoorganger);
    QTest::newRow("in the break") << "0@0 1@0 0@40 1@90" << int(TBotsingSoort::InPauze);
    QTest::newRow("none") << "0@0 1@0 0@40 1@40" << -1;
}

void PlanningTest::botsingen() {
    QFETCH(QString, plan);
    QFETCH(int, soort);
    const std::vector<TPlanWedstrijd> dag{{{1, 2}, {}, false, 1},
                                          {{3, 4}, {}, false, 1},
                                          {{1, 3}, {}, false, 2},
                                          {{}, {0, 1}, true, 1}};
    TInstellingen zaal = Zaal(2);
    zaal.Pauzes = {{100, 120}};
    TPlan handwerk;
    for (const QString& deel : plan.split(u' ')) {
        const QStringList baanBegin = deel.split(u'@');
        handwerk.Wedstrijden.push_back({baanBegin[0].toInt(), baanBegin[1].toInt()});
    }
    const std::vector<TBotsing> botsingen = Controleer(dag, zaal, handwerk);
    QCOMPARE(botsingen.empty(), soort < 0);
    for (const TBotsing& botsing : botsingen)
        QCOMPARE(int(botsing.Soort), soort);
    if (botsingen.empty())
        return;
    const TNamen namen{[](int w) { return QStringLiteral("wedstrijd %1").arg(w); },
                       [](int d) { return QStringLiteral("speler %1").arg(d); },
                       [](int) { return QStringLiteral("Baan 1"); },
                       [](int) { return QStringLiteral("10:20"); }};
    QVERIFY(!BotsingTekst(botsingen.front(), namen).isEmpty());
    // The program's own plan of the same day has none.
    QVERIFY(Controleer(dag, zaal, MaakPlan(dag, zaal)).empty());
}

void PlanningTest::vertragingSchuiftAlleenDeBaan() {
    const std::vector<TPlanWedstrijd> dag = Dag64();
    const TInstellingen zaal = Zaal(8);
    const TPlan voor = MaakPlan(dag, zaal);
    TPlan na = voor;
    const int eerste = 0;
    const TToewijzing gespeeld = voor.Wedstrijden[eerste];
    Verschuif(na, dag, zaal, eerste, gespeeld.Begin + 20 + 15); // a quarter late
    for (std::size_t i = 0; i < dag.size(); ++i) {
        const TToewijzing& t = voor.Wedstrijden[i];
        const bool later = t.Baan == gespeeld.Baan && t.Begin > gespeeld.Begin;
        QCOMPARE(na.Wedstrijden[i].Begin, t.Begin + (later ? 15 : 0));
        QCOMPARE(na.Wedstrijden[i].Baan, t.Baan);
    }
    QVERIFY(na.Einde >= voor.Einde);
}

QTEST_GUILESS_MAIN(PlanningTest)
#include "test_planning.moc"
