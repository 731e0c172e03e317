// The pool matches as the organiser meets them in the windows: the scoring
// system chosen with the division, a whole sheet of scores typed without
// the mouse, refused games, the questions before a change that touches
// positions or played scores, and a tie settled by lot.
#include "app/MainForm.h"
#include "model/KnockoutIndeling.h"
#include "model/Poules.h"
#include "model/ToernooiDocument.h"
#include "participants/DeelnemersForm.h"
#include "pools/PouleIndelingForm.h"
#include "pools/PouleWedstrijdenPaneel.h"
#include "pools/PoulesForm.h"
#include "pools/PoulesWijzigenForm.h"
#include "pools/TellingKeuze.h"

#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedRandomSource.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

using namespace Poulewedstrijden;

Q_DECLARE_METATYPE(TTelling)

namespace {

const char* const Namen[][2] = {{"Jeffrey", "Hoffmann"}, {"Jan van der", "Berg"},
                                {"Piet", "Bakker"},      {"Fatima", "el Amrani"},
                                {"Kees", "de Vries"},    {"Anouk", "Jansen-Smit"},
                                {"Sven", "Dijkstra"},    {"Lotte", "Meijer"}};

// Types a score into the dialog's line as a user does and confirms it with Enter.
void typUitslag(QWidget* dialoog, const QString& uitslag) {
    QWidget* veld = dialoog->focusWidget();
    QTest::keyClick(veld, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(veld, uitslag);
    QTest::keyClick(veld, Qt::Key_Return);
}

} // namespace

class PoolMatchesWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> m_berichten;
    std::unique_ptr<TMainForm> hoofd;
    TPoulesForm* f = nullptr;

    ScriptedMessageService& berichten() { return **m_berichten; }
    TToernooiDocument& document() { return hoofd->Document(); }
    TPouleWedstrijdenPaneel& paneel() { return *f->WedstrijdenPaneel; }
    const TPoule& poule(int p) { return document().PouleWedstrijden().Poules[std::size_t(p - 1)]; }
    const TDeelnemer& deelnemer(int index) {
        return *std::as_const(document()).Deelnemers()[std::size_t(index)];
    }

    // `aantal` participants drawn into pools of `grootte` under `telling`.
    void start(int aantal, int grootte, const TTelling& telling = Preset(TSysteem::Badminton)) {
        for (int i = 0; i < aantal; ++i)
            document().VoegDeelnemerToe(QString::fromUtf8(Namen[i][0]),
                                        QString::fromUtf8(Namen[i][1]));
        document().StartPoules(TPouleIndeling(grootte, aantal / grootte, 0, 0), telling);
        QVERIFY(f->isVisible());
        QVERIFY(paneel().isVisible());
    }
    // Opens the score dialog of match `wedstrijd` of pool 1 with Enter.
    void voerIn(int wedstrijd, const QString& uitslag) {
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget* d) { typUitslag(d, uitslag); });
        paneel().SelecteerWedstrijd(wedstrijd);
        paneel().WedstrijdenGrid->setFocus();
        QTest::keyClick(paneel().WedstrijdenGrid, Qt::Key_Return);
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(bestuurder.unexpected(), 0);
    }
    // The positions of pool 1 as the standings give them, and as the
    // participants hold them.
    std::vector<int> standPlaatsen() {
        std::vector<int> plaatsen;
        for (const TStandRij& rij : document().PouleStand(1).Rijen)
            plaatsen.push_back(rij.Plaats);
        return plaatsen;
    }
    std::vector<int> posities() {
        std::vector<int> result;
        for (const TStandRij& rij : document().PouleStand(1).Rijen)
            result.push_back(deelnemer(rij.Deelnemer).Positie);
        return result;
    }

private Q_SLOTS:
    void init() {
        m_berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
        f = hoofd->PoulesForm;
    }
    void cleanup() {
        QCOMPARE(berichten().unexpected(), 0);
        QVERIFY(berichten().allAnswersUsed());
        hoofd.reset();
        m_berichten.reset();
    }

    // A whole sheet by keyboard: Enter opens the selected match, the score
    // is typed, Enter confirms and the next match is selected. The last
    // score fills the positions.
    void aWholePoolIsTypedFromTheKeyboard() {
        start(4, 4);
        const int aantal = static_cast<int>(poule(1).Wedstrijden.size());
        QCOMPARE(aantal, 6);
        QCOMPARE(paneel().GeselecteerdeWedstrijd(), 0);
        ModalDialogDriver bestuurder;
        for (int i = 0; i < aantal; ++i)
            bestuurder.then(
                [i](QWidget* d) { typUitslag(d, QStringLiteral("21-%1 21-19").arg(10 + i)); });
        for (int i = 0; i < aantal; ++i) {
            QCOMPARE(paneel().GeselecteerdeWedstrijd(), i);
            QCOMPARE(deelnemer(poule(1).Wedstrijden[std::size_t(i)].A).Positie, -1);
            QTest::keyClick(paneel().WedstrijdenGrid, Qt::Key_Return);
        }
        QCOMPARE(bestuurder.unexpected(), 0);
        for (int i = 0; i < aantal; ++i)
            QCOMPARE(poule(1).Wedstrijden[std::size_t(i)].Games, TGames({{21, 10 + i}, {21, 19}}));
        // No digit typed in the match list became a position.
        QVERIFY(berichten().calls().isEmpty());
        QCOMPARE(posities(), standPlaatsen());
        QCOMPARE(standPlaatsen(), std::vector<int>({1, 2, 3, 4}));
        for (int rij = 1; rij < f->RowCount(); ++rij)
            QVERIFY(f->Cel(3, rij) != QStringLiteral("n.o."));
        QVERIFY(f->KnockoutBitBtn->isEnabled());
        QCOMPARE(paneel().StandGrid->item(0, 0)->text(), QStringLiteral("1"));
    }

    // A w.o. goes in without the mouse: Alt+F and "w" choose it, Alt+V and
    // Down name the second player as the loser, Enter confirms. The match
    // list shows it, and a withdrawal from the window gives away the
    // withdrawn player's matches still to come.
    void aWalkoverAndAWithdrawalFromTheKeyboard() {
        start(4, 4);
        ModalDialogDriver bestuurder;
        bestuurder.then([](QWidget* d) {
            // The shortcuts answer in the active window only.
            d->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d));
            QTest::keyClick(d, Qt::Key_F, Qt::AltModifier);
            QTest::keyClicks(d->focusWidget(), QStringLiteral("w"));
            QTest::keyClick(d, Qt::Key_V, Qt::AltModifier);
            QTest::keyClick(d->focusWidget(), Qt::Key_Down);
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        });
        paneel().WedstrijdenGrid->setFocus();
        QTest::keyClick(paneel().WedstrijdenGrid, Qt::Key_Return);
        QCOMPARE(bestuurder.unexpected(), 0);
        const TPouleWedstrijd& wo = poule(1).Wedstrijden[0];
        QCOMPARE(wo.Afloop, TAfloop::Walkover);
        QCOMPARE(wo.AfloopVerliezer(), wo.B);
        QVERIFY(wo.Games.empty());
        QVERIFY(paneel().WedstrijdenGrid->item(0, 3)->text().startsWith(QStringLiteral("w.o.")));
        QCOMPARE(paneel().GeselecteerdeWedstrijd(), 1);

        const int terug = poule(1).Wedstrijden[1].A;
        for (int rij = 1; rij < f->RowCount(); ++rij)
            if (f->Cel(Poules::NaamKolom, rij) == deelnemer(terug).Naam())
                f->SelecteerRij(rij);
        berichten().queueInput(QStringLiteral("1"));
        paneel().TeruggetrokkenBitBtn->click();
        QVERIFY(deelnemer(terug).Teruggetrokken);
        for (const TPouleWedstrijd& w : poule(1).Wedstrijden)
            if (w.A == terug || w.B == terug)
                QVERIFY(w.Gespeeld());
    }

    // A refused game or an unreadable line is named in a message and the
    // dialog stays open for the correction.
    void aRefusedGameKeepsTheDialogOpen_data() {
        QTest::addColumn<QString>("fout");
        QTest::addColumn<QString>("melding");
        QTest::newRow("no two points clear")
            << "21-20 21-15" << *ControleerUitslag(TSpelvorm::Badminton, {{21, 20}, {21, 15}});
        QTest::newRow("match not over")
            << "21-15" << *ControleerUitslag(TSpelvorm::Badminton, {{21, 15}});
        QString melding;
        QVERIFY(!LeesGames(QStringLiteral("21-15 21x"), &melding));
        QTest::newRow("not a game") << "21-15 21x" << melding;
    }
    void aRefusedGameKeepsTheDialogOpen() {
        QFETCH(QString, fout);
        QFETCH(QString, melding);
        start(4, 4);
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget* d) {
            typUitslag(d, fout);
            QVERIFY(d->isVisible());
            QCOMPARE(berichten().texts(), QStringList({melding}));
            QVERIFY(!poule(1).Wedstrijden[0].Gespeeld());
            typUitslag(d, QStringLiteral("21-15 21-17"));
        });
        QTest::keyClick(paneel().WedstrijdenGrid, Qt::Key_Return);
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(poule(1).Wedstrijden[0].Games, TGames({{21, 15}, {21, 17}}));
        QCOMPARE(paneel().WedstrijdenGrid->item(0, 3)->text(), QStringLiteral("21-15 21-17"));
    }

    // The division window's scoring system reaches the document through the
    // start of the pools.
    void theChosenScoringSystemReachesTheDocument_data() {
        QTest::addColumn<int>("systeem");
        QTest::addColumn<TTelling>("verwacht");
        QTest::newRow("table tennis") << 1 << Preset(TSysteem::Tafeltennis);
        TTelling punten = Preset(TSysteem::Punten);
        punten.PuntenWinst = 2;
        QTest::newRow("points, 2 for a win") << 2 << punten;
        // A custom order from the badminton preset: its first step moved
        // down one line, the third untaken.
        TTelling eigen = Preset(TSysteem::Badminton);
        eigen.Systeem = TSysteem::Eigen;
        eigen.PuntenWinst = 2;
        std::swap(eigen.Volgorde[0], eigen.Volgorde[1]);
        eigen.Volgorde.erase(eigen.Volgorde.begin() + 2);
        QTest::newRow("custom order") << 3 << eigen;
    }
    void theChosenScoringSystemReachesTheDocument() {
        QFETCH(int, systeem);
        QFETCH(TTelling, verwacht);
        for (int i = 0; i < 8; ++i)
            document().VoegDeelnemerToe(QString::fromUtf8(Namen[i][0]),
                                        QString::fromUtf8(Namen[i][1]));
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget* d) {
            TTellingKeuze* keuze = static_cast<TPouleIndelingForm*>(d)->TellingKeuze;
            keuze->SysteemComboBox->setCurrentIndex(systeem);
            keuze->WinstSpinBox->setValue(2);
            QListWidget* lijst = keuze->CriteriaLijst->Lijst;
            lijst->setCurrentRow(0);
            QTest::keyClick(lijst, Qt::Key_Down, Qt::ControlModifier);
            lijst->item(2)->setCheckState(Qt::Unchecked);
            static_cast<TPouleIndelingForm*>(d)->OKBitBtn->click();
        });
        hoofd->DeelnemersBitBtn->click();
        hoofd->DeelnemersForm->MaakPoulesBitBtn->click();
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(document().PouleWedstrijden().Telling, verwacht);
    }

    // Positions typed by hand stay unless the organiser wants them
    // recomputed after a score changes.
    void aScoreChangeAsksBeforeItOverwritesHandSetPositions_data() {
        QTest::addColumn<bool>("herberekenen");
        QTest::newRow("kept") << false;
        QTest::newRow("recomputed") << true;
    }
    void aScoreChangeAsksBeforeItOverwritesHandSetPositions() {
        QFETCH(bool, herberekenen);
        start(4, 4);
        for (int i = 0; i < 6; ++i)
            QVERIFY(document().ZetPouleUitslag(1, i, {{21, 10 + i}, {21, 19}}));
        // The winner typed in at position 4 by hand.
        f->SelecteerRij(f->RowCount() - 1);
        const int winnaar = document().PouleStand(1).Rijen.front().Deelnemer;
        f->SelecteerRij(1);
        QCOMPARE(PouleRooster::Index(f->DeelnemersStringGrid, 1), winnaar);
        QTest::keyClick(f->DeelnemersStringGrid, Qt::Key_4);
        QCOMPARE(deelnemer(winnaar).Positie, 4);
        std::vector<int> getypt;
        for (int index : Poules::Leden(document().Deelnemers(), 1))
            getypt.push_back(deelnemer(index).Positie);
        // Match 0 turned round: its loser is level on wins now.
        berichten().queueAnswer(herberekenen ? Answer::Yes : Answer::No);
        voerIn(0, QStringLiteral("10-21 10-21"));
        QCOMPARE(berichten().calls().size(), 1);
        QVERIFY(berichten().calls().front().text.contains(QStringLiteral("met de hand")));
        if (herberekenen) {
            QCOMPARE(posities(), standPlaatsen());
        } else {
            std::vector<int> nu;
            for (int index : Poules::Leden(document().Deelnemers(), 1))
                nu.push_back(deelnemer(index).Positie);
            QCOMPARE(nu, getypt);
        }
    }

    // With the knockout running, a score that would move positions asks as
    // a typed position does; one that moves none goes in without a word.
    void aScoreThatMovesPositionsAsksToEndTheKnockout_data() {
        QTest::addColumn<QString>("uitslag");
        QTest::addColumn<int>("antwoord"); // -1: no question
        QTest::addColumn<bool>("knockoutLoopt");
        QTest::newRow("same winner") << "21-11 21-19" << -1 << true;
        QTest::newRow("turned round, kept") << "10-21 10-21" << int(Answer::No) << true;
        QTest::newRow("turned round, ended") << "10-21 10-21" << int(Answer::Yes) << false;
    }
    void aScoreThatMovesPositionsAsksToEndTheKnockout() {
        QFETCH(QString, uitslag);
        QFETCH(int, antwoord);
        QFETCH(bool, knockoutLoopt);
        start(4, 4);
        for (int i = 0; i < 6; ++i)
            QVERIFY(document().ZetPouleUitslag(1, i, {{21, 10 + i}, {21, 19}}));
        document().StartKnockout(KnockoutIndeling::TKeuze{true, 2});
        QCOMPARE(document().Programmastatus(), psKnockout);
        const TGames voor = poule(1).Wedstrijden[0].Games;
        if (antwoord >= 0)
            berichten().queueAnswer(Answer(antwoord));
        voerIn(0, uitslag);
        QCOMPARE(berichten().calls().size(), antwoord >= 0 ? 1 : 0);
        if (antwoord >= 0)
            QCOMPARE(berichten().calls().front().text,
                     QStringLiteral("De knockouts zijn reeds bezig. Wilt u die beëindigen en "
                                    "terugkeren naar de poulewedstrijden?"));
        QCOMPARE(document().Programmastatus() == psKnockout, knockoutLoopt);
        const bool ingevoerd = antwoord != int(Answer::No);
        QCOMPARE(poule(1).Wedstrijden[0].Games == voor, !ingevoerd);
        QCOMPARE(posities(), standPlaatsen());
    }

    // A swap that drops played scores names them before it happens; No
    // keeps the pools and the scores.
    void aSwapNamesTheScoresItDrops() {
        start(8, 4);
        QVERIFY(document().ZetPouleUitslag(1, 0, {{21, 17}, {21, 15}}));
        const TPouleWedstrijd gespeeld = poule(1).Wedstrijden[0];
        const QString regel = deelnemer(gespeeld.A).Naam() + QStringLiteral(" - ") +
                              deelnemer(gespeeld.B).Naam() + QStringLiteral(" 21-17 21-15");
        berichten().queueAnswer(Answer::No);
        TPoulesWijzigenForm venster(document(), f);
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) {
            PouleRooster::SelecteerRij(venster.StringGridLinks,
                                       PouleRooster::ZoekRij(venster.StringGridLinks, gespeeld.A));
            venster.WisselBitBtn->click();
            venster.accept();
        });
        venster.WijzigPoules();
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(berichten().calls().size(), 1);
        QVERIFY2(berichten().calls().front().text.contains(regel),
                 qPrintable(berichten().calls().front().text));
        QCOMPARE(deelnemer(gespeeld.A).Poule, 1);
        QVERIFY(poule(1).Wedstrijden[0].Gespeeld());
    }

    // Three players in a circle with the same games and points: the rules
    // cannot part them, the window says so, and a lot settles it.
    void anOpenTieIsShownUntilALotSettlesIt() {
        start(3, 3);
        // A beats B, B beats C, C beats A, each 21-10 21-10.
        const std::vector<int> leden = Poules::Leden(document().Deelnemers(), 1);
        auto letter = [&](int index) {
            return std::find(leden.begin(), leden.end(), index) - leden.begin();
        };
        for (int i = 0; i < 3; ++i) {
            const TPouleWedstrijd& w = poule(1).Wedstrijden[std::size_t(i)];
            const bool wint = (letter(w.B) - letter(w.A) + 3) % 3 == 1;
            voerIn(i, wint ? QStringLiteral("21-10 21-10") : QStringLiteral("10-21 10-21"));
        }
        QCOMPARE(document().PouleStand(1).OpenGelijk.size(), std::size_t(1));
        QTableWidget* stand = paneel().StandGrid;
        const int beslist = stand->columnCount() - 1;
        for (int rij = 0; rij < 3; ++rij)
            QCOMPARE(stand->item(rij, beslist)->text(), QStringLiteral("gelijk"));
        QVERIFY(paneel().LotenBitBtn->isEnabled());
        QCOMPARE(deelnemer(poule(1).Wedstrijden[0].A).Positie, -1);

        ScriptedRandom lot;
        lot->queue({2, 0, 0});
        paneel().LotenBitBtn->click();
        QVERIFY(document().PouleStand(1).OpenGelijk.empty());
        for (int rij = 0; rij < 3; ++rij)
            QCOMPARE(stand->item(rij, beslist)->text(), QStringLiteral("lot"));
        QVERIFY(!paneel().LotenBitBtn->isEnabled());
        QCOMPARE(posities(), std::vector<int>({1, 2, 3}));
    }

    // A drawn tournament changes its scoring system from the pools window;
    // once a score is in, only to one with the same kind of score.
    void theScoringSystemChangesUntilAScoreIsIn() {
        start(4, 4);
        auto kies = [&](TSysteem systeem) {
            ModalDialogDriver bestuurder;
            bestuurder.then([systeem](QWidget* d) {
                d->findChild<QComboBox*>()->setCurrentIndex(int(systeem));
                d->findChild<QPushButton*>(QStringLiteral("OKBitBtn"))->click();
            });
            paneel().TellingBitBtn->click();
            QCOMPARE(bestuurder.pending(), 0);
        };
        kies(TSysteem::Tafeltennis);
        QCOMPARE(document().PouleWedstrijden().Telling, Preset(TSysteem::Tafeltennis));
        voerIn(0, QStringLiteral("11-3 11-3 11-3"));
        kies(TSysteem::Badminton);
        QCOMPARE(berichten().calls().size(), 1);
        QCOMPARE(document().PouleWedstrijden().Telling, Preset(TSysteem::Tafeltennis));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(PoolMatchesWindowTest)
#include "test_pool_matches_window.moc"
