#include "export/DeelnemersExport.h"
#include "support/FakeSpreadsheet.h"
#include "support/ScriptedMessageService.h"

#include <QtTest>

using Deelnemerslijst::TNamen;
using Fake::FakeSpreadsheet;

class DeelnemersExportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesAsTextInTheOrderGiven() {
        FakeSpreadsheet excel;
        excel.defaultSheetCount = 3;
        ScriptedMessages berichten;
        const TNamen namen{{QStringLiteral("Anna"), QStringLiteral("de Vries")},
                           {QStringLiteral("007"), QString()},
                           {QString(), QStringLiteral("Zandstra")}};
        DeelnemersExport::Exporteer(namen);
        QVERIFY(berichten->calls().isEmpty());
        QCOMPARE(excel.calls,
                 QStringList({"Obtain Deelnemers", "SetVisible true", "WorkbooksAdd",
                              "R1C1 = 'Anna'", "R1C2 = 'de Vries'", "R2C1 = '007'", "R2C2 = ''",
                              "R3C1 = ''", "R3C2 = 'Zandstra'", "Release"}));
        // Names that look like numbers stay text.
        QCOMPARE(excel.sheet(QStringLiteral("Blad1"))->dump(),
                 QStringList({"R1C1='Anna'", "R1C2='de Vries'", "R2C1='007'", "R3C2='Zandstra'"}));
        QCOMPARE(excel.released, 1);

        // A second export opens its own workbook beside the first.
        DeelnemersExport::Exporteer(namen);
        QCOMPARE(excel.workbooks.size(), std::size_t(2));
        QCOMPARE(excel.released, 2);
    }

    void emptyListStartsNothing() {
        FakeSpreadsheet excel;
        ScriptedMessages berichten;
        DeelnemersExport::Exporteer({});
        QCOMPARE(excel.obtained, 0);
        QVERIFY(berichten->calls().isEmpty());
    }

    void failureIsReportedAndKeepsWhatWasWritten() {
        int voorgrond = 0;
        Spreadsheet::SetBringToFront([&] { ++voorgrond; });
        const TNamen namen{{QStringLiteral("Jan"), QStringLiteral("Bakker")},
                           {QStringLiteral("Piet"), QStringLiteral("Hein")}};
        const QString eersteZin =
            QStringLiteral("Er is een fout opgetreden tijdens het exporteren naar Excel.\n\r\n\r"
                           "Foutmelding: ");
        {
            FakeSpreadsheet excel;
            excel.failAt(QStringLiteral("SetValue"), 3, QStringLiteral("Cel is vergrendeld."));
            ScriptedMessages berichten;
            int voorgrondBijMelding = -1;
            berichten->onEveryCall([&](const MessageCall&) { voorgrondBijMelding = voorgrond; });
            DeelnemersExport::Exporteer(namen);
            QCOMPARE(berichten->calls().size(), 1);
            QCOMPARE(berichten->calls()[0].kind, MessageKind::Information);
            QCOMPARE(berichten->calls()[0].buttons, Buttons::Ok);
            QCOMPARE(berichten->calls()[0].helpContext, 0);
            QCOMPARE(berichten->calls()[0].text, eersteZin + QStringLiteral("Cel is vergrendeld."));
            QCOMPARE(voorgrondBijMelding, 1);
            QCOMPARE(excel.sheet(QStringLiteral("Blad1"))->dump(),
                     QStringList({"R1C1='Jan'", "R1C2='Bakker'"}));
            QCOMPARE(excel.released, 1);
            QCOMPARE(excel.usedAfterRelease, 0);
        }
        {
            // No application to be had: nothing to release.
            FakeSpreadsheet excel;
            excel.failAt(QStringLiteral("ObtainApplication"), 1, QStringLiteral("Geen toegang."));
            ScriptedMessages berichten;
            DeelnemersExport::Exporteer(namen);
            QCOMPARE(berichten->texts(), QStringList{eersteZin + QStringLiteral("Geen toegang.")});
            QCOMPARE(excel.released, 0);
        }
        Spreadsheet::SetBringToFront({});
    }
};

QTEST_GUILESS_MAIN(DeelnemersExportTest)
#include "test_deelnemers_export.moc"
