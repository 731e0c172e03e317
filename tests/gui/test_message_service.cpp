#include "app/Application.h"
#include "ui/Help.h"
#include "ui/QtMessageService.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace {

struct ShownBox {
    QString text;
    QStringList buttons;
    int helpContext = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QPixmap iconPixmap;
    qreal pixelRatio = 1.0;
};

// Waits for the message box the service is about to show, writes down what
// it shows and presses the button with the given role.
void answerNextBox(ShownBox& shown, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [&shown, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            answerNextBox(shown, press);
            return;
        }
        shown.text = box->text();
        shown.icon = box->icon();
        shown.iconPixmap = box->iconPixmap();
        shown.pixelRatio = box->devicePixelRatioF();
        shown.helpContext = helpContextOf(box);
        for (QAbstractButton* button : box->buttons())
            shown.buttons << button->text().remove(u'&');
        box->button(press)->click();
    });
}

} // namespace

class MessageServiceTest : public QObject {
    Q_OBJECT

private:
    QtMessageService service;

private Q_SLOTS:
    void initTestCase() {
        initialiseApplication(*qApp);
        setMessageService(std::make_unique<QtMessageService>());
    }

    void showsLineBreaksAsLineBreaks() {
        ShownBox shown;
        answerNextBox(shown, QMessageBox::Ok);
        service.information(QStringLiteral("Eerste zin.\n\r\n\rTweede zin."), 1003);
        QCOMPARE(shown.text, QStringLiteral("Eerste zin.\n\nTweede zin."));
        QCOMPARE(shown.icon, QMessageBox::Information);
        QCOMPARE(shown.helpContext, 1003);
        QCOMPARE(shown.buttons, QStringList{"OK"});
    }

    void questionsAnswerInDutch_data() {
        QTest::addColumn<int>("pressed");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("ja") << int(QMessageBox::Yes) << Answer::Yes;
        QTest::newRow("nee") << int(QMessageBox::No) << Answer::No;
        QTest::newRow("annuleren") << int(QMessageBox::Cancel) << Answer::Cancel;
    }

    void questionsAnswerInDutch() {
        QFETCH(int, pressed);
        QFETCH(Answer, answer);
        ShownBox shown;
        answerNextBox(shown, static_cast<QMessageBox::StandardButton>(pressed));
        QCOMPARE(service.confirm(QStringLiteral("Doorgaan?"), Buttons::YesNoCancel), answer);
        QCOMPARE(shown.icon, QMessageBox::Question);
        QVERIFY2(shown.buttons.contains(QStringLiteral("Ja")), qPrintable(shown.buttons.join(',')));
        QVERIFY(shown.buttons.contains(QStringLiteral("Nee")));
        QVERIFY(shown.buttons.contains(QStringLiteral("Annuleren")));
    }

    void yesNoQuestionOffersNoCancel() {
        ShownBox shown;
        answerNextBox(shown, QMessageBox::No);
        QCOMPARE(service.confirm(QStringLiteral("Doorgaan?"), Buttons::YesNo), Answer::No);
        QCOMPARE(shown.buttons.size(), 2);
    }

    void errorBoxIsCritical() {
        ShownBox shown;
        answerNextBox(shown, QMessageBox::Ok);
        service.error(QStringLiteral("softwarefout"));
        QCOMPARE(shown.icon, QMessageBox::Critical);
        QCOMPARE(shown.helpContext, 0);
        // Run again at scale 2 by ctest: a glyph with a device pixel for
        // every pixel, never an image scaled up.
        const qreal glyph = shown.iconPixmap.width() / shown.iconPixmap.devicePixelRatio();
        QVERIFY(glyph >= 32);
        QCOMPARE(shown.iconPixmap.width(), qRound(glyph * shown.pixelRatio));
    }

    void inputBoxReturnsTextOrNothing() {
        auto answerInput = [](const QString& typed, bool accept) {
            QTimer::singleShot(0, [typed, accept] {
                auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                QCOMPARE(dialog->labelText(), QStringLiteral("Regel een\nRegel twee"));
                dialog->setTextValue(typed);
                accept ? dialog->accept() : dialog->reject();
            });
        };
        answerInput(QStringLiteral(" 3"), true);
        QCOMPARE(service.input(QStringLiteral("Eindstand"),
                               QStringLiteral("Regel een\n\rRegel twee"), QString()),
                 std::optional<QString>(QStringLiteral(" 3")));
        answerInput(QStringLiteral("4"), false);
        QCOMPARE(service.input(QStringLiteral("Eindstand"),
                               QStringLiteral("Regel een\n\rRegel twee"), QString()),
                 std::nullopt);
    }

    void fileFiltersBecomeQtFilters() {
        QCOMPARE(qtFileFilter(QStringLiteral("Toernooien (*.txt)|*.txt|Alle bestanden (*.*)|*.*")),
                 QStringLiteral("Toernooien (*.txt);;Alle bestanden (*.*)"));
        QCOMPARE(qtFileFilter(QStringLiteral("Sjablonen|*.xlt;*.xltx")),
                 QStringLiteral("Sjablonen (*.xlt *.xltx)"));
        QCOMPARE(qtFileFilter(QString()), QString());
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(MessageServiceTest)
#include "test_message_service.moc"
