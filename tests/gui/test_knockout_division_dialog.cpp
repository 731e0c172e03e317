#include "knockout/KnockoutIndelingForm.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <optional>

namespace {

TDeelnemerLijst poules(std::initializer_list<int> groottes) {
    TDeelnemerLijst lijst;
    int poule = 0;
    for (int grootte : groottes) {
        ++poule;
        for (int positie = 1; positie <= grootte; ++positie) {
            auto deelnemer =
                std::make_unique<TDeelnemer>(QString::number(poule), QString::number(positie));
            deelnemer->Poule = poule;
            deelnemer->Positie = positie;
            lijst.push_back(std::move(deelnemer));
        }
    }
    return lijst;
}

QStringList items(const QComboBox* keuze) {
    QStringList result;
    for (int i = 0; i < keuze->count(); ++i)
        result << keuze->itemText(i);
    return result;
}

// Runs the action once the dialog is up and running modally.
void zodraZichtbaar(QDialog* dialog, std::function<void()> actie) {
    QTimer::singleShot(0, dialog, [dialog, actie] {
        if (!dialog->isVisible()) {
            zodraZichtbaar(dialog, actie);
            return;
        }
        actie();
    });
}

// The dialog's choice, applied as the document applies it.
bool KiesEnPasToe(TKnockoutIndelingForm& dialog, TDeelnemerLijst& lijst) {
    const std::optional<KnockoutIndeling::TKeuze> keuze = dialog.Kies(lijst);
    if (keuze)
        KnockoutIndeling::PasToe(lijst, *keuze);
    return keuze.has_value();
}

QList<int> rondes(const TDeelnemerLijst& lijst) {
    QList<int> result;
    for (const auto& d : lijst)
        result << d->KnockoutNr;
    return result;
}

} // namespace

class KnockoutDivisionDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void offersTheNumbersOfThePools() {
        QWidget hoofdvenster; // small, in the corner, like the main window
        hoofdvenster.setGeometry(0, 0, 142, 156);
        hoofdvenster.show();
        TKnockoutIndelingForm dialog(&hoofdvenster);
        QPoint middenVanDialoog;
        TDeelnemerLijst lijst = poules({4, 5});
        zodraZichtbaar(&dialog, [&] {
            QCOMPARE(items(dialog.BesteComboBox), (QStringList{"1", "2", "3", "4", "5"}));
            QCOMPARE(dialog.BesteComboBox->currentText(), QStringLiteral("2"));
            QCOMPARE(items(dialog.SlechtsteComboBox), (QStringList{"0", "1", "2", "3", "4"}));
            QCOMPARE(dialog.SlechtsteComboBox->currentText(), QStringLiteral("2"));
            // Filling the lists is no choice of the user's.
            QVERIFY(dialog.RadioBeste->isChecked());
            middenVanDialoog = dialog.frameGeometry().center();
            dialog.reject();
        });
        QVERIFY(!dialog.Kies(lijst));
        // Centred on the screen, not over the small main window.
        const QPoint midden = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((middenVanDialoog - midden).manhattanLength() <= 2);

        TDeelnemerLijst tweetallen = poules({2, 2});
        zodraZichtbaar(&dialog, [&] {
            QCOMPARE(items(dialog.SlechtsteComboBox), (QStringList{"0", "1"}));
            QCOMPARE(dialog.SlechtsteComboBox->currentText(), QStringLiteral("0"));
            QCOMPARE(dialog.BesteComboBox->currentText(), QStringLiteral("2"));
            dialog.reject();
        });
        QVERIFY(!dialog.Kies(tweetallen));
    }

    void cancelChangesNobody() {
        TKnockoutIndelingForm dialog(nullptr);
        TDeelnemerLijst lijst = poules({4, 4});
        zodraZichtbaar(&dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
        QVERIFY(!dialog.Kies(lijst));
        QCOMPARE(rondes(lijst), QList<int>(8, 0));
    }

    void okAppliesTheBestRule() {
        TKnockoutIndelingForm dialog(nullptr);
        TDeelnemerLijst lijst = poules({4, 4});
        zodraZichtbaar(&dialog, [&] { dialog.OKBitBtn->click(); });
        QVERIFY(KiesEnPasToe(dialog, lijst));
        QCOMPARE(rondes(lijst), (QList<int>{1, 1, 2, 2, 1, 1, 2, 2}));
    }

    void choosingAWorstNumberChoosesTheWorstRule() {
        TKnockoutIndelingForm dialog(nullptr);
        TDeelnemerLijst lijst = poules({4, 5});
        zodraZichtbaar(&dialog, [&] {
            dialog.SlechtsteComboBox->setCurrentIndex(1);
            QVERIFY(dialog.RadioSlechtste->isChecked());
            dialog.OKBitBtn->click();
        });
        QVERIFY(KiesEnPasToe(dialog, lijst));
        QCOMPARE(rondes(lijst), (QList<int>{1, 1, 1, 2, 1, 1, 1, 1, 2}));
        // The dialog is reused: the rule stays as the user left it.
        zodraZichtbaar(&dialog, [&] {
            QVERIFY(dialog.RadioSlechtste->isChecked());
            dialog.reject();
        });
        dialog.Kies(lijst);
    }

    void labelsChooseAndDoubleClickConfirms() {
        TKnockoutIndelingForm dialog(nullptr);
        TDeelnemerLijst lijst = poules({4, 4});
        zodraZichtbaar(&dialog, [&] {
            QCOMPARE(dialog.Labels.size(), 10);
            const QList<int> besteLabels{0, 1, 2, 7, 8};
            for (int i = 0; i < dialog.Labels.size(); ++i) {
                QLabel* label = dialog.Labels[i];
                QTest::mouseClick(label, Qt::LeftButton);
                QCOMPARE(dialog.RadioBeste->isChecked(), besteLabels.contains(i));
                QVERIFY(dialog.isVisible());
            }
            QCOMPARE(dialog.Labels[9]->text(), QStringLiteral("slechtste"));
            QVERIFY(dialog.Labels[9]->font().bold());
            QVERIFY(!dialog.Labels[0]->font().bold());
            // Label 10 was clicked last: the worst rule, confirmed by a double-click.
            QTest::mouseDClick(dialog.Labels[9], Qt::LeftButton);
        });
        QVERIFY(KiesEnPasToe(dialog, lijst));
        QCOMPARE(rondes(lijst), (QList<int>{1, 1, 2, 2, 1, 1, 2, 2}));
    }

    void windowLayout() {
        TKnockoutIndelingForm dialog(nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Knockout-indeling"));
        // Designed for a narrower font: the dialog may only grow, and the
        // buttons keep the middle.
        QCOMPARE(dialog.height(), 148);
        QVERIFY(dialog.width() >= 473);
        const int verschuiving = (dialog.width() - 473) / 2;
        const QLabel* beste = dialog.Labels[8];
        const int besteEinde = beste->x() + beste->width();
        QCOMPARE(dialog.BesteComboBox->geometry(),
                 QRect(besteEinde <= 92 ? 92 : besteEinde + 4, 16, 41, 21));
        QCOMPARE(dialog.OKBitBtn->geometry(), QRect(132 + verschuiving, 115, 105, 25));
        QVERIFY(dialog.OKBitBtn->isDefault());
        QCOMPARE(dialog.BesteComboBox->nextInFocusChain(), dialog.RadioSlechtste);
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(KnockoutDivisionDialogTest)
#include "test_knockout_division_dialog.moc"
