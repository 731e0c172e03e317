#include "model/Deelnemer.h"
#include "model/KnockoutWedstrijd.h"

#include <QtTest>

namespace {

// a and b feed c; c and d feed the final, as a bracket links them.
struct Pad {
    TKnockoutWedstrijd a, b, c, d, finale;
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
        pad.a.ZetEindstand(1, 3);
        QVERIFY(pad.c.DeelnemerBoven() == &bram);
        QCOMPARE(pad.c.ScoreBoven(), -1);

        // The same participant into a played match clears its result.
        pad.c.ZetEindstand(2, 1);
        pad.c.ZetDeelnemerOnder(&dirk);
        QVERIFY(pad.c.ScoreBoven() == -1 && pad.c.ScoreOnder() == -1);
    }

    void byesHandTheirParticipantOnAndIgnoreScores() {
        Pad pad;
        Vul(pad);
        pad.a.ZetEindstand(2, 1);
        pad.b.ZetEindstand(0, 1);
        pad.c.ZetEindstand(4, 0);
        pad.d.ZetBye(true); // nothing to hand on
        QVERIFY(!pad.finale.DeelnemerOnder());

        pad.b.ZetBye(true);
        QCOMPARE(pad.b.Tekst(), QStringLiteral("Carla Smit\r\nbye"));
        QVERIFY(pad.b.IsCompleet() && !pad.b.IsSpeelbaar() && pad.b.Winnaar() == &carla);
        QVERIFY(pad.b.ScoreBoven() == -1 && !pad.b.DeelnemerOnder());
        QVERIFY(pad.c.DeelnemerOnder() == &carla);
        QCOMPARE(pad.c.ScoreBoven(), -1);

        pad.b.ZetEindstand(3, 1);
        pad.b.ZetDeelnemerOnder(&dirk);
        QVERIFY(pad.b.ScoreBoven() == -1 && !pad.b.DeelnemerOnder());
        pad.b.ZetDeelnemerBoven(&dirk); // keeps the bye
        QVERIFY(pad.b.Bye() && pad.c.DeelnemerOnder() == &dirk);
        pad.b.ZetBye(false);
        QVERIFY(!pad.c.DeelnemerOnder());

        TKnockoutWedstrijd alleenOnder;
        alleenOnder.ZetDeelnemerOnder(&bram);
        alleenOnder.ZetBye(true);
        QVERIFY(alleenOnder.DeelnemerBoven() == &bram && !alleenOnder.DeelnemerOnder());
    }

    void linkingHandsTheWinnerOn() {
        TKnockoutWedstrijd w;
        TKnockoutWedstrijd volgende;
        w.ZetDeelnemerBoven(&anna);
        w.ZetBye(true);
        QVERIFY(!volgende.DeelnemerOnder());
        w.ZetVolgende(&volgende, 7); // any slot but 0 is the lower one
        QCOMPARE(volgende.Tekst(), QStringLiteral("n.o.\r\nAnna de Vries"));
    }

    // What a new score clears: every played match further along the path,
    // nearest first, and none off it.
    void aNewScoreClearsThePlayedMatchesOnThePath() {
        Pad pad;
        Vul(pad);
        using Lijst = std::vector<const TKnockoutWedstrijd*>;
        QCOMPARE(pad.a.TeWissen(), Lijst{});
        pad.a.ZetEindstand(3, 1);
        pad.b.ZetEindstand(0, 2);
        pad.d.ZetDeelnemerBoven(&bram);
        pad.d.ZetBye(true);
        QCOMPARE(pad.a.TeWissen(), Lijst{}); // nothing later played yet
        pad.c.ZetEindstand(2, 1);
        pad.finale.ZetEindstand(0, 1);
        QCOMPARE(pad.a.TeWissen(), (Lijst{&pad.c, &pad.finale}));
        QCOMPARE(pad.c.TeWissen(), Lijst{&pad.finale});
        QCOMPARE(pad.finale.TeWissen(), Lijst{});

        // What it foretold is what a new score clears.
        const Lijst voorspeld = pad.b.TeWissen();
        pad.b.ZetEindstand(0, 2);
        for (const TKnockoutWedstrijd* w : voorspeld)
            QCOMPARE(w->ScoreBoven(), -1);
    }
};

QTEST_GUILESS_MAIN(KnockoutMatchTest)
#include "test_knockout_match.moc"
