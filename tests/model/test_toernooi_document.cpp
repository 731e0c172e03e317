#include <QSignalSpy>
#include <QTest>

#include "model/Knockout.h"
#include "model/ToernooiDocument.h"
#include "support/KnockoutTestHulp.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedRandomSource.h"

#include <functional>
#include <utility>

using Deelnemerslijst::TNamen;
using Stap = TToernooiDocument::TStap;

namespace {

TNamen Namen(int aantal) {
    TNamen namen;
    for (int i = 0; i < aantal; ++i)
        namen.push_back(
            {QStringLiteral("Voor%1").arg(i, 2, 10, QChar(u'0')), QStringLiteral("Achter")});
    return namen;
}

// A tournament in the knockout stage: 4 pools of 4 with every position
// entered, both brackets seeded, the winners' first round played.
void KnockoutToernooi(TToernooiDocument& document) {
    document.ZetNamen(Namen(16), QStringLiteral("namen"));
    Stap stap(document, QStringLiteral("opbouw"));
    document.ZetDeelnemers(KnockoutTestHulp::Poules(4, 4, 2));
    document.ZetProgrammastatus(psKnockout);
    document.BouwKnockouts(TKnockout::VolgensPoules);
    TKnockout& winnaars = *document.WinnaarsKnockout();
    for (int m = 0; m < winnaars.AantalWedstrijden(0); ++m)
        winnaars.Wedstrijd(0, m)->ZetEindstand(3, 1);
    winnaars.Wedstrijd(1, 0)->ZetEindstand(2, 0);
}

} // namespace

class ToernooiDocumentTest : public QObject {
    Q_OBJECT

private:
    // Runs one step, then checks that undo brings back exactly the bytes of
    // before (the tournament file and the names) and redo those of after.
    static void HeenEnTerug(TToernooiDocument& document, const QString& omschrijving,
                            const std::function<void()>& wijziging) {
        const QByteArray voor = document.Herstelbestand();
        const int stappen = document.KanOngedaanMaken() ? 1 : 0;
        wijziging();
        const QByteArray na = document.Herstelbestand();
        QVERIFY2(na != voor, qPrintable(omschrijving));
        QVERIFY(document.KanOngedaanMaken() || stappen);
        QCOMPARE(document.OngedaanMakenOmschrijving(), omschrijving);
        document.MaakOngedaan();
        QCOMPARE(document.Herstelbestand(), voor);
        QCOMPARE(document.OpnieuwOmschrijving(), omschrijving);
        document.Opnieuw();
        QCOMPARE(document.Herstelbestand(), na);
    }

private Q_SLOTS:
    void everyKindOfPoolStepIsUndoneAndRedoneExactly() {
        ScriptedRandom toeval;
        TToernooiDocument document;
        HeenEnTerug(document, "namen", [&] { document.ZetNamen(Namen(3), "namen"); });
        HeenEnTerug(document, "leeg", [&] { document.ZetNamen({}, "leeg"); });
        document.ZetNamen(Namen(12), "namen");
        HeenEnTerug(document, "poule-indeling",
                    [&] { document.StartPoules(TPouleIndeling(4, 3, 0, 0)); });
        QCOMPARE(document.Programmastatus(), psPoules);
        // Undo and redo replace the list: it is looked up anew every time.
        auto lid = [&](int i) {
            return std::as_const(document).Deelnemers()[std::size_t(i)].get();
        };
        // A position is a change of the pools: whoever shows them must hear it.
        QSignalSpy poules(&document, &TToernooiDocument::PoulesVeranderd);
        HeenEnTerug(document, "eindstand " + lid(0)->Naam(), [&] { document.ZetPositie(0, 2); });
        QCOMPARE(poules.size(), 1);
        int ander = 1;
        while (lid(ander)->Poule == lid(0)->Poule)
            ++ander;
        HeenEnTerug(document, "wissel " + lid(0)->Naam() + " en " + lid(ander)->Naam(), [&] {
            QVERIFY(document.WisselPoules(0, lid(0)->Poule, ander, lid(ander)->Poule));
        });
        HeenEnTerug(document, "late inschrijving Laat Komer",
                    [&] { document.LateInschrijving("Laat", "Komer", 3); });
        QCOMPARE(document.Namen().size(), std::size_t(13)); // the late one joins the names
        HeenEnTerug(document, "knockout-indeling", [&] {
            document.StartKnockout(KnockoutIndeling::TKeuze{true, 2});
        });
        QCOMPARE(document.Programmastatus(), psKnockout);
        HeenEnTerug(document, "eindstand", [&] { document.ZetPositie(-1, std::nullopt); });
        QCOMPARE(document.Programmastatus(), psPoules);
        HeenEnTerug(document, "direct knockout", [&] { document.StartDirecteKnockout(); });
        QCOMPARE(document.WinnaarsKnockout()->Aantal(), 13);
    }

    // A seeded draw that cannot complete a bracket tells whoever started it,
    // and the model shows nothing itself.
    void anIncompleteSeededDrawIsReported() {
        ScriptedMessages meldingen;
        TToernooiDocument document;
        TDeelnemerLijst lijst = KnockoutTestHulp::Poules(2, 4, 4);
        lijst[3]->Positie = 9; // a place the seeded draw never looks for
        document.ZetDeelnemers(std::move(lijst));
        QCOMPARE(document.BouwKnockouts(TKnockout::VolgensPoules), std::vector<int>{1});
        QCOMPARE(document.BouwKnockouts(TKnockout::LootWillekeurig), std::vector<int>());
        QVERIFY(meldingen->calls().isEmpty());
    }

    void everyKindOfKnockoutStepIsUndoneAndRedoneExactly() {
        TToernooiDocument document;
        KnockoutToernooi(document); // every match of the winners' first round played
        auto wedstrijd = [&](int ronde, int nummer) {
            return document.WinnaarsKnockout()->Wedstrijd(ronde, nummer);
        };
        // A corrected first-round score clears the result of round 2: one
        // step brings both back.
        HeenEnTerug(document, "correctie", [&] {
            Stap stap(document, "correctie");
            wedstrijd(0, 0)->ZetEindstand(0, 3);
            QCOMPARE(wedstrijd(1, 0)->ScoreBoven(), -1);
        });
        HeenEnTerug(document, "bye", [&] {
            Stap stap(document, "bye");
            document.WinnaarsKnockout()->Wijzigers()[1]->MaakBye();
        });
        HeenEnTerug(document, "n.o.", [&] {
            Stap stap(document, "n.o.");
            document.WinnaarsKnockout()->Wijzigers()[2]->WijsToe(nullptr);
        });
        HeenEnTerug(document, "deelnemer", [&] {
            Stap stap(document, "deelnemer");
            TKnockoutWedstrijdWijzig& wijziger = *document.WinnaarsKnockout()->Wijzigers()[2];
            wijziger.WijsToe(wijziger.Kandidaat(1));
        });
        // What is saved after an undo is what was saved before the step.
        const QByteArray bewaard = document.Bestand();
        {
            Stap stap(document, "uitslag");
            wedstrijd(0, 3)->ZetEindstand(0, 1);
        }
        QVERIFY(document.Bestand() != bewaard);
        document.MaakOngedaan();
        QCOMPARE(document.Bestand(), bewaard);
    }

    void aStepThatChangesNothingLeavesNoTrace() {
        TToernooiDocument document;
        QSignalSpy inhoud(&document, &TToernooiDocument::InhoudVeranderd);
        document.ZetNamen({}, "niets");
        { Stap stap(document, "leeg"); }
        QVERIFY(!document.KanOngedaanMaken());
        QVERIFY(!document.Gewijzigd());
        QCOMPARE(inhoud.count(), 0);
    }

    void modifiedFlagFollowsTheHistory() {
        TToernooiDocument document;
        document.ZetNamen(Namen(2), "a");
        document.Bewaard(QStringLiteral("/tmp/cup.txt"));
        QVERIFY(!document.Gewijzigd());
        document.ZetNamen(Namen(3), "b");
        QVERIFY(document.Gewijzigd());
        document.MaakOngedaan();
        QVERIFY(!document.Gewijzigd()); // back at the saved state
        document.MaakOngedaan();
        QVERIFY(document.Gewijzigd()); // before the saved state
        document.Opnieuw();
        QVERIFY(!document.Gewijzigd());
        document.ZetGewijzigd(true); // marked by hand, as an unchanged name is
        QVERIFY(document.Gewijzigd());
        QCOMPARE(document.Bestandsnaam(), QStringLiteral("/tmp/cup.txt"));
    }

    void newAndOpenClearTheHistoryAndAFailedOpenChangesNothing() {
        ScriptedRandom toeval;
        TToernooiDocument document;
        KnockoutToernooi(document);
        QVERIFY(document.KanOngedaanMaken());
        const QByteArray opgeslagen = document.Bestand();
        const QByteArray voor = document.Herstelbestand();

        // A damaged file: the open tournament stays, stage, history and all.
        QByteArray kapot = opgeslagen;
        kapot.replace("#Verliezersronde", "#Verliezers");
        QSignalSpy vervangen(&document, &TToernooiDocument::Vervangen);
        QVERIFY(document.Open(kapot, QStringLiteral("/tmp/kapot.txt")));
        QCOMPARE(vervangen.count(), 0);
        QCOMPARE(document.Herstelbestand(), voor);
        QCOMPARE(document.Programmastatus(), psKnockout);
        QVERIFY(document.KanOngedaanMaken());
        QVERIFY(document.Bestandsnaam().isEmpty());

        QVERIFY(!document.Open(opgeslagen, QStringLiteral("/tmp/goed.txt")));
        QVERIFY(!document.KanOngedaanMaken() && !document.KanOpnieuw());
        QVERIFY(!document.Gewijzigd());
        QCOMPARE(document.Bestand(), opgeslagen);
        QCOMPARE(document.Namen().size(), std::size_t(16)); // sorted from the list
        QCOMPARE(document.Namen().front().Voornaam, QStringLiteral("1p1"));

        document.ZetProgrammastatus(psPoules);
        document.Nieuw();
        QVERIFY(!document.KanOngedaanMaken() && !document.Gewijzigd());
        QVERIFY(document.Bestandsnaam().isEmpty() && document.Deelnemers().empty());
        QCOMPARE(document.Programmastatus(), psGeen);
    }

    void aRecoveryFileBringsBackEverythingMarkedModified() {
        ScriptedRandom toeval;
        TToernooiDocument bron;
        KnockoutToernooi(bron);
        bron.Bewaard(QStringLiteral("/tmp/cup.txt"));
        bron.ZetNamen(Namen(16), "namen"); // no change: still saved
        const QByteArray herstel = bron.Herstelbestand();
        const auto samenvatting = TToernooiDocument::Samenvatting(herstel);
        QVERIFY(samenvatting);
        QCOMPARE(samenvatting->Deelnemers, 16);
        QCOMPARE(samenvatting->Bestandsnaam, QStringLiteral("/tmp/cup.txt"));

        TToernooiDocument doel;
        QVERIFY(!doel.Herstel(herstel));
        QVERIFY(doel.Gewijzigd());
        QCOMPARE(doel.Bestandsnaam(), QStringLiteral("/tmp/cup.txt"));
        QCOMPARE(doel.Herstelbestand(), herstel);
        QCOMPARE(doel.Bestand(), bron.Bestand());

        // Half a file, or one with a stage this program does not know.
        QVERIFY(!TToernooiDocument::Samenvatting(herstel.left(herstel.size() / 2)));
        QByteArray nieuwer = herstel;
        nieuwer.replace("#Programmastatus\r\n2", "#Programmastatus\r\n7");
        QVERIFY(!TToernooiDocument::Samenvatting(nieuwer));
    }

    void historyForgetsTheOldestStepsBeyondItsLimit() {
        TToernooiDocument document;
        for (int i = 1; i <= TToernooiDocument::MaxStappen + 5; ++i)
            document.ZetNamen(Namen(i), QString::number(i));
        int stappen = 0;
        while (document.KanOngedaanMaken()) {
            document.MaakOngedaan();
            ++stappen;
        }
        QCOMPARE(stappen, TToernooiDocument::MaxStappen);
        QCOMPARE(document.Namen().size(), std::size_t(5));
    }
};

QTEST_GUILESS_MAIN(ToernooiDocumentTest)
#include "test_toernooi_document.moc"
