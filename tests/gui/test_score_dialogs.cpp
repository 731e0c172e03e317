#include "knockout/InputEindstandDialog.h"
#include "knockout/KiesDeelnemerForm.h"
#include "model/Deelnemer.h"
#include "model/KnockoutWedstrijd.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

class ScoreDialogsTest : public QObject {
    Q_OBJECT

private:
    TDeelnemer anna{QStringLiteral("Anna"), QStringLiteral("de Vries")};
    TDeelnemer bram{QStringLiteral("Bram"), QString()};
    std::unique_ptr<TKnockoutWedstrijd> wedstrijd;
    std::unique_ptr<ScriptedMessages> berichten;
    // What the dialog returned last: nothing when cancelled.
    std::optional<TInputEindstandDialog::TEindstand> uitkomst;

    // Runs the score dialog for the match; `actie` plays the user.
    void toon(const std::function<void(TInputEindstandDialog&)>& actie) {
        TInputEindstandDialog dialoog(nullptr);
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) { actie(dialoog); });
        uitkomst = dialoog.ToonVoorWedstrijd(*wedstrijd);
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    bool gaf(int boven, int onder) const {
        return uitkomst && uitkomst->Boven == boven && uitkomst->Onder == onder;
    }

    static void typ(TInputEindstandDialog& d, const QString& boven, const QString& onder) {
        d.DeelnemerBovenEdit->setText(boven);
        d.DeelnemerOnderEdit->setText(onder);
    }

private Q_SLOTS:
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        wedstrijd = std::make_unique<TKnockoutWedstrijd>();
        wedstrijd->ZetDeelnemerBoven(&anna);
        wedstrijd->ZetDeelnemerOnder(&bram);
    }
    void cleanup() {
        wedstrijd.reset();
        berichten.reset();
    }

    void showsNamesAndScores() {
        toon([](TInputEindstandDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Eindstand"));
            QCOMPARE(d.DeelnemerBovenLabel->text(), QStringLiteral("Anna de Vries"));
            QCOMPARE(d.DeelnemerOnderLabel->text(), QStringLiteral("Bram"));
            QVERIFY(d.DeelnemerBovenEdit->text().isEmpty());
            QVERIFY(d.DeelnemerOnderEdit->text().isEmpty());
            QCOMPARE(d.DeelnemerBovenEdit->maxLength(), 5);
            d.reject();
        });
        wedstrijd->ZetEindstand(3, 1);
        toon([](TInputEindstandDialog& d) {
            QCOMPARE(d.DeelnemerBovenEdit->text(), QStringLiteral("3"));
            QCOMPARE(d.DeelnemerOnderEdit->text(), QStringLiteral("1"));
            d.AnnulerenBitBtn->click();
        });
        QVERIFY(!uitkomst);
    }

    void aScoreIsTypedInOneGo() {
        toon([](TInputEindstandDialog& d) {
            d.activateWindow();
            d.DeelnemerBovenEdit->setFocus();
            // Each key goes where the focus is, as typing does.
            for (const QChar toets : QStringLiteral("0-3"))
                QTest::keyClicks(QApplication::focusWidget(), QString(toets));
            QCOMPARE(d.DeelnemerBovenEdit->text(), QStringLiteral("0"));
            QCOMPARE(d.DeelnemerOnderEdit->text(), QStringLiteral("3"));
            QTest::keyClick(d.DeelnemerOnderEdit, Qt::Key_Minus);
            QCOMPARE(d.DeelnemerOnderEdit->text(), QStringLiteral("3"));
            QCOMPARE(QApplication::focusWidget(), d.DeelnemerBovenEdit);
            d.OKBitBtn->click();
        });
        // The dialog returns the score; the match is the document's to change.
        QVERIFY(gaf(0, 3));
        QCOMPARE(wedstrijd->ScoreBoven(), -1);
    }

    // Clicking a played match and typing 4, -, 2, Enter replaces both scores:
    // "-" selects the other field's old text, so the 2 does not add to it.
    void aPlayedScoreIsRetypedInOneGo() {
        wedstrijd->ZetEindstand(3, 1);
        toon([](TInputEindstandDialog& d) {
            d.activateWindow();
            QCOMPARE(d.DeelnemerBovenEdit->selectedText(), QStringLiteral("3"));
            for (const QChar toets : QStringLiteral("4-2"))
                QTest::keyClicks(QApplication::focusWidget(), QString(toets));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QVERIFY(gaf(4, 2));
    }

    void wrongInputKeepsTheDialogOpen() {
        toon([](TInputEindstandDialog& d) {
            typ(d, QStringLiteral("x"), QStringLiteral("1"));
            d.OKBitBtn->click();
            QVERIFY(d.isVisible());
            QCOMPARE(QApplication::focusWidget(), d.DeelnemerBovenEdit);
            QCOMPARE(d.DeelnemerBovenEdit->selectedText(), QStringLiteral("x"));
            typ(d, QStringLiteral("2"), QStringLiteral("-1"));
            d.OKBitBtn->click();
            QCOMPARE(QApplication::focusWidget(), d.DeelnemerOnderEdit);
            typ(d, QStringLiteral("2"), QStringLiteral("2"));
            d.OKBitBtn->click();
            QVERIFY(d.isVisible());
            d.reject();
        });
        QCOMPARE((*berichten)->texts(),
                 (QStringList{"Voer een getal in.", "Een negatieve score is niet mogelijk.",
                              "Gelijkspel is niet mogelijk."}));
        QVERIFY(!uitkomst);
    }

    void oneEmptyFieldAsksToClear() {
        wedstrijd->ZetEindstand(3, 1);
        (*berichten)->queueAnswer(Answer::No);
        (*berichten)->queueAnswer(Answer::Yes);
        toon([](TInputEindstandDialog& d) {
            typ(d, QStringLiteral("2"), QString());
            d.OKBitBtn->click();
            QVERIFY(d.isVisible());
            d.OKBitBtn->click();
        });
        QCOMPARE((*berichten)->calls().size(), 2);
        QCOMPARE((*berichten)->calls().constFirst().buttons, Buttons::YesNo);
        QCOMPARE((*berichten)->calls().constFirst().kind, MessageKind::Information);
        QVERIFY(gaf(-1, -1));
        QCOMPARE(wedstrijd->ScoreBoven(), 3);
    }

    void emptyFieldsClearWithoutAsking() {
        wedstrijd->ZetEindstand(3, 1);
        toon([](TInputEindstandDialog& d) {
            typ(d, QStringLiteral(" "), QString());
            d.OKBitBtn->click();
        });
        QVERIFY((*berichten)->calls().isEmpty());
        QVERIFY(gaf(-1, -1));
    }

    void chooseParticipantColumns() {
        TKiesDeelnemerForm kies(nullptr);
        kies.VoegRijToe(QString(), QStringLiteral("n.o."));
        kies.VoegRijToe(QStringLiteral("1p2"), QStringLiteral("Anna de Vries"));
        kies.show();
        // From the first show on, the name column fills the grid, rows 16 high.
        QCOMPARE(kies.DeelnemersStringGrid->columnWidth(1),
                 kies.DeelnemersStringGrid->viewport()->width());
        QCOMPARE(kies.DeelnemersStringGrid->rowHeight(1), 16);
        kies.resize(300, 300);
        const int breedte = kies.DeelnemersStringGrid->viewport()->width();
        QVERIFY(kies.DeelnemersStringGrid->isColumnHidden(0));
        QCOMPARE(kies.DeelnemersStringGrid->columnWidth(1), breedte);
        kies.ZetKolomverhouding(0.3f);
        QCOMPARE(kies.DeelnemersStringGrid->columnWidth(0), int(breedte * 0.3f));
        QCOMPARE(kies.DeelnemersStringGrid->columnWidth(0) +
                     kies.DeelnemersStringGrid->columnWidth(1),
                 breedte);
        QCOMPARE(kies.OKBitBtn->width(), (300 - 16) / 2);
        QCOMPARE(kies.AnnuleerBitBtn->x(), 8 + (300 - 16) / 2);
        QCOMPARE(kies.OKBitBtn->y() + kies.OKBitBtn->height() + 8, 300);
        QCOMPARE(kies.GeselecteerdeRij(), 0);
    }

    void chooseParticipantDoubleClickConfirms() {
        TKiesDeelnemerForm kies(nullptr);
        kies.VoegRijToe(QString(), QStringLiteral("n.o."));
        kies.VoegRijToe(QString(), QStringLiteral("bye"));
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) {
            QTableWidget* rooster = kies.DeelnemersStringGrid;
            rooster->selectRow(1);
            const QPoint punt = rooster->visualItemRect(rooster->item(1, 1)).center();
            QTest::mousePress(rooster->viewport(), Qt::LeftButton, {}, punt);
            QTest::mouseRelease(rooster->viewport(), Qt::LeftButton, {}, punt);
            QTest::mouseDClick(rooster->viewport(), Qt::LeftButton, {}, punt);
        });
        QCOMPARE(kies.exec(), int(QDialog::Accepted));
        QCOMPARE(kies.GeselecteerdeRij(), 1);
        // A double click below the rows confirms the selected row as well.
        bestuurder.then([&](QWidget*) {
            QWidget* vlak = kies.DeelnemersStringGrid->viewport();
            QTest::mouseDClick(vlak, Qt::LeftButton, {}, QPoint(5, vlak->height() - 5));
        });
        QCOMPARE(kies.exec(), int(QDialog::Accepted));
        QCOMPARE(kies.GeselecteerdeRij(), 1);
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(ScoreDialogsTest)
#include "test_score_dialogs.moc"
