#include "model/PouleIndeling.h"

#include <QtTest>

#include <map>
#include <set>

using namespace PouleIndeling;

namespace {

// A division as the pools it makes: pool size -> number of pools.
using Pools = std::map<int, int>;

Pools poolsOf(const TPouleIndeling& indeling) {
    Pools pools;
    if (indeling.AantalKleinePoules > 0)
        pools[indeling.KleinePouleGrootte] += indeling.AantalKleinePoules;
    if (indeling.AantalGrotePoules > 0)
        pools[indeling.GrotePouleGrootte] += indeling.AantalGrotePoules;
    return pools;
}

// Every division into pools of one size, or of two adjacent sizes, in range.
std::set<Pools> everyDivision(int n, int kleinste, int grootste) {
    std::set<Pools> result;
    for (int s = kleinste; s <= grootste; ++s) {
        for (int a = 0; a * s <= n; ++a) {
            const int rest = n - a * s;
            Pools pools;
            if (a > 0)
                pools[s] = a;
            if (rest > 0) {
                if (s + 1 > grootste || rest % (s + 1) != 0)
                    continue;
                pools[s + 1] = rest / (s + 1);
            }
            if (!pools.empty())
                result.insert(pools);
        }
    }
    return result;
}

} // namespace

class PoolDivisionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listedDivisions_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("kleinste");
        QTest::addColumn<int>("grootste");
        QTest::addColumn<QStringList>("regels");
        QTest::addColumn<QString>("status");
        QTest::newRow("13, 4-5") << 13 << 4 << 5
                                 << QStringList{"(3) 2 poules van 4 en 1 poule van 5"}
                                 << "1 mogelijke poule-indeling gevonden.";
        QTest::newRow("20, 4-5") << 20 << 4 << 5
                                 << QStringList{"(5) 5 poules van 4", "(4) 4 poules van 5"}
                                 << "2 mogelijke poule-indelingen gevonden.";
        QTest::newRow("24, 4-5") << 24 << 4 << 5
                                 << QStringList{"(6) 6 poules van 4",
                                                "(5) 1 poule van 4 en 4 poules van 5"}
                                 << "2 mogelijke poule-indelingen gevonden.";
        QTest::newRow("17, 3-5: no 3 with 5") << 17 << 3 << 5
                                              << QStringList{"(5) 3 poules van 3 en 2 poules van 4",
                                                             "(4) 3 poules van 4 en 1 poule van 5"}
                                              << "2 mogelijke poule-indelingen gevonden.";
        QTest::newRow("7, 3-8") << 7 << 3 << 8
                                << QStringList{"(2) 1 poule van 3 en 1 poule van 4",
                                               "(1) 1 poule van 7"}
                                << "2 mogelijke poule-indelingen gevonden.";
        QTest::newRow("16, 4-4") << 16 << 4 << 4 << QStringList{"(4) 4 poules van 4"}
                                 << "1 mogelijke poule-indeling gevonden.";
        QTest::newRow("20, 5-5") << 20 << 5 << 5 << QStringList{"(4) 4 poules van 5"}
                                 << "1 mogelijke poule-indeling gevonden.";
        QTest::newRow("21, 5-5") << 21 << 5 << 5 << QStringList{}
                                 << "Geen mogelijke poule-indeling gevonden.";
        QTest::newRow("2, 3-8") << 2 << 3 << 8 << QStringList{}
                                << "Geen mogelijke poule-indeling gevonden.";
        QTest::newRow("12, 3-4: one size at max last")
            << 12 << 3 << 4 << QStringList{"(4) 4 poules van 3", "(3) 3 poules van 4"}
            << "2 mogelijke poule-indelingen gevonden.";
        QTest::newRow("no participants")
            << 0 << 3 << 8 << QStringList{} << "Geen mogelijke poule-indeling gevonden.";
    }

    void listedDivisions() {
        QFETCH(int, n);
        QFETCH(int, kleinste);
        QFETCH(int, grootste);
        QFETCH(QStringList, regels);
        QFETCH(QString, status);
        const auto indelingen = ZoekIndelingen(n, kleinste, grootste);
        QCOMPARE(RegelTeksten(indelingen), regels);
        QCOMPARE(StatusTekst(static_cast<qsizetype>(indelingen.size())), status);
    }

    void candidateFieldsForTwoSizes() {
        const auto indelingen = ZoekIndelingen(24, 4, 5);
        QCOMPARE(indelingen.size(), std::size_t{2});
        // An exact fit in the smaller size still names the larger one.
        QCOMPARE(indelingen[0], TPouleIndeling(4, 6, 5, 0));
        QCOMPARE(indelingen[1], TPouleIndeling(4, 1, 5, 4));
        QCOMPARE(indelingen[1].AantalPoules(), 5);
        QCOMPARE(ZoekIndelingen(16, 4, 4), std::vector{TPouleIndeling(4, 4, 0, 0)});
    }

    void textsUseSingularAndPlainNumbers() {
        // A locale with digit grouping must not creep into the list.
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(RegelTekst(TPouleIndeling(4, 1, 5, 1)),
                 QStringLiteral("(2) 1 poule van 4 en 1 poule van 5"));
        QCOMPARE(RegelTekst(TPouleIndeling(3, 1, 0, 0)), QStringLiteral("(1) 1 poule van 3"));
        QCOMPARE(RegelTekst(TPouleIndeling(8, 1250, 0, 0)),
                 QStringLiteral("(1250) 1250 poules van 8"));
        QCOMPARE(StatusTekst(1234), QStringLiteral("1234 mogelijke poule-indelingen gevonden."));
        QLocale::setDefault(previous);
    }

    // The search against a brute-force list of every division, for every
    // participant count and size range a user can ask for.
    void searchPropertiesOverEveryRange() {
        for (int kleinste = MinPouleGrootte; kleinste <= MaxPouleGrootte; ++kleinste) {
            for (int grootste = kleinste; grootste <= MaxPouleGrootte; ++grootste) {
                for (int n = 1; n <= 200; ++n) {
                    const auto indelingen = ZoekIndelingen(n, kleinste, grootste);
                    const QByteArray waar =
                        QStringLiteral("n=%1 %2-%3").arg(n).arg(kleinste).arg(grootste).toUtf8();
                    std::set<Pools> found;
                    for (std::size_t i = 0; i < indelingen.size(); ++i) {
                        const TPouleIndeling& d = indelingen[i];
                        QVERIFY2(d.AantalKleinePoules >= 1, waar);
                        QVERIFY2(d.KleinePouleGrootte * d.AantalKleinePoules +
                                         d.GrotePouleGrootte * d.AantalGrotePoules ==
                                     n,
                                 waar);
                        QVERIFY2(d.KleinePouleGrootte >= kleinste, waar);
                        const bool eenGrootte = d.GrotePouleGrootte == 0;
                        if (eenGrootte) {
                            // Only pools all of the largest size, and only last.
                            QVERIFY2(d.AantalGrotePoules == 0, waar);
                            QVERIFY2(d.KleinePouleGrootte == grootste, waar);
                            QVERIFY2(i + 1 == indelingen.size(), waar);
                        } else {
                            QVERIFY2(d.GrotePouleGrootte == d.KleinePouleGrootte + 1, waar);
                            QVERIFY2(d.GrotePouleGrootte <= grootste, waar);
                        }
                        if (i > 0 && !eenGrootte) {
                            const TPouleIndeling& vorige = indelingen[i - 1];
                            QVERIFY2(vorige.KleinePouleGrootte < d.KleinePouleGrootte ||
                                         (vorige.KleinePouleGrootte == d.KleinePouleGrootte &&
                                          vorige.AantalKleinePoules > d.AantalKleinePoules),
                                     waar);
                        }
                        QVERIFY2(found.insert(poolsOf(d)).second, waar); // no duplicates
                    }
                    QVERIFY2(found == everyDivision(n, kleinste, grootste), waar);
                }
            }
        }
    }

    void wholeNumbers() {
        const std::optional<std::int32_t> geen;
        const struct {
            QString tekst;
            std::optional<std::int32_t> getal;
        } gevallen[] = {
            {"5", 5},
            {"  5", 5},
            {"5 ", geen},
            {"+5", 5},
            {"-3", -3},
            {"007", 7},
            {"-0", 0},
            {"", geen},
            {"-", geen},
            {"+-5", geen},
            {"+ 5", geen},
            {"a", geen},
            {"5a", geen},
            {"5.0", geen},
            {"$1F", geen},
            {"0x10", geen},
            {"\t5", geen},
            {QString(QChar(0x0665)), geen}, // an Arabic-Indic five
            {"2147483647", 2147483647},
            {"-2147483648", -2147483647 - 1},
            {"2147483648", geen},
            {"-2147483649", geen},
        };
        for (const auto& geval : gevallen)
            QVERIFY2(LeesGetal(geval.tekst) == geval.getal, qPrintable(geval.tekst));
    }

    void sizeCheck() {
        const QString geen = QStringLiteral("Er zijn geen getallen ingevuld.");
        const QString minimaal = QStringLiteral("De minimale poulegrootte is 3.");
        const QString maximaal = QStringLiteral("De maximale poulegrootte is 8.");
        const auto nergens = TGrootteVeld::Geen;
        const auto links = TGrootteVeld::Kleinste;
        const auto rechts = TGrootteVeld::Grootste;
        // Typed texts; then the message, the field to focus, the texts the
        // fields hold afterwards and the sizes read.
        const struct {
            QString kleinste, grootste, melding;
            TGrootteVeld focus;
            QString kleinsteNa, grootsteNa;
            int min, max;
        } gevallen[] = {
            {"4", "5", "", nergens, "4", "5", 4, 5},
            {" 5", "6", "", nergens, " 5", "6", 5, 6},
            {"+5", "5", "", nergens, "+5", "5", 5, 5},
            {"5 ", "6", geen, nergens, "5 ", "6", 0, 0},
            {"4", "x", geen, nergens, "4", "x", 0, 0},
            {"1", "", geen, nergens, "1", "", 0, 0},
            {"2", "5", minimaal, links, "2", "5", 2, 5},
            {"-3", "5", minimaal, links, "-3", "5", -3, 5},
            {"4", "9", maximaal, rechts, "4", "9", 4, 9},
            {"2", "9", minimaal, links, "2", "9", 2, 9},
            {"6", "4", "", nergens, "4", "6", 4, 6},
            {" +6", "004", "", nergens, "4", "6", 4, 6},
            {"9", "2", minimaal, links, "2", "9", 2, 9},
            {"10", "4", maximaal, rechts, "4", "10", 4, 10},
        };
        for (const auto& geval : gevallen) {
            const QByteArray waar = (geval.kleinste + u'|' + geval.grootste).toUtf8();
            const TGrootteControle controle = ControleerGroottes(geval.kleinste, geval.grootste);
            QVERIFY2(controle.Melding == geval.melding, waar);
            QVERIFY2(controle.Goed() == geval.melding.isEmpty(), waar);
            QVERIFY2(controle.Focus == geval.focus, waar);
            QVERIFY2(controle.Verwisseld == (geval.kleinsteNa != geval.kleinste), waar);
            QVERIFY2(controle.KleinsteTekst == geval.kleinsteNa, waar);
            QVERIFY2(controle.GrootsteTekst == geval.grootsteNa, waar);
            if (geval.melding != geen) {
                QVERIFY2(controle.Kleinste == geval.min, waar);
                QVERIFY2(controle.Grootste == geval.max, waar);
            }
        }
    }
};

QTEST_GUILESS_MAIN(PoolDivisionTest)
#include "test_pool_division.moc"
