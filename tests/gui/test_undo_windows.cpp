#include "app/MainForm.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "model/Poules.h"
#include "participants/DeelnemersForm.h"
#include "pools/PouleControls.h"
#include "pools/PoulesForm.h"
#include "support/KnockoutViews.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedRandomSource.h"
#include "support/TestMain.h"

#include <QFileInfo>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>

// Undo and redo as the organiser meets them: Ctrl+Z and Ctrl+Y in every
// window, the two buttons of the main window with the step in their
// tooltips, and the windows showing the state that came back.
class UndoWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> berichten;
    std::unique_ptr<ScriptedRandom> toeval;
    std::unique_ptr<TMainForm> hoofd;

    TToernooiDocument& document() { return hoofd->Document(); }
    static void ctrl(QWidget* venster, Qt::Key toets, bool shift = false) {
        QTest::keyClick(venster, toets,
                        shift ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    }

    void voerNamenIn(int aantal) {
        for (int i = 1; i <= aantal; ++i)
            hoofd->Document().VoegDeelnemerToe(QStringLiteral("Speler"), QString::number(i));
    }

    void start(const QString& knop) {
        ModalDialogDriver bestuurder;
        bestuurder.click(knop);
        QTest::mouseClick(hoofd->DeelnemersForm->MaakPoulesBitBtn, Qt::LeftButton);
        QCOMPARE(bestuurder.unexpected(), 0);
    }

private Q_SLOTS:
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        toeval = std::make_unique<ScriptedRandom>();
        hoofd = std::make_unique<TMainForm>();
        hoofd->show();
    }
    void cleanup() {
        hoofd.reset();
        QCOMPARE((*berichten)->unexpected(), 0);
        berichten.reset();
        toeval.reset();
    }

    void mainWindowButtonsNameTheStep() {
        QCOMPARE(hoofd->OngedaanMakenBitBtn->geometry(), QRect(128, 8, 25, 25));
        QCOMPARE(hoofd->OpnieuwBitBtn->geometry(), QRect(152, 8, 25, 25));
        QCOMPARE(hoofd->HelpBitBtn->nextInFocusChain(), hoofd->OngedaanMakenBitBtn);
        QVERIFY(!hoofd->OngedaanMakenBitBtn->isEnabled() && !hoofd->OpnieuwBitBtn->isEnabled());
        QCOMPARE(hoofd->OngedaanMakenBitBtn->toolTip(), QStringLiteral("Ongedaan maken"));

        hoofd->Document().VoegDeelnemerToe(QStringLiteral("Jan"), QStringLiteral("Jansen"));
        QCOMPARE(hoofd->OngedaanMakenBitBtn->toolTip(),
                 QStringLiteral("Ongedaan maken: deelnemer Jan Jansen toevoegen"));
        QVERIFY(document().Gewijzigd());
        QTest::mouseClick(hoofd->OngedaanMakenBitBtn, Qt::LeftButton);
        QCOMPARE(hoofd->DeelnemersForm->RowCount(), 2);
        QVERIFY(!document().Gewijzigd()); // back at the state of the start
        QCOMPARE(hoofd->OpnieuwBitBtn->toolTip(),
                 QStringLiteral("Opnieuw: deelnemer Jan Jansen toevoegen"));
        QTest::mouseClick(hoofd->OpnieuwBitBtn, Qt::LeftButton);
        QCOMPARE(hoofd->DeelnemersForm->Cel(0, 1), QStringLiteral("Jan"));
        QVERIFY(!hoofd->OpnieuwBitBtn->isEnabled());
    }

    void ctrlZAndCtrlYInTheParticipantWindow() {
        voerNamenIn(3);
        QWidget* grid = hoofd->DeelnemersForm->DeelnemersStringGrid;
        ctrl(grid, Qt::Key_Z);
        ctrl(grid, Qt::Key_Z);
        QCOMPARE(hoofd->DeelnemersForm->RowCount(), 3);
        ctrl(grid, Qt::Key_Y);
        QCOMPARE(hoofd->DeelnemersForm->RowCount(), 4);
        ctrl(grid, Qt::Key_Z, true);
        QCOMPARE(hoofd->DeelnemersForm->RowCount(), 5);
        QCOMPARE(hoofd->DeelnemersForm->StatusBar->currentMessage(),
                 QStringLiteral("3 deelnemers ingevoerd."));
    }

    // The last position completes the pools: undo takes it out of the grid
    // and disables "Knockout -->" again, redo brings both back.
    void ctrlZAndCtrlYInThePoolsWindow() {
        voerNamenIn(8);
        start(QStringLiteral("OKBitBtn")); // two pools of four
        TPoulesForm& poules = *hoofd->PoulesForm;
        QTableWidget* grid = poules.DeelnemersStringGrid;
        for (int tab = 0; tab < poules.PoulesTabControl->AantalTabs(); ++tab) {
            poules.PoulesTabControl->ZetTabIndex(tab);
            poules.PoulesTabControlChange();
            for (int rij = 1; rij < poules.RowCount(); ++rij) {
                poules.SelecteerRij(rij); // sorted: the first row without a position
                QTest::keyClick(grid, Qt::Key_0 + rij);
            }
        }
        QVERIFY(poules.KnockoutBitBtn->isEnabled());
        const QString laatste = poules.Cel(2, 4);
        QCOMPARE(hoofd->OngedaanMakenBitBtn->toolTip(),
                 QStringLiteral("Ongedaan maken: eindstand ") + laatste);
        auto positieVan = [&](const QString& naam) {
            for (int rij = 1; rij < poules.RowCount(); ++rij)
                if (poules.Cel(2, rij) == naam)
                    return poules.Cel(3, rij);
            return QStringLiteral("(weg)");
        };

        ctrl(grid, Qt::Key_Z);
        QCOMPARE(positieVan(laatste), Poules::PositieTekst(-1));
        QVERIFY(!poules.KnockoutBitBtn->isEnabled());
        QCOMPARE(poules.PoulesTabControl->TabIndex(), 1);
        ctrl(grid, Qt::Key_Y);
        QCOMPARE(positieVan(laatste), QStringLiteral("4"));
        QVERIFY(poules.KnockoutBitBtn->isEnabled());
        QVERIFY(poules.isVisible());
    }

    void ctrlZInTheKnockoutWindowAndTheCorrectionPreview() {
        voerNamenIn(4);
        start(QStringLiteral("DirectKnockoutBitBtn"));
        TKnockoutForm& knockout = *hoofd->KnockoutForm;
        QVERIFY(knockout.isVisible());
        auto speel = [&](int ronde, int nummer, const QString& boven, const QString& onder) {
            ModalDialogDriver bestuurder;
            bestuurder.fillAndClick({boven, onder}, QStringLiteral("OKBitBtn"));
            TKnockoutView& view = *WinnaarsView(knockout);
            view.Klik(view.WedstrijdRect(ronde, nummer).center());
            QCOMPARE(bestuurder.pending(), 0);
        };
        speel(0, 0, "3", "1");
        speel(0, 1, "2", "0");
        speel(1, 0, "1", "0");
        QCOMPARE(hoofd->OngedaanMakenBitBtn->toolTip(),
                 QStringLiteral("Ongedaan maken: uitslag Wedstrijd 1, Ronde 2"));

        // While the question is open the final is marked; after Yes the
        // status bar says what went.
        const TKnockoutWedstrijd* finale = knockout.WinnaarsKnockout()->Wedstrijd(1, 0);
        bool gemarkeerd = false;
        (*berichten)->onEveryCall([&](const MessageCall&) {
            gemarkeerd =
                WinnaarsView(knockout)->Gemarkeerd() == std::set<const TKnockoutWedstrijd*>{finale};
        });
        (*berichten)->queueAnswer(Answer::Yes);
        speel(0, 0, "0", "3");
        QVERIFY(gemarkeerd);
        QVERIFY(WinnaarsView(knockout)->Gemarkeerd().empty());
        QCOMPARE(finale->ScoreBoven(), -1);
        QCOMPARE(knockout.StatusBar->currentMessage(),
                 QStringLiteral("1 latere uitslag is gewist. Ctrl+Z zet hem terug."));

        ctrl(WinnaarsView(knockout), Qt::Key_Z);
        const TKnockout& terug = *knockout.WinnaarsKnockout();
        QCOMPARE(terug.Wedstrijd(1, 0)->ScoreBoven(), 1);
        QCOMPARE(terug.Wedstrijd(0, 0)->ScoreBoven(), 3);
        QVERIFY(knockout.isVisible());
        // Back before the direct knockout: its window closes.
        for (int i = 0; i < 4; ++i)
            ctrl(WinnaarsView(knockout), Qt::Key_Z);
        QCOMPARE(document().Programmastatus(), psGeen);
        QVERIFY(!knockout.isVisible() && !WinnaarsView(knockout));
    }

    // Save, new and open from the windows the user works in, not only from
    // the main window's buttons.
    void ctrlSNAndOInEveryWindow() {
        QTemporaryDir map;
        const QString bestand = map.filePath(QStringLiteral("Clubkampioenschap.txt"));
        voerNamenIn(4);
        start(QStringLiteral("DirectKnockoutBitBtn"));
        QWidget* view = WinnaarsView(*hoofd->KnockoutForm);
        const TProgrammastatus status = document().Programmastatus();
        (*berichten)->queueFileName(bestand);
        ctrl(hoofd->DeelnemersForm->DeelnemersStringGrid, Qt::Key_S);
        QVERIFY(QFileInfo::exists(bestand) && !document().Gewijzigd());

        ctrl(view, Qt::Key_N);
        QCOMPARE(document().Programmastatus(), psGeen);
        QCOMPARE(document().Deelnemers().size(), 0);
        (*berichten)->queueFileName(bestand);
        ctrl(hoofd->DeelnemersForm->DeelnemersStringGrid, Qt::Key_O);
        QCOMPARE(document().Programmastatus(), status);
        QCOMPARE(document().Deelnemers().size(), 4);
        QVERIFY((*berichten)->allAnswersUsed());
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(UndoWindowsTest)
#include "test_undo_windows.moc"
