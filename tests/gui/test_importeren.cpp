#include "ui/Help.h"
#include "ui/HelpVenster.h"
#include "model/ToernooiDocument.h"
#include "participants/DeelnemersForm.h"
#include "participants/ImporteerDialog.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>

// The import as the organiser meets it in the participant window: a file by
// Ctrl+I, a pasted list by Ctrl+V, the columns chosen in the dialog, all
// names added in one step that undo takes back, and the guard of a running
// tournament.
class ImporterenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> berichten;
    std::unique_ptr<TToernooiDocument> document;
    std::unique_ptr<TDeelnemersForm> venster;

    QStringList Namen() const {
        QStringList namen;
        for (const auto& naam : document->Namen())
            namen << naam.Voornaam + u'|' + naam.Achternaam;
        return namen;
    }
    void plak(const QString& tekst) {
        QApplication::clipboard()->setText(tekst);
        QTest::keyClick(venster->DeelnemersStringGrid, Qt::Key_V, Qt::ControlModifier);
    }
    static QString cel(QWidget* d, int rij, int kolom) {
        return d->findChild<QTableView*>()->model()->index(rij, kolom).data().toString();
    }

private Q_SLOTS:
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        document = std::make_unique<TToernooiDocument>();
        venster = std::make_unique<TDeelnemersForm>(*document, nullptr);
        venster->show();
        document->VoegDeelnemerToe(QStringLiteral("Piet"), QStringLiteral("Bakker"));
    }
    void cleanup() {
        venster.reset();
        document.reset();
        QCOMPARE((*berichten)->unexpected(), 0);
        QVERIFY((*berichten)->allAnswersUsed());
        berichten.reset();
    }

    void fileImportIsOneStepThatUndoTakesBack() {
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("inschrijvingen.csv"));
        QFile bestand(pad);
        QVERIFY(bestand.open(QIODevice::WriteOnly));
        bestand.write("Voornaam;Achternaam\r\nJos\xe9;Bakker\r\nPiet;Bakker\r\nAnna;de Vries\r\n");
        bestand.close();
        // A file that cannot be read is reported and changes nothing.
        (*berichten)->queueFileName(map.filePath(QStringLiteral("weg.xlsx")));
        QTest::keyClick(venster->DeelnemersStringGrid, Qt::Key_I, Qt::ControlModifier);
        QVERIFY((*berichten)
                    ->texts()
                    .last()
                    .startsWith(QStringLiteral(
                        "Het bestand kan niet worden geïmporteerd.\n\r\n\rFoutmelding: ")));

        (*berichten)->queueFileName(pad);
        ModalDialogDriver bestuurder;
        bestuurder.then([](QWidget* d) {
            QCOMPARE(helpContextOf(d), HelpContext::Importeren);
            QVERIFY(QFile::exists(QStringLiteral(":/help/importeren.html")));
            QCOMPARE(THelpVenster::PaginaVan(HelpContext::Importeren).fileName(),
                     QStringLiteral("importeren.html"));
            QCOMPARE(d->findChild<QTableView*>()->model()->rowCount(), 3);
            QCOMPARE(cel(d, 1, 3), QStringLiteral("staat al in het toernooi"));
            auto* ok = d->findChild<QPushButton*>(QStringLiteral("OKBitBtn"));
            QCOMPARE(ok->text(), QStringLiteral("2 deelnemers toevoegen"));
            ok->click();
        });
        QTest::keyClick(venster->DeelnemersStringGrid, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE((*berichten)->calls().first().file.helpContext, HelpContext::Importeren);
        // Never the working folder; then the folder of the last import.
        const QString eerste = (*berichten)->calls().first().file.directory;
        QVERIFY(!eerste.isEmpty() && eerste != QDir::currentPath());
        QCOMPARE((*berichten)->calls().last().file.directory, map.path());

        QCOMPARE(Namen(), (QStringList{"Anna|de Vries", "José|Bakker", "Piet|Bakker"}));
        QCOMPARE(venster->RowCount(), 5);
        QCOMPARE(document->OngedaanMakenOmschrijving(),
                 QStringLiteral("importeren van 2 deelnemers"));
        document->MaakOngedaan();
        QCOMPARE(Namen(), QStringList{"Piet|Bakker"});
        QCOMPARE(venster->RowCount(), 3);
    }

    // Without a header the organiser names the columns; one pasted line is
    // no list and opens nothing.
    void pastedListWithColumnsChosenByHand() {
        plak(QStringLiteral("Jansen"));
        ModalDialogDriver bestuurder;
        bestuurder.then([](QWidget* d) {
            auto* dialoog = static_cast<TImporteerDialog*>(d);
            QCOMPARE(dialoog->KopCheckBox->isChecked(), false);
            dialoog->KolomComboBoxen[TImporteerDialog::Voornaam]->setCurrentIndex(2);
            dialoog->KolomComboBoxen[TImporteerDialog::Achternaam]->setCurrentIndex(1);
            QCOMPARE(cel(d, 0, 1), QStringLiteral("Jan"));
            QCOMPARE(cel(d, 0, 2), QStringLiteral("Berg"));
            dialoog->OKBitBtn->click();
        });
        plak(QStringLiteral("Berg\tJan\nVries\tKees\n"));
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(Namen(), (QStringList{"Jan|Berg", "Kees|Vries", "Piet|Bakker"}));
    }

    // A line split into thousands of fields offers only the first columns,
    // and says so.
    void onlyTheFirstColumnsAreOffered() {
        ModalDialogDriver bestuurder;
        bestuurder.then([](QWidget* d) {
            auto* dialoog = static_cast<TImporteerDialog*>(d);
            QCOMPARE(dialoog->KolomComboBoxen[TImporteerDialog::Naam]->count(),
                     Import::MaxKolommen + 1);
            QVERIFY2(dialoog->BronLabel->text().contains(QStringLiteral("eerste 50 van de 2000")),
                     qPrintable(dialoog->BronLabel->text()));
            dialoog->AnnulerenBitBtn->click();
        });
        plak(QStringLiteral("Jan;").repeated(1999) + QStringLiteral("Jan\nPiet;Kees\n"));
        QCOMPARE(bestuurder.pending(), 0);
    }

    // Declining to end the tournament opens nothing; cancelling the dialog
    // leaves it running; an import ends it in the same step as the names.
    void runningTournament() {
        const QString lijst = QStringLiteral("Kees de Vries\nAnna Smit\n");
        document->ZetProgrammastatus(psPoules);
        (*berichten)->queueAnswer(Answer::No);
        plak(lijst);
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("AnnulerenBitBtn")).click(QStringLiteral("OKBitBtn"));
        (*berichten)->queueAnswer(Answer::Yes);
        plak(lijst);
        QCOMPARE(document->Programmastatus(), psPoules);
        (*berichten)->queueAnswer(Answer::Yes);
        plak(lijst);
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(document->Programmastatus(), psGeen);
        QCOMPARE(Namen().size(), 3);
        document->MaakOngedaan();
        QCOMPARE(document->Programmastatus(), psPoules);
        QCOMPARE(Namen(), QStringList{"Piet|Bakker"});
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(ImporterenTest)
#include "test_importeren.moc"
