#include "pools/PouleIndelingForm.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

#include <map>

namespace {

TDeelnemerLijst deelnemers(int aantal) {
    TDeelnemerLijst lijst;
    for (int i = 0; i < aantal; ++i)
        lijst.push_back(std::make_unique<TDeelnemer>(QStringLiteral("D"), QString::number(i)));
    return lijst;
}

QStringList regels(const QListWidget* lijst) {
    QStringList result;
    for (int i = 0; i < lijst->count(); ++i)
        result << lijst->item(i)->text();
    return result;
}

// Pool number -> number of participants in it.
std::map<int, int> groottes(const TDeelnemerLijst& lijst) {
    std::map<int, int> result;
    for (const auto& d : lijst)
        ++result[d->Poule];
    return result;
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

    void listsTheDivisionsAndDrawsTheChosenOne() {
        TDeelnemerLijst lijst = deelnemers(13);
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
        QCOMPARE(venster->KiesIndeling(lijst), 3);
        QCOMPARE(groottes(lijst), (std::map<int, int>{{1, 5}, {2, 4}, {3, 4}}));
    }

    void cancelAndDirectKnockout() {
        TDeelnemerLijst lijst = deelnemers(20);
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("AnnulerenBitBtn"));
        QCOMPARE(venster->KiesIndeling(lijst), -1);
        QCOMPARE(groottes(lijst), (std::map<int, int>{{0, 20}}));

        bestuurder.then([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QCOMPARE(venster->KiesIndeling(lijst), -1);

        bestuurder.click(QStringLiteral("DirectKnockoutBitBtn"));
        QCOMPARE(venster->KiesIndeling(lijst), 0);
        for (const auto& d : lijst) {
            QCOMPARE(d->KnockoutNr, 1);
            QCOMPARE(d->Poule, 0);
        }
        QVERIFY((*berichten)->calls().isEmpty());
    }

    void typedSizesAreChecked() {
        TDeelnemerLijst lijst = deelnemers(20);
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
        venster->KiesIndeling(lijst);
        const QString geenGetallen = QStringLiteral("Er zijn geen getallen ingevuld.");
        QCOMPARE((*berichten)->texts(),
                 (QStringList{"De minimale poulegrootte is 3.", "De maximale poulegrootte is 8.",
                              geenGetallen, geenGetallen, geenGetallen}));
    }

    void enterDependsOnTheFocus() {
        TDeelnemerLijst lijst = deelnemers(20);
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
        QCOMPARE(venster->KiesIndeling(lijst), 4);
        QCOMPARE(groottes(lijst), (std::map<int, int>{{1, 5}, {2, 5}, {3, 5}, {4, 5}}));
    }

    void doubleClickConfirms() {
        TDeelnemerLijst lijst = deelnemers(24);
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
        QCOMPARE(venster->KiesIndeling(lijst), 5);
        QCOMPARE(groottes(lijst), (std::map<int, int>{{1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 4}}));
    }

    void noDivisionCannotBeConfirmed() {
        TDeelnemerLijst lijst = deelnemers(2);
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
        QCOMPARE(venster->KiesIndeling(lijst), -1);
    }

    void staleDivisionsAreNotOfferedAgain() {
        TDeelnemerLijst twintig = deelnemers(20);
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) {
            // The user leaves a size the window cannot read.
            venster->KleinstePouleGrootteEdit->setText(QStringLiteral("x"));
            venster->reject();
        });
        venster->KiesIndeling(twintig);

        // Next start, with another participant count: the divisions for 20
        // must not be confirmable, and no message shows before the window.
        TDeelnemerLijst dertien = deelnemers(13);
        bestuurder.then([&](QWidget*) {
            QCOMPARE(venster->PouleIndelingenListBox->count(), 0);
            QVERIFY(!venster->OKBitBtn->isEnabled());
            QTest::keyClick(venster->PouleIndelingenListBox, Qt::Key_Return);
            venster->reject();
        });
        QCOMPARE(venster->KiesIndeling(dertien), -1);
        QCOMPARE(groottes(dertien), (std::map<int, int>{{0, 13}}));
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
        QCOMPARE(volgendeTabStop(venster->BepaalMogelijkhedenBitBtn),
                 venster->PouleIndelingenListBox);
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(PoolDivisionWindowTest)
#include "test_pool_division_window.moc"
