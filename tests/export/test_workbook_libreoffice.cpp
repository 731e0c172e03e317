#include "export/LegacyConversion.h"
#include "export/Workbook.h"
#include "export/WorkbookEngine.h"
#include "support/LibreOffice.h"
#include "test_workbook_fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace Spreadsheet;

// LibreOffice, started headless, reads what the engine wrote: the proof that
// a spreadsheet application accepts the files. Without LibreOffice these
// tests fail rather than skip.
class WorkbookLibreOfficeTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_scratch{QDir::currentPath() + QStringLiteral("/libreoffice-XXXXXX")};
    QStringList m_written;

    QString write(Application& app) {
        app.Release();
        return m_written.isEmpty() ? QString() : m_written.last();
    }

private Q_SLOTS:
    void initTestCase() {
        if (LibreOffice::program().isEmpty())
            QFAIL(LibreOffice::missingMessage());
        SetExportFolder(m_scratch.filePath(QStringLiteral("uit")));
        SetWorkbookOpener([this](const QString& path) {
            m_written << path;
            return true;
        });
    }
    void cleanupTestCase() {
        SetExportFolder(QString());
        SetWorkbookOpener({});
    }

    void libreOfficeReadsEverySheet() {
        auto app = ObtainApplication(QStringLiteral("Knockout"));
        const QString templatePath = m_scratch.filePath("poules.xltx");
        poolTemplate(templateType).write(templatePath);
        app->WorkbooksOpen(templatePath);
        auto model = app->WorksheetsItem(QStringLiteral("4poule"));
        model->Copy(*app->WorksheetsItem(app->WorksheetsCount()));
        auto pool = app->WorksheetsItem(app->WorksheetsCount());
        pool->SetName(QStringLiteral("Poule 1"));
        pool->NamesItem(2)->RefersToRange()->SetValue(QStringLiteral("Poule 1"));
        pool->GetRange(*pool->Cells(4, 2), *pool->Cells(6, 2))
            ->SetValues(
                {QStringLiteral("Anna, \"Zus\" de Wit"), QStringLiteral("Bert"), QString()});
        auto bracket = app->WorksheetsAdd(*pool);
        bracket->SetName(QStringLiteral("Winnaarsronde"));
        bracket->Cells(2, 2)->SetValue(QStringLiteral("Ronde 1"));
        bracket->Cells(4, 2)->SetValue(QStringLiteral("Zoë"));
        bracket->Cells(4, 3)->SetValue(0.0);
        bracket->Cells(5, 3)->SetValue(21.0);
        bracket->Cells(5, 4)->SetValue(QStringLiteral(" "));
        bracket->Cells(6, 2)->SetValue(QStringLiteral("Esc_x0041_"));
        for (Edge edge : {Edge::Left, Edge::Top, Edge::Bottom, Edge::Right})
            bracket->Cells(4, 2)->SetBorderLineStyle(edge, LineStyleContinuous);
        // Both model sheets go; the workbook-level name of 4poule turns into #REF!.
        app->WorksheetsItem(1)->Delete();
        model->Delete();
        const QString path = write(*app);
        QVERIFY(Workbook::load(path)->definedNames().contains({"PouleNaam", "#REF!$B$2"}));
        QVERIFY(!path.isEmpty());

        const QStringList sheets{"Poule 1", "Winnaarsronde"};
        QString error;
        const auto csv = LibreOffice::sheetsAsCsv(path, sheets, m_scratch.filePath("csv1"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const auto& poolCsv = csv.value("Poule 1");
        QCOMPARE(LibreOffice::csvCell(poolCsv, 1, 1), QStringLiteral("Poule"));
        QCOMPARE(LibreOffice::csvCell(poolCsv, 2, 2), QStringLiteral("Poule 1"));
        QCOMPARE(LibreOffice::csvCell(poolCsv, 4, 2), QStringLiteral("Anna, \"Zus\" de Wit"));
        QCOMPARE(LibreOffice::csvCell(poolCsv, 5, 2), QStringLiteral("Bert"));
        QCOMPARE(LibreOffice::csvCell(poolCsv, 9, 1), QStringLiteral("2")); // the formula
        const auto& bracketCsv = csv.value("Winnaarsronde");
        QCOMPARE(LibreOffice::csvCell(bracketCsv, 2, 2), QStringLiteral("Ronde 1"));
        QCOMPARE(LibreOffice::csvCell(bracketCsv, 4, 2), QStringLiteral("Zoë"));
        QCOMPARE(LibreOffice::csvCell(bracketCsv, 4, 3), QStringLiteral("0"));
        QCOMPARE(LibreOffice::csvCell(bracketCsv, 5, 3), QStringLiteral("21"));
        QCOMPARE(LibreOffice::csvCell(bracketCsv, 5, 4), QStringLiteral(" "));
        QCOMPARE(LibreOffice::csvCell(bracketCsv, 6, 2), QStringLiteral("Esc_x0041_"));
    }

    void legacyTemplateOpensThroughLibreOffice() {
        // The organiser's old .xlt: made here from a workbook the engine wrote.
        auto app = ObtainApplication(QStringLiteral("Sjabloon"));
        const QString source = m_scratch.filePath("bron.xltx");
        poolTemplate(templateType).write(source);
        app->WorkbooksOpen(source);
        app->WorksheetsItem(QStringLiteral("3poule"))
            ->Cells(3, 1)
            ->SetValue(QStringLiteral("drie"));
        const QString written = write(*app);
        QVERIFY(!written.isEmpty());
        QString error;
        const QString legacy =
            LibreOffice::saveAsLegacyTemplate(written, m_scratch.filePath("xlt"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));

        auto reopened = ObtainApplication(QStringLiteral("Poules"));
        reopened->WorkbooksOpen(legacy);
        QCOMPARE(reopened->WorksheetsCount(), 2);
        auto three = reopened->WorksheetsItem(1);
        QCOMPARE(three->GetName(), QStringLiteral("3poule"));
        QCOMPARE(three->NamesCount(), 1);
        QCOMPARE(three->NamesItem(1)->Text().toUpper(), QStringLiteral("'3POULE'!DEELNEMERS"));
        QCOMPARE(three->NamesItem(1)->RefersToRange()->Row(), 4);
        auto four = reopened->WorksheetsItem(QStringLiteral("4poule"));
        QStringList names;
        for (int i = 1; i <= four->NamesCount(); ++i)
            names << four->NamesItem(i)->Text().toUpper();
        QVERIFY2(names.contains("'4POULE'!DEELNEMERS"), qPrintable(names.join(", ")));
        QVERIFY2(names.contains("POULENAAM"), qPrintable(names.join(", ")));
        // LibreOffice's own styles and sheet XML take edits as well.
        four->Copy(*three);
        auto pool = reopened->WorksheetsItem(2);
        pool->SetName(QStringLiteral("Poule A"));
        pool->Cells(4, 2)->SetValue(QStringLiteral("Anna"));
        pool->Cells(4, 2)->SetBorderLineStyle(Edge::Bottom, LineStyleContinuous);
        const QString copy = write(*reopened);
        auto book = Workbook::load(copy);
        QCOMPARE(book->sheetNames(), (QStringList{"3poule", "Poule A", "4poule"}));
        QCOMPARE(book->cellText("3poule", 3, 1), QStringLiteral("drie"));
        QCOMPARE(book->cellBorders("Poule A", 4, 2), QSet<Edge>{Edge::Bottom});
        const auto csv = LibreOffice::sheetsAsCsv(copy, {"3poule", "Poule A"},
                                                  m_scratch.filePath("csv2"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(LibreOffice::csvCell(csv.value("3poule"), 3, 1), QStringLiteral("drie"));
        QCOMPARE(LibreOffice::csvCell(csv.value("Poule A"), 4, 2), QStringLiteral("Anna"));
        QCOMPARE(LibreOffice::csvCell(csv.value("Poule A"), 1, 1), QStringLiteral("Poule"));
    }

    void legacyTemplateWithoutLibreOfficeIsAnError() {
        const QString previous = SetLibreOfficeProgram(m_scratch.filePath("geen/soffice"));
        const QString legacy = m_scratch.filePath("oud.xlt");
        QFile file(legacy);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("oud");
        file.close();
        auto app = ObtainApplication(QStringLiteral("Poules"));
        try {
            app->WorkbooksOpen(legacy);
            QFAIL("opened without LibreOffice");
        } catch (const Error& e) {
            QVERIFY2(e.message().contains("LibreOffice"), qPrintable(e.message()));
        }
        SetLibreOfficeProgram(previous);
        QVERIFY_THROWS_EXCEPTION(Error, app->WorkbooksOpen(m_scratch.filePath("geen.xlt")));
    }
};

QTEST_GUILESS_MAIN(WorkbookLibreOfficeTest)
#include "test_workbook_libreoffice.moc"
