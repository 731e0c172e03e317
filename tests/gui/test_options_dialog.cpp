#include "ui/Help.h"
#include "app/MainForm.h"
#include "app/OptiesDialog.h"
#include "ui/Paths.h"
#include "knockout/KnockoutForm.h"
#include "pools/PoulesForm.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QString RijMelding = QStringLiteral(
    "Vul bij Rij een getal in van 1 tot en met 1048576; een werkblad heeft niet meer rijen.");
const QString KolomMelding = QStringLiteral(
    "Vul bij Kolom een getal in van 1 tot en met 16384; een werkblad heeft niet meer kolommen.");
const QString OpslaanMelding =
    QStringLiteral("Er is een fout opgetreden bij het opslaan van de opties.\n\r\n\r\"");

QByteArray inhoud(const QString& pad) {
    QFile bestand(pad);
    return bestand.open(QIODevice::ReadOnly) ? bestand.readAll() : QByteArray();
}

bool schrijf(const QString& pad, const QByteArray& bytes) {
    QFile bestand(pad);
    return bestand.open(QIODevice::WriteOnly) && bestand.write(bytes) == bytes.size();
}

QStringList velden(const TOptiesDialog& dialog) {
    return {dialog.PoulesSjabloonEdit->text(), dialog.KnockoutSjabloonEdit->text(),
            dialog.RijEdit->text(), dialog.KolomEdit->text()};
}

// The message QSaveFile itself gives for writing these bytes to this file.
QString eigenFoutmelding(const QString& pad) {
    QSaveFile bestand(pad);
    if (bestand.open(QIODevice::WriteOnly)) {
        bestand.write("x");
        bestand.commit();
    }
    return bestand.errorString();
}

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> map;

    // Mixed case on purpose: the path must reach the disk as it is.
    QString ini() const { return map->filePath(QStringLiteral("Zegerooster Opties.ini")); }

private Q_SLOTS:
    void init() {
        map = std::make_unique<QTemporaryDir>();
        QVERIFY(map->isValid());
        // Whatever a test constructs, nothing lands beside this test or in
        // the real configuration folder.
        Paths::setOptionsFileOverride(ini());
    }

    void cleanup() {
        Paths::setOptionsFileOverride(QString());
        map.reset();
    }

    // --- The window ---------------------------------------------------------

    void showsTheDesignedWindow() {
        TOptiesDialog dialog(nullptr, ini());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Opties"));
        QCOMPARE(dialog.size(), QSize(350, 239));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(helpContextOf(dialog.RijEdit), HelpContext::Opties);

        const QList<std::pair<QLabel*, QString>> labels{
            {dialog.PouleSjabloonLabel, "Excel-werkmapsjabloon voor de poules"},
            {dialog.KnockoutSjabloonLabel, "Excel-werkmapsjabloon voor knockouts"},
            {dialog.BeginBijLabel, "Begin bij:"},
            {dialog.RijLabel, "Rij"},
            {dialog.KolomLabel, "Kolom"}};
        for (const auto& [label, tekst] : labels)
            QCOMPARE(label->text(), tekst);
        QCOMPARE(dialog.PouleSjabloonLabel->pos(), QPoint(16, 16));
        QCOMPARE(dialog.KolomLabel->pos(), QPoint(144, 120));
        QCOMPARE(dialog.HelpLabel->text(),
                 QStringLiteral("In de help kunt u meer informatie vinden over de eisen waaraan "
                                "de werkbladsjablonen moeten voldoen."));
        QVERIFY(dialog.HelpLabel->wordWrap());
        QCOMPARE(dialog.HelpLabel->geometry(), QRect(16, 160, 321, 33));

        QCOMPARE(dialog.PoulesSjabloonEdit->geometry(), QRect(16, 32, 257, 21));
        QCOMPARE(dialog.BladerenPoulesBitBtn->geometry(), QRect(272, 30, 65, 25));
        QCOMPARE(dialog.KnockoutSjabloonEdit->geometry(), QRect(16, 88, 257, 21));
        QCOMPARE(dialog.BladerenKnockoutBitBtn->geometry(), QRect(272, 86, 65, 25));
        QCOMPARE(dialog.RijEdit->geometry(), QRect(96, 116, 33, 21));
        // At 176, or a few pixels after "Kolom" where the font needs more room.
        const int kolomEinde = dialog.KolomLabel->x() + dialog.KolomLabel->width();
        QCOMPARE(dialog.KolomEdit->geometry(),
                 QRect(kolomEinde <= 176 ? 176 : kolomEinde + 4, 116, 33, 21));
        QCOMPARE(dialog.OKBitBtn->geometry(), QRect(104, 200, 89, 25));
        QCOMPARE(dialog.AnnulerenBitBtn->geometry(), QRect(200, 200, 89, 25));
        QCOMPARE(dialog.BladerenPoulesBitBtn->text(), QStringLiteral("Bladeren"));
        QCOMPARE(dialog.OKBitBtn->text(), QStringLiteral("&OK"));
        QCOMPARE(dialog.AnnulerenBitBtn->text(), QStringLiteral("&Annuleren"));
        QVERIFY(dialog.OKBitBtn->isDefault());
        QVERIFY(!dialog.OKBitBtn->icon().isNull() && !dialog.AnnulerenBitBtn->icon().isNull());

        QList<QWidget*> volgorde;
        QWidget* w = dialog.PoulesSjabloonEdit;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                volgorde << w;
            w = w->nextInFocusChain();
        } while (w != dialog.PoulesSjabloonEdit);
        QCOMPARE(volgorde,
                 (QList<QWidget*>{dialog.PoulesSjabloonEdit, dialog.BladerenPoulesBitBtn,
                                  dialog.KnockoutSjabloonEdit, dialog.BladerenKnockoutBitBtn,
                                  dialog.RijEdit, dialog.KolomEdit, dialog.OKBitBtn,
                                  dialog.AnnulerenBitBtn}));
    }

    // --- Reading the options file ------------------------------------------

    void firstStartUsesTheDefaultsAndWritesNothing() {
        TOptiesDialog dialog(nullptr, ini());
        const QString programma = Paths::executableFolder();
        QCOMPARE(velden(dialog),
                 (QStringList{programma + "/poules.xlt", programma + "/knockout.xlt", "5", "1"}));
        QCOMPARE(dialog.BeginRij(), 5);
        QCOMPARE(dialog.BeginKolom(), 1);
        QVERIFY(!dialog.LeesOpties());
        QVERIFY(!QFile::exists(ini()));
    }

    void readsTheFourLines_data() {
        QTest::addColumn<QByteArray>("bestand");
        QTest::addColumn<QStringList>("verwacht");
        QTest::addColumn<int>("beginRij");
        QTest::addColumn<int>("beginKolom");
        const QByteArray sjablonen = "/Club/Poules.xlt\r\n/Club/KO.xltx\r\n";
        const QString p = QStringLiteral("/Club/Poules.xlt");
        const QString k = QStringLiteral("/Club/KO.xltx");
        QTest::newRow("vier regels") << sjablonen + "7\r\n3\r\n"
                                     << QStringList{p, k, "7", "3"} << 7 << 3;
        QTest::newRow("regels ongetrimd")
            << QByteArray(" /Club/Poules.xlt \t\r\n\t/Club/KO.xltx\r\n 7\r\n2\r\n")
            << QStringList{" /Club/Poules.xlt \t", "\t/Club/KO.xltx", " 7", "2"} << 7 << 2;
        QTest::newRow("twee regels") << sjablonen << QStringList{p, k, "1", "1"} << 1 << 1;
        QTest::newRow("rij 0") << sjablonen + "0\r\n4\r\n" << QStringList{p, k, "1", "4"} << 1 << 4;
        QTest::newRow("rij negatief") << sjablonen + "-3\r\n4\r\n"
                                      << QStringList{p, k, "1", "4"} << 1 << 4;
        QTest::newRow("rij letters") << sjablonen + "vijf\r\n4\r\n"
                                     << QStringList{p, k, "1", "4"} << 1 << 4;
        QTest::newRow("7 met spatie erachter") << sjablonen + "7 \r\n4\r\n"
                                               << QStringList{p, k, "1", "4"} << 1 << 4;
        QTest::newRow("alleen spaties") << sjablonen + "   \r\n4\r\n"
                                        << QStringList{p, k, "1", "4"} << 1 << 4;
        QTest::newRow("kolom 0") << sjablonen + "6\r\n0\r\n"
                                 << QStringList{p, k, "6", "1"} << 6 << 1;
        QTest::newRow("te groot getal") << sjablonen + "6\r\n99999999999\r\n"
                                        << QStringList{p, k, "6", "1"} << 6 << 1;
        QTest::newRow("voorbij het werkblad") << sjablonen + "1048577\r\n16385\r\n"
                                              << QStringList{p, k, "1", "1"} << 1 << 1;
        QTest::newRow("laatste rij en kolom")
            << sjablonen + "1048576\r\n16384\r\n"
            << QStringList{p, k, "1048576", "16384"} << 1048576 << 16384;
        QTest::newRow("geen knockoutsjabloon: geen controle")
            << QByteArray("/Club/Poules.xlt\r\n  \r\n0\r\nx\r\n") << QStringList{p, "  ", "0", "x"}
            << 0 << 1;
        QTest::newRow("leeg bestand") << QByteArray() << QStringList{"", "", "", ""} << 1 << 1;
        QTest::newRow("meer dan vier regels") << sjablonen + "7\r\n3\r\nrest\r\n"
                                              << QStringList{p, k, "7", "3"} << 7 << 3;
        QTest::newRow("alleen LF") << QByteArray("/Club/Poules.xlt\n/Club/KO.xltx\n4\n2\n")
                                   << QStringList{p, k, "4", "2"} << 4 << 2;
        QTest::newRow("alleen CR, geen slot") << QByteArray("/Club/Poules.xlt\r/Club/KO.xltx\r4\r2")
                                              << QStringList{p, k, "4", "2"} << 4 << 2;
        QTest::newRow("Windows-1252")
            << QByteArray("/Club/Poul\xE9s.xlt\r\n/Club/KO.xltx\r\n4\r\n2\r\n")
            << QStringList{QStringLiteral("/Club/Poulés.xlt"), k, "4", "2"} << 4 << 2;
        QTest::newRow("UTF-8 met BOM")
            << QByteArray("\xEF\xBB\xBF/Club/\xC5\x81\xC3\xB3"
                          "d\xC5\xBA.xlt\r\n/Club/KO.xltx\r\n4\r\n2\r\n")
            << QStringList{QStringLiteral("/Club/Łódź.xlt"), k, "4", "2"} << 4 << 2;
    }

    void readsTheFourLines() {
        QFETCH(QByteArray, bestand);
        QFETCH(QStringList, verwacht);
        QVERIFY(schrijf(ini(), bestand));
        ScriptedMessages berichten;
        TOptiesDialog dialog(nullptr, ini());
        QCOMPARE(velden(dialog), verwacht);
        QCOMPARE(dialog.PouleSjabloon(), verwacht.at(0).trimmed());
        QCOMPARE(dialog.KnockoutSjabloon(), verwacht.at(1).trimmed());
        QTEST(dialog.BeginRij(), "beginRij");
        QTEST(dialog.BeginKolom(), "beginKolom");
        QVERIFY(dialog.LeesOpties());
        QVERIFY(berichten->calls().isEmpty());
        QCOMPARE(inhoud(ini()), bestand);          // reading never rewrites the file
        QCOMPARE(dialog.ToernooiMap(), QString()); // only a keyed fifth line is a folder
    }

    void theTournamentFolderIsKeptAfterTheFourOptions() {
        const QByteArray vier = "/Oud/P.xlt\r\n/Oud/K.xlt\r\n5\r\n1\r\n";
        QVERIFY(schrijf(ini(), vier));
        ScriptedMessages berichten;
        {
            TOptiesDialog dialog(nullptr, ini());
            // What a cancelled dialog held is not written with the folder.
            ModalDialogDriver bestuurder;
            bestuurder.fillAndClick({"/Nieuw/P.xlt", "/Nieuw/K.xlt", "9", "9"},
                                    QStringLiteral("AnnulerenBitBtn"));
            QVERIFY(
                !dialog.Wijzig(QStringLiteral("/Oud/P.xlt"), QStringLiteral("/Oud/K.xlt"), 1, 5));
            dialog.ZetToernooiMap(QStringLiteral("/Club/Toernooien 2026"));
        }
        QCOMPARE(inhoud(ini()), vier + "Toernooimap=/Club/Toernooien 2026\r\n");

        TOptiesDialog opnieuw(nullptr, ini());
        QCOMPARE(opnieuw.ToernooiMap(), QStringLiteral("/Club/Toernooien 2026"));
        QCOMPARE(velden(opnieuw), (QStringList{"/Oud/P.xlt", "/Oud/K.xlt", "5", "1"}));
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("OKBitBtn"));
        QVERIFY(opnieuw.Wijzig(QStringLiteral("/P.xlt"), QStringLiteral("/K.xlt"), 2, 3));
        QCOMPARE(inhoud(ini()), QByteArray("/P.xlt\r\n/K.xlt\r\n3\r\n2\r\n"
                                           "Toernooimap=/Club/Toernooien 2026\r\n"));
        QVERIFY(berichten->calls().isEmpty());
    }

    // --- Confirming and cancelling -----------------------------------------

    void okWritesTheTrimmedValues() {
        QVERIFY(schrijf(ini(), "oud\r\nlanger\r\nbestand\r\nmet\r\nzes\r\nregels\r\n"));
        ScriptedMessages berichten;
        TOptiesDialog dialog(nullptr, ini());
        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick({"  /Sjablonen/Poulé.xlt ", "\t/Sjablonen/KO.xltx", " 12", "3"},
                                QStringLiteral("OKBitBtn"));
        QVERIFY(dialog.Wijzig(QStringLiteral("/P.xlt"), QStringLiteral("/K.xlt"), 4, 9));
        QCOMPARE(bestuurder.pending(), 0);
        // The arguments come as column, then row.
        QCOMPARE(bestuurder.seen().constFirst().edits, (QStringList{"/P.xlt", "/K.xlt", "9", "4"}));
        QCOMPARE(bestuurder.seen().constFirst().title, QStringLiteral("Opties"));
        QCOMPARE(inhoud(ini()),
                 QByteArray("/Sjablonen/Poul\xE9.xlt\r\n/Sjablonen/KO.xltx\r\n12\r\n3\r\n"));
        QCOMPARE(dialog.PouleSjabloon(), QStringLiteral("/Sjablonen/Poulé.xlt"));
        QCOMPARE(dialog.KnockoutSjabloon(), QStringLiteral("/Sjablonen/KO.xltx"));
        QCOMPARE(dialog.BeginRij(), 12);
        QCOMPARE(dialog.BeginKolom(), 3);
        QVERIFY(berichten->calls().isEmpty());
    }

    void aPathOutsideTheCodePageSurvivesTheRoundTrip() {
        ScriptedMessages berichten;
        const QString pad = QStringLiteral("/Sjablonen/Łódź 東京.xltx");
        {
            TOptiesDialog dialog(nullptr, ini());
            ModalDialogDriver bestuurder;
            bestuurder.click(QStringLiteral("OKBitBtn"));
            QVERIFY(dialog.Wijzig(pad, QStringLiteral("/K.xlt"), 2, 3));
        }
        QVERIFY(inhoud(ini()).startsWith("\xEF\xBB\xBF"));
        TOptiesDialog opnieuw(nullptr, ini());
        QCOMPARE(velden(opnieuw), (QStringList{pad, "/K.xlt", "3", "2"}));
    }

    void cancelWritesNothing_data() {
        QTest::addColumn<QString>("manier");
        QTest::newRow("Annuleren") << "knop";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("sluitknop") << "sluiten";
    }

    void cancelWritesNothing() {
        QFETCH(QString, manier);
        const QByteArray oud = "/Oud/P.xlt\r\n/Oud/K.xlt\r\n5\r\n1\r\n";
        QVERIFY(schrijf(ini(), oud));
        ScriptedMessages berichten;
        TOptiesDialog dialog(nullptr, ini());
        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick({"/Nieuw/P.xlt", "/Nieuw/K.xlt", "0", "abc"}, {})
            .then([manier](QWidget* venster) {
                if (manier == "knop")
                    QTest::mouseClick(venster->findChild<QPushButton*>("AnnulerenBitBtn"),
                                      Qt::LeftButton);
                else if (manier == "esc")
                    QTest::keyClick(venster->focusWidget(), Qt::Key_Escape);
                else
                    venster->close();
            });
        QVERIFY(!dialog.Wijzig(QStringLiteral("/Oud/P.xlt"), QStringLiteral("/Oud/K.xlt"), 1, 5));
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(inhoud(ini()), oud);
        QVERIFY(berichten->calls().isEmpty()); // nothing is checked either
    }

    void enterInAFieldConfirms() {
        ScriptedMessages berichten;
        TOptiesDialog dialog(nullptr, ini());
        ModalDialogDriver bestuurder;
        bestuurder.then([](QWidget* venster) {
            auto* kolom = venster->findChild<QLineEdit*>("KolomEdit");
            kolom->setFocus();
            kolom->setText(QStringLiteral("6"));
            QTest::keyClick(kolom, Qt::Key_Return);
        });
        QVERIFY(dialog.Wijzig(QStringLiteral("/P.xlt"), QStringLiteral("/K.xlt"), 1, 5));
        QCOMPARE(inhoud(ini()), QByteArray("/P.xlt\r\n/K.xlt\r\n5\r\n6\r\n"));
    }

    // --- The number check on OK --------------------------------------------

    void aFaultyNumberKeepsTheDialogOpen_data() {
        QTest::addColumn<QString>("rij");
        QTest::addColumn<QString>("kolom");
        QTest::addColumn<QString>("veld");
        QTest::newRow("rij 0") << "0"
                               << "1"
                               << "RijEdit";
        QTest::newRow("rij negatief") << "-2"
                                      << "1"
                                      << "RijEdit";
        QTest::newRow("rij 7 met spatie erachter") << "7 "
                                                   << "1"
                                                   << "RijEdit";
        QTest::newRow("rij en kolom letters: de rij eerst") << "abc"
                                                            << "xyz"
                                                            << "RijEdit";
        QTest::newRow("rij te groot") << "99999999999"
                                      << "1"
                                      << "RijEdit";
        QTest::newRow("kolom 0") << "4"
                                 << "0"
                                 << "KolomEdit";
        // A worksheet's last row and column.
        QTest::newRow("rij voorbij het werkblad") << "1048577"
                                                  << "16384"
                                                  << "RijEdit";
        QTest::newRow("kolom voorbij het werkblad") << "1048576"
                                                    << "16385"
                                                    << "KolomEdit";
    }

    void aFaultyNumberKeepsTheDialogOpen() {
        QFETCH(QString, rij);
        QFETCH(QString, kolom);
        QFETCH(QString, veld);
        ScriptedMessages berichten;
        TOptiesDialog dialog(nullptr, ini());
        QString focusBijMelding;
        QString selectieBijMelding;
        berichten->onEveryCall([&](const MessageCall&) {
            auto* focus = qobject_cast<QLineEdit*>(dialog.focusWidget());
            focusBijMelding = focus ? focus->objectName() : QString();
            selectieBijMelding = focus ? focus->selectedText() : QString();
        });
        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick({"/P.xlt", "/K.xlt", rij, kolom}, QStringLiteral("OKBitBtn"))
            .fillAndClick({"/P.xlt", "/K.xlt", "6", "2"}, QStringLiteral("OKBitBtn"));
        QVERIFY(dialog.Wijzig(QStringLiteral("/P.xlt"), QStringLiteral("/K.xlt"), 1, 5));
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(bestuurder.seen().at(1).visible, true);
        QCOMPARE(berichten->texts(), QStringList{veld == "RijEdit" ? RijMelding : KolomMelding});
        QCOMPARE(berichten->calls().constFirst().kind, MessageKind::Information);
        QCOMPARE(focusBijMelding, veld);
        QCOMPARE(selectieBijMelding, veld == "RijEdit" ? rij : kolom);
        QCOMPARE(inhoud(ini()), QByteArray("/P.xlt\r\n/K.xlt\r\n6\r\n2\r\n"));
    }

    // One value per line in the file: a pasted line break would shift the
    // knockout template, row and column on the next start.
    void aTemplatePathWithALineBreakIsRefused() {
        ScriptedMessages berichten;
        TOptiesDialog dialog(nullptr, ini());
        QString focusBijMelding;
        QByteArray bestandBijMelding = "niet gevraagd";
        berichten->onEveryCall([&](const MessageCall&) {
            focusBijMelding = dialog.focusWidget() ? dialog.focusWidget()->objectName() : "";
            bestandBijMelding = inhoud(ini());
        });
        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick({"/P.xlt", "/Sjablonen/\r\nK.xlt\n", "6", "2"}, "OKBitBtn")
            .fillAndClick({"/P.xlt", "/Sjablonen/K.xlt", "6", "2"}, "OKBitBtn");
        QVERIFY(dialog.Wijzig(QStringLiteral("/P.xlt"), QStringLiteral("/K.xlt"), 1, 5));
        QCOMPARE(berichten->texts(),
                 QStringList{"Een sjabloonpad mag geen regeleinde, tab of ander stuurteken "
                             "bevatten."});
        QCOMPARE(focusBijMelding, QStringLiteral("KnockoutSjabloonEdit"));
        QCOMPARE(bestandBijMelding, QByteArray());
        QCOMPARE(inhoud(ini()), QByteArray("/P.xlt\r\n/Sjablonen/K.xlt\r\n6\r\n2\r\n"));
    }

    void acceptedWithoutMessage_data() {
        QTest::addColumn<QStringList>("invoer");
        QTest::addColumn<QByteArray>("geschreven");
        QTest::addColumn<int>("beginRij");
        QTest::addColumn<int>("beginKolom");
        QTest::newRow("lege rij en kolom worden 1")
            << QStringList{"/P.xlt", "/K.xlt", "  ", ""}
            << QByteArray("/P.xlt\r\n/K.xlt\r\n1\r\n1\r\n") << 1 << 1;
        QTest::newRow("spatie voor het getal")
            << QStringList{"/P.xlt", "/K.xlt", " 8", "2"}
            << QByteArray("/P.xlt\r\n/K.xlt\r\n8\r\n2\r\n") << 8 << 2;
        QTest::newRow("geen knockoutsjabloon: getallen ongecontroleerd")
            << QStringList{"/P.xlt", " \t", "0", "x"} << QByteArray("/P.xlt\r\n\r\n0\r\nx\r\n") << 0
            << 1;
    }

    void acceptedWithoutMessage() {
        QFETCH(QStringList, invoer);
        QFETCH(QByteArray, geschreven);
        ScriptedMessages berichten;
        TOptiesDialog dialog(nullptr, ini());
        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick(invoer, QStringLiteral("OKBitBtn"));
        QVERIFY(dialog.Wijzig(QStringLiteral("/P.xlt"), QStringLiteral("/K.xlt"), 1, 5));
        QVERIFY(berichten->calls().isEmpty());
        QCOMPARE(inhoud(ini()), geschreven);
        QTEST(dialog.BeginRij(), "beginRij");
        QTEST(dialog.BeginKolom(), "beginKolom");
    }

    // --- Browsing ----------------------------------------------------------

    void browsingFillsTheFieldAndCancelTrimsIt() {
        ScriptedMessages berichten;
        berichten->queueFileName(QStringLiteral("/Nieuw/Sjabloon.xltx"));
        berichten->queueFileName(QString()); // cancelled
        berichten->queueFileName(QString()); // cancelled, from an empty field
        TOptiesDialog dialog(nullptr, ini());
        ModalDialogDriver bestuurder;
        bestuurder
            .fillAndClick({" /Oud map/Poules.xlt ", "\t/Oud map/KO.xlt  "},
                          QStringLiteral("BladerenPoulesBitBtn"))
            .click(QStringLiteral("BladerenKnockoutBitBtn"))
            .fillAndClick({"   "}, QStringLiteral("BladerenPoulesBitBtn"))
            .click(QStringLiteral("AnnulerenBitBtn"));
        QVERIFY(!dialog.Wijzig(QStringLiteral("/P.xlt"), QStringLiteral("/K.xlt"), 1, 5));
        QCOMPARE(bestuurder.pending(), 0);
        QVERIFY(berichten->allAnswersUsed());
        QCOMPARE(bestuurder.seen().at(1).edits,
                 (QStringList{"/Nieuw/Sjabloon.xltx", "\t/Oud map/KO.xlt  ", "5", "1"}));
        QCOMPARE(bestuurder.seen().at(2).edits,
                 (QStringList{"/Nieuw/Sjabloon.xltx", "/Oud map/KO.xlt", "5", "1"}));
        QCOMPARE(bestuurder.seen().at(3).edits.constFirst(), QString());

        const QList<MessageCall>& vragen = berichten->calls();
        QCOMPARE(vragen.size(), 3);
        for (const MessageCall& vraag : vragen) {
            QCOMPARE(vraag.kind, MessageKind::OpenFile);
            QCOMPARE(vraag.file.title, QStringLiteral("Kies Excel-werkmapsjabloon"));
            for (const char* deel : {"Excel-werkbladsjabloon (*.xlt)|*.xlt", "*.xltx", "*.xlsx"})
                QVERIFY2(vraag.file.filter.contains(deel), deel);
            QVERIFY(vraag.file.filter.endsWith(QStringLiteral("|Alle bestanden (*.*)|*.*")));
        }
        QCOMPARE(vragen.at(0).file.directory, QStringLiteral("/Oud map"));
        QCOMPARE(vragen.at(0).file.fileName, QStringLiteral("Poules.xlt"));
        QCOMPARE(vragen.at(1).file.directory, QStringLiteral("/Oud map"));
        QCOMPARE(vragen.at(1).file.fileName, QStringLiteral("KO.xlt"));
        QCOMPARE(vragen.at(2).file.directory, map->path());
        QCOMPARE(vragen.at(2).file.fileName, QString());
    }

    // --- Write failures ----------------------------------------------------

    void aFailedWriteKeepsTheOldFileAndSaysWhy_data() {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<bool>("oudBestand");
        QTest::addColumn<QString>("reden"); // empty: the one QSaveFile gives
        // No room for the temporary file's longer name beside it: the write
        // fails, even for an administrator, while the old file exists.
        QTest::newRow("naam op de grens") << QString(251, u'o') + ".ini" << true << QString();
        QTest::newRow("map is een bestand")
            << "bestand/Zegerooster.ini" << false
            << "De map \"%1/bestand\" kan niet worden aangemaakt. Er staat een bestand in de weg.";
    }

    void aFailedWriteKeepsTheOldFileAndSaysWhy() {
        QFETCH(QString, naam);
        QFETCH(bool, oudBestand);
        const QString pad = map->filePath(naam);
        const QByteArray oud = "/Oud/P.xlt\r\n/Oud/K.xlt\r\n5\r\n1\r\n";
        QVERIFY(schrijf(oudBestand ? pad : map->filePath("bestand"), oud));
        const QStringList voor = QDir(map->path()).entryList(QDir::Files);
        ScriptedMessages berichten;
        TOptiesDialog dialog(nullptr, pad);
        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick({"/Nieuw/P.xlt", "/Nieuw/K.xlt", "8", "2"},
                                QStringLiteral("OKBitBtn"));
        // The dialog still closes with OK, and the new values hold.
        QVERIFY(dialog.Wijzig(QStringLiteral("/Oud/P.xlt"), QStringLiteral("/Oud/K.xlt"), 1, 5));
        QCOMPARE(dialog.PouleSjabloon(), QStringLiteral("/Nieuw/P.xlt"));
        QCOMPARE(dialog.BeginRij(), 8);

        QFETCH(QString, reden);
        reden = reden.isEmpty() ? eigenFoutmelding(pad) : reden.arg(map->path());
        QVERIFY(!reden.isEmpty());
        QCOMPARE(berichten->texts(), QStringList{OpslaanMelding + reden + "\"."});
        QCOMPARE(berichten->calls().constFirst().kind, MessageKind::Information);
        QCOMPARE(inhoud(oudBestand ? pad : map->filePath("bestand")), oud);
        QCOMPARE(QDir(map->path()).entryList(QDir::Files), voor); // no half-written leftovers
    }

    // --- Where the file is kept --------------------------------------------

    void optionsLiveBesideAWritableProgram() {
        const QString programmamap = map->filePath(QStringLiteral("Club Programma"));
        QVERIFY(QDir().mkpath(programmamap));
        const QString config = QStringLiteral("/Config/Zegerooster");
        QCOMPARE(Paths::optionsFileFor(programmamap + "/Zegerooster.exe", config),
                 programmamap + "/Zegerooster.ini");
        QCOMPARE(Paths::optionsFileFor(programmamap + "/Zegerooster", config),
                 programmamap + "/Zegerooster.ini");
        QCOMPARE(Paths::optionsFileFor(programmamap + "/Zege.Rooster.bin", config),
                 programmamap + "/Zege.Rooster.ini");
    }

    void otherwiseInTheConfigurationFolder() {
        const QString config = map->filePath(QStringLiteral("Config/Zegerooster"));
        QCOMPARE(Paths::optionsFileFor(QStringLiteral("/Geen Map/Zegerooster"), config),
                 config + "/Zegerooster.ini");

        const QString alleenLezen = map->filePath(QStringLiteral("Systeem"));
        QVERIFY(QDir().mkpath(alleenLezen));
        QVERIFY(QFile::setPermissions(alleenLezen, QFile::ReadOwner | QFile::ExeOwner));
        const bool tochSchrijfbaar = QFileInfo(alleenLezen).isWritable(); // as root
        QCOMPARE(Paths::optionsFileFor(alleenLezen + "/Zegerooster", config),
                 tochSchrijfbaar ? alleenLezen + "/Zegerooster.ini" : config + "/Zegerooster.ini");
        QFile::setPermissions(alleenLezen, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        // Without any configuration folder the program's own stays the place.
        QCOMPARE(Paths::optionsFileFor(QStringLiteral("/Geen Map/Zegerooster"), QString()),
                 QStringLiteral("/Geen Map/Zegerooster.ini"));
    }

    void theConfigurationFolderIsMadeWhenWriting() {
        const QString pad = map->filePath(QStringLiteral("Nieuw/Config/Zegerooster.ini"));
        ScriptedMessages berichten;
        TOptiesDialog dialog(nullptr, pad);
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("OKBitBtn"));
        QVERIFY(dialog.Wijzig(QStringLiteral("/P.xlt"), QStringLiteral("/K.xlt"), 1, 5));
        QVERIFY(berichten->calls().isEmpty());
        QCOMPARE(inhoud(pad), QByteArray("/P.xlt\r\n/K.xlt\r\n5\r\n1\r\n"));
    }

    void theUsualFileIsTheOverrideOrElseBesideTheProgram() {
        QVERIFY(schrijf(ini(), "/P.xlt\r\n/K.xlt\r\n3\r\n2\r\n"));
        TOptiesDialog dialog(nullptr);
        QCOMPARE(dialog.IniBestand, ini());
        QCOMPARE(dialog.BeginRij(), 3);

        Paths::setOptionsFileOverride(QString());
        const QString gewoon = Paths::optionsFile();
        Paths::setOptionsFileOverride(ini());
        QCOMPARE(gewoon, Paths::optionsFileFor(
                             QCoreApplication::applicationFilePath(),
                             QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
        QVERIFY(gewoon.endsWith(QStringLiteral("/test_options_dialog.ini")));
    }

    // --- The main window ---------------------------------------------------

    void theMainWindowTakesOverOnlyConfirmedOptions() {
        QVERIFY(schrijf(ini(), "/Start/P.xlt\r\n/Start/K.xlt\r\n8\r\n3\r\n"));
        ScriptedMessages berichten;
        TMainForm form;
        auto waarden = [&form] {
            return QStringList{form.PoulesForm->PouleSjabloon,
                               form.KnockoutForm->KnockoutSjabloon(),
                               QString::number(form.KnockoutForm->BeginRij()),
                               QString::number(form.KnockoutForm->BeginKolom())};
        };
        const QStringList start{"/Start/P.xlt", "/Start/K.xlt", "8", "3"};
        QCOMPARE(waarden(), start);

        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick({"/Nieuw/P.xltx", " /Nieuw/K.xltx ", "10", "4"},
                                QStringLiteral("OKBitBtn"));
        form.OptiesBitBtn->click();
        QCOMPARE(bestuurder.seen().constFirst().edits, start);
        const QStringList nieuw{"/Nieuw/P.xltx", "/Nieuw/K.xltx", "10", "4"};
        QCOMPARE(waarden(), nieuw);
        const QByteArray bewaard = inhoud(ini());
        QCOMPARE(bewaard, QByteArray("/Nieuw/P.xltx\r\n/Nieuw/K.xltx\r\n10\r\n4\r\n"));

        bestuurder.fillAndClick({"/Weg/P.xlt", "/Weg/K.xlt", "20", "9"},
                                QStringLiteral("AnnulerenBitBtn"));
        form.OptiesBitBtn->click();
        QCOMPARE(bestuurder.seen().at(1).edits, nieuw);
        QCOMPARE(waarden(), nieuw);
        QCOMPARE(inhoud(ini()), bewaard);
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(bestuurder.unexpected(), 0);
        QVERIFY(berichten->calls().isEmpty());
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(OptionsDialogTest)
#include "test_options_dialog.moc"
