#include "model/Deelnemer.h"
#include "model/KnockoutWedstrijd.h"
#include "support/ScriptedMessageService.h"

#include <QtTest>

namespace {

// a and b feed c; c and d feed the final, as a bracket links them.
struct Pad {
    int gewijzigd = 0;
    TKnockoutWedstrijd a{[this] { ++gewijzigd; }}, b{[this] { ++gewijzigd; }},
        c{[this] { ++gewijzigd; }}, d{[this] { ++gewijzigd; }}, finale{[this] { ++gewijzigd; }};
    Pad() {
        a.ZetVolgende(&c, 0);
        b.ZetVolgende(&c, 1);
        c.ZetVolgende(&finale, 0);
        d.ZetVolgende(&finale, 1);
    }
};

} // namespace

class KnockoutMatchTest : public QObject {
    Q_OBJECT

    TDeelnemer anna{QStringLiteral("Anna"), QStringLiteral("de Vries")};
    TDeelnemer bram{QStringLiteral("Bram"), QStringLiteral("Jansen")};
    TDeelnemer carla{QStringLiteral("Carla"), QStringLiteral("Smit")};
    TDeelnemer dirk{QStringLiteral("Dirk"), QString()};

    void Vul(Pad& pad) {
        pad.a.ZetDeelnemerBoven(&anna);
        pad.a.ZetDeelnemerOnder(&bram);
        pad.b.ZetDeelnemerBoven(&carla);
        pad.b.ZetDeelnemerOnder(&dirk);
    }

private Q_SLOTS:
    void linesStateAndWinner() {
        TKnockoutWedstrijd w;
        QCOMPARE(w.Tekst(), QStringLiteral("n.o.\r\nn.o."));
        QVERIFY(!w.IsCompleet() && !w.IsSpeelbaar() && !w.Winnaar());
        w.ZetDeelnemerBoven(&anna);
        QVERIFY(!w.IsCompleet());
        w.ZetDeelnemerOnder(&dirk);
        QCOMPARE(w.Tekst(), QStringLiteral("Anna de Vries\r\nDirk"));
        QVERIFY(w.IsCompleet() && w.IsSpeelbaar() && !w.Winnaar());

        w.ZetEindstand(3, 1);
        QCOMPARE(w.Tekst(), QStringLiteral("3: Anna de Vries\r\n1: Dirk"));
        QVERIFY(w.Winnaar() == &anna);
        w.ZetEindstand(0, 3);
        QVERIFY(w.Winnaar() == &dirk);
        w.ZetEindstand(2, 2); // only from a file: the lower participant goes on
        QVERIFY(w.Winnaar() == &dirk);
    }

    void resultsRunAlongThePathAndClearIt() {
        Pad pad;
        Vul(pad);
        pad.a.ZetEindstand(3, 1);
        pad.b.ZetEindstand(0, 2);
        QVERIFY(pad.c.DeelnemerBoven() == &anna && pad.c.DeelnemerOnder() == &dirk);
        pad.c.ZetEindstand(5, 4);
        pad.finale.ZetEindstand(1, 0);

        pad.a.ZetEindstand(1, 3);
        QVERIFY(pad.c.DeelnemerBoven() == &bram && pad.c.DeelnemerOnder() == &dirk);
        QCOMPARE(pad.c.ScoreBoven(), -1);
        QCOMPARE(pad.finale.Regel(0), QStringLiteral("n.o."));
        QCOMPARE(pad.finale.ScoreBoven(), -1);

        pad.c.ZetEindstand(2, 1);
        pad.b.ZetEindstand(-1, -1);
        QCOMPARE(pad.c.Regel(1), QStringLiteral("n.o."));
        QCOMPARE(pad.c.ScoreBoven(), -1);
        QVERIFY(!pad.finale.DeelnemerBoven());

        // Entering the same result again hands the same winner on, which
        // still clears the next match's result.
        pad.b.ZetEindstand(0, 2);
        pad.c.ZetEindstand(2, 1);
        pad.gewijzigd = 0;
        pad.a.ZetEindstand(1, 3);
        QVERIFY(pad.c.DeelnemerBoven() == &bram);
        QCOMPARE(pad.c.ScoreBoven(), -1);
        QCOMPARE(pad.gewijzigd, 2); // c loses its result, the final its participant
    }

    void modifiedOnlyWhenSomethingDiffers() {
        int gewijzigd = 0;
        TKnockoutWedstrijd w([&gewijzigd] { ++gewijzigd; });
        w.ZetDeelnemerBoven(nullptr);
        w.ZetEindstand(-1, -1);
        w.ZetDeelnemerBoven(&anna);
        w.ZetDeelnemerBoven(&anna);
        w.ZetDeelnemerOnder(&bram);
        w.ZetDeelnemerOnder(&bram);
        w.ZetEindstand(3, 1);
        w.ZetEindstand(3, 1);
        QCOMPARE(gewijzigd, 3);
        w.ZetEindstand(3, 2);
        QCOMPARE(gewijzigd, 4);
        // The same participant into a played match clears its result.
        w.ZetDeelnemerOnder(&bram);
        QCOMPARE(gewijzigd, 5);
        QVERIFY(w.ScoreBoven() == -1 && w.ScoreOnder() == -1);
    }

    void byesHandTheirParticipantOnAndIgnoreScores() {
        Pad pad;
        Vul(pad);
        pad.a.ZetEindstand(2, 1);
        pad.b.ZetEindstand(0, 1);
        pad.c.ZetEindstand(4, 0);
        pad.gewijzigd = 0;
        pad.d.ZetBye(true); // not a change by itself, and nothing to hand on
        QCOMPARE(pad.gewijzigd, 0);

        pad.b.ZetBye(true);
        QCOMPARE(pad.b.Tekst(), QStringLiteral("Carla Smit\r\nbye"));
        QVERIFY(pad.b.IsCompleet() && !pad.b.IsSpeelbaar() && pad.b.Winnaar() == &carla);
        QVERIFY(pad.b.ScoreBoven() == -1 && !pad.b.DeelnemerOnder());
        QVERIFY(pad.c.DeelnemerOnder() == &carla);
        QCOMPARE(pad.c.ScoreBoven(), -1);
        QVERIFY(pad.gewijzigd > 0);

        pad.gewijzigd = 0;
        pad.b.ZetEindstand(3, 1);
        pad.b.ZetDeelnemerOnder(&dirk);
        QVERIFY(pad.b.ScoreBoven() == -1 && !pad.b.DeelnemerOnder());
        QCOMPARE(pad.gewijzigd, 0);
        pad.b.ZetDeelnemerBoven(&dirk); // keeps the bye
        QVERIFY(pad.b.Bye() && pad.c.DeelnemerOnder() == &dirk);
        pad.b.ZetBye(false);
        QVERIFY(!pad.c.DeelnemerOnder());

        TKnockoutWedstrijd alleenOnder;
        alleenOnder.ZetDeelnemerOnder(&bram);
        alleenOnder.ZetBye(true);
        QVERIFY(alleenOnder.DeelnemerBoven() == &bram && !alleenOnder.DeelnemerOnder());
    }

    void linkingHandsTheWinnerOnAndTellsTheObserver() {
        TKnockoutWedstrijd w;
        TKnockoutWedstrijd volgende;
        QStringList gezien;
        volgende.ZetWaarnemer([&] { gezien << volgende.Regel(0) + u'|' + volgende.Regel(1); });
        w.ZetDeelnemerBoven(&anna);
        w.ZetBye(true);
        QVERIFY(gezien.isEmpty());
        w.ZetVolgende(&volgende, 7); // any slot but 0 is the lower one
        QCOMPARE(gezien, QStringList{QStringLiteral("n.o.|Anna de Vries")});
    }

    void enteringAScoreAsksWhenTheNextMatchHasAResult() {
        ScriptedMessages berichten;
        Pad pad;
        int getoond = 0;
        auto dialoog = [&getoond](TKnockoutWedstrijd& w) {
            ++getoond;
            w.ZetEindstand(3, 0);
        };
        pad.a.ZetDeelnemerBoven(&anna);
        pad.a.VoerEindstandIn(dialoog); // not playable
        pad.a.ZetBye(true);
        pad.a.VoerEindstandIn(dialoog); // a bye is never played
        QCOMPARE(getoond, 0);

        pad.a.ZetBye(false);
        Vul(pad);
        pad.a.VoerEindstandIn(dialoog);
        pad.b.VoerEindstandIn(dialoog);
        QCOMPARE(getoond, 2);
        QVERIFY(berichten->calls().isEmpty());

        pad.c.ZetEindstand(1, 0);
        berichten->queueAnswer(Answer::No);
        pad.a.VoerEindstandIn(dialoog);
        QVERIFY(getoond == 2 && pad.c.ScoreBoven() == 1);
        berichten->queueAnswer(Answer::Yes);
        pad.a.VoerEindstandIn(dialoog);
        QVERIFY(getoond == 3 && pad.c.ScoreBoven() == -1);

        QCOMPARE(berichten->calls().size(), 2);
        QCOMPARE(berichten->calls()[0].buttons, Buttons::YesNo);
        QCOMPARE(berichten->calls()[0].text,
                 QStringLiteral("Het wijzigen van deze eindstand verandert het verdere verloop van "
                                "de knockout.\n\r\n\rWilt u toch doorgaan?"));
    }
};

QTEST_GUILESS_MAIN(KnockoutMatchTest)
#include "test_knockout_match.moc"
