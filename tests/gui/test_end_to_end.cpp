// A whole tournament through the real windows: names typed into the
// participant dialog, pools drawn and every position keyed in, the best two
// of each pool sent on, both brackets played to the final through the score
// dialog, and an early result changed after the final.
#include "app/MainForm.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "participants/DeelnemersForm.h"
#include "pools/PoulesForm.h"
#include "support/KnockoutViews.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QPushButton>
#include <QTableWidget>

#include <map>

class EndToEndTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> berichten;
    std::unique_ptr<TMainForm> hoofd;

    void voerDeelnemersIn(int aantal) {
        ModalDialogDriver bestuurder;
        for (int i = 1; i <= aantal; ++i)
            bestuurder.fillAndClick({QStringLiteral("Speler"), QStringLiteral("nr %1").arg(i)},
                                    QStringLiteral("OKBitBtn"));
        bestuurder.click(QStringLiteral("AnnulerenBitBtn"));
        hoofd->DeelnemersBitBtn->click();
        hoofd->DeelnemersForm->NieuwBitBtn->click();
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    void trekPoules() {
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("OKBitBtn")); // the first division: 4, 4 and 5
        hoofd->DeelnemersForm->MaakPoulesBitBtn->click();
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    // Keys in positions 1, 2, ... on the rows of every pool tab.
    void voerPositiesIn() {
        TPoulesForm& poules = *hoofd->PoulesForm;
        for (int tab = 0; tab < poules.PoulesTabControl->AantalTabs(); ++tab) {
            poules.PoulesTabControl->ZetTabIndex(tab);
            poules.PoulesTabControlChange();
            // Sorted on position, the first row without one is always the
            // row after the positions entered so far.
            for (int rij = 1; rij < poules.RowCount(); ++rij) {
                poules.SelecteerRij(rij);
                QTest::keyClick(poules.DeelnemersStringGrid, Qt::Key_0 + rij);
                QCOMPARE(poules.Cel(3, rij), QString::number(rij));
            }
        }
    }

    void stuurBesteTweeDoor() {
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("OKBitBtn")); // best 2 is the default
        hoofd->PoulesForm->KnockoutBitBtn->click();
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    // Plays every playable match, round by round, the upper participant
    // winning 3-1 except in round 1, where the lower one wins 0-2.
    void speelUit(TKnockoutView& view, const TKnockout& knockout) {
        for (int ronde = 0; ronde < knockout.AantalRondes(); ++ronde) {
            for (int nummer = 0; nummer < knockout.AantalWedstrijden(ronde); ++nummer) {
                const TKnockoutWedstrijd* wedstrijd = knockout.Wedstrijd(ronde, nummer);
                if (!wedstrijd->IsSpeelbaar()) {
                    QVERIFY(wedstrijd->Bye());
                    continue;
                }
                ModalDialogDriver bestuurder;
                const QStringList score =
                    ronde == 0 ? QStringList{"0", "2"} : QStringList{"3", "1"};
                bestuurder.fillAndClick(score, QStringLiteral("OKBitBtn"));
                view.Klik(view.WedstrijdRect(ronde, nummer).center());
                QCOMPARE(bestuurder.unexpected(), 0);
                QCOMPARE(bestuurder.pending(), 0);
                QVERIFY(wedstrijd->Winnaar() != nullptr);
            }
        }
        QVERIFY(knockout.Wedstrijd(knockout.AantalRondes() - 1, 0)->Winnaar() != nullptr);
    }

private Q_SLOTS:
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
        hoofd->show();
    }
    void cleanup() {
        hoofd.reset();
        berichten.reset();
    }

    void wholeTournament() {
        voerDeelnemersIn(13);
        QCOMPARE(hoofd->DeelnemersForm->RowCount(), 15);

        trekPoules();
        QCOMPARE(hoofd->Document().Programmastatus(), psPoules);
        QVERIFY(hoofd->PoulesForm->isVisible());
        std::map<int, int> groottes;
        for (const auto& d : hoofd->Document().Deelnemers())
            ++groottes[d->Poule];
        QCOMPARE(groottes, (std::map<int, int>{{1, 5}, {2, 4}, {3, 4}}));
        QVERIFY(!hoofd->PoulesForm->KnockoutBitBtn->isEnabled());

        voerPositiesIn();
        QVERIFY(hoofd->PoulesForm->EindstandenCompleet());
        QVERIFY(hoofd->PoulesForm->KnockoutBitBtn->isEnabled());

        stuurBesteTweeDoor();
        QCOMPARE(hoofd->Document().Programmastatus(), psKnockout);
        TKnockoutForm& knockout = *hoofd->KnockoutForm;
        QVERIFY(knockout.isVisible());
        const TKnockout& winnaars = *knockout.WinnaarsKnockout();
        const TKnockout& verliezers = *knockout.VerliezersKnockout();
        QCOMPARE(winnaars.Aantal(), 6);
        QCOMPARE(verliezers.Aantal(), 7);
        QVERIFY(winnaars.IsVolledig());
        QVERIFY(verliezers.IsVolledig());
        // Pool mates never meet in the first round.
        for (const TKnockout* k : {&winnaars, &verliezers}) {
            for (int nummer = 0; nummer < k->AantalWedstrijden(0); ++nummer) {
                const TKnockoutWedstrijd* w = k->Wedstrijd(0, nummer);
                if (!w->Bye())
                    QVERIFY(w->DeelnemerBoven()->Poule != w->DeelnemerOnder()->Poule);
            }
        }
        QVERIFY((*berichten)->calls().isEmpty());

        speelUit(*WinnaarsView(knockout), winnaars);
        speelUit(*VerliezersView(knockout), verliezers);
        QVERIFY(hoofd->Document().Gewijzigd());

        // Change a first-round result after the final: confirmed, every later
        // result on the winner's path is cleared.
        int eerste = 0;
        while (!winnaars.Wedstrijd(0, eerste)->IsSpeelbaar())
            ++eerste;
        const TKnockoutWedstrijd* gewijzigd = winnaars.Wedstrijd(0, eerste);
        (*berichten)->queueAnswer(Answer::Yes);
        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick({QStringLiteral("5"), QStringLiteral("4")},
                                QStringLiteral("OKBitBtn"));
        TKnockoutView& view = *WinnaarsView(knockout);
        view.Klik(view.WedstrijdRect(0, eerste).center());
        QCOMPARE(bestuurder.unexpected(), 0);
        QCOMPARE((*berichten)->calls().size(), 1);
        QCOMPARE(gewijzigd->Winnaar(), gewijzigd->DeelnemerBoven());
        const TKnockoutWedstrijd* volgende = gewijzigd->Volgende();
        QCOMPARE(volgende->ScoreBoven(), -1);
        for (const TKnockoutWedstrijd* verder = volgende->Volgende(); verder;
             verder = verder->Volgende()) {
            QCOMPARE(verder->ScoreBoven(), -1);
        }
        QCOMPARE(winnaars.Wedstrijd(winnaars.AantalRondes() - 1, 0)->Winnaar(), nullptr);
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(EndToEndTest)
#include "test_end_to_end.moc"
