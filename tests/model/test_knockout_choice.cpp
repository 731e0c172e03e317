#include "model/Knockout.h"
#include "support/KnockoutTestHulp.h"

#include <QtTest>

using namespace KnockoutTestHulp;

namespace {

QStringList Rijen(const TKeuzelijst& lijst) {
    QStringList rijen;
    for (const auto& rij : lijst.rijen)
        rijen << rij.code + u'|' + rij.naam;
    return rijen;
}

// Three pools, best two to the winners' round:
// 1p1 bye, 1p3 v 2p2, 1p2 bye, 2p1 v 2p3.
struct Winnaarsronde {
    TDeelnemerLijst lijst = Poules(3, 4, 2);
    TKnockout knockout{lijst, 1, TKnockout::VolgensPoules};

    TKnockoutWedstrijdWijzig& Boven(int m) { return *knockout.Wijziger(m, 0); }
    TKnockoutWedstrijdWijzig& Onder(int m) { return *knockout.Wijziger(m, 1); }
    TKnockoutWedstrijd& W(int ronde, int m) { return *knockout.Wedstrijd(ronde, m); }
    QString Fout() const { return Verbanden(lijst, knockout); }
    // The participant a row of the slot's list puts in, as the list holds it.
    TDeelnemer* Rij(TKnockoutWedstrijdWijzig& wijziger, int rij) {
        const TDeelnemer* d = wijziger.VulKeuzelijst().rijen.at(rij).deelnemer;
        for (auto& deelnemer : lijst)
            if (deelnemer.get() == d)
                return deelnemer.get();
        return nullptr;
    }
};

} // namespace

class KnockoutChoiceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choosingNobodyOrAnotherParticipant() {
        Winnaarsronde b;
        QCOMPARE(Rijen(b.Boven(1).VulKeuzelijst()), QStringList{"|n.o."});
        QCOMPARE(Rijen(b.Onder(1).VulKeuzelijst()), (QStringList{"|n.o.", "|bye"}));
        QCOMPARE(b.Boven(1).VulKeuzelijst().kolomverhouding, 0.3f);

        b.Boven(1).WijsToe(nullptr);
        QVERIFY(!b.W(0, 1).DeelnemerBoven());
        QCOMPARE(b.Boven(1).Bijschrift(), QString());
        QCOMPARE(Rijen(b.Onder(3).VulKeuzelijst()), (QStringList{"|n.o.", "|bye", "1p3|1p3"}));

        // Row 2 of a lower list is its first candidate: 2p3 makes way for 1p3.
        QVERIFY(!b.Onder(3).VulKeuzelijst().rijen[0].bye &&
                b.Onder(3).VulKeuzelijst().rijen[1].bye);
        b.Onder(3).WijsToe(b.Rij(b.Onder(3), 2));
        QCOMPARE(EersteRonde(b.knockout)[3], QStringLiteral("2p1 v 1p3"));
        QCOMPARE(b.Onder(3).Bijschrift(), QStringLiteral("1p3"));
        QCOMPARE(Rijen(b.Boven(1).VulKeuzelijst()), (QStringList{"|n.o.", "2p3|2p3"}));
        QCOMPARE(b.Fout(), QString());

        // Row 1 of an upper list is its first candidate.
        b.Boven(1).WijsToe(b.Rij(b.Boven(1), 1));
        QCOMPARE(b.Boven(1).Bijschrift(), QStringLiteral("2p3"));
        QCOMPARE(b.Boven(1).VulKeuzelijst().rijen.size(), std::size_t(1));
        QCOMPARE(b.Fout(), QString());
    }

    void choosingByeSendsTheUpperParticipantOn() {
        Winnaarsronde b;
        b.Onder(3).MaakBye();
        QVERIFY(b.W(0, 3).Bye());
        QCOMPARE(Naam(b.W(1, 1).DeelnemerOnder()), QStringLiteral("2p1"));
        QCOMPARE(b.Onder(3).Bijschrift(), QString());
        QCOMPARE(Rijen(b.Boven(0).VulKeuzelijst()), (QStringList{"|n.o.", "2p3|2p3"}));

        // A participant put into the lower slot of a bye ends the bye.
        b.Onder(0).WijsToe(b.Rij(b.Onder(0), 2));
        QCOMPARE(EersteRonde(b.knockout)[0], QStringLiteral("1p1 v 2p3"));
        QVERIFY(!b.W(1, 0).DeelnemerBoven());
        QCOMPARE(b.Fout(), QString());
    }

    void byeWithoutUpperParticipantMovesTheLowerOneUp() {
        Winnaarsronde b;
        b.Boven(1).WijsToe(nullptr); // match 1 now holds only 2p2, below
        b.Onder(1).MaakBye();
        const TDeelnemer* opgeschoven = b.W(0, 1).DeelnemerBoven();
        QCOMPARE(Naam(opgeschoven), QStringLiteral("2p2"));
        QVERIFY(opgeschoven->Wedstrijd == &b.W(0, 1));
        QVERIFY(b.W(1, 0).DeelnemerOnder() == opgeschoven);
        QCOMPARE(b.Boven(1).Bijschrift(), QStringLiteral("2p2"));
        QCOMPARE(b.Onder(1).Bijschrift(), QString());
        QCOMPARE(Rijen(b.Onder(3).VulKeuzelijst()), (QStringList{"|n.o.", "|bye", "1p3|1p3"}));
        QCOMPARE(b.Fout(), QString());
    }

    void confirmationOnlyWhenAResultWouldBeLost() {
        Winnaarsronde b;
        QVERIFY(!b.Boven(1).VraagtBevestiging());
        b.W(0, 1).ZetEindstand(2, 1);
        QVERIFY(!b.Boven(0).VraagtBevestiging()); // a bye looks at its next match only
        QVERIFY(b.Onder(1).VraagtBevestiging());
        b.W(1, 0).ZetEindstand(1, 0);
        QVERIFY(b.Boven(0).VraagtBevestiging());
    }

    void withoutPoolsTheCodeColumnIsHidden() {
        TDeelnemerLijst lijst;
        for (int i = 0; i < 3; ++i)
            Voeg(lijst, 0, -1, 1);
        TKnockout knockout(lijst, 1, TKnockout::Leeg);
        const TKeuzelijst keuze = knockout.Wijziger(0, 1)->VulKeuzelijst();
        QCOMPARE(keuze.kolomverhouding, 0.0f);
        QCOMPARE(Rijen(keuze), (QStringList{"|n.o.", "|bye", "|d0", "|d1", "|d2"}));

        // Filled from outside, as the loader does: captions follow on request.
        knockout.Wedstrijd(0, 1)->ZetDeelnemerOnder(lijst[2].get());
        lijst[2]->Poule = 4;
        QCOMPARE(knockout.Wijziger(1, 1)->Bijschrift(), QString());
        knockout.VernieuwKnoppen();
        QCOMPARE(knockout.Wijziger(1, 1)->Bijschrift(), QStringLiteral("p4"));
    }
};

QTEST_GUILESS_MAIN(KnockoutChoiceTest)
#include "test_knockout_choice.moc"
