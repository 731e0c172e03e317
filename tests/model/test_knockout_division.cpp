#include "model/KnockoutIndeling.h"

#include <QtTest>

namespace {

// Pools of the given sizes with complete results: positions 1..size.
TDeelnemerLijst poules(std::initializer_list<int> groottes) {
    TDeelnemerLijst lijst;
    int poule = 0;
    for (int grootte : groottes) {
        ++poule;
        // Written worst first, so list order differs from position order.
        for (int positie = grootte; positie >= 1; --positie) {
            auto deelnemer =
                std::make_unique<TDeelnemer>(QString::number(poule), QString::number(positie));
            deelnemer->Poule = poule;
            deelnemer->Positie = positie;
            lijst.push_back(std::move(deelnemer));
        }
    }
    return lijst;
}

// "pool.position:bracket" for everyone, in list order.
QStringList rondes(const TDeelnemerLijst& lijst) {
    QStringList result;
    for (const auto& d : lijst)
        result << QStringLiteral("%1.%2:%3").arg(d->Poule).arg(d->Positie).arg(d->KnockoutNr);
    return result;
}

int aantalIn(const TDeelnemerLijst& lijst, int knockoutNr) {
    return static_cast<int>(std::count_if(
        lijst.begin(), lijst.end(), [&](const auto& d) { return d->KnockoutNr == knockoutNr; }));
}

} // namespace

class KnockoutDivisionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void highestPosition() {
        QCOMPARE(KnockoutIndeling::HoogstePositie(poules({4, 5, 4})), 5);
        TDeelnemerLijst zonderPoules;
        zonderPoules.push_back(std::make_unique<TDeelnemer>("a", "b"));
        QCOMPARE(KnockoutIndeling::HoogstePositie(zonderPoules), 0);
    }

    void bestGoToTheWinnersRound() {
        TDeelnemerLijst lijst = poules({4, 4});
        auto* oudeWedstrijd = reinterpret_cast<TKnockoutWedstrijd*>(0x1);
        for (auto& d : lijst)
            d->Wedstrijd = oudeWedstrijd;
        KnockoutIndeling::PasBesteToe(lijst, 2);
        QCOMPARE(rondes(lijst), (QStringList{"1.4:2", "1.3:2", "1.2:1", "1.1:1", "2.4:2", "2.3:2",
                                             "2.2:1", "2.1:1"}));
        for (auto& d : lijst)
            QVERIFY(d->Wedstrijd == nullptr);
    }

    void withoutPositionMeansWinnersRound() {
        TDeelnemerLijst lijst = poules({3});
        lijst[0]->Positie = -1;
        KnockoutIndeling::PasBesteToe(lijst, 1);
        QCOMPARE(lijst[0]->KnockoutNr, 1);
    }

    void worstGoToTheLosersRoundEvenInSmallerPools() {
        TDeelnemerLijst lijst = poules({4, 5});
        KnockoutIndeling::PasSlechtsteToe(lijst, 1);
        QCOMPARE(rondes(lijst), (QStringList{"1.4:2", "1.3:1", "1.2:1", "1.1:1", "2.5:2", "2.4:1",
                                             "2.3:1", "2.2:1", "2.1:1"}));
        KnockoutIndeling::PasSlechtsteToe(lijst, 0);
        QCOMPARE(aantalIn(lijst, 2), 0);
        KnockoutIndeling::PasSlechtsteToe(lijst, 4);
        QCOMPARE(aantalIn(lijst, 1), 1); // only the winner of the 5-pool stays
        QCOMPARE(lijst[8]->KnockoutNr, 1);
    }

    void worstLeavesNobodyWithAStaleBracket() {
        // A position outside 1..8 and a doubled place cannot be reached by the
        // walk over pool places; they must not keep an earlier bracket or match.
        TDeelnemerLijst lijst = poules({3});
        lijst[0]->Positie = 9;
        lijst[1]->Positie = 1; // now two at place 1
        for (auto& d : lijst) {
            d->KnockoutNr = 2;
            d->Wedstrijd = reinterpret_cast<TKnockoutWedstrijd*>(0x1);
        }
        KnockoutIndeling::PasSlechtsteToe(lijst, 1);
        QCOMPARE(rondes(lijst), (QStringList{"1.9:1", "1.1:2", "1.1:1"}));
        for (auto& d : lijst)
            QVERIFY(d->Wedstrijd == nullptr);
    }
};

QTEST_GUILESS_MAIN(KnockoutDivisionTest)
#include "test_knockout_division.moc"
