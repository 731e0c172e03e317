// The print button and keys of the participant, pools and knockout windows:
// Ctrl+Shift+P writes a PDF in the export folder through the message
// service, Ctrl+P opens the preview with its help and, for a bracket, the
// option to fit it on one page.
#include "app/MainForm.h"
#include "export/WorkbookEngine.h"
#include "knockout/KnockoutForm.h"
#include "model/Knockout.h"
#include "model/ToernooiDocument.h"
#include "participants/DeelnemersForm.h"
#include "pools/PoulesForm.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedRandomSource.h"
#include "support/TestMain.h"
#include "ui/Help.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

// The first page is wider than it is tall.
bool Liggend(const QString& pad) {
    QProcess proces;
    proces.start(QStringLiteral("pdfinfo"), {pad});
    proces.waitForFinished(60000);
    const auto maat = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                          .match(QString::fromUtf8(proces.readAllStandardOutput()));
    return maat.captured(1).toDouble() > maat.captured(2).toDouble();
}

QString PdfTekst(const QString& pad) {
    QProcess proces;
    proces.start(QStringLiteral("pdftotext"), {pad, QStringLiteral("-")});
    proces.waitForFinished(60000);
    return QString::fromUtf8(proces.readAllStandardOutput()).simplified();
}

void DrukToets(QWidget* venster, Qt::KeyboardModifiers toetsen) {
    venster->show();
    // The offscreen platform does not always hand over activation itself.
    QApplication::setActiveWindow(venster);
    QTest::keyClick(venster, Qt::Key_P, toetsen);
}

} // namespace

class PrintWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedMessages> berichten;
    std::unique_ptr<TMainForm> hoofd;
    QTemporaryDir map;
    QString vorigeMap;

    void VulToernooi(int aantal) {
        TDeelnemerLijst lijst;
        for (int i = 0; i < aantal; ++i) {
            hoofd->Document().VoegDeelnemerToe(QStringLiteral("Speler"), QString::number(i));
            auto deelnemer =
                std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i));
            deelnemer->Poule = i % 4 + 1;
            deelnemer->Positie = i / 4 + 1;
            deelnemer->KnockoutNr = i % 2 + 1;
            lijst.push_back(std::move(deelnemer));
        }
        hoofd->Document().ZetDeelnemers(std::move(lijst));
    }

private Q_SLOTS:
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
        vorigeMap = Spreadsheet::SetExportFolder(map.filePath(QStringLiteral("export")));
    }
    void cleanup() {
        hoofd.reset();
        Spreadsheet::SetExportFolder(vorigeMap);
        QCOMPARE((*berichten)->unexpected(), 0);
        berichten.reset();
    }

    void everyWindowHasItsPrintButton() {
        const QList<QWidget*> vensters = {hoofd->DeelnemersForm, hoofd->PoulesForm,
                                          hoofd->KnockoutForm};
        for (QWidget* venster : vensters) {
            auto* knop = venster->findChild<QPushButton*>(QStringLiteral("AfdrukBitBtn"));
            QVERIFY(knop);
            QCOMPARE(knop->toolTip(), QStringLiteral("Afdrukken of als PDF bewaren (Ctrl+P)"));
            QCOMPARE(knop->accessibleName(), QStringLiteral("Afdrukken"));
        }
    }

    void ctrlShiftPWritesThePdfWhereTheExportsGo() {
        VulToernooi(12);
        const QString pad = map.filePath(QStringLiteral("lijst.pdf"));
        (*berichten)->queueFileName(pad);
        DrukToets(hoofd->DeelnemersForm, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE((*berichten)->calls().size(), 1);
        const MessageCall& vraag = (*berichten)->calls().first();
        QCOMPARE(vraag.kind, MessageKind::SaveFile);
        QCOMPARE(vraag.file.directory, map.filePath(QStringLiteral("export")));
        QVERIFY(vraag.file.fileName.startsWith(QStringLiteral("Deelnemers ")));
        QVERIFY(vraag.file.fileName.endsWith(QStringLiteral(".pdf")));
        const QString tekst = PdfTekst(pad);
        QVERIFY(tekst.contains(QStringLiteral("Naamloos toernooi")));
        QVERIFY(tekst.contains(QStringLiteral("12. Speler 9 2 3")));
        QVERIFY(!Liggend(pad));

        // The knockout window prints the bracket of the tab shown.
        hoofd->Document().BouwKnockouts(TKnockout::LootWillekeurig);
        hoofd->KnockoutForm->PageControl->setCurrentIndex(1);
        (*berichten)->queueFileName(pad);
        (*berichten)->queueAnswer(Answer::Yes); // replace the list printed above
        DrukToets(hoofd->KnockoutForm, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(PdfTekst(pad).contains(QStringLiteral("Verliezersronde")));
        QVERIFY(!PdfTekst(pad).contains(QStringLiteral("Winnaarsronde")));
        // Six in three rounds: wider than tall, so on landscape pages.
        QVERIFY(Liggend(pad));
    }

    // The heading names the document's file, also for a window that no main
    // window owns.
    void theHeadingNamesTheDocumentsFile() {
        TToernooiDocument bron;
        bron.VoegDeelnemerToe(QStringLiteral("Jeffrey"), QStringLiteral("Hoffmann"));
        TToernooiDocument document;
        QVERIFY(
            !document.Open(bron.Bestand(), map.filePath(QStringLiteral("Clubkampioenschap.txt"))));
        TDeelnemersForm venster(document, nullptr);
        const QString pad = map.filePath(QStringLiteral("kop.pdf"));
        (*berichten)->queueFileName(pad);
        DrukToets(&venster, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(PdfTekst(pad).contains(QStringLiteral("Clubkampioenschap")));
    }

    void previewHasHelpAndFitsTheBracketOnOnePage() {
        VulToernooi(128);
        hoofd->Document().BouwKnockouts(TKnockout::LootWillekeurig);
        int bladen = 0;
        int passend = 0;
        int help = 0;
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget* dialoog) {
            help = helpContextOf(dialoog);
            auto* voorbeeld = dialoog->findChild<QPrintPreviewWidget*>();
            auto* optie = dialoog->findChild<QAction*>(QStringLiteral("OpEenBladAction"));
            if (!voorbeeld || !optie)
                return;
            bladen = voorbeeld->pageCount();
            optie->trigger();
            passend = voorbeeld->pageCount();
            static_cast<QDialog*>(dialoog)->reject();
        });
        DrukToets(hoofd->KnockoutForm, Qt::ControlModifier);
        QTRY_COMPARE(bestuurder.pending(), 0);
        QCOMPARE(bestuurder.unexpected(), 0);
        QCOMPARE(help, HelpContext::Afdrukken);
        QVERIFY(bladen > 1);
        QCOMPARE(passend, 1);
    }

    // With pool matches the pools window prints the match sheets first; the
    // pool sheets are one choice away in the preview.
    void poolPreviewChoosesBetweenMatchSheetsAndPoolSheets() {
        ScriptedRandom toeval;
        hoofd->Document().ZetNamen({{"Jeffrey", "Hoffmann"},
                                    {"Jan", "Berg, van der"},
                                    {"Sanne", "Bakker"},
                                    {"Mohamed", "El Amrani"},
                                    {"Lotte", "de Vries"},
                                    {"Daan", "Visser"}},
                                   QStringLiteral("namen"));
        hoofd->Document().StartPoules(TPouleIndeling(3, 2, 0, 0));
        QStringList titels;
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget* dialoog) {
            titels << dialoog->windowTitle();
            auto* wedstrijden = dialoog->findChild<QAction*>(QStringLiteral("AfdrukKeuze0Action"));
            auto* poules = dialoog->findChild<QAction*>(QStringLiteral("AfdrukKeuze1Action"));
            if (!wedstrijden || !poules || !wedstrijden->isChecked())
                return;
            poules->trigger();
            titels << poules->text() + u' ' + dialoog->windowTitle();
            static_cast<QDialog*>(dialoog)->reject();
        });
        DrukToets(hoofd->PoulesForm, Qt::ControlModifier);
        QTRY_COMPARE(bestuurder.pending(), 0);
        QCOMPARE(titels, QStringList({"Afdrukvoorbeeld - Poulewedstrijden",
                                      "Poulebladen Afdrukvoorbeeld - Poules"}));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(PrintWindowsTest)
#include "test_print_windows.moc"
