#include "pools/PouleIndelingForm.h"
#include "pools/TellingKeuze.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

namespace {

QStringList regels(const QListWidget* lijst) {
    QStringList result;
    for (int i = 0; i < lijst->count(); ++i)
        result << lijst->item(i)->text();
    return result;
}

// Neither a division nor direct knockout: cancelled.
bool geannuleerd(const TPouleIndelingForm::TKeuze& keuze) {
    return !keuze.Indeling && !keuze.DirectKnockout;
}

// The next control that Tab moves to.
QWidget* volgendeTabStop(QWidget* widget) {
    QWidget* volgende = widget->nextInFocusChain();
    while (volgende != widget && !(volgende->focusPolicy() & Qt::TabFocus))
        volgende = volgende->nextInFocusChain();
    return volgende;
}

} // namespace

class PoolDivisionWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TPouleIndelingForm> venster;
    std::unique_ptr<ScriptedMessages> berichten;

    void zetGroottes(const QString& kleinste, const QString& grootste) {
        venster->KleinstePouleGrootteEdit->setText(kleinste);
        venster->GrootstePouleGrootteEdit->setText(grootste);
    }

private Q_SLOTS:
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        venster = std::make_unique<TPouleIndelingForm>(nullptr);
    }
    void cleanup() {
        venster.reset();
        berichten.reset();
    }

    void listsTheDivisionsAndReturnsTheChosenOne() {
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) {
            QCOMPARE(regels(venster->PouleIndelingenListBox),
                     QStringList{"(3) 2 poules van 4 en 1 poule van 5"});
            QCOMPARE(venster->StatusBar->currentMessage(),
                     QStringLiteral("1 mogelijke poule-indeling gevonden."));
            QVERIFY(venster->OKBitBtn->isEnabled());
            QCOMPARE(venster->PouleIndelingenListBox->currentRow(), 0);
            venster->OKBitBtn->click();
        });
        const TPouleIndelingForm::TKeuze keuze = venster->KiesIndeling(13);
        QVERIFY(keuze.Indeling == TPouleIndeling(4, 2, 5, 1) && !keuze.DirectKnockout);
    }

    void cancelAndDirectKnockout() {
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("AnnulerenBitBtn"));
        QVERIFY(geannuleerd(venster->KiesIndeling(20)));

        bestuurder.then([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QVERIFY(geannuleerd(venster->KiesIndeling(20)));

        bestuurder.click(QStringLiteral("DirectKnockoutBitBtn"));
        const TPouleIndelingForm::TKeuze direct = venster->KiesIndeling(20);
        QVERIFY(direct.DirectKnockout && !direct.Indeling);
        QVERIFY((*berichten)->calls().isEmpty());
    }

    void typedSizesAreChecked() {
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) {
            QCOMPARE(regels(venster->PouleIndelingenListBox).size(), 2);
            // Exchanged and searched for 4..6.
            zetGroottes(QStringLiteral("6"), QStringLiteral("4"));
            venster->BepaalMogelijkhedenBitBtn->click();
            QCOMPARE(venster->KleinstePouleGrootteEdit->text(), QStringLiteral("4"));
            QCOMPARE(venster->GrootstePouleGrootteEdit->text(), QStringLiteral("6"));
            const QStringList vierTotZes = regels(venster->PouleIndelingenListBox);
            QCOMPARE(vierTotZes.first(), QStringLiteral("(5) 5 poules van 4"));
            QCOMPARE(venster->focusWidget(), venster->PouleIndelingenListBox);

            zetGroottes(QStringLiteral("2"), QStringLiteral("5"));
            venster->BepaalMogelijkhedenBitBtn->click();
            QCOMPARE(venster->focusWidget(), venster->KleinstePouleGrootteEdit);
            QCOMPARE(venster->KleinstePouleGrootteEdit->selectedText(), QStringLiteral("2"));

            zetGroottes(QStringLiteral("4"), QStringLiteral("9"));
            venster->BepaalMogelijkhedenBitBtn->click();
            QCOMPARE(venster->focusWidget(), venster->GrootstePouleGrootteEdit);
            QCOMPARE(venster->GrootstePouleGrootteEdit->selectedText(), QStringLiteral("9"));

            zetGroottes(QStringLiteral("a"), QStringLiteral("5"));
            venster->BepaalMogelijkhedenBitBtn->click();
            zetGroottes(QStringLiteral(" "), QStringLiteral("5"));
            venster->BepaalMogelijkhedenBitBtn->click();
            zetGroottes(QStringLiteral("4 "), QStringLiteral("5"));
            venster->BepaalMogelijkhedenBitBtn->click();
            // The refused sizes left the last good list in place.
            QCOMPARE(regels(venster->PouleIndelingenListBox), vierTotZes);
            venster->reject();
        });
        venster->KiesIndeling(20);
        const QString geenGetallen = QStringLiteral("Er zijn geen getallen ingevuld.");
        QCOMPARE((*berichten)->texts(),
                 (QStringList{"De minimale poulegrootte is 3.", "De maximale poulegrootte is 8.",
                              geenGetallen, geenGetallen, geenGetallen}));
    }

    void enterDependsOnTheFocus() {
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) {
            zetGroottes(QStringLiteral("5"), QStringLiteral("5"));
            venster->GrootstePouleGrootteEdit->setFocus();
            QTest::keyClick(venster->GrootstePouleGrootteEdit, Qt::Key_Return);
            QCOMPARE(regels(venster->PouleIndelingenListBox), QStringList{"(4) 4 poules van 5"});
            QVERIFY(venster->isVisible());
            // With the focus on the list, Enter confirms.
            QTest::keyClick(venster->PouleIndelingenListBox, Qt::Key_Enter);
        });
        const TPouleIndelingForm::TKeuze keuze = venster->KiesIndeling(20);
        QVERIFY(keuze.Indeling == TPouleIndeling(5, 4, 0, 0));
    }

    void doubleClickConfirms() {
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) {
            QListWidget* lijstBox = venster->PouleIndelingenListBox;
            QCOMPARE(regels(lijstBox),
                     (QStringList{"(6) 6 poules van 4", "(5) 1 poule van 4 en 4 poules van 5"}));
            lijstBox->setCurrentRow(1);
            const QRect regel = lijstBox->visualItemRect(lijstBox->item(1));
            QTest::mousePress(lijstBox->viewport(), Qt::LeftButton, {}, regel.center());
            QTest::mouseRelease(lijstBox->viewport(), Qt::LeftButton, {}, regel.center());
            QTest::mouseDClick(lijstBox->viewport(), Qt::LeftButton, {}, regel.center());
        });
        QVERIFY(venster->KiesIndeling(24).Indeling == TPouleIndeling(4, 1, 5, 4));
    }

    void noDivisionCannotBeConfirmed() {
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) {
            QCOMPARE(venster->PouleIndelingenListBox->count(), 0);
            QCOMPARE(venster->StatusBar->currentMessage(),
                     QStringLiteral("Geen mogelijke poule-indeling gevonden."));
            QVERIFY(!venster->OKBitBtn->isEnabled());
            QTest::keyClick(venster->PouleIndelingenListBox, Qt::Key_Return);
            QVERIFY(venster->isVisible());
            venster->reject();
        });
        QVERIFY(geannuleerd(venster->KiesIndeling(2)));
    }

    void staleDivisionsAreNotOfferedAgain() {
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) {
            // The user leaves a size the window cannot read.
            venster->KleinstePouleGrootteEdit->setText(QStringLiteral("x"));
            venster->reject();
        });
        venster->KiesIndeling(20);

        // Next start, with another participant count: the divisions for 20
        // must not be confirmable, and no message shows before the window.
        bestuurder.then([&](QWidget*) {
            QCOMPARE(venster->PouleIndelingenListBox->count(), 0);
            QVERIFY(!venster->OKBitBtn->isEnabled());
            QTest::keyClick(venster->PouleIndelingenListBox, Qt::Key_Return);
            venster->reject();
        });
        QVERIFY(geannuleerd(venster->KiesIndeling(13)));
        QVERIFY((*berichten)->calls().isEmpty());
    }

    void windowShape() {
        QCOMPARE(venster->windowTitle(), QStringLiteral("Poule-indeling"));
        QCOMPARE(venster->minimumWidth(), venster->maximumWidth());
        QCOMPARE(venster->KleinstePouleGrootteEdit->text(), QStringLiteral("4"));
        QCOMPARE(venster->GrootstePouleGrootteEdit->text(), QStringLiteral("5"));
        QVERIFY(!(venster->windowFlags() & Qt::WindowCloseButtonHint));
        venster->show();
        const int ouderHoogte = venster->PouleIndelingenListBox->height();
        venster->resize(venster->width(), venster->height() + 100);
        QCOMPARE(venster->PouleIndelingenListBox->height(), ouderHoogte + 100);
        QCOMPARE(venster->DirectKnockoutBitBtn->geometry().bottom() + 1 + 19, venster->height());
        QCOMPARE(volgendeTabStop(venster->PouleIndelingenListBox), venster->OKBitBtn);
        QCOMPARE(volgendeTabStop(venster->DirectKnockoutBitBtn), venster->KleinstePouleGrootteEdit);
        // The scoring system follows the designed controls, then round.
        QCOMPARE(volgendeTabStop(venster->BepaalMogelijkhedenBitBtn),
                 venster->TellingKeuze->SysteemComboBox);
        QCOMPARE(volgendeTabStop(venster->TellingKeuze->CriteriaLijst->OmlaagKnop),
                 venster->PouleIndelingenListBox);
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(PoolDivisionWindowTest)
#include "test_pool_division_window.moc"
