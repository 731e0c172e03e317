#include "model/Deelnemer.h"
#include "model/RandomSource.h"

#include <QtTest>

class DeelnemerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void freshParticipantIsNowhere() {
        const TDeelnemer deelnemer;
        QCOMPARE(deelnemer.Poule, 0);
        QCOMPARE(deelnemer.Positie, -1);
        QCOMPARE(deelnemer.KnockoutNr, 0);
        QVERIFY(deelnemer.Wedstrijd == nullptr);
    }

    void displayName_data() {
        QTest::addColumn<QString>("voornaam");
        QTest::addColumn<QString>("achternaam");
        QTest::addColumn<QString>("naam");
        QTest::newRow("both") << "Jan"
                              << "de Vries"
                              << "Jan de Vries";
        QTest::newRow("first only") << "Jan"
                                    << ""
                                    << "Jan";
        QTest::newRow("last only") << ""
                                   << "Vries"
                                   << "Vries";
        QTest::newRow("blanks around") << " Jan\t"
                                       << " Vries "
                                       << "Jan\t  Vries";
        QTest::newRow("outside Latin-1") << "Łukasz"
                                         << "Ωmega 😀"
                                         << "Łukasz Ωmega 😀";
    }

    void displayName() {
        QFETCH(QString, voornaam);
        QFETCH(QString, achternaam);
        QFETCH(QString, naam);
        QCOMPARE(TDeelnemer(voornaam, achternaam).Naam(), naam);
    }

    void longNameKeepsEveryCharacter() {
        const QString lang(1000, u'x');
        QCOMPARE(TDeelnemer(lang, QStringLiteral("y")).Naam().size(), 1002);
    }

    void pouleCode_data() {
        QTest::addColumn<int>("poule");
        QTest::addColumn<int>("positie");
        QTest::addColumn<QString>("code");
        QTest::newRow("no pool") << 0 << 2 << "";
        QTest::newRow("negative pool") << -1 << 1 << "";
        QTest::newRow("pool, no position") << 3 << -1 << "p3";
        QTest::newRow("position 0 counts as none") << 3 << 0 << "p3";
        QTest::newRow("second in pool 3") << 3 << 2 << "2p3";
        QTest::newRow("first in pool 12") << 12 << 1 << "1p12";
    }

    void pouleCode() {
        QFETCH(int, poule);
        QFETCH(int, positie);
        QFETCH(QString, code);
        TDeelnemer deelnemer;
        deelnemer.Poule = poule;
        deelnemer.Positie = positie;
        QCOMPARE(deelnemer.PouleCode(), code);
    }

    void clockSeededSourceRepeatsForTheSameClock() {
        ClockSeededRandomSource a([] { return std::uint64_t{42}; });
        ClockSeededRandomSource b([] { return std::uint64_t{42}; });
        bool allInRange = true;
        for (int i = 0; i < 200; ++i) {
            const int x = a.below(7);
            allInRange = allInRange && x >= 0 && x < 7;
            QCOMPARE(x, b.below(7));
        }
        QVERIFY(allInRange);
        QCOMPARE(a.below(1), 0);
    }

    void reseedingFromTheClockRestartsTheSequence() {
        std::uint64_t tick = 1;
        ClockSeededRandomSource source([&tick] { return tick; });
        QList<int> first;
        for (int i = 0; i < 20; ++i)
            first << source.below(1000);
        source.seedFromClock();
        QList<int> again;
        for (int i = 0; i < 20; ++i)
            again << source.below(1000);
        QCOMPARE(again, first);
        tick = 2;
        source.seedFromClock();
        QList<int> other;
        for (int i = 0; i < 20; ++i)
            other << source.below(1000);
        QVERIFY(other != first);
    }
};

QTEST_GUILESS_MAIN(DeelnemerTest)
#include "test_deelnemer.moc"
