#include "app/MainForm.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutNaarExcelForm.h"
#include "model/Knockout.h"
#include "model/ToernooiDocument.h"
#include "participants/DeelnemersForm.h"
#include "pools/PoulesForm.h"
#include "ui/Help.h"
#include "ui/Paths.h"

#include "support/FakeSpreadsheet.h"
#include "support/ModalDialogDriver.h"
#include "support/PoulesHulp.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedRandomSource.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

using Fake::FakeSpreadsheet;
using Fake::Sheet;

namespace {

const QString Sjabloon = QStringLiteral("/sjablonen/knockout.xlt");

QWidget* volgendeTab(QWidget* widget) {
    QWidget* volgende = widget->nextInFocusChain();
    while (volgende != widget && !(volgende->focusPolicy() & Qt::TabFocus))
        volgende = volgende->nextInFocusChain();
    return volgende;
}

// The spreadsheet with a knockout template of one sheet.
struct Excel : FakeSpreadsheet {
    Excel() {
        Sheet blad;
        blad.name = QStringLiteral("Blad1");
        addTemplate(Sjabloon, {blad});
    }
};

ModalDialogDriver::Action vinkUit(const QString& keuze) {
    return [keuze](QWidget* dialoog) { dialoog->findChild<QCheckBox*>(keuze)->setChecked(false); };
}

} // namespace

class ExportWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> m_berichten;
    std::unique_ptr<TMainForm> hoofd;

    ScriptedMessageService& berichten() { return **m_berichten; }
    TKnockoutNaarExcelForm& dialoog() { return *hoofd->KnockoutForm->ExportDialoog; }

    // Four participants in each bracket, drawn at random.
    void bouwKnockouts() {
        ScriptedRandom toeval;
        TDeelnemerLijst lijst;
        for (int i = 0; i < 8; ++i) {
            auto d = std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i));
            d->KnockoutNr = i < 4 ? 1 : 2;
            lijst.push_back(std::move(d));
        }
        hoofd->Document().ZetDeelnemers(std::move(lijst));
        hoofd->Document().BouwKnockouts(TKnockout::LootWillekeurig);
        hoofd->KnockoutForm->ZetExportwaarden(Sjabloon, 2, 1);
    }

private Q_SLOTS:
    void init() {
        m_berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
    }
    void cleanup() {
        hoofd.reset();
        QCOMPARE(berichten().unexpected(), 0);
        m_berichten.reset();
    }

    void dialogLayout() {
        TKnockoutNaarExcelForm& d = dialoog();
        QCOMPARE(d.windowTitle(), QStringLiteral("Knockout naar Excel"));
        // As designed, but wider where the captions need it, with the
        // buttons kept in the middle.
        QCOMPARE(d.height(), 188);
        QVERIFY(d.width() >= 324);
        const int verschuiving = (d.width() - 324) / 2;
        QCOMPARE(d.minimumSize(), d.maximumSize());
        QCOMPARE(helpContextOf(&d), HelpContext::Knockout);
        const QList<std::pair<QCheckBox*, QString>> keuzes{
            {d.cbxRonden, "Nummer de ronden"},
            {d.cbxWedstrijden, "Nummer de wedstrijden"},
            {d.cbxDeelnemerNO, "Plaats \"n.o\" wanneer een deelnemer nog onbekend is"},
            {d.cbxUitslagNO, "Plaats \"n.o.\" wanneer een uitslag nog onbekend is"},
            {d.cbxPouleInformatie, "Plaats poule-informatie voor alle deelnemers in de 1e ronde"}};
        int boven = 16;
        for (const auto& [keuze, tekst] : keuzes) {
            QCOMPARE(keuze->text(), tekst);
            QCOMPARE(keuze->geometry(),
                     QRect(16, boven, std::max(297, keuze->sizeHint().width()), 17));
            QVERIFY(keuze->geometry().right() < d.width() - 8);
            QVERIFY(keuze->isChecked());
            boven += 24;
        }
        QCOMPARE(d.OKBitBtn->text(), QStringLiteral("&OK"));
        QCOMPARE(d.OKBitBtn->geometry(), QRect(72 + verschuiving, 152, 89, 25));
        QVERIFY(d.OKBitBtn->isDefault());
        QCOMPARE(d.AnnulerenBitBtn->text(), QStringLiteral("&Annuleren"));
        QCOMPARE(d.AnnulerenBitBtn->geometry(), QRect(168 + verschuiving, 152, 89, 25));
        QWidget* stap = d.OKBitBtn;
        for (QWidget* volgende :
             QList<QWidget*>{d.AnnulerenBitBtn, d.cbxRonden, d.cbxWedstrijden, d.cbxDeelnemerNO,
                             d.cbxUitslagNO, d.cbxPouleInformatie, d.OKBitBtn}) {
            QCOMPARE(volgendeTab(stap), volgende);
            stap = volgende;
        }
    }

    void windowKeepsTheExportValuesInItsDialog() {
        TToernooiDocument document;
        auto* venster = new TKnockoutForm(document, nullptr);
        QPointer<TKnockoutNaarExcelForm> d = venster->ExportDialoog;
        QCOMPARE(venster->KnockoutSjabloon(), Paths::executableFolder() + "/knockout.xlt");
        QCOMPARE(venster->BeginKolom(), 1);
        QCOMPARE(venster->BeginRij(), 5); // as the options dialog starts
        venster->ZetExportwaarden(QStringLiteral("/a/B.xlt"), 5, 3);
        QCOMPARE(d->KnockoutSjabloon, QStringLiteral("/a/B.xlt"));
        QCOMPARE(d->BeginRij, 5);
        QCOMPARE(d->BeginKolom, 3);
        d->BeginRij = 7;
        QCOMPARE(venster->BeginRij(), 7);
        delete venster;
        QVERIFY(d.isNull());
    }

    void knockoutButtonsExportAfterOk() {
        bouwKnockouts();
        Excel excel;
        ModalDialogDriver gebruiker;
        gebruiker.click(QStringLiteral("AnnulerenBitBtn"))
            .click(QStringLiteral("OKBitBtn"))
            .then(vinkUit(QStringLiteral("cbxPouleInformatie")))
            .click(QStringLiteral("OKBitBtn"))
            .look()
            .click(QStringLiteral("OKBitBtn"));
        QTest::mouseClick(hoofd->KnockoutForm->ExcelWinnaarsRondeBitBtn, Qt::LeftButton);
        QCOMPARE(excel.obtained, 0); // Annuleren
        QTest::mouseClick(hoofd->KnockoutForm->ExcelVerliezersrondeBitBtn, Qt::LeftButton);
        QCOMPARE(excel.subjects, QStringList{QStringLiteral("Verliezersronde")});
        QCOMPARE(excel.sheetNames(), QStringList{QStringLiteral("Verliezersronde")});
        QVERIFY(excel.sheet(QStringLiteral("Verliezersronde"))->text(4, 2).startsWith(": Speler"));
        QTest::mouseClick(hoofd->KnockoutForm->ExcelWinnaarsRondeBitBtn, Qt::LeftButton);
        QTest::mouseClick(hoofd->KnockoutForm->ExcelWinnaarsRondeBitBtn, Qt::LeftButton);
        QCOMPARE(gebruiker.pending(), 0);
        QCOMPARE(gebruiker.unexpected(), 0);
        QCOMPARE(gebruiker.seen().first().title, QStringLiteral("Knockout naar Excel"));
        QCOMPARE(excel.subjects,
                 QStringList({"Verliezersronde", "Winnaarsronde", "Winnaarsronde"}));
        // The cleared box stays cleared for the next export.
        QVERIFY(!dialoog().cbxPouleInformatie->isChecked());
        QVERIFY(dialoog().cbxRonden->isChecked());
        QVERIFY(excel.sheet(QStringLiteral("Winnaarsronde"))->text(4, 2).startsWith("Speler"));
        QCOMPARE(excel.released, 3);
        QVERIFY(berichten().calls().isEmpty());
    }

    void cancelledChoicesStayAsTheUserLeftThem() {
        bouwKnockouts();
        Excel excel;
        ModalDialogDriver gebruiker;
        gebruiker.then(vinkUit(QStringLiteral("cbxRonden")))
            .click(QStringLiteral("AnnulerenBitBtn"));
        QTest::mouseClick(hoofd->KnockoutForm->ExcelWinnaarsRondeBitBtn, Qt::LeftButton);
        QCOMPARE(gebruiker.pending(), 0);
        QCOMPARE(excel.obtained, 0);
        QVERIFY(!dialoog().cbxRonden->isChecked());
    }

    void participantsButtonWritesTheSortedNames() {
        FakeSpreadsheet excel;
        TDeelnemersForm& form = *hoofd->DeelnemersForm;
        QTest::mouseClick(form.ExcelBitBtn, Qt::LeftButton);
        QCOMPARE(excel.obtained, 0);
        hoofd->Document().VoegDeelnemerToe(QStringLiteral("anna"), QStringLiteral("Zandstra"));
        hoofd->Document().VoegDeelnemerToe(QStringLiteral("Anna"), QStringLiteral("de Vries"));
        hoofd->Document().VoegDeelnemerToe(QStringLiteral("Bram"), QString());
        QTest::mouseClick(form.ExcelBitBtn, Qt::LeftButton);
        QCOMPARE(excel.sheet(QStringLiteral("Blad1"))->dump(),
                 QStringList({"R1C1='Anna'", "R1C2='de Vries'", "R2C1='anna'", "R2C2='Zandstra'",
                              "R3C1='Bram'"}));
        QVERIFY(berichten().calls().isEmpty());
    }

    void poolsButtonUsesTheTabsAndTheTemplate() {
        TDeelnemerLijst lijst;
        for (int p = 1; p <= 2; ++p) {
            for (int i = 0; i < 3; ++i) {
                auto d =
                    std::make_unique<TDeelnemer>(QStringLiteral("P%1").arg(p), QString::number(i));
                d->Poule = p;
                lijst.push_back(std::move(d));
            }
        }
        TPoulesForm& form = *hoofd->PoulesForm;
        FakeSpreadsheet excel;
        QTest::mouseClick(form.ExcelBitBtn, Qt::LeftButton); // no pools shown yet
        QCOMPARE(excel.obtained, 0);
        PoulesHulp::OpenPoules(hoofd->Document(), lijst);
        Sheet model;
        model.name = QStringLiteral("3poule");
        model.names = {{QStringLiteral("POULENAAM"), 1, 2}, {QStringLiteral("DEELNEMERS"), 3, 2}};
        excel.addTemplate(QStringLiteral("/sjablonen/poules.xlt"), {model});
        form.PouleSjabloon = QStringLiteral("/sjablonen/poules.xlt");
        QTest::mouseClick(form.ExcelBitBtn, Qt::LeftButton);
        QCOMPARE(excel.sheetNames(), QStringList({"Poule 1", "Poule 2"}));
        QCOMPARE(excel.sheet(QStringLiteral("Poule 2"))->dump(),
                 QStringList({"R1C2='Poule 2'", "R3C2='P2 0'", "R4C2='P2 1'", "R5C2='P2 2'"}));
        QVERIFY(berichten().calls().isEmpty());

        form.PouleSjabloon.clear();
        berichten().queueAnswer(Answer::Cancel);
        QTest::mouseClick(form.ExcelBitBtn, Qt::LeftButton);
        QCOMPARE(berichten().calls().size(), 1);
        QCOMPARE(excel.released, 2);
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(ExportWindowsTest)
#include "test_export_windows.moc"
