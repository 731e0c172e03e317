#include "model/PouleIndeling.h"
#include "support/LiteralPoolDraw.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedRandomSource.h"

#include <QtTest>

#include <map>
#include <random>

using namespace PouleIndeling;

namespace {

const QString softwarefout = QStringLiteral(
    "Er zijn te weinig vrije deelnemers om de poules te vullen! Dit is een softwarefout. "
    "\r\rBewaar de deelnemerslijst en poule-indeling en neem contact op met de programmeur!");

TDeelnemerLijst participants(int n) {
    TDeelnemerLijst lijst;
    for (int i = 0; i < n; ++i)
        lijst.push_back(std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i)));
    return lijst;
}

QList<int> pools(const TDeelnemerLijst& lijst) {
    QList<int> result;
    for (const auto& deelnemer : lijst)
        result << deelnemer->Poule;
    return result;
}

// Pool number -> number of participants in it (0 = the free ones).
std::map<int, int> sizes(const TDeelnemerLijst& lijst) {
    std::map<int, int> result;
    for (const auto& deelnemer : lijst)
        ++result[deelnemer->Poule];
    return result;
}

std::deque<int> repeated(int count, int value) {
    return std::deque<int>(count, value);
}

} // namespace

class PoolDrawTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void largerPoolsGetTheLowestNumbers() {
        ScriptedRandom random;
        ScriptedMessages box;
        auto lijst = participants(13);
        // The fifth place walks six free participants past index 4 to index 10.
        random->queue({0, 0, 0, 0, 5});
        VerdeelDeelnemers(lijst, TPouleIndeling(4, 2, 5, 1));
        QCOMPARE(sizes(lijst), (std::map<int, int>{{1, 5}, {2, 4}, {3, 4}}));
        // The second call starts its cursor at 0 again, so index 5 comes next.
        QCOMPARE(pools(lijst), (QList<int>{3, 1, 1, 1, 1, 2, 2, 2, 2, 3, 1, 3, 3}));
        QCOMPARE(random->seeds, 2);
        // F is counted once per call and not lowered as places fill.
        std::deque<int> asked = repeated(5, 13);
        asked.insert(asked.end(), 8, 8);
        QCOMPARE(random->asked, asked);
        QVERIFY(box->calls().isEmpty());
    }

    void singleSizeDivision() {
        ScriptedRandom random;
        ScriptedMessages box;
        auto lijst = participants(20);
        VerdeelDeelnemers(lijst, TPouleIndeling(4, 5, 0, 0));
        QCOMPARE(sizes(lijst), (std::map<int, int>{{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}}));
        QCOMPARE(random->seeds, 2); // the empty first call seeds as well
        QCOMPARE(random->asked, repeated(20, 20));
        QVERIFY(box->calls().isEmpty());
    }

    void shortestWalksTakeTheListInOrderFromIndexOne() {
        ScriptedRandom random;
        auto lijst = participants(5);
        VulPoules(lijst, 5, 1, 1); // one place per pool shows the order of the places
        QCOMPARE(pools(lijst), (QList<int>{5, 1, 2, 3, 4}));

        auto eenPoule = participants(5);
        VulPoules(eenPoule, 1, 5, 1);
        QCOMPARE(pools(eenPoule), (QList<int>{1, 1, 1, 1, 1}));
    }

    void longestWalksWrapAroundTheList() {
        ScriptedRandom random;
        auto lijst = participants(5);
        random->queue({4, 4, 4, 4, 4}); // r = F = 5 at every place
        VulPoules(lijst, 5, 1, 1);
        // 1,2,3,4,0 takes 0; then 1,2,3,4,1 takes 1; 2,3,4,2,3 takes 3; 4,2,4,2,4 takes 4.
        QCOMPARE(pools(lijst), (QList<int>{1, 2, 5, 3, 4}));
        QCOMPARE(random->asked, repeated(5, 5));
    }

    void walkStopsAtNegativePoolNumbersButFCountsOnlyZero() {
        ScriptedRandom random;
        auto lijst = participants(4);
        lijst[1]->Poule = -1;
        lijst[2]->Poule = 6;
        VulPoules(lijst, 1, 1, 1);
        QCOMPARE(pools(lijst), (QList<int>{0, 1, 6, 0}));
        QCOMPARE(random->asked, repeated(1, 2));
    }

    void tooFewFreeParticipants_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("indeling"); // the four fields, in order
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("seeds");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("second call fails")
            << 6 << QList<int>{2, 2, 3, 1} << 1 << 1 << QList<int>{0, 1, 1, 1, 0, 0};
        QTest::newRow("first call fails")
            << 3 << QList<int>{3, 1, 4, 1} << 1 << 1 << QList<int>{2, 2, 2};
        QTest::newRow("both fail") << 2 << QList<int>{3, 1, 4, 1} << 2 << 0 << QList<int>{0, 0};
    }

    void tooFewFreeParticipants() {
        QFETCH(int, n);
        QFETCH(QList<int>, indeling);
        QFETCH(int, boxes);
        QFETCH(int, seeds);
        QFETCH(QList<int>, expected);
        ScriptedRandom random;
        ScriptedMessages box;
        auto lijst = participants(n);
        lijst[0]->Poule = 9; // a pool from an earlier draw is cleared all the same
        QCOMPARE(VerdeelDeelnemers(
                     lijst, TPouleIndeling(indeling[0], indeling[1], indeling[2], indeling[3])),
                 boxes);
        QCOMPARE(pools(lijst), expected);
        QVERIFY(box->calls().isEmpty()); // the caller tells the user
        QCOMPARE(SoftwarefoutTekst(), softwarefout);
        QCOMPARE(random->seeds, seeds);
    }

    void drawTouchesOnlyThePoolNumber() {
        ScriptedRandom random;
        auto lijst = participants(9);
        std::vector<const TDeelnemer*> order;
        for (int i = 0; i < 9; ++i) {
            lijst[i]->Positie = i % 3 + 1;
            lijst[i]->KnockoutNr = 2;
            lijst[i]->Poule = i - 4;
            order.push_back(lijst[i].get());
        }
        random->queue({3, 8, 1, 7, 0, 5, 2, 6, 4});
        VerdeelDeelnemers(lijst, TPouleIndeling(3, 3, 4, 0));
        QCOMPARE(sizes(lijst), (std::map<int, int>{{1, 3}, {2, 3}, {3, 3}}));
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(lijst[i].get(), order[i]);
            QCOMPARE(lijst[i]->Positie, i % 3 + 1);
            QCOMPARE(lijst[i]->KnockoutNr, std::uint8_t{2});
            QCOMPARE(lijst[i]->Achternaam, QString::number(i));
        }
    }

    // Every listed division, drawn with the program's own random source,
    // puts everyone in exactly one pool of the size the division gives it.
    void everyListedDivisionFillsItsPools() {
        for (int n = 1; n <= 120; ++n) {
            for (int kleinste = MinPouleGrootte; kleinste <= MaxPouleGrootte; ++kleinste) {
                for (const TPouleIndeling& d : ZoekIndelingen(n, kleinste, MaxPouleGrootte)) {
                    auto lijst = participants(n);
                    VerdeelDeelnemers(lijst, d);
                    std::map<int, int> expected;
                    for (int p = 1; p <= d.AantalPoules(); ++p)
                        expected[p] =
                            p <= d.AantalGrotePoules ? d.GrotePouleGrootte : d.KleinePouleGrootte;
                    QVERIFY2(sizes(lijst) == expected, qPrintable(RegelTekst(d)));
                }
            }
        }
    }

    // The fast draw against the walk written out step by step, on the same
    // random numbers, including lists and calls the pool window never makes.
    void sameResultAsTheLiteralWalk() {
        std::mt19937 gen(20240611);
        auto between = [&gen](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(gen);
        };
        for (int round = 0; round < 4000; ++round) {
            const int n = round % 50 == 0 ? between(100, 600) : between(0, 40);
            const bool whole = round % 2 == 0;
            auto fast = participants(n);
            auto literal = participants(n);
            for (int i = 0; i < n; ++i) {
                const int poule = whole ? between(-1, 9) : between(-3, 2) * between(0, 1);
                fast[i]->Poule = literal[i]->Poule = poule;
            }
            std::vector<int> script(between(0, 3 * n + 5));
            for (int& number : script)
                number = between(0, 1 << 30);
            const int aantal = between(-2, 6);
            const int grootte = between(-2, 7);
            const int eerste = between(-3, 6);
            std::optional<TPouleIndeling> indeling;
            if (whole) {
                // Mostly a division of this list, sometimes one left from another count.
                const int voor = between(0, 3) == 0 ? between(1, n + 5) : n;
                const auto lijst = ZoekIndelingen(voor, between(3, 6), 8);
                if (lijst.empty())
                    continue;
                indeling = lijst[between(0, static_cast<int>(lijst.size()) - 1)];
            }

            auto run = [&](TDeelnemerLijst& deelnemers, bool useFast) {
                ScriptedRandom random;
                ScriptedMessages box;
                for (int number : script)
                    random->queue({number});
                // The fast draw leaves the error box to its caller.
                int fouten = 0;
                if (indeling && useFast)
                    fouten = VerdeelDeelnemers(deelnemers, *indeling);
                else if (indeling)
                    LiteralPoolDraw::VerdeelDeelnemers(deelnemers, *indeling);
                else if (useFast)
                    fouten = VulPoules(deelnemers, aantal, grootte, eerste) ? 0 : 1;
                else
                    LiteralPoolDraw::VulPoules(deelnemers, aantal, grootte, eerste);
                for (; fouten > 0; --fouten)
                    messages().error(SoftwarefoutTekst());
                return std::make_tuple(random->seeds, random->asked, box->texts());
            };
            const auto fastTrace = run(fast, true);
            const auto literalTrace = run(literal, false);
            const QByteArray what = QStringLiteral("round %1, n %2").arg(round).arg(n).toUtf8();
            QVERIFY2(pools(fast) == pools(literal), what);
            QVERIFY2(fastTrace == literalTrace, what);
        }
    }
};

QTEST_GUILESS_MAIN(PoolDrawTest)
#include "test_pool_draw.moc"
