#include "participants/InputDeelnemerDialog.h"

#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

namespace {
const QString Ok = QStringLiteral("OKBitBtn");
const QString Annuleren = QStringLiteral("AnnulerenBitBtn");
} // namespace

class InputDeelnemerDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void titelVeldenEnFocus() {
        ScriptedMessages berichten;
        ModalDialogDriver bestuurder;
        TInputDeelnemerDialog dialoog(nullptr);
        bestuurder.fillAndClick({"", " Piet "}, Annuleren).click(Annuleren).click(Annuleren);
        QVERIFY(!dialoog.Invoeren());
        QCOMPARE(dialoog.Achternaam(), QStringLiteral("Piet")); // trimmed even on Cancel
        QVERIFY(!dialoog.Bewerken(QStringLiteral("Jan"), QStringLiteral("de Vries")));
        QVERIFY(!dialoog.Bewerken(QString(), QStringLiteral("Vries")));
        const auto& gezien = bestuurder.seen();
        QCOMPARE(gezien[0].title, QStringLiteral("Nieuwe deelnemer"));
        QCOMPARE(gezien[0].edits, QStringList({"", "", "", ""}));
        QCOMPARE(gezien[1].title, QStringLiteral("Bewerk deelnemer"));
        QCOMPARE(gezien[1].edits, QStringList({"Jan", "de Vries", "", ""}));
        QCOMPARE(gezien[1].focusSelection, QStringLiteral("Jan")); // focused and all selected
        QCOMPARE(gezien[2].title, QStringLiteral("Bewerk deelnemer"));
        QVERIFY(berichten->calls().isEmpty());
    }

    void weigertLegeNaamEnBye_data() {
        QTest::addColumn<QStringList>("invoer");
        QTest::addColumn<QString>("melding");
        const QString geen = QStringLiteral("Er is geen naam ingevuld.");
        const QString bye =
            QStringLiteral("De naam \"Bye\" is erg verwarrend en mag daarom niet worden gebruikt.");
        QTest::newRow("blanco en stuurtekens") << QStringList{"  \t", " \x01"} << geen;
        QTest::newRow("Bye") << QStringList{"Bye", ""} << bye;
        QTest::newRow("BYE met blanco") << QStringList{"", "\t BYE "} << bye;
    }
    void weigertLegeNaamEnBye() {
        QFETCH(QStringList, invoer);
        QFETCH(QString, melding);
        ScriptedMessages berichten;
        ModalDialogDriver bestuurder;
        TInputDeelnemerDialog dialoog(nullptr);
        bestuurder.fillAndClick(invoer, Ok).look().click(Annuleren);
        QVERIFY(!dialoog.Invoeren());
        QCOMPARE(berichten->texts(), QStringList({melding}));
        QVERIFY(bestuurder.seen().at(1).visible); // still open after the refusal
    }

    void aanvaardtEnTrimt_data() {
        QTest::addColumn<QStringList>("invoer");
        QTest::addColumn<QStringList>("uitvoer");
        const QString lang = QString(1000, QChar(u'ä'));
        QTest::newRow("B ye") << QStringList{"B", "ye"} << QStringList{"B", "ye"};
        QTest::newRow("byé") << QStringList{"byé", ""} << QStringList{"byé", ""};
        QTest::newRow("blanco") << QStringList{"  Jan \t", " de  Vries "}
                                << QStringList{"Jan", "de  Vries"};
        // Names are stored one per line: a pasted line break must not stay.
        QTest::newRow("regeleinden en tabs") << QStringList{"Jan\r\nKees", "\tde\t\x01Vries\n"}
                                             << QStringList{"Jan Kees", "de Vries"};
        QTest::newRow("lang en vreemd")
            << QStringList{lang, "Зоя 李😀"} << QStringList{lang, "Зоя 李😀"};
    }
    void aanvaardtEnTrimt() {
        QFETCH(QStringList, invoer);
        QFETCH(QStringList, uitvoer);
        ScriptedMessages berichten;
        ModalDialogDriver bestuurder;
        TInputDeelnemerDialog dialoog(nullptr);
        bestuurder.fillAndClick(invoer, Ok);
        QVERIFY(dialoog.Invoeren());
        QCOMPARE(QStringList({dialoog.Voornaam(), dialoog.Achternaam()}), uitvoer);
        QVERIFY(berichten->calls().isEmpty());
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(InputDeelnemerDialogTest)
#include "test_inputdeelnemerdialog.moc"
