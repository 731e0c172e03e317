#include <QSignalSpy>
#include <QTest>

#include "model/Knockout.h"
#include "model/Poules.h"
#include "model/ToernooiDocument.h"
#include "support/KnockoutTestHulp.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedRandomSource.h"

#include <array>
#include <functional>
#include <utility>

using Deelnemerslijst::TNamen;

namespace {

TNamen Namen(int aantal) {
    TNamen namen;
    for (int i = 0; i < aantal; ++i)
        namen.push_back(
            {QStringLiteral("Voor%1").arg(i, 2, 10, QChar(u'0')), QStringLiteral("Achter")});
    return namen;
}

// Six club players, drawn into two pools of three.
void StartZes(TToernooiDocument& document,
              const Poulewedstrijden::TTelling& telling =
                  Poulewedstrijden::Preset(Poulewedstrijden::TSysteem::Badminton)) {
    const QStringList voor{"Jeffrey", "Jan van der", "Anna", "Bram", "Carla", "Piet"};
    const QStringList achter{"Hoffmann", "Berg", "de Vries", "Jansen", "Smit", "Bakker"};
    TNamen namen;
    for (qsizetype i = 0; i < voor.size(); ++i)
        namen.push_back({voor[i], achter[i]});
    document.ImporteerNamen(namen);
    document.StartPoules(TPouleIndeling(3, 2, 0, 0), telling);
}

std::vector<int> Posities(const TToernooiDocument& document, int poule) {
    std::vector<int> posities;
    for (int i : Poules::Leden(document.Deelnemers(), poule))
        posities.push_back(document.Deelnemers()[std::size_t(i)]->Positie);
    return posities;
}

// Looked up anew: undo and redo replace the whole tournament.
Poulewedstrijden::TPouleWedstrijd W(const TToernooiDocument& document, int poule, int w) {
    return document.PouleWedstrijden()
        .Poules.at(std::size_t(poule - 1))
        .Wedstrijden.at(std::size_t(w));
}

// Two straight games, won by the player earlier in the list unless `om`.
Poulewedstrijden::TGames Games(const Poulewedstrijden::TPouleWedstrijd& w, bool om = false) {
    return (w.A < w.B) != om ? Poulewedstrijden::TGames{{21, 15}, {21, 17}}
                             : Poulewedstrijden::TGames{{15, 21}, {17, 21}};
}

} // namespace

class ToernooiDocumentTest : public QObject {
    Q_OBJECT

private:
    using Stap = TToernooiDocument::TStap;

    // A tournament in the knockout stage: 4 pools of 4 with every position
    // entered, both brackets seeded, the winners' first round played.
    static void KnockoutToernooi(TToernooiDocument& document) {
        document.ZetNamen(Namen(16), QStringLiteral("namen"));
        Stap stap(document, QStringLiteral("opbouw"));
        document.ZetDeelnemers(KnockoutTestHulp::Poules(4, 4, 2));
        document.ZetProgrammastatus(psKnockout);
        document.BouwKnockouts(TKnockout::VolgensPoules);
        for (int m = 0; m < document.WinnaarsKnockout()->AantalWedstrijden(0); ++m)
            document.ZetUitslag(1, 0, m, 3, 1);
        document.ZetUitslag(1, 1, 0, 2, 0);
    }

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

    // Every edit of the participant list is one step that ends a running
    // tournament; a double or empty name is refused and changes nothing.
    void participantOperationsAreStepsOfTheirOwn() {
        TToernooiDocument document;
        QSignalSpy namen(&document, &TToernooiDocument::NamenVeranderd);
        HeenEnTerug(document, "deelnemer Jeffrey Hoffmann toevoegen",
                    [&] { QCOMPARE(document.VoegDeelnemerToe("Jeffrey", "Hoffmann"), 0); });
        document.VoegDeelnemerToe("Anna", "de Vries");
        for (const auto& [voornaam, achternaam] :
             {std::pair<QString, QString>{"Anna", "de Vries"}, {"", ""}})
            QCOMPARE(document.VoegDeelnemerToe(voornaam, achternaam), -1);
        QCOMPARE(document.WijzigDeelnemer(0, "Jeffrey", "Hoffmann"), -1);
        document.ZetProgrammastatus(psPoules);
        HeenEnTerug(document, "deelnemer Anna de Vries wijzigen", [&] {
            QCOMPARE(document.WijzigDeelnemer(0, "Zoë", "Aarts"), 1);
            QCOMPARE(document.Programmastatus(), psGeen);
        });
        HeenEnTerug(document, "deelnemer Jeffrey Hoffmann verwijderen",
                    [&] { document.VerwijderDeelnemer(0); });
        HeenEnTerug(document, "importeren van 2 deelnemers", [&] {
            document.ImporteerNamen({{"Jan van der", "Berg"}, {"Émile", ""}});
        });
        QCOMPARE(document.Namen(),
                 TNamen({{"Jan van der", "Berg"}, {"Zoë", "Aarts"}, {"Émile", ""}}));
        QVERIFY(namen.count() >= 10); // every change and every undo and redo told the windows
    }

    // Club and seed go with a name through every operation, the history,
    // the file before the start and the start itself; no seed is held twice.
    void clubAndSeedFollowTheParticipant() {
        ScriptedRandom toeval;
        TToernooiDocument document;
        const TNamen begin{{"Anna", "de Vries"}, {"Jeffrey", "Hoffmann", "De Shuttle", 1}};
        document.ImporteerNamen(begin);
        QCOMPARE(document.NaamMetPlaatsing(1), 1);
        QCOMPARE(document.VoegDeelnemerToe({"Piet", "Bakker", "", 1}), -1);
        QCOMPARE(document.WijzigDeelnemer(0, {"Anna", "de Vries", "Smash", 1}), -1);
        QCOMPARE(document.WijzigDeelnemer(1, "Jeffrey", "Hofman"), 1); // name only
        QCOMPARE(document.Namen()[1],
                 (Deelnemerslijst::TNaam{"Jeffrey", "Hofman", "De Shuttle", 1}));
        document.MaakOngedaan();
        QCOMPARE(document.Namen(), begin);

        // An import fills in only what a name lacks, and no seed held.
        document.ImporteerNamen(
            {}, {{"Anna", "de Vries", "Smash", 1}, {"Jeffrey", "Hoffmann", "X", 0}});
        QCOMPARE(document.OngedaanMakenOmschrijving(),
                 QStringLiteral("aanvullen van 2 deelnemers"));
        QCOMPARE(document.Namen()[0], (Deelnemerslijst::TNaam{"Anna", "de Vries", "Smash", 0}));
        QCOMPARE(document.Namen()[1], begin[1]);

        TToernooiDocument geopend;
        QVERIFY(!geopend.Open(document.Bestand(), QStringLiteral("cup.txt")));
        QCOMPARE(geopend.Namen(), document.Namen());

        document.StartPoules(TPouleIndeling(2, 1, 0, 0));
        const auto& lijst = document.Deelnemers();
        const auto jeffrey = std::find_if(lijst.begin(), lijst.end(),
                                          [](const auto& d) { return d->Plaatsing == 1; });
        QVERIFY(jeffrey != lijst.end());
        QCOMPARE((*jeffrey)->Vereniging, QStringLiteral("De Shuttle"));
        document.LateInschrijving({"Laat", "Komer", "Velo", 1}, 1);
        QCOMPARE(lijst.back()->Vereniging, QStringLiteral("Velo"));
        QCOMPARE(lijst.back()->Plaatsing, 0);
    }

    // Saving before the start shuffles with a generator of its own: the
    // next draw gets the numbers it would have had.
    void savingBeforeTheStartLeavesTheDrawAlone() {
        ScriptedRandom toeval;
        TToernooiDocument document;
        document.ImporteerNamen(Namen(6));
        QVERIFY(document.Bestand().contains("Voor05"));
        QCOMPARE(toeval->seeds, 0);
        QVERIFY(toeval->asked.empty());
    }

    void everyKindOfKnockoutStepIsUndoneAndRedoneExactly() {
        TToernooiDocument document;
        KnockoutToernooi(document); // every match of the winners' first round played
        auto wedstrijd = [&](int ronde, int nummer) {
            return document.WinnaarsKnockout()->Wedstrijd(ronde, nummer);
        };
        // A corrected first-round score clears the result of round 2: one
        // step brings both back.
        HeenEnTerug(document, "uitslag Wedstrijd 1, Ronde 1", [&] {
            document.ZetUitslag(1, 0, 0, 0, 3);
            QCOMPARE(wedstrijd(1, 0)->ScoreBoven(), -1);
        });
        // A walkover is a step as a score is, and comes back from the file.
        HeenEnTerug(document, "uitslag Wedstrijd 3, Ronde 1", [&] {
            document.ZetAfloop(1, 0, 2, {TAfloop::Walkover, 0});
            QCOMPARE(wedstrijd(1, 1)->DeelnemerBoven(), wedstrijd(0, 2)->DeelnemerOnder());
        });
        HeenEnTerug(document, "deelnemer Wedstrijd 1, Ronde 1", [&] { document.MaakBye(1, 0); });
        HeenEnTerug(document, "deelnemer Wedstrijd 2, Ronde 1",
                    [&] { document.KiesDeelnemer(1, 1, 0, nullptr); });
        HeenEnTerug(document, "deelnemer Wedstrijd 2, Ronde 1", [&] {
            const TKnockoutWedstrijdWijzig& wijziger = *document.WinnaarsKnockout()->Wijziger(1, 0);
            document.KiesDeelnemer(1, 1, 0, wijziger.VulKeuzelijst().rijen.at(1).deelnemer);
        });
        // A participant who plays elsewhere cannot take a second slot.
        const QByteArray ervoor = document.Herstelbestand();
        document.KiesDeelnemer(1, 1, 0, wedstrijd(0, 2)->DeelnemerBoven());
        QCOMPARE(document.Herstelbestand(), ervoor);
        // What is saved after an undo is what was saved before the step.
        const QByteArray bewaard = document.Bestand();
        document.ZetUitslag(1, 0, 3, 0, 1);
        QVERIFY(document.Bestand() != bewaard);
        document.MaakOngedaan();
        QCOMPARE(document.Bestand(), bewaard);
    }

    // A score goes in as one step that asks nothing, says which later results
    // it cleared and which match changed; a score that cannot stand changes
    // nothing.
    void aScoreIsOneStepWithoutAQuestion() {
        ScriptedMessages berichten; // no answers queued: any question is a fault
        TToernooiDocument document;
        KnockoutToernooi(document);
        QSignalSpy uitslag(&document, &TToernooiDocument::UitslagIngevoerd);
        QSignalSpy gewijzigd(&document, &TToernooiDocument::KnockoutGewijzigd);
        const TKnockout& winnaars = *document.WinnaarsKnockout();
        const QByteArray voor = document.Herstelbestand();
        const std::vector<std::array<int, 4>> onmogelijk = {
            {0, 0, 2, 2}, {0, 0, -1, 3}, {0, 0, -2, -2}, {0, 9, 3, 1}, {2, 0, 3, 1}, {3, 0, 3, 1}};
        for (const auto& [ronde, nummer, boven, onder] : onmogelijk)
            QVERIFY(document.ZetUitslag(1, ronde, nummer, boven, onder).empty());
        QCOMPARE(document.Herstelbestand(), voor);

        const auto gewist = document.ZetUitslag(1, 0, 1, 0, 3);
        QCOMPARE(gewist, std::vector<const TKnockoutWedstrijd*>{winnaars.Wedstrijd(1, 0)});
        QCOMPARE(winnaars.Wedstrijd(1, 0)->ScoreBoven(), -1);
        QCOMPARE(document.OngedaanMakenOmschrijving(), "uitslag Wedstrijd 2, Ronde 1");
        QCOMPARE(uitslag.count(), 1);
        QCOMPARE(uitslag.at(0), (QList<QVariant>{1, 0, 1}));
        QCOMPARE(gewijzigd.count(), 1);
        QVERIFY(berichten->calls().isEmpty());
    }

    // A participant who arrives late takes an open bye as one step: never
    // when the bye's next match is played, nor a match that is no bye, nor
    // with a name the file could not hold.
    void aLateArrivalTakesAnOpenBye_data() {
        QTest::addColumn<int>("nummer");
        QTest::addColumn<bool>("volgendeGespeeld");
        QTest::addColumn<QString>("voornaam");
        QTest::addColumn<QString>("achternaam");
        QTest::newRow("open bye") << 0 << false << "Jeffrey"
                                  << "Hoffmann";
        QTest::newRow("next match played") << 0 << true << "Jeffrey"
                                           << "Hoffmann";
        QTest::newRow("no bye") << 3 << false << "Jeffrey"
                                << "Hoffmann";
        QTest::newRow("name taken") << 0 << false << "Voor01"
                                    << "Achter";
        QTest::newRow("named bye") << 0 << false << " bye"
                                   << "";
    }
    void aLateArrivalTakesAnOpenBye() {
        QFETCH(int, nummer);
        QFETCH(bool, volgendeGespeeld);
        QFETCH(QString, voornaam);
        QFETCH(QString, achternaam);
        ScriptedRandom toeval;
        TToernooiDocument document;
        document.ZetNamen(Namen(5), "namen");
        document.StartDirecteKnockout(); // byes in matches 0, 1 and 2
        if (volgendeGespeeld)
            document.ZetUitslag(1, 1, 0, 2, 1);
        const bool open = nummer == 0 && !volgendeGespeeld && achternaam == "Hoffmann";
        if (!open) {
            const QByteArray voor = document.Herstelbestand();
            QVERIFY(!document.LaatkomerInBye(1, nummer, voornaam, achternaam));
            QCOMPARE(document.Herstelbestand(), voor);
            return;
        }
        HeenEnTerug(document, "laatkomer Jeffrey Hoffmann in Wedstrijd 1, Ronde 1",
                    [&] { QVERIFY(document.LaatkomerInBye(1, 0, voornaam, achternaam)); });
        const TKnockoutWedstrijd& w = *document.WinnaarsKnockout()->Wedstrijd(0, 0);
        QVERIFY(w.IsSpeelbaar() && !w.Volgende()->DeelnemerBoven());
        QCOMPARE(w.DeelnemerOnder()->Naam(), "Jeffrey Hoffmann");
        QCOMPARE(w.DeelnemerOnder()->Wedstrijd, &w);
        QCOMPARE(document.Namen().size(), std::size_t(6));
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

    // The last score of a pool sets its positions as if typed; a score
    // taken back takes them back; typed positions stay until recomputed.
    void poolScoresSetThePositionsUnlessTypedByHand() {
        ScriptedRandom toeval;
        ScriptedMessages berichten;
        TToernooiDocument document;
        StartZes(document);
        QVERIFY(!document.ZetPouleUitslag(1, 0, {{21, 20}, {21, 10}}));
        QVERIFY(!document.ZetPouleUitslag(1, 3, Games(W(document, 1, 0))));
        QSignalSpy wedstrijden(&document, &TToernooiDocument::PouleWedstrijdenVeranderd);
        const std::vector<int> open{-1, -1, -1};
        const std::vector<int> klaar{1, 2, 3}; // the earlier in the list wins every match
        for (int w = 0; w < 3; ++w) {
            const auto naam = [&](int i) { return document.Deelnemers()[std::size_t(i)]->Naam(); };
            HeenEnTerug(document,
                        "uitslag poule 1: " + naam(W(document, 1, w).A) + " - " +
                            naam(W(document, 1, w).B),
                        [&] { QVERIFY(document.ZetPouleUitslag(1, w, Games(W(document, 1, w)))); });
            QCOMPARE(Posities(document, 1), w < 2 ? open : klaar);
        }
        QCOMPARE(wedstrijden.count(), 3); // undo and redo replace the whole tournament
        QCOMPARE(wedstrijden.at(0).at(0).toInt(), 1);

        // Once the knockout runs, a score that moves a position ends it.
        document.StartKnockout(KnockoutIndeling::TKeuze{true, 1});
        QCOMPARE(document.Programmastatus(), psKnockout);
        QVERIFY(document.ZetPouleUitslag(1, 1, {}));
        QCOMPARE(document.Programmastatus(), psPoules);
        QCOMPARE(Posities(document, 1), open);
        QVERIFY(document.ZetPouleUitslag(1, 1, Games(W(document, 1, 1))));

        // Typed by hand: a corrected score leaves the positions alone, unless
        // the organiser asks to recompute them.
        const int derde = Poules::Leden(document.Deelnemers(), 1)[2];
        document.ZetPositie(derde, 1);
        QVERIFY(document.PouleWedstrijden().Poules[0].PositiesHandmatig);
        const std::vector<int> getypt{1, 2, 1};
        QCOMPARE(Posities(document, 1), getypt);
        QVERIFY(document.ZetPouleUitslag(1, 0, {}));
        QCOMPARE(Posities(document, 1), getypt);
        QVERIFY(document.ZetPouleUitslag(1, 0, Games(W(document, 1, 0)), true));
        QCOMPARE(Posities(document, 1), klaar);
        QVERIFY(!document.PouleWedstrijden().Poules[0].PositiesHandmatig);
        QVERIFY(berichten->calls().isEmpty());
    }

    // Three players in a circle with the same scores: only a lot orders
    // them, drawn or set by hand, and a later score takes it back.
    void aLotOrdersATieTheRulesLeaveOpen() {
        ScriptedRandom toeval;
        TToernooiDocument document;
        StartZes(document);
        const std::vector<int> leden = Poules::Leden(document.Deelnemers(), 1);
        const std::vector<int> open{-1, -1, -1};
        for (int w = 0; w < 3; ++w) {
            // A beats B, B beats C, C beats A.
            const auto& m = W(document, 1, w);
            const bool circel =
                (m.A == leden[0] && m.B == leden[2]) || (m.A == leden[2] && m.B == leden[0]);
            document.ZetPouleUitslag(1, w, Games(m, circel));
        }
        QCOMPARE(Posities(document, 1), open);
        QVERIFY(!document.ZetLot(1, {leden[0], leden[1]})); // not the open group

        toeval->queue({1, 1});
        document.TrekLot(1);
        QCOMPARE(document.OngedaanMakenOmschrijving(), QStringLiteral("lot poule 1"));
        const std::vector<int> lot = document.PouleWedstrijden().Poules[0].Loten.at(0).Volgorde;
        for (int plaats = 1; plaats <= 3; ++plaats)
            QCOMPARE(document.Deelnemers()[std::size_t(lot[std::size_t(plaats - 1)])]->Positie,
                     plaats);

        document.MaakOngedaan();
        QVERIFY(document.ZetLot(1, {leden[2], leden[0], leden[1]}));
        QCOMPARE(Posities(document, 1), (std::vector<int>{2, 3, 1}));
        QVERIFY(document.ZetPouleUitslag(1, 0, {}));
        QVERIFY(document.PouleWedstrijden().Poules[0].Loten.empty());
        QCOMPARE(Posities(document, 1), open);
    }

    // A swap keeps the results of pairs that stay together and says which
    // go; a late registration keeps them all.
    void aSwapCarriesTheResultsOfPairsThatStay() {
        ScriptedRandom toeval;
        TToernooiDocument document;
        StartZes(document);
        for (int p = 1; p <= 2; ++p)
            for (int w = 0; w < 3; ++w)
                document.ZetPouleUitslag(p, w, Games(W(document, p, w)));
        const std::vector<int> een = Poules::Leden(document.Deelnemers(), 1);
        const std::vector<int> twee = Poules::Leden(document.Deelnemers(), 2);
        const auto vervalt = document.WisselVervalt(een[0], 1, twee[2], 2);
        QCOMPARE(vervalt.size(), std::size_t(4));
        for (const auto& w : vervalt)
            QVERIFY(w.A == een[0] || w.B == een[0] || w.A == twee[2] || w.B == twee[2]);

        QVERIFY(document.WisselPoules(een[0], 1, twee[2], 2));
        for (int p = 1; p <= 2; ++p) {
            for (const auto& w : document.PouleWedstrijden().Poules[std::size_t(p - 1)].Wedstrijden)
                QCOMPARE(w.Gespeeld(),
                         w.A != een[0] && w.B != een[0] && w.A != twee[2] && w.B != twee[2]);
            QCOMPARE(Posities(document, p), (std::vector<int>{-1, -1, -1}));
        }
        document.LateInschrijving("Laat", "Komer", 1);
        const auto& vier = document.PouleWedstrijden().Poules[0].Wedstrijden;
        QCOMPARE(vier.size(), std::size_t(6));
        QCOMPARE(
            std::count_if(vier.begin(), vier.end(), [](const auto& w) { return w.Gespeeld(); }), 1);
    }

    // The scoring system may change after the draw as long as no score
    // entered under another game rule would stand.
    void theScoringSystemChangesOnlyWhereScoresStillFit() {
        ScriptedRandom toeval;
        TToernooiDocument document;
        StartZes(document);
        using namespace Poulewedstrijden;
        QVERIFY(document.ZetTelling(Preset(TSysteem::Tafeltennis)));
        QCOMPARE(document.OngedaanMakenOmschrijving(), QStringLiteral("telling Tafeltennis"));
        QVERIFY(!document.ZetPouleUitslag(1, 0, {{21, 15}, {21, 17}}));
        QVERIFY(document.ZetPouleUitslag(1, 0, {{11, 5}, {11, 5}, {11, 5}}));
        QVERIFY(!document.ZetTelling(Preset(TSysteem::Badminton)));
        TTelling eigen = Preset(TSysteem::Tafeltennis);
        eigen.Systeem = TSysteem::Eigen;
        eigen.Volgorde = {TCriterium::Wedstrijdpunten, TCriterium::Gamesaldo};
        QVERIFY(document.ZetTelling(eigen));
        eigen.Volgorde.push_back(TCriterium::Lot);
        QVERIFY(!document.ZetTelling(eigen));
    }

    // Pool matches that cannot be read keep the open tournament until the
    // caller opens the file without them; a file without any opens
    // unmodified with its schedules.
    void aFileWithUnreadablePoolMatchesOpensOnlyWithoutThem() {
        ScriptedRandom toeval;
        TToernooiDocument bron;
        StartZes(bron);
        bron.ZetPouleUitslag(1, 0, Games(W(bron, 1, 0)));
        QByteArray bestand = bron.Bestand();
        bestand.replace("#Uitbreiding 1", "#Uitbreiding 9");

        TToernooiDocument document;
        KnockoutToernooi(document);
        const QByteArray voor = document.Herstelbestand();
        const auto fout = document.Open(bestand, QStringLiteral("/tmp/cup.txt"));
        QVERIFY(fout && fout->Soort == Toernooibestand::Leesfout::TSoort::Uitbreiding);
        QCOMPARE(document.Herstelbestand(), voor);
        QVERIFY(!document.Open(bestand, QStringLiteral("/tmp/cup.txt"), true));
        QVERIFY(!document.Gewijzigd());
        QCOMPARE(document.PouleWedstrijden().Poules.size(), std::size_t(2));
        QVERIFY(!document.PouleWedstrijden().Poules[0].Wedstrijden[0].Gespeeld());

        // Its recovery file still names its participants for the question.
        const QByteArray herstel =
            bron.Herstelbestand().replace("#Uitbreiding 1", "#Uitbreiding 9");
        QCOMPARE(TToernooiDocument::Samenvatting(herstel)->Deelnemers, 6);
        QVERIFY(document.Herstel(herstel));
        QVERIFY(!document.Herstel(herstel, true));
        QCOMPARE(document.Namen(), bron.Namen());

        // A file that skips a pool number: that pool ranks nobody.
        QVERIFY(!document.Open("#Programmastatus\r\n1\r\n#Deelnemer\r\nJan\r\nJansen\r\n2\r\n"
                               "-1\r\n0\r\n#Deelnemer\r\nPiet\r\nBakker\r\n2\r\n-1\r\n0\r\n"
                               "#Einde\r\n",
                               QStringLiteral("/tmp/gat.txt")));
        QVERIFY(document.ZetTelling(Poulewedstrijden::Preset(Poulewedstrijden::TSysteem::Punten)));
        QVERIFY(document.PouleStand(1).Rijen.empty());
    }

    // A pool of five, A to E in list order; E beats B and loses to C, then
    // withdraws. Its matches still to come (D in round 3, A in round 5) are
    // w.o.'s; everyone else plays out, the earlier letter winning but for
    // A-D and B-D. Written out from the rules:
    // - badminton voids E: A and D 2 wins, B and C 1, each pair split by its
    //   match, E last with nothing (saldo over 21-15 21-17 wins);
    // - table tennis: the w.o. gives E 0 match points and counts no points:
    //   A and D 7 (D beat A), C 6, B 5, E 3;
    // - punten: the w.o. is a 3-0 win: A and D 9 (D beat A), C 6, then B and
    //   E 3 each, where E beat B.
    void aWithdrawalAfterTwoMatchesUnderEachPreset_data() {
        QTest::addColumn<int>("systeem");
        QTest::addColumn<QString>("stand"); // letter:place:criterion:points:point balance
        QTest::newRow("badminton")
            << int(Poulewedstrijden::TSysteem::Badminton)
            << "D:1:onderling:2:10 A:2:onderling:2:10 B:3:onderling:1:-10 C:4:onderling:1:-10 "
               "E:5:vervallen:0:0";
        QTest::newRow("tafeltennis")
            << int(Poulewedstrijden::TSysteem::Tafeltennis)
            << "D:1:onderling:7:12 A:2:onderling:7:12 C:3:wedstrijdpunten:6:0 "
               "B:4:wedstrijdpunten:5:-24 E:5:wedstrijdpunten:3:0";
        QTest::newRow("punten") << int(Poulewedstrijden::TSysteem::Punten)
                                << "D:1:onderling:9:4 A:2:onderling:9:4 C:3:punten:6:0 "
                                   "E:4:onderling:3:-6 B:5:onderling:3:-2";
    }

    void aWithdrawalAfterTwoMatchesUnderEachPreset() {
        using namespace Poulewedstrijden;
        QFETCH(int, systeem);
        QFETCH(QString, stand);
        ScriptedRandom toeval;
        TToernooiDocument document;
        const QStringList voor{"Jeffrey", "Jan van der", "Anna", "Bram", "Carla"};
        const QStringList achter{"Hoffmann", "Berg", "de Vries", "Jansen", "Smit"};
        TNamen namen;
        for (qsizetype i = 0; i < voor.size(); ++i)
            namen.push_back({voor[i], achter[i]});
        document.ImporteerNamen(namen);
        const TTelling telling = Preset(TSysteem(systeem));
        document.StartPoules(TPouleIndeling(5, 1, 0, 0), telling);
        const std::vector<int> leden = Poules::Leden(document.Deelnemers(), 1);
        auto letter = [&](int i) {
            return QChar(u'A' + char16_t(std::find(leden.begin(), leden.end(), i) - leden.begin()));
        };
        const TGame winst = telling.Spelvorm == TSpelvorm::Score         ? TGame{2, 1}
                            : telling.Spelvorm == TSpelvorm::Tafeltennis ? TGame{11, 5}
                                                                         : TGame{21, 15};
        auto games = [&](bool aWint) {
            TGames g{winst};
            if (telling.Spelvorm == TSpelvorm::Badminton)
                g.push_back({21, 17});
            if (telling.Spelvorm == TSpelvorm::Tafeltennis)
                g.insert(g.end(), {{11, 7}, {11, 9}});
            if (!aWint)
                for (TGame& game : g)
                    std::swap(game.A, game.B);
            return g;
        };
        const QStringList verrassingen{"EB", "DA", "DB"}; // the later letter wins
        const int e = leden.back();
        for (int w = 0; w < 10; ++w) {
            const TPouleWedstrijd m = W(document, 1, w);
            if ((m.A == e || m.B == e) && m.Ronde > 2)
                continue;
            const QString paar = QString(letter(m.A)) + letter(m.B);
            const bool later = verrassingen.contains(paar) ||
                               verrassingen.contains(QString(paar.back()) + paar.front());
            const bool aWint = (letter(m.A) < letter(m.B)) != later;
            QVERIFY(document.ZetPouleUitslag(1, w, games(aWint)));
        }
        QVERIFY(document.ZetTeruggetrokken(e, true));
        QVERIFY(document.PouleStand(1).AllesGespeeld);
        QStringList rijen;
        for (const TStandRij& rij : document.PouleStand(1).Rijen)
            rijen << QStringLiteral("%1:%2:%3:%4:%5")
                         .arg(letter(rij.Deelnemer))
                         .arg(rij.Plaats)
                         .arg(rij.Vervallen ? QStringLiteral("vervallen")
                                            : CriteriumTekst(rij.Beslist))
                         .arg(rij.Punten)
                         .arg(rij.PuntenVoor - rij.PuntenTegen);
        QCOMPARE(rijen.join(u' '), stand);
        // The finished pool sets the positions; E's return takes back its
        // two w.o.'s and with them the positions.
        QCOMPARE(document.Deelnemers()[std::size_t(e)]->Positie, 5 - (systeem == 2));
        QVERIFY(document.ZetTeruggetrokken(e, false));
        int open = 0;
        for (const TPouleWedstrijd& m : document.PouleWedstrijden().Poules[0].Wedstrijden)
            open += m.Gespeeld() ? 0 : 1;
        QCOMPARE(open, 2);
        QCOMPARE(document.Deelnemers()[std::size_t(e)]->Positie, -1);
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
