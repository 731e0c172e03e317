// The brackets and the pool tabs from the keyboard and for screen readers.
#include "app/MainForm.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "model/ToernooiDocument.h"
#include "pools/PouleControls.h"
#include "pools/PoulesForm.h"
#include "support/KnockoutViews.h"
#include "support/ModalDialogDriver.h"
#include "support/PoulesHulp.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"
#include "ui/GeschilderdeToegang.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>

namespace {

using Plaats = TKnockoutView::Plaats;

// Records the area of every paint of a widget.
class Verfteller : public QObject {
public:
    explicit Verfteller(QWidget* widget) { widget->installEventFilter(this); }
    QRegion geverfd;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            geverfd += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

class BracketKeyboardTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> hoofd;
    std::unique_ptr<ScriptedMessages> berichten;
    QStringList focusNamen; // the names the focus events carried

    TKnockoutForm& venster() { return *hoofd->KnockoutForm; }
    const TKnockout& winnaars() { return *venster().WinnaarsKnockout(); }
    // A score through the document, as the score dialog's caller gives it.
    void speel(int ronde, int nummer, int boven, int onder) {
        hoofd->Document().ZetUitslag(1, ronde, nummer, boven, onder);
    }
    TKnockoutView& view() { return *WinnaarsView(venster()); }

    // A direct knockout, everyone in the winners' round; the view has the focus.
    void bouw(const QStringList& namen) {
        TDeelnemerLijst lijst;
        for (const QString& naam : namen) {
            auto& d = lijst.emplace_back(std::make_unique<TDeelnemer>(naam, QString()));
            d->KnockoutNr = 1;
        }
        hoofd->Document().ZetDeelnemers(std::move(lijst));
        hoofd->ZetProgrammastatus(psDirectKnockout);
        hoofd->Document().BouwKnockouts(TKnockout::LootWillekeurig);
        venster().resize(900, 500);
        venster().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&venster()));
        view().setFocus(Qt::TabFocusReason);
        QVERIFY(view().hasFocus());
    }
    void bouw(int aantal) {
        QStringList namen;
        for (int i = 0; i < aantal; ++i)
            namen << QStringLiteral("Speler %1").arg(i);
        bouw(namen);
    }
    void toets(Qt::Key sleutel, Qt::KeyboardModifiers extra = {}) {
        // Right after a dialog the window may not have its focus back yet.
        QWidget* doel = QApplication::focusWidget();
        QTest::keyClick(doel ? doel : &view(), sleutel, extra);
    }

private Q_SLOTS:
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
        focusNamen.clear();
        ZetToegangLuisteraar([this](QAccessibleEvent& melding) {
            if (melding.type() == QAccessible::Focus && melding.accessibleInterface())
                focusNamen << melding.accessibleInterface()->text(QAccessible::Name);
        });
    }
    void cleanup() {
        ZetToegangLuisteraar({});
        hoofd.reset();
        QCOMPARE((*berichten)->unexpected(), 0);
        berichten.reset();
    }

    void arrowsMoveTheCursorAlongThePaths() {
        bouw(8);
        QCOMPARE(view().Cursor(), (Plaats{0, 0, -1}));
        // Each step moves as the bracket runs; Left goes back the way it came.
        const struct {
            Qt::Key toets;
            Plaats naar;
        } stappen[] = {
            {Qt::Key_Down, {0, 1, -1}},  {Qt::Key_Down, {0, 2, -1}},  {Qt::Key_Right, {1, 1, -1}},
            {Qt::Key_Right, {2, 0, -1}}, {Qt::Key_Right, {2, 0, -1}}, {Qt::Key_Left, {1, 1, -1}},
            {Qt::Key_Left, {0, 2, -1}},  {Qt::Key_Up, {0, 1, -1}},    {Qt::Key_Left, {0, 1, 0}},
            {Qt::Key_Up, {0, 0, 1}},     {Qt::Key_Up, {0, 0, 0}},     {Qt::Key_Up, {0, 0, 0}},
            {Qt::Key_Right, {0, 0, -1}}, {Qt::Key_End, {0, 3, -1}}};
        for (const auto& stap : stappen) {
            toets(stap.toets);
            QCOMPARE(view().Cursor(), stap.naar);
        }
        // Tab leaves the view for the export buttons, Shift+Tab comes back.
        toets(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), venster().ExcelWinnaarsRondeBitBtn);
        toets(Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(view().hasFocus());
        toets(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), venster().PageControl->tabBar());
    }

    void aMoveRepaintsOnlyTheTwoBoxesAndShowsTheFrame() {
        bouw(8);
        QCoreApplication::processEvents();
        Verfteller teller(&view());
        toets(Qt::Key_Down);
        QCoreApplication::processEvents();
        const QRegion beide = QRegion(view().WedstrijdRect(0, 0)) + view().WedstrijdRect(0, 1);
        QCOMPARE(teller.geverfd, beide);
        const QImage beeld = view().grab().toImage();
        const QColor focus = view().palette().color(QPalette::Highlight);
        QCOMPARE(beeld.pixelColor(view().WedstrijdRect(0, 1).topLeft() + QPoint(2, 2)), focus);
        QVERIFY(beeld.pixelColor(view().WedstrijdRect(0, 0).topLeft() + QPoint(2, 2)) != focus);
    }

    void theViewScrollsToTheCursor() {
        bouw(128);
        QScrollBar* balk = venster().WinnaarsFrame->verticalScrollBar();
        QCOMPARE(balk->value(), 0);
        toets(Qt::Key_End);
        QVERIFY(balk->value() > 0);
        const QRect zichtbaar = view().visibleRegion().boundingRect();
        QVERIFY(zichtbaar.contains(view().WedstrijdRect(0, 63)));
        QVERIFY(zichtbaar.contains(view().WedstrijdLabelRect(0, 63)));

        // A click on a box that the frame cuts off moves the cursor there
        // but scrolls nothing away under the mouse.
        balk->setValue(0);
        const int onderrand = venster().WinnaarsFrame->viewport()->height();
        int nummer = 0;
        while (view().WedstrijdRect(0, nummer).bottom() < onderrand)
            ++nummer;
        const QPoint punt(view().WedstrijdRect(0, nummer).center().x(),
                          view().WedstrijdRect(0, nummer).top() + 2);
        QTest::mousePress(&view(), Qt::LeftButton, {}, punt);
        QCOMPARE(view().Cursor(), (Plaats{0, nummer, -1}));
        QCOMPARE(balk->value(), 0);
        QTest::mouseRelease(&view(), Qt::LeftButton, {}, QPoint(3, 3));
    }

    void enterAndSpaceClick() {
        bouw(4);
        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick({QStringLiteral("2"), QStringLiteral("0")},
                                QStringLiteral("OKBitBtn"));
        toets(Qt::Key_Return);
        QCOMPARE(winnaars().Wedstrijd(0, 0)->ScoreBoven(), 2);
        toets(Qt::Key_Left); // the upper choice button: its list, cancelled
        bestuurder.then([](QWidget* dialoog) {
            QCOMPARE(dialoog->windowTitle(), QStringLiteral("Kies deelnemer"));
            dialoog->findChild<QPushButton*>(QStringLiteral("AnnuleerBitBtn"))->click();
        });
        (*berichten)->queueAnswer(Answer::Yes); // the match has a result
        toets(Qt::Key_Space);
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    void pressedChoiceButtonsLookPressed() {
        bouw(4);
        const QRect knop = view().KnopRect(1, 0);
        const QImage los = view().grab(knop).toImage();
        QTest::mouseMove(&view(), knop.center());
        const QImage zweef = view().grab(knop).toImage();
        QVERIFY(zweef != los);
        QTest::mousePress(&view(), Qt::LeftButton, {}, knop.center());
        QCOMPARE(view().Cursor(), (Plaats{0, 1, 0}));
        view().clearFocus(); // only the pressed look, not the focus frame
        QVERIFY(view().grab(knop).toImage() != zweef);
        // Released elsewhere: no click, and the button comes up again.
        QTest::mouseRelease(&view(), Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseMove(&view(), QPoint(3, 3));
        QCOMPARE(view().grab(knop).toImage(), los);
    }

    void aCutOffNameShowsInFullAsATooltip() {
        const QString lang = QStringLiteral("Alexandra Wilhelmina van Oldenbarnevelt-Zuylen");
        bouw({lang, QStringLiteral("Bo")});
        const TKnockoutWedstrijd& finale = *winnaars().Wedstrijd(0, 0);
        const QRect box = view().WedstrijdRect(0, 0);
        const QPoint boven = box.topLeft() + QPoint(20, 5);
        const QPoint onder = box.bottomLeft() + QPoint(20, -5);
        const bool langBoven = finale.DeelnemerBoven()->Naam() == lang;
        QHelpEvent tip(QEvent::ToolTip, langBoven ? boven : onder, QPoint(200, 200));
        QApplication::sendEvent(&view(), &tip);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), lang);
        QHelpEvent geenTip(QEvent::ToolTip, langBoven ? onder : boven, QPoint(200, 200));
        QApplication::sendEvent(&view(), &geenTip);
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void theWinnerStandsRightOfThePlayedFinal() {
        bouw(3); // two rounds: 595 wide until the final is decided
        QCOMPARE(view().width(), 595);
        QVERIFY(view().WinnaarTekst().isEmpty());
        speel(0, winnaars().Wedstrijd(0, 0)->Bye(), 2, 1);
        const TKnockoutWedstrijd& finale = *winnaars().Wedstrijd(1, 0);
        speel(1, 0, 0, 5);
        QCOMPARE(view().WinnaarTekst(),
                 QStringLiteral("Winnaar: ") + finale.DeelnemerOnder()->Naam());
        QVERIFY(QAccessible::queryAccessibleInterface(&view())
                    ->child(2)
                    ->text(QAccessible::Name)
                    .endsWith(QStringLiteral(". Winnaar: ") + finale.DeelnemerOnder()->Naam()));
        const QRect tekst = view().WinnaarRect();
        QCOMPARE(tekst.left(), view().WedstrijdRect(1, 0).right() + 1);
        QVERIFY(tekst.right() < view().width());
        QVERIFY(tekst.bottom() >= view().MiddenY(1, 0));
        QVERIFY(tekst.top() > view().WedstrijdRect(1, 0).top());
        // The line leaving the final runs under the caption.
        const QImage beeld = view().grab().toImage();
        QCOMPARE(beeld.pixelColor(tekst.right() - 1, view().MiddenY(1, 0)),
                 view().palette().color(QPalette::WindowText));
        // Cleared again: the caption and its line go, the width stays.
        speel(1, 0, -1, -1);
        QVERIFY(view().WinnaarTekst().isEmpty());
        QCOMPARE(view().grab().toImage().pixelColor(tekst.right() - 1, view().MiddenY(1, 0)),
                 view().palette().color(QPalette::Window));

        // A direct knockout leaves the losers' round empty, and says so.
        auto* leeg = venster().VerliezersFrame->findChild<QLabel*>(QStringLiteral("LeegLabel"));
        QCOMPARE(leeg->text(), QStringLiteral("Geen deelnemers in deze ronde"));
        QVERIFY(leeg->isVisibleTo(venster().VerliezersFrame));
        QVERIFY(!venster()
                     .WinnaarsFrame->findChild<QLabel*>(QStringLiteral("LeegLabel"))
                     ->isVisibleTo(venster().WinnaarsFrame));
    }

    void screenReadersSeeEveryMatch() {
        bouw(6); // four first-round matches, two of them byes
        QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(&view());
        QVERIFY(pane);
        QCOMPARE(pane->text(QAccessible::Name), QStringLiteral("Winnaarsronde"));
        QCOMPARE(pane->childCount(), 4 + 2 + 1 + 8);
        const int gespeeld = winnaars().Wedstrijd(0, 0)->Bye() ? 1 : 0;
        const TKnockoutWedstrijd& wedstrijd = *winnaars().Wedstrijd(0, gespeeld);
        speel(0, gespeeld, 3, 1);
        QAccessibleInterface* kind = pane->child(gespeeld);
        QCOMPARE(kind->text(QAccessible::Name),
                 QStringLiteral("Ronde 1, wedstrijd %1: %2 3, %3 1")
                     .arg(gespeeld + 1)
                     .arg(wedstrijd.DeelnemerBoven()->Naam(), wedstrijd.DeelnemerOnder()->Naam()));
        QCOMPARE(kind->role(), QAccessible::Button);
        QVERIFY(kind->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        QCOMPARE(pane->indexOfChild(kind), gespeeld);
        QCOMPARE(kind->parent(), pane);
        const QRect rect = view().WedstrijdRect(0, gespeeld);
        QCOMPARE(kind->rect(), QRect(view().mapToGlobal(rect.topLeft()), rect.size()));
        QCOMPARE(pane->childAt(kind->rect().center().x(), kind->rect().center().y()), kind);

        QAccessibleInterface* bye = pane->child(1 - gespeeld);
        QCOMPARE(bye->role(), QAccessible::StaticText);
        QVERIFY(bye->text(QAccessible::Name).endsWith(QStringLiteral(", bye")));
        QAccessibleInterface* finale = pane->child(6);
        QCOMPARE(finale->text(QAccessible::Name),
                 QStringLiteral("Ronde 3, wedstrijd 1: n.o., n.o."));
        QCOMPARE(finale->role(), QAccessible::StaticText);
        QAccessibleInterface* knop = pane->child(7 + 3);
        QCOMPARE(knop->role(), QAccessible::Button);
        QVERIFY(knop->text(QAccessible::Name)
                    .startsWith(QStringLiteral("Ronde 1, wedstrijd 2, onderste plek kiezen: ")));
        // Choosing who stands in a place has nothing to do with the score.
        QCOMPARE(pane->child(7 + 2 * gespeeld)->text(QAccessible::Name),
                 QStringLiteral("Ronde 1, wedstrijd %1, bovenste plek kiezen: %2")
                     .arg(gespeeld + 1)
                     .arg(wedstrijd.DeelnemerBoven()->Naam()));

        // Tab into the bracket: the match is announced after Qt has announced
        // the view, so the screen reader ends on the match.
        view().clearFocus();
        QCoreApplication::processEvents();
        focusNamen.clear();
        view().setFocus(Qt::TabFocusReason);
        QVERIFY(focusNamen.isEmpty());
        QTRY_COMPARE(focusNamen, QStringList{pane->focusChild()->text(QAccessible::Name)});

        // Focus follows the cursor, each move with its event.
        focusNamen.clear();
        toets(Qt::Key_Down);
        toets(Qt::Key_Right);
        QCOMPARE(focusNamen, QStringList({pane->child(1)->text(QAccessible::Name),
                                          pane->child(4)->text(QAccessible::Name)}));
        QCOMPARE(pane->focusChild(), pane->child(4));
        QVERIFY(pane->child(4)->state().focused);
        QVERIFY(!pane->child(1)->state().focused);
    }

    void thePoolTabsFromTheKeyboardAndForScreenReaders() {
        TDeelnemerLijst spelers;
        for (int i = 0; i < 9; ++i) {
            auto& d = spelers.emplace_back(
                std::make_unique<TDeelnemer>(QStringLiteral("Speler %1").arg(i), QString()));
            d->Poule = i % 3 + 1;
        }
        PoulesHulp::OpenPoules(hoofd->Document(), spelers);
        TPoulesForm& f = *hoofd->PoulesForm;
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        TPouleTabBalk* balk = f.PoulesTabControl->TabBar();
        QAccessibleInterface* lijst = QAccessible::queryAccessibleInterface(balk);
        QCOMPARE(lijst->role(), QAccessible::PageTabList);
        QCOMPARE(lijst->childCount(), 3);
        QCOMPARE(lijst->child(1)->role(), QAccessible::PageTab);
        QCOMPARE(lijst->child(1)->text(QAccessible::Name), QStringLiteral("Poule 2"));
        QVERIFY(lijst->child(0)->state().selected);

        // Ctrl+Tab and Ctrl+Shift+Tab from the grid and from a button, round the ends.
        QCOMPARE(QApplication::focusWidget(), f.DeelnemersStringGrid);
        toets(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(f.PoulesTabControl->TabIndex(), 1);
        QCOMPARE(f.DeelnemersStringGrid->item(0, 1)->text(), QStringLiteral("Speler 1"));
        f.WijzigBitBtn->setFocus();
        toets(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        toets(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.PoulesTabControl->TabIndex(), 2);
        QVERIFY(lijst->child(2)->state().selected);
        QVERIFY(!lijst->child(0)->state().selected);

        focusNamen.clear();
        balk->setFocus(Qt::TabFocusReason);
        toets(Qt::Key_Left);
        QCOMPARE(focusNamen, QStringList({QStringLiteral("Poule 3"), QStringLiteral("Poule 2")}));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(BracketKeyboardTest)
#include "test_bracket_keyboard.moc"
