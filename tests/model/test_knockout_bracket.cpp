#include "model/Knockout.h"
#include "support/KnockoutTestHulp.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedRandomSource.h"

#include <QtTest>

using namespace KnockoutTestHulp;

class KnockoutBracketTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shapeAndLinks() {
        const QList<std::pair<int, QList<int>>> gevallen{
            {0, {}}, {1, {1}}, {2, {1}}, {3, {2, 1}}, {5, {4, 2, 1}}, {17, {16, 8, 4, 2, 1}}};
        for (const auto& [aantal, verwacht] : gevallen) {
            TDeelnemerLijst lijst;
            Voeg(lijst, 0, -1, 2); // another bracket's participant does not count
            for (int i = 0; i < aantal; ++i)
                Voeg(lijst, 0, -1, 1);
            ScriptedMessages berichten;
            const TKnockout knockout(lijst, 1, TKnockout::Leeg);
            QCOMPARE(knockout.Aantal(), aantal);
            QCOMPARE(knockout.AantalRondes(), verwacht.size());
            for (int r = 0; r < verwacht.size(); ++r) {
                QCOMPARE(knockout.AantalWedstrijden(r), verwacht[r]);
                for (int m = 0; m < verwacht[r]; ++m) {
                    const TKnockoutWedstrijd* w = knockout.Wedstrijd(r, m);
                    QVERIFY(w->Volgende() == knockout.Wedstrijd(r + 1, m / 2));
                    QVERIFY(!w->Volgende() || w->VolgendePlek() == m % 2);
                }
            }
            const int m1 = verwacht.value(0);
            QVERIFY((m1 == 0 || knockout.Wijziger(m1 - 1, 1)) && !knockout.Wijziger(m1, 0));
            QVERIFY(!knockout.Wedstrijd(0, verwacht.value(0)) && !knockout.Wedstrijd(-1, 0));
            QCOMPARE(knockout.AantalWedstrijden(verwacht.size()), 0);
            QVERIFY(berichten->calls().isEmpty());
        }
    }

    void everyRoundIsTitledByItsNumberTheFinalToo() {
        QCOMPARE(TKnockout::RondeTitel(0), QStringLiteral("Ronde 1"));
        QCOMPARE(TKnockout::RondeTitel(2), QStringLiteral("Ronde 3")); // the final of 8
    }

    void emptyBracketDrawsNothing() {
        ScriptedMessages berichten;
        ScriptedRandom random;
        TDeelnemerLijst lijst = Poules(3, 2, 2); // nobody in the losers' round
        for (int indeling : {0, 1})
            QCOMPARE(TKnockout(lijst, 2, indeling).AantalRondes(), 0);
        QVERIFY(berichten->calls().isEmpty() && random->asked.empty());
    }

    void seededDrawWorkedExamples() {
        ScriptedMessages berichten;
        TDeelnemerLijst vier = Poules(4, 2, 2);
        std::reverse(vier.begin(), vier.end()); // list order does not matter
        const TKnockout a(vier, 1, TKnockout::VolgensPoules);
        QCOMPARE(EersteRonde(a), (QStringList{"1p1 v 2p4", "1p3 v 2p2", "1p2 v 2p3", "1p4 v 2p1"}));

        TDeelnemerLijst drie = Poules(3, 4, 2);
        const TKnockout b(drie, 1, TKnockout::VolgensPoules);
        QCOMPARE(EersteRonde(b), (QStringList{"1p1 bye", "1p3 v 2p2", "1p2 bye", "2p1 v 2p3"}));
        QCOMPARE(Naam(b.Wedstrijd(1, 1)->DeelnemerBoven()), QStringLiteral("1p2"));
        QCOMPARE(b.Wijziger(3, 1)->Bijschrift(), QStringLiteral("2p3"));
        QVERIFY(TKnockout(drie, 2, TKnockout::VolgensPoules).IsVolledig());

        // A single pool meets itself without complaint.
        TDeelnemerLijst een = Poules(1, 6, 6);
        const TKnockout c(een, 1, TKnockout::VolgensPoules);
        QCOMPARE(EersteRonde(c), (QStringList{"1p1 bye", "4p1 v 5p1", "2p1 bye", "3p1 v 6p1"}));
        QVERIFY(berichten->calls().isEmpty());
        QCOMPARE(Verbanden(vier, a) + Verbanden(drie, b) + Verbanden(een, c), QString());
    }

    void singleParticipantEitherDraw() {
        for (int indeling : {0, 1}) {
            TDeelnemerLijst lijst;
            Voeg(lijst, 0, -1, 2);
            TDeelnemer& enige = Voeg(lijst, indeling, 3, 1);
            ScriptedMessages berichten;
            const TKnockout knockout(lijst, 1, indeling);
            const TKnockoutWedstrijd* w = knockout.Wedstrijd(0, 0);
            QCOMPARE(knockout.AantalRondes(), 1);
            QVERIFY(w->DeelnemerBoven() == &enige && w->Bye() && enige.Wedstrijd == w);
            QVERIFY(berichten->calls().isEmpty());
        }
    }

    void randomDrawPlacesByesInSpreadOrder() {
        TDeelnemerLijst lijst;
        for (int i = 0; i < 5; ++i)
            Voeg(lijst, 0, -1, 1);
        ScriptedRandom random;
        // Starts 3, 3 (taken: on to d4), 0, 1, and 3 again: everything from
        // there on is taken, so the scan turns back and finds d2.
        random->queue({3, 3, 0, 1, 3});
        const TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
        QCOMPARE(EersteRonde(knockout), (QStringList{"d3 bye", "d0 bye", "d4 bye", "d1 v d2"}));
        QCOMPARE(random->asked, (std::deque<int>{4, 4, 4, 4, 4}));
        QCOMPARE(Verbanden(lijst, knockout), QString());
    }

    // The draw tells nobody; whoever asked for it shows the bracket's message.
    void impossibleDivisionKeepsThePartialDraw() {
        // Five of pool 1 cannot be kept apart in four matches, in either bracket.
        TDeelnemerLijst lijst = Poules(1, 8, 5);
        Voeg(lijst, 2, 1, 1);
        Voeg(lijst, 2, 2, 2);
        Voeg(lijst, 1, 1, 2); // positions doubled within the pool are found too
        Voeg(lijst, 1, 2, 2);
        ScriptedMessages berichten;
        const TKnockout winnaars(lijst, 1, TKnockout::VolgensPoules);
        const TKnockout verliezers(lijst, 2, TKnockout::VolgensPoules);

        const QString tekst = QStringLiteral(
            "Het programma is niet in staat een verdeling te maken in de %1.U kunt de knockout "
            "handmatig verder indelen of u moet een ander aantal deelnemers naar de "
            "winnaarsronde sturen. \n\rZie de help voor meer informatie over probleemgevallen "
            "als deze.");
        QVERIFY(berichten->calls().isEmpty());
        QCOMPARE(TKnockout::MeldingOnvolledig(1), tekst.arg(QStringLiteral("winnaarsronde")));
        QCOMPARE(TKnockout::MeldingOnvolledig(2), tekst.arg(QStringLiteral("verliezersronde")));
        for (const TKnockout* knockout : {&winnaars, &verliezers}) {
            QVERIFY(!knockout->IsVolledig());
            QCOMPARE(Verbanden(lijst, *knockout), QString());
            QCOMPARE(Regels(Nummers(lijst, *knockout)),
                     Regels(OrakelVolgensPoules(lijst, knockout->KnockoutNr()).wedstrijden));
            for (int i = 0; i < knockout->AantalWedstrijden(0); ++i) {
                const TKnockoutWedstrijd* w = knockout->Wedstrijd(0, i);
                QVERIFY(!w->DeelnemerBoven() || !w->DeelnemerOnder() ||
                        w->DeelnemerBoven()->Poule != w->DeelnemerOnder()->Poule);
            }
        }
    }

    void unreachablePoolNumbersEndQuickly() {
        // Pool numbers far beyond the others, or below 1: the draw neither
        // walks through every pool number nor places what it cannot find.
        for (int poule : {2'000'000'000, -4}) {
            TDeelnemerLijst lijst = Poules(24, 4, 4);
            Voeg(lijst, poule, 1, 1);
            Voeg(lijst, poule, 2, 1);
            ScriptedMessages berichten;
            const TKnockout knockout(lijst, 1, TKnockout::VolgensPoules);
            QCOMPARE(Verbanden(lijst, knockout), QString());
            QVERIFY(berichten->calls().isEmpty());
            QVERIFY(poule > 0 || !knockout.IsVolledig());
        }
    }

    void loaderBracketStartsEmptyAndUnchanged() {
        TDeelnemerLijst lijst = Poules(4, 4, 2);
        for (int indeling : {2, 7}) {
            TKnockout knockout(lijst, 1, indeling);
            QVERIFY(!knockout.IsVolledig() && !knockout.Wedstrijd(0, 0)->DeelnemerBoven());
            knockout.Wedstrijd(0, 0)->ZetDeelnemerBoven(lijst[0].get());
            knockout.Wedstrijd(0, 0)->ZetBye(true);
            QVERIFY(knockout.Wedstrijd(1, 0)->DeelnemerBoven() == lijst[0].get());
        }
    }

    void poolOrders() {
        QList<int> orde5;
        for (int b = 1; b <= 5; ++b)
            orde5 << int(TKnockout::PouleInVolgorde(5, 5, b));
        QCOMPARE(orde5, (QList<int>{1, 3, 5, 4, 2}));
        for (int p = 1; p <= 70; ++p) {
            for (int orde = 1; orde <= 6; ++orde) {
                const std::vector<int> tabel = OrakelPouletabel(orde, p);
                for (int b = 1; b <= p; ++b) {
                    QCOMPARE(TKnockout::PouleInVolgorde(orde, p, b), std::int64_t{tabel[b - 1]});
                    QCOMPARE(TKnockout::PlaatsInVolgorde(orde, p, tabel[b - 1]), std::int64_t{b});
                }
            }
        }
        const std::int64_t groot = 2'000'000'001;
        for (int orde = 1; orde <= 6; ++orde) {
            for (std::int64_t b : {std::int64_t{2}, groot / 2, groot})
                QCOMPARE(TKnockout::PlaatsInVolgorde(orde, groot,
                                                     TKnockout::PouleInVolgorde(orde, groot, b)),
                         b);
        }
    }
};

QTEST_GUILESS_MAIN(KnockoutBracketTest)
#include "test_knockout_bracket.moc"
