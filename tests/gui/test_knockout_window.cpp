#include "app/MainForm.h"
#include "knockout/InputEindstandDialog.h"
#include "knockout/KiesDeelnemerForm.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "support/KnockoutViews.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

namespace {

void vul(TDeelnemerLijst& lijst, int aantal) {
    for (int i = 0; i < aantal; ++i)
        lijst.push_back(std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i)));
}

QPoint midden(const QRect& rect) {
    return rect.center();
}

} // namespace

class KnockoutWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> hoofd;
    std::unique_ptr<ScriptedMessages> berichten;

    TKnockoutForm& venster() { return *hoofd->KnockoutForm; }
    const TKnockout& winnaars() { return *venster().WinnaarsKnockout(); }
    TKnockoutView& view() { return *WinnaarsView(venster()); }

    // A direct knockout of `aantal` participants, everyone in the winners' round.
    void bouwDirect(int aantal) {
        TDeelnemerLijst lijst;
        vul(lijst, aantal);
        for (auto& d : lijst)
            d->KnockoutNr = 1;
        hoofd->Document().ZetDeelnemers(std::move(lijst));
        hoofd->ZetProgrammastatus(psDirectKnockout);
        hoofd->Document().BouwKnockouts(TKnockout::LootWillekeurig);
        hoofd->ZetGewijzigd(false);
    }

    // Clicks the box of the match and types the score into the dialog.
    void speel(int ronde, int nummer, const QString& boven, const QString& onder) {
        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick({boven, onder}, QStringLiteral("OKBitBtn"));
        view().Klik(midden(view().WedstrijdRect(ronde, nummer)));
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(bestuurder.unexpected(), 0);
    }

private Q_SLOTS:
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
    }
    void cleanup() {
        hoofd.reset();
        QCOMPARE((*berichten)->unexpected(), 0);
        berichten.reset();
    }

    void windowLayout() {
        QCOMPARE(venster().windowTitle(), QStringLiteral("Knockout"));
        QCOMPARE(venster().y(), 315);
        QCOMPARE(venster().PageControl->tabText(0), QStringLiteral("Winnaarsronde"));
        QCOMPARE(venster().PageControl->tabText(1), QStringLiteral("Verliezersronde"));
        venster().show();
        venster().resize(600, 400);
        // The client area lies above the status bar; the print button sits in
        // the tabs' corner.
        const int hoogte = 400 - venster().StatusBar->height();
        QCOMPARE(venster().StatusBar->geometry(), QRect(0, hoogte, 600, 19));
        QCOMPARE(venster().ExcelWinnaarsRondeBitBtn->geometry(), QRect(8, hoogte - 33, 292, 25));
        QCOMPARE(venster().ExcelVerliezersrondeBitBtn->geometry(),
                 QRect(300, hoogte - 33, 292, 25));
        QCOMPARE(venster().PageControl->cornerWidget(Qt::TopRightCorner), venster().AfdrukBitBtn);
        QCOMPARE(venster().PageControl->geometry(), QRect(8, 8, 584, hoogte - 33 - 16));
        QCOMPARE(venster().ExcelWinnaarsRondeBitBtn->text(),
                 QStringLiteral("Excel (&Winnaarsronde)"));
    }

    void bracketGeometry() {
        bouwDirect(8);
        QVERIFY(venster().isVisible());
        QCOMPARE(venster().PageControl->currentIndex(), 0);
        QCOMPARE(view().size(), QSize(300 * 3 - 5, 2 * 35 + 2 * 35 * 4));
        // First round: buttons at x 75..110, boxes at 110..260.
        QCOMPARE(view().KnopRect(0, 0), QRect(75, view().MiddenY(0, 0) - 17, 35, 17));
        QCOMPARE(view().KnopRect(0, 1), QRect(75, view().MiddenY(0, 0), 35, 17));
        QCOMPARE(view().WedstrijdRect(0, 0).left(), 110);
        QCOMPARE(view().WedstrijdRect(1, 0).left(), 410);
        // Each later match sits midway between the two that feed it.
        QCOMPARE(view().MiddenY(0, 0), 35 + 35);
        QCOMPARE(view().MiddenY(1, 0), (view().MiddenY(0, 0) + view().MiddenY(0, 1)) / 2);
        QCOMPARE(view().MiddenY(2, 0), 35 + 140);
        // The losers' round is empty after a direct knockout.
        QCOMPARE(venster().VerliezersKnockout()->AantalRondes(), 0);
        QCOMPARE(VerliezersView(venster())->size(), QSize(0, 70));
    }

    void twoRoundsGiveAPaintBoxOf595() {
        bouwDirect(3);
        QCOMPARE(view().width(), 595);
        QVERIFY(!view().grab().isNull());
    }

    // A walkover from the keyboard, then a withdrawal whose next opponent is
    // not known yet: the walkover follows that opponent's result, and goes
    // again when the participant is back.
    void aWalkoverAndAWithdrawalThroughTheWindow() {
        bouwDirect(8);
        const TKnockout& k = winnaars();
        ModalDialogDriver bestuurder;
        bestuurder.then([](QWidget* dialoog) {
            QWindow* venster = dialoog->windowHandle();
            QTest::keyClick(venster, Qt::Key_F, Qt::AltModifier);
            QTest::keyClick(venster, Qt::Key_W);
            QTest::keyClick(venster, Qt::Key_L, Qt::AltModifier);
            QTest::keyClick(venster, Qt::Key_End);
            QTest::keyClick(venster, Qt::Key_Return);
        });
        view().setFocus();
        QTest::keyClick(&view(), Qt::Key_Return);
        QCOMPARE(bestuurder.pending(), 0);
        const TKnockoutWedstrijd& eerste = *k.Wedstrijd(0, 0);
        QCOMPARE(eerste.Regel(1), "w.o.: " + eerste.DeelnemerOnder()->Naam());
        const TDeelnemer* winnaar = eerste.DeelnemerBoven();
        QCOMPARE(k.Wedstrijd(1, 0)->DeelnemerBoven(), winnaar);

        // The winner withdraws before its next opponent is known.
        auto trekTerug = [&](const TDeelnemer* deelnemer, const QString& rij) {
            bestuurder.then([&, rij](QWidget* dialoog) {
                auto* kies = qobject_cast<TKiesDeelnemerForm*>(dialoog);
                const int index = static_cast<int>(
                    std::find_if(hoofd->Document().Deelnemers().begin(),
                                 hoofd->Document().Deelnemers().end(),
                                 [&](const auto& d) { return d.get() == deelnemer; }) -
                    hoofd->Document().Deelnemers().begin());
                QCOMPARE(kies->DeelnemersStringGrid->item(index, 1)->text(), rij);
                kies->DeelnemersStringGrid->selectRow(index);
                kies->OKBitBtn->click();
            });
            (*berichten)->queueAnswer(Answer::Yes);
            venster().TeruggetrokkenBitBtn->click();
            QCOMPARE(bestuurder.pending(), 0);
        };
        trekTerug(winnaar, winnaar->Naam());
        QVERIFY(winnaar->Teruggetrokken);
        QCOMPARE(k.Wedstrijd(1, 0)->ScoreBoven(), -1);
        bestuurder.fillAndClick({QStringLiteral("3"), QStringLiteral("1")},
                                QStringLiteral("OKBitBtn"));
        view().Klik(midden(view().WedstrijdRect(0, 1)));
        const TKnockoutWedstrijd& tweede = *k.Wedstrijd(1, 0);
        QCOMPARE(tweede.Afloop().Soort, TAfloop::Walkover);
        QCOMPARE(tweede.Winnaar(), k.Wedstrijd(0, 1)->DeelnemerBoven());
        QCOMPARE(view().Omschrijving({1, 0, -1}),
                 "Ronde 2, wedstrijd 1: " + winnaar->Naam() + " w.o., " + tweede.Winnaar()->Naam());

        // Back again before anything followed from it: the walkover goes.
        trekTerug(winnaar, winnaar->Naam() + " (teruggetrokken)");
        QVERIFY(!winnaar->Teruggetrokken);
        QVERIFY(tweede.IsSpeelbaar() && tweede.ScoreBoven() == -1);
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    void scoresArePlayedThroughTheDialog() {
        bouwDirect(4);
        const TKnockoutWedstrijd* eerste = winnaars().Wedstrijd(0, 0);
        speel(0, 0, QStringLiteral("3"), QStringLiteral("1"));
        QCOMPARE(eerste->ScoreBoven(), 3);
        QCOMPARE(winnaars().Wedstrijd(1, 0)->DeelnemerBoven(), eerste->DeelnemerBoven());
        QVERIFY(hoofd->Document().Gewijzigd());
        QVERIFY(hoofd->StatusBar->currentMessage().endsWith(QStringLiteral("versie 1.0")));
        speel(0, 1, QStringLiteral("0"), QStringLiteral("2"));
        speel(1, 0, QStringLiteral("1"), QStringLiteral("4"));
        QCOMPARE(winnaars().Wedstrijd(1, 0)->Winnaar(),
                 winnaars().Wedstrijd(0, 1)->DeelnemerOnder());

        // Changing an early result asks first; Yes clears the final.
        (*berichten)->queueAnswer(Answer::Yes);
        speel(0, 0, QStringLiteral("1"), QStringLiteral("3"));
        QCOMPARE((*berichten)->calls().size(), 1);
        QVERIFY((*berichten)
                    ->texts()
                    .constFirst()
                    .startsWith(QStringLiteral("Het wijzigen van deze eindstand")));
        QCOMPARE(winnaars().Wedstrijd(1, 0)->ScoreBoven(), -1);
        QCOMPARE(winnaars().Wedstrijd(1, 0)->DeelnemerBoven(), eerste->DeelnemerOnder());
    }

    void answeringNoKeepsTheResult() {
        bouwDirect(4);
        speel(0, 0, QStringLiteral("3"), QStringLiteral("1"));
        speel(0, 1, QStringLiteral("3"), QStringLiteral("1"));
        speel(1, 0, QStringLiteral("3"), QStringLiteral("1"));
        (*berichten)->queueAnswer(Answer::No);
        ModalDialogDriver bestuurder;
        view().Klik(midden(view().WedstrijdRect(0, 0)));
        QCOMPARE(bestuurder.unexpected(), 0); // no score dialog
        QCOMPARE(winnaars().Wedstrijd(1, 0)->ScoreBoven(), 3);
    }

    void onlyPlayableBoxesReact() {
        bouwDirect(3); // one bye
        ModalDialogDriver bestuurder;
        for (int nummer = 0; nummer < 2; ++nummer) {
            if (winnaars().Wedstrijd(0, nummer)->Bye())
                view().Klik(midden(view().WedstrijdRect(0, nummer)));
        }
        view().Klik(midden(view().WedstrijdRect(1, 0))); // the final, not yet complete
        view().Klik(QPoint(5, 5));
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    void onlyPlayableBoxesShowTheHand() {
        bouwDirect(3); // one bye, one playable match, an incomplete final
        for (int nummer = 0; nummer < 2; ++nummer) {
            const TKnockoutWedstrijd* wedstrijd = winnaars().Wedstrijd(0, nummer);
            QTest::mouseMove(&view(), midden(view().WedstrijdRect(0, nummer)));
            QTRY_COMPARE(view().cursor().shape(),
                         wedstrijd->IsSpeelbaar() ? Qt::PointingHandCursor : Qt::ArrowCursor);
        }
        QTest::mouseMove(&view(), midden(view().WedstrijdRect(1, 0)));
        QTRY_COMPARE(view().cursor().shape(), Qt::ArrowCursor);
    }

    void choiceButtonsMoveParticipantsByHand() {
        bouwDirect(4);
        const TKnockoutWedstrijd* wedstrijd = winnaars().Wedstrijd(0, 0);
        const TDeelnemer* onder = wedstrijd->DeelnemerOnder();
        // The lower button: row 1 is "bye".
        ModalDialogDriver bestuurder;
        bestuurder.then([](QWidget* dialoog) {
            auto* kies = qobject_cast<TKiesDeelnemerForm*>(dialoog);
            QVERIFY(kies);
            QCOMPARE(kies->DeelnemersStringGrid->item(0, 1)->text(), QStringLiteral("n.o."));
            QCOMPARE(kies->DeelnemersStringGrid->item(1, 1)->text(), QStringLiteral("bye"));
            QVERIFY(kies->DeelnemersStringGrid->isColumnHidden(0));
            kies->DeelnemersStringGrid->selectRow(1);
            kies->OKBitBtn->click();
        });
        view().Klik(midden(view().KnopRect(0, 1)));
        QVERIFY(wedstrijd->Bye());
        QVERIFY(onder->Wedstrijd == nullptr);
        QCOMPARE(winnaars().Wedstrijd(1, 0)->DeelnemerBoven(), wedstrijd->DeelnemerBoven());

        // The unplaced participant is offered to the upper button of match 2.
        bestuurder.then([onder](QWidget* dialoog) {
            auto* kies = qobject_cast<TKiesDeelnemerForm*>(dialoog);
            QCOMPARE(kies->DeelnemersStringGrid->rowCount(), 2);
            QCOMPARE(kies->DeelnemersStringGrid->item(1, 1)->text(), onder->Naam());
            kies->DeelnemersStringGrid->selectRow(1);
            kies->OKBitBtn->click();
        });
        const TDeelnemer* vorige = winnaars().Wedstrijd(0, 1)->DeelnemerBoven();
        view().Klik(midden(view().KnopRect(1, 0)));
        QCOMPARE(winnaars().Wedstrijd(0, 1)->DeelnemerBoven(), onder);
        QCOMPARE(onder->Wedstrijd, winnaars().Wedstrijd(0, 1));
        QVERIFY(vorige->Wedstrijd == nullptr);
        QCOMPARE(bestuurder.unexpected(), 0);

        // A choice that would clear a result is asked first, by the window;
        // No shows no list and changes nothing.
        hoofd->Document().ZetUitslag(1, 0, 1, 3, 1);
        (*berichten)->queueAnswer(Answer::No);
        view().Klik(midden(view().KnopRect(1, 0)));
        QCOMPARE((*berichten)->texts(),
                 QStringList{QStringLiteral("Het kiezen van een andere deelnemer verandert het "
                                            "verdere verloop van de knockout.\n\r\n\rWilt u "
                                            "toch doorgaan?")});
        QCOMPARE(winnaars().Wedstrijd(0, 1)->ScoreBoven(), 3);
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    void completeBoxesHaveTheWindowColour() {
        bouwDirect(3);
        const QImage beeld = view().grab().toImage();
        for (int nummer = 0; nummer < 2; ++nummer) {
            const TKnockoutWedstrijd* wedstrijd = winnaars().Wedstrijd(0, nummer);
            const QPoint binnen = view().WedstrijdRect(0, nummer).topRight() + QPoint(-2, 2);
            const QColor verwacht =
                view().palette().color(wedstrijd->IsCompleet() ? QPalette::Base : QPalette::Button);
            QCOMPARE(beeld.pixelColor(binnen), verwacht);
        }
        const QPoint finale = view().WedstrijdRect(1, 0).topRight() + QPoint(-2, 2);
        QCOMPARE(beeld.pixelColor(finale), view().palette().color(QPalette::Button));
    }

    void rebuildingRemovesTheOldViews() {
        bouwDirect(8);
        QPointer<TKnockoutView> oud = WinnaarsView(venster());
        hoofd->Document().BouwKnockouts(TKnockout::LootWillekeurig);
        QVERIFY(oud.isNull());
        QCOMPARE(venster().WinnaarsFrame->widget(), WinnaarsView(venster()));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(KnockoutWindowTest)
#include "test_knockout_window.moc"
