#include "model/Loting.h"
#include "model/RandomSource.h"

#include <QtTest>

#include <algorithm>
#include <map>

using namespace Loting;

namespace {

// Players from a club letter per player ('-': no club).
std::vector<TSpeler> Spelers(const QString& clubs) {
    std::vector<TSpeler> spelers;
    for (QChar c : clubs)
        spelers.push_back({c == u'-' ? QString() : QStringLiteral("BC ") + c, 0});
    return spelers;
}

// The largest and the total excess of clubs over ceil(m / k) per pool.
std::pair<int, int> Overschot(const std::vector<TSpeler>& spelers, const std::vector<int>& poule,
                              int poules) {
    std::map<QString, std::vector<int>> telling;
    for (std::size_t i = 0; i < spelers.size(); ++i)
        if (!spelers[i].Vereniging.isEmpty())
            telling[spelers[i].Vereniging].resize(static_cast<std::size_t>(poules)),
                ++telling[spelers[i].Vereniging][static_cast<std::size_t>(poule[i] - 1)];
    int grootste = 0, totaal = 0;
    for (const auto& [club, perPoule] : telling) {
        int leden = 0;
        for (int n : perPoule)
            leden += n;
        const int grens = (leden + poules - 1) / poules;
        for (int n : perPoule) {
            grootste = std::max(grootste, n - grens);
            totaal += std::max(0, n - grens);
        }
    }
    return {grootste, totaal};
}

// The best excess of any draw, by trying every one.
std::pair<int, int> Beste(const std::vector<TSpeler>& spelers, const std::vector<int>& grootten) {
    std::vector<int> poule;
    for (std::size_t p = 0; p < grootten.size(); ++p)
        poule.insert(poule.end(), static_cast<std::size_t>(grootten[p]), static_cast<int>(p) + 1);
    std::pair<int, int> beste{1 << 20, 0};
    do
        beste = std::min(beste, Overschot(spelers, poule, static_cast<int>(grootten.size())));
    while (std::next_permutation(poule.begin(), poule.end()));
    return beste;
}

ClockSeededRandomSource Bron(std::uint64_t zaad) {
    return ClockSeededRandomSource([zaad] { return zaad; });
}

} // namespace

class LotingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void zaadjesInSlang();
    void clubsZoGoedAlsMogelijk_data();
    void clubsZoGoedAlsMogelijk();
    void keuzeBlijftWillekeurig();
};

void LotingTest::zaadjesInSlang() {
    std::vector<TSpeler> spelers(20);
    for (int s = 1; s <= 12; ++s)
        spelers[static_cast<std::size_t>(20 - s)].Plaatsing = s; // seeds anywhere in the list
    ClockSeededRandomSource bron = Bron(7);
    const TUitkomst uitkomst = Verdeel(spelers, {4, 4, 4, 4, 4}, bron);
    QList<int> poulesVanZaadjes;
    for (int s = 1; s <= 12; ++s)
        poulesVanZaadjes << uitkomst.Poule[static_cast<std::size_t>(20 - s)];
    QCOMPARE(poulesVanZaadjes, (QList<int>{1, 2, 3, 4, 5, 5, 4, 3, 2, 1, 1, 2}));
}

void LotingTest::clubsZoGoedAlsMogelijk_data() {
    QTest::addColumn<QString>("clubs");
    QTest::addColumn<QList<int>>("grootten");
    QTest::newRow("spread fits") << "AAAABBBCC" << QList<int>{3, 3, 3};
    QTest::newRow("one club fills the field") << "AAAAAAAB-" << QList<int>{3, 3, 3};
    QTest::newRow("sizes force a club together") << "AAAABB" << QList<int>{4, 2};
    QTest::newRow("unequal pools, three clubs") << "AAABBBCC-" << QList<int>{4, 4, 1};
}

void LotingTest::clubsZoGoedAlsMogelijk() {
    QFETCH(QString, clubs);
    QFETCH(QList<int>, grootten);
    const std::vector<TSpeler> spelers = Spelers(clubs);
    const std::vector<int> g(grootten.begin(), grootten.end());
    const std::pair<int, int> beste = Beste(spelers, g);
    for (std::uint64_t zaad = 1; zaad <= 20; ++zaad) {
        ClockSeededRandomSource bron = Bron(zaad);
        const TUitkomst uitkomst = Verdeel(spelers, g, bron);
        for (std::size_t p = 0; p < g.size(); ++p)
            QCOMPARE(std::count(uitkomst.Poule.begin(), uitkomst.Poule.end(), int(p) + 1), g[p]);
        QCOMPARE(Overschot(spelers, uitkomst.Poule, int(g.size())), beste);
        QCOMPARE(uitkomst.Knelpunten.empty(), beste.first == 0);
    }
}

void LotingTest::keuzeBlijftWillekeurig() {
    // Two club mates apart, four without a club: over many draws everybody
    // lands in every pool, and the club mates never share one.
    const std::vector<TSpeler> spelers = Spelers(QStringLiteral("AA----"));
    std::map<std::pair<int, int>, int> gezien;
    for (std::uint64_t zaad = 1; zaad <= 300; ++zaad) {
        ClockSeededRandomSource bron = Bron(zaad);
        const TUitkomst uitkomst = Verdeel(spelers, {2, 2, 2}, bron);
        QVERIFY(uitkomst.Poule[0] != uitkomst.Poule[1]);
        for (std::size_t i = 0; i < spelers.size(); ++i)
            ++gezien[{int(i), uitkomst.Poule[i]}];
    }
    QCOMPARE(gezien.size(), std::size_t(6 * 3));
    TKnelpunt knelpunt{QStringLiteral("De Shuttle"), 9, 4, 3, 2};
    QCOMPARE(KnelpuntTekst(knelpunt),
             QStringLiteral("Vereniging De Shuttle: 9 spelers over 4 poules, 3 in poule 2"));
}

QTEST_GUILESS_MAIN(LotingTest)
#include "test_loting.moc"
