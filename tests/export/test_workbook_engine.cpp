#include "export/KnockoutExport.h"
#include "export/PoulesExport.h"
#include "export/Workbook.h"
#include "export/WorkbookEngine.h"
#include "export/ZipPackage.h"
#include "model/Knockout.h"
#include "support/ScriptedMessageService.h"
#include "test_workbook_fixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Spreadsheet;

namespace {

// What would make a spreadsheet application repair the package: parts
// without a content type, relationships to missing parts, sheets that are
// not typed as worksheets, sheet ids or relationship ids used twice.
QStringList packageProblems(const ZipPackage& package, const Workbook& book) {
    using namespace PackageParts;
    QStringList problems;
    const ContentTypes types = parseContentTypes(package.text("[Content_Types].xml"));
    for (const auto& [name, data] : package.parts) {
        if (name != "[Content_Types].xml" && types.typeOf(name).isEmpty())
            problems << "untyped " + name;
        if (!name.endsWith(".rels"))
            continue;
        const QString source = QString(name).remove("_rels/").chopped(5);
        QSet<QString> ids;
        for (const Relationship& r : parseRelationships(QString::fromUtf8(data))) {
            if (ids.contains(r.id))
                problems << "id twice " + r.id;
            ids.insert(r.id);
            if (!r.external && !package.contains(resolveTarget(source, r.target)))
                problems << "missing target " + r.target + " of " + name;
        }
    }
    // A part no relationship leads to is dead weight, or a sign of one lost.
    QSet<QString> reached{"[Content_Types].xml"};
    for (const auto& [name, data] : package.parts) {
        if (!name.endsWith(".rels"))
            continue;
        reached.insert(name);
        const QString source = QString(name).remove("_rels/").chopped(5);
        for (const Relationship& r : parseRelationships(QString::fromUtf8(data)))
            reached.insert(resolveTarget(source, r.target));
    }
    for (const auto& [name, data] : package.parts) {
        if (!reached.contains(name))
            problems << "unreferenced " + name;
    }
    QSet<int> sheetIds;
    for (const auto& sheet : book.sheets()) {
        if (sheet->isWorksheet &&
            types.overrideOf(sheet->partName) != QString::fromUtf16(ContentType::worksheet))
            problems << "sheet not typed " + sheet->partName;
        if (sheetIds.contains(sheet->sheetId))
            problems << "sheetId twice " + sheet->name;
        sheetIds.insert(sheet->sheetId);
    }
    if (types.overrideOf("xl/workbook.xml") != QString::fromUtf16(ContentType::workbook))
        problems << "workbook not typed";
    return problems;
}

QStringList namesOn(Worksheet& sheet) {
    QStringList texts;
    for (int i = 1; i <= sheet.NamesCount(); ++i)
        texts << sheet.NamesItem(i)->Text();
    return texts;
}

// The pool template with a chart sheet "Grafiek" after its two model
// sheets, as the sheet the template was saved on.
ZipPackage withActiveChartSheet(ZipPackage p) {
    auto insert = [&](const char* part, const QString& before, const QString& text) {
        QString xml = QString::fromUtf8(p.parts[part]);
        xml.insert(xml.indexOf(before), text);
        p.parts[part] = xml.toUtf8();
    };
    insert("[Content_Types].xml", "</Types>",
           "<Override PartName=\"/xl/chartsheets/sheet1.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.spreadsheetml.chartsheet+xml\"/>");
    insert("xl/_rels/workbook.xml.rels", "</Relationships>",
           "<Relationship Id=\"rId7\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
           "2006/relationships/chartsheet\" Target=\"chartsheets/sheet1.xml\"/>");
    insert("xl/workbook.xml", "</sheets>", "<sheet name=\"Grafiek\" sheetId=\"3\" r:id=\"rId7\"/>");
    p.parts["xl/workbook.xml"].replace("activeTab=\"1\"", "activeTab=\"2\"");
    p.parts["xl/chartsheets/sheet1.xml"] =
        QStringLiteral("<chartsheet xmlns=\"%1\"><sheetViews><sheetView tabSelected=\"1\" "
                       "workbookViewId=\"0\"/></sheetViews></chartsheet>")
            .arg(mainNs)
            .toUtf8();
    return p;
}

} // namespace

class WorkbookEngineTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_scratch{QDir::currentPath() + QStringLiteral("/engine-XXXXXX")};
    QString m_folder;
    QStringList m_opened;
    WorkbookOpener m_previousOpener;
    ExportClock m_previousClock;

    QString templateFile(const QString& name, const QString& type) {
        const QString path = QDir(m_scratch.path()).filePath(name);
        poolTemplate(type).write(path);
        return path;
    }

    // Releases the application and reads back the one workbook it wrote.
    std::unique_ptr<Workbook> releaseAndRead(Application& app) {
        const qsizetype before = m_opened.size();
        app.Release();
        if (m_opened.size() != before + 1)
            return nullptr;
        auto book = Workbook::load(m_opened.last());
        const QStringList problems = packageProblems(ZipPackage::read(m_opened.last()), *book);
        if (!problems.isEmpty()) {
            qWarning() << problems;
            return nullptr;
        }
        return book;
    }

private Q_SLOTS:
    void init() {
        m_folder = QDir(m_scratch.path()).filePath(QString::number(m_opened.size()) + "-out");
        SetExportFolder(m_folder);
        m_previousOpener = SetWorkbookOpener([this](const QString& path) {
            m_opened << path;
            return true;
        });
        m_previousClock =
            SetExportClock([] { return QDateTime(QDate(2026, 12, 7), QTime(14, 5, 31)); });
    }
    void cleanup() {
        SetExportFolder(QString());
        SetWorkbookOpener(m_previousOpener);
        SetExportClock(m_previousClock);
    }

    void newWorkbookHasBlad1AndAddsUniqueSheetsInPlace() {
        auto app = ObtainApplication(QStringLiteral("Poules"));
        app->WorkbooksAdd();
        QCOMPARE(app->WorksheetsCount(), 1);
        QCOMPARE(app->ActiveSheet()->GetName(), QStringLiteral("Blad1"));
        auto second = app->WorksheetsAdd(*app->WorksheetsItem(1));
        QCOMPARE(second->GetName(), QStringLiteral("Blad2"));
        auto third = app->WorksheetsAdd(*app->WorksheetsItem(1));
        QCOMPARE(third->GetName(), QStringLiteral("Blad3"));
        // Blad3 went right after Blad1.
        QCOMPARE(app->WorksheetsItem(2)->GetName(), QStringLiteral("Blad3"));
        app->WorksheetsItem(QStringLiteral("blad2"))->Activate(); // any case finds it
        QCOMPARE(app->ActiveSheet()->GetName(), QStringLiteral("Blad2"));

        auto book = releaseAndRead(*app);
        QVERIFY(book);
        QCOMPARE(book->sheetNames(), (QStringList{"Blad1", "Blad3", "Blad2"}));
        QCOMPARE(book->activeSheetName(), QStringLiteral("Blad2"));
        // The active tab is the selected one in the file too.
        const QString active = book->partText(book->findSheet("Blad2")->partName);
        QVERIFY(active.contains(QStringLiteral("tabSelected=\"1\"")));
        QVERIFY(!book->partText(book->findSheet("Blad1")->partName).contains("tabSelected=\"1\""));
        QVERIFY(book->partText("xl/workbook.xml").contains("activeTab=\"2\""));
    }

    void cellValuesRoundTrip() {
        auto app = ObtainApplication(QStringLiteral("Deelnemers"));
        app->WorkbooksAdd();
        auto sheet = app->ActiveSheet();
        sheet->Cells(1, 1)->SetValue(QStringLiteral("Jan & <Piet> \"de\" Vries"));
        sheet->Cells(1, 2)->SetValue(QStringLiteral("0123"));
        sheet->Cells(2, 1)->SetValue(0.0);
        sheet->Cells(2, 2)->SetValue(2.5);
        sheet->Cells(3, 3)->SetValue(QStringLiteral(" "));
        sheet->Cells(4, 1)->SetValue(QStringLiteral("Zoë Ørsted 😀"));
        sheet->Cells(5, 1)->SetValue(QStringLiteral("bel\x01"));
        // Text that reads like the format's own escapes stays as typed.
        const QString escapes = QStringLiteral("Esc_x0041_ _x005f_x00e9_ _x12G4_ _x0x41_ _x0041");
        sheet->Cells(6, 1)->SetValue(escapes);
        sheet->Cells(MaxRows, MaxColumns)->SetValue(QStringLiteral("hoek"));
        sheet->GetRange(*sheet->Cells(10, 2), *sheet->Cells(13, 2))
            ->SetValues({"een", "twee", "drie", "vier"});
        sheet->GetRange(*sheet->Cells(10, 2), *sheet->Cells(12, 2))->SetValues({"één", "", "3"});
        sheet->Cells(2, 2)->SetValue(QStringLiteral("nu tekst"));

        auto book = releaseAndRead(*app);
        QVERIFY(book);
        const QString s = QStringLiteral("Blad1");
        QCOMPARE(book->cellText(s, 1, 1), QStringLiteral("Jan & <Piet> \"de\" Vries"));
        QCOMPARE(book->cellText(s, 1, 2), QStringLiteral("0123"));
        QVERIFY(!book->cellNumber(s, 1, 2)); // text stays text
        QCOMPARE(book->cellNumber(s, 2, 1), std::optional<double>(0.0));
        QCOMPARE(book->cellText(s, 2, 2), QStringLiteral("nu tekst"));
        QCOMPARE(book->cellText(s, 3, 3), QStringLiteral(" "));
        QCOMPARE(book->cellText(s, 4, 1), QStringLiteral("Zoë Ørsted 😀"));
        QCOMPARE(book->cellText(s, 5, 1), QStringLiteral("bel\x01"));
        QCOMPARE(book->cellText(s, 6, 1), escapes);
        QVERIFY(
            book->partText(book->findSheet(s)->partName)
                .contains(QStringLiteral("Esc_x005F_x0041_ _x005F_x005f_x005F_x00e9_ _x12G4_")));
        QCOMPARE(book->cellText(s, MaxRows, MaxColumns), QStringLiteral("hoek"));
        QCOMPARE(book->cellText(s, 10, 2), QStringLiteral("één"));
        QVERIFY(!book->cellExists(s, 11, 2)); // the empty element emptied it
        QCOMPARE(book->cellText(s, 12, 2), QStringLiteral("3"));
        QCOMPARE(book->cellText(s, 13, 2), QStringLiteral("vier"));
        QVERIFY(book->partText(book->findSheet(s)->partName)
                    .contains(QStringLiteral("<dimension ref=\"A1:XFD1048576\"/>")));
    }

    void invalidCallsThrowDutchErrors() {
        auto app = ObtainApplication(QStringLiteral("Knockout"));
        QVERIFY_THROWS_EXCEPTION(Error, app->ActiveSheet());
        app->WorkbooksAdd();
        auto sheet = app->ActiveSheet();
        auto message = [](auto&& call) {
            try {
                call();
            } catch (const Error& e) {
                return e.message();
            }
            return QStringLiteral("geen fout");
        };
        QCOMPARE(message([&] { sheet->Cells(0, 1); }),
                 QStringLiteral("Rij en kolom beginnen bij 1."));
        QCOMPARE(message([&] { sheet->Cells(1, 0); }),
                 QStringLiteral("Rij en kolom beginnen bij 1."));
        QVERIFY_THROWS_EXCEPTION(Error, sheet->Cells(MaxRows + 1, 1));
        QVERIFY_THROWS_EXCEPTION(Error, sheet->Cells(1, MaxColumns + 1));
        QCOMPARE(message([&] { app->WorksheetsItem(QStringLiteral("5poule")); }),
                 QStringLiteral("Er is geen werkblad met de naam \"5poule\"."));
        QVERIFY_THROWS_EXCEPTION(Error, app->WorksheetsItem(2));
        QVERIFY_THROWS_EXCEPTION(
            Error,
            sheet->GetRange(*sheet->Cells(1, 1), *sheet->Cells(2, 2))->SetValues({"a", "b"}));
        QVERIFY_THROWS_EXCEPTION(Error, sheet->Cells(1, 1)->SetBorderLineStyle(Edge(6), 1));
        QVERIFY_THROWS_EXCEPTION(Error, sheet->Delete()); // the last sheet

        auto other = app->WorksheetsAdd(*sheet);
        for (const QString& bad :
             {QString(), QStringLiteral("   "), QStringLiteral("a:b"), QStringLiteral("a/b"),
              QStringLiteral("a\\b"), QStringLiteral("a?"), QStringLiteral("a*"),
              QStringLiteral("[a]"), QString(32, u'x'), QStringLiteral("BLAD1")})
            QVERIFY2(!message([&] { other->SetName(bad); }).startsWith("geen"), qPrintable(bad));
        other->SetName(QString(31, u'x'));
        other->SetName(QStringLiteral("Poule 1"));
        other->SetName(QStringLiteral("poule 1")); // its own name in another case
        QCOMPARE(other->GetName(), QStringLiteral("poule 1"));
        other->Delete();
        QVERIFY_THROWS_EXCEPTION(Error, other->GetName()); // a deleted sheet's handle

        QCOMPARE(message([&] { app->WorkbooksOpen(m_scratch.filePath("ontbreekt.xltx")); }),
                 QStringLiteral("Het bestand \"%1\" bestaat niet.")
                     .arg(QDir::toNativeSeparators(m_scratch.filePath("ontbreekt.xltx"))));
        QFile text(m_scratch.filePath("tekst.xlsx"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("geen werkmap");
        text.close();
        QVERIFY(message([&] { app->WorkbooksOpen(text.fileName()); }).contains("geen werkmap"));
        ZipPackage document;
        document.parts["[Content_Types].xml"] = "<Types/>";
        document.parts["word/document.xml"] = "<document/>";
        document.write(m_scratch.filePath("document.xlsx"));
        QVERIFY(message([&] {
                    app->WorkbooksOpen(m_scratch.filePath("document.xlsx"));
                }).contains("geen werkmap"));
        QVERIFY_THROWS_EXCEPTION(Error, app->WorkbooksOpen(QString()));
        // The workbook made before the failed opens is still the active one.
        QCOMPARE(app->ActiveSheet()->GetName(), QStringLiteral("Blad1"));
    }

    void bordersKeepTheCellsFormat() {
        auto app = ObtainApplication(QStringLiteral("Winnaarsronde"));
        app->WorkbooksOpen(templateFile("opmaak.xltx", templateType));
        auto sheet = app->WorksheetsItem(QStringLiteral("4poule"));
        sheet->Cells(2, 2)->SetBorderLineStyle(Edge::Left, LineStyleContinuous);
        sheet->Cells(2, 2)->SetBorderLineStyle(Edge::Bottom, LineStyleContinuous);
        sheet->Cells(2, 2)->SetValue(QStringLiteral("Poule 1"));
        sheet->Cells(2, 3)->SetBorderLineStyle(Edge::Left, LineStyleContinuous);
        sheet->Cells(2, 3)->SetBorderLineStyle(Edge::Bottom, LineStyleContinuous);
        // A thousand boxes on plain cells need only a handful of formats.
        for (int r = 20; r < 1020; ++r) {
            for (Edge e : {Edge::Left, Edge::Top, Edge::Bottom, Edge::Right})
                sheet->Cells(r, 2 + r % 3)->SetBorderLineStyle(e, LineStyleContinuous);
        }
        sheet->Cells(21, 2)->SetBorderLineStyle(Edge::Top, -4142);
        sheet->Cells(9, 1)->SetBorderLineStyle(Edge::Right, LineStyleContinuous); // formula cell
        // A new cell in a formatted column takes the column's format, as it shows.
        sheet->Cells(30, 7)->SetValue(QStringLiteral("nieuw"));
        sheet->Cells(31, 6)->SetBorderLineStyle(Edge::Top, LineStyleContinuous);

        auto book = releaseAndRead(*app);
        QVERIFY(book);
        const QString s = QStringLiteral("4poule");
        QCOMPARE(book->cellBorders(s, 2, 2), (QSet<Edge>{Edge::Left, Edge::Bottom}));
        QCOMPARE(book->cellText(s, 2, 2), QStringLiteral("Poule 1"));
        const Workbook::CellFormat format = book->cellFormat(s, 2, 2);
        QVERIFY(format.bold);
        QCOMPARE(format.fillPattern, QStringLiteral("solid"));
        QCOMPARE(book->cellFormat(s, 2, 3).bold, true);
        QCOMPARE(book->cellBorders(s, 2, 3), (QSet<Edge>{Edge::Left, Edge::Bottom}));
        QCOMPARE(book->cellBorders(s, 21, 2), (QSet<Edge>{Edge::Left, Edge::Bottom, Edge::Right}));
        QCOMPARE(book->cellBorders(s, 22, 3).size(), 4);
        QVERIFY(!book->cellFormat(s, 22, 3).bold);
        QCOMPARE(book->cellBorders(s, 9, 1), QSet<Edge>{Edge::Right});
        QVERIFY(book->partText(book->findSheet(s)->partName).contains("<f>1+1</f>"));
        QVERIFY(book->cellFormat(s, 30, 7).bold);
        QVERIFY(book->cellFormat(s, 31, 6).bold);
        QCOMPARE(book->cellBorders(s, 31, 6), QSet<Edge>{Edge::Top});
        QVERIFY(book->styles().formatCount() < 20);
        // The other model sheet and the template's text are untouched.
        QCOMPARE(book->cellBorders(QStringLiteral("3poule"), 2, 2), QSet<Edge>{});
        QCOMPARE(book->cellText(QStringLiteral("3poule"), 1, 1), QStringLiteral("Poule"));
    }

    void namesFollowCopiesRenamesAndDeletes() {
        auto app = ObtainApplication(QStringLiteral("Poules"));
        app->WorkbooksOpen(templateFile("namen.xltx", templateType));
        QCOMPARE(app->ActiveSheet()->GetName(), QStringLiteral("4poule"));
        auto model = app->WorksheetsItem(QStringLiteral("4poule"));
        QCOMPARE(namesOn(*model), (QStringList{"'4poule'!Deelnemers", "PouleNaam"}));
        QCOMPARE(namesOn(*app->WorksheetsItem(1)), QStringList{"'3poule'!Deelnemers"});

        for (int pool = 1; pool <= 2; ++pool) {
            model->Copy(*app->WorksheetsItem(app->WorksheetsCount()));
            auto copy = app->WorksheetsItem(app->WorksheetsCount());
            QCOMPARE(copy->GetName(), QStringLiteral("4poule (2)"));
            copy->SetName(QStringLiteral("Poule %1").arg(pool));
            QCOMPARE(namesOn(*copy),
                     (QStringList{QStringLiteral("'Poule %1'!Deelnemers").arg(pool),
                                  QStringLiteral("'Poule %1'!PouleNaam").arg(pool)}));
            auto name = copy->NamesItem(2)->RefersToRange();
            QCOMPARE(name->Row(), 2);
            QCOMPARE(name->Column(), 2);
            name->SetValue(QStringLiteral("Poule %1").arg(pool));
            auto first = copy->NamesItem(1)->RefersToRange();
            QCOMPARE(first->Row(), 4);
            copy->GetRange(*copy->Cells(first->Row(), first->Column()),
                           *copy->Cells(first->Row() + 1, first->Column()))
                ->SetValues({QStringLiteral("Speler %1").arg(pool), QString()});
        }
        QVERIFY_THROWS_EXCEPTION(Error, model->NamesItem(3));
        while (app->WorksheetsCount() > 2)
            app->WorksheetsItem(1)->Delete();
        app->WorksheetsItem(1)->Activate();

        auto book = releaseAndRead(*app);
        QVERIFY(book);
        QCOMPARE(book->sheetNames(), (QStringList{"Poule 1", "Poule 2"}));
        QCOMPARE(book->activeSheetName(), QStringLiteral("Poule 1"));
        QCOMPARE(book->cellText("Poule 2", 2, 2), QStringLiteral("Poule 2"));
        QCOMPARE(book->cellText("Poule 2", 4, 2), QStringLiteral("Speler 2"));
        QCOMPARE(book->cellText("Poule 1", 1, 1), QStringLiteral("Poule")); // shared string kept
        const auto names = book->definedNames();
        QVERIFY(names.contains({"'Poule 1'!Deelnemers", "'Poule 1'!$B$4"}));
        QVERIFY(names.contains({"'Poule 2'!PouleNaam", "'Poule 2'!$B$2"}));
        QVERIFY(names.contains({"PouleNaam", "#REF!$B$2"})); // its sheet is gone
        QVERIFY(names.contains({"Som", "SUM('4poule'!$B$4:$B$7)"}));
        QCOMPARE(names.size(), 6);
        // The copies kept the model's layout.
        const QString copy = book->partText(book->findSheet("Poule 2")->partName);
        QVERIFY(copy.contains("<mergeCell ref=\"B2:D2\"/>"));
        QVERIFY(copy.contains("width=\"31.5\""));
        QVERIFY(copy.contains("orientation=\"landscape\""));
        QVERIFY(copy.contains("ht=\"24\""));
        QVERIFY(!copy.contains("codeName"));
        QVERIFY(book->cellFormat("Poule 2", 2, 2).bold);
    }

    void knockoutOnAChartSheetIsAnError() {
        const QString path = m_scratch.filePath("grafiek.xltx");
        withActiveChartSheet(poolTemplate(templateType)).write(path);
        TDeelnemerLijst list;
        for (const char* name : {"Ans", "Bas"}) {
            list.push_back(std::make_unique<TDeelnemer>(QString::fromLatin1(name), "Bos"));
            list.back()->KnockoutNr = 1;
        }
        TKnockout bracket(list, 1, TKnockout::Leeg);
        QCOMPARE(bracket.AantalRondes(), 1);
        bracket.Wedstrijd(0, 0)->ZetDeelnemerBoven(list[0].get());
        KnockoutExport::TInstellingen settings;
        settings.Sjabloon = path;
        ScriptedMessages messages;
        const qsizetype opened = m_opened.size();
        KnockoutExport::Exporteer(bracket, settings);
        QCOMPARE(messages->texts(), QStringList{KnockoutExport::FoutTekst(QStringLiteral(
                                        "Het actieve blad \"Grafiek\" is geen werkblad."))});
        // Released as it was: no worksheet renamed or drawn on.
        QCOMPARE(m_opened.size(), opened + 1);
        auto book = Workbook::load(m_opened.last());
        QCOMPARE(book->sheetNames(), (QStringList{"3poule", "4poule"}));
        QCOMPARE(book->activeSheetName(), QStringLiteral("Grafiek"));
        QVERIFY(!book->cellExists("3poule", 4, 2));
    }

    void poolSheetsKeepTheModelsPicturesNotesAndTables() {
        const QString path = m_scratch.filePath("objecten.xltx");
        poolTemplateWithObjects(templateType).write(path);
        TDeelnemerLijst list;
        for (int i = 0; i < 11; ++i) {
            list.push_back(
                std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i)));
            list.back()->Poule = i % 3 + 1;
        }
        ScriptedMessages messages;
        const qsizetype opened = m_opened.size();
        PoulesExport::Exporteer(list, {"Poule 1", "Poule 2", "Poule 3"}, path);
        QCOMPARE(messages->texts(), QStringList());
        QCOMPARE(m_opened.size(), opened + 1);
        const auto book = Workbook::load(m_opened.last());
        const ZipPackage package = ZipPackage::read(m_opened.last());
        const QStringList problems = packageProblems(package, *book);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(", ")));
        QCOMPARE(book->sheetNames(), (QStringList{"Poule 1", "Poule 2", "Poule 3"}));

        using namespace PackageParts;
        QSet<QString> parts, tableIds, tableNames, shapeBlocks;
        for (const QString& sheet : book->sheetNames()) {
            const QString part = book->findSheet(sheet)->partName;
            const QString xml = package.text(part);
            QMap<QString, QString> owned; // relationship type -> part
            for (const Relationship& r :
                 parseRelationships(package.text(relationshipsPartOf(part)))) {
                const QString type = r.type.section(u'/', -1);
                owned.insert(type, resolveTarget(part, r.target));
                if (type != "comments")
                    QVERIFY2(xml.contains(QStringLiteral(" r:id=\"%1\"").arg(r.id)),
                             qPrintable(sheet + u' ' + type));
            }
            QCOMPARE(owned.keys(), (QStringList{"comments", "drawing", "table", "vmlDrawing"}));
            for (const QString& target : owned)
                parts.insert(target);
            QVERIFY(package.text(relationshipsPartOf(owned["drawing"]))
                        .contains("Target=\"../media/image1.png\""));
            QVERIFY(package.text(owned["comments"]).contains("Naam van de poule"));
            const QString table = package.text(owned["table"]);
            tableIds.insert(table.section("id=\"", 1, 1).section(u'"', 0, 0));
            tableNames.insert(table.section("displayName=\"", 1, 1).section(u'"', 0, 0));
            QVERIFY(table.contains("ref=\"D4:E6\""));
            const QString vml = package.text(owned["vmlDrawing"]);
            const QString block = vml.section("data=\"", 1, 1).section(u'"', 0, 0);
            shapeBlocks.insert(block);
            QVERIFY(vml.contains(QStringLiteral("_x0000_s%1").arg(block.toInt() * 1024 + 1)));
        }
        // Each sheet has parts of its own; the models' parts are gone.
        QCOMPARE(parts.size(), 12);
        QCOMPARE(tableIds.size(), 3);
        QCOMPARE(tableNames.size(), 3);
        QCOMPARE(shapeBlocks.size(), 3);
        QVERIFY(package.contains("xl/media/image1.png"));
        const auto countOf = [&](const QString& prefix) {
            return std::count_if(package.parts.begin(), package.parts.end(),
                                 [&](const auto& part) { return part.first.startsWith(prefix); });
        };
        QCOMPARE(countOf("xl/tables/table"), 3);
        QCOMPARE(countOf("xl/drawings/drawing"), 3);
    }

    void templatesAndMacrosBecomePlainWorkbooks() {
        auto app = ObtainApplication(QStringLiteral("Poules"));
        app->WorkbooksOpen(templateFile("macro.xltm", macroTemplateType));
        auto book = releaseAndRead(*app);
        QVERIFY(book);
        const ZipPackage written = ZipPackage::read(m_opened.last());
        QVERIFY(!written.contains("xl/vbaProject.bin"));
        QVERIFY(!written.contains("xl/calcChain.xml"));
        const QString types = written.text("[Content_Types].xml");
        QVERIFY(types.contains("spreadsheetml.sheet.main+xml"));
        QVERIFY(!types.contains("template"));
        QVERIFY(!types.contains("vbaProject"));
        QVERIFY(!types.contains("calcChain"));
        QVERIFY(!written.text("xl/_rels/workbook.xml.rels").contains("vbaProject"));
        QCOMPARE(book->sheetNames(), (QStringList{"3poule", "4poule"}));
    }

    void releaseNamesFilesAndFallsBackToAMessage() {
        ScriptedMessages messages;
        SetWorkbookOpener({});
        auto first = ObtainApplication(QStringLiteral("Poules"));
        first->WorkbooksAdd();
        first->WorkbooksAdd(); // a second workbook of the same export
        first->Release();
        first->Release(); // only once
        const QString expected = QDir(m_folder).filePath("Poules 2026-12-07 14.05.xlsx");
        QVERIFY(QFileInfo::exists(expected));
        QVERIFY(QFileInfo::exists(QDir(m_folder).filePath("Poules 2026-12-07 14.05 (2).xlsx")));
        QCOMPARE(messages->calls().size(), 2);
        QCOMPARE(messages->calls().first().kind, MessageKind::Information);
        QVERIFY(messages->texts().first().contains(QDir::toNativeSeparators(expected)));

        SetWorkbookOpener([](const QString&) { return false; });
        auto refused = ObtainApplication(QStringLiteral("Knockout/Verliezers"));
        refused->WorkbooksAdd();
        refused->Release();
        QVERIFY(QFileInfo::exists(
            QDir(m_folder).filePath("Knockout-Verliezers 2026-12-07 14.05.xlsx")));
        QCOMPARE(messages->calls().size(), 3);

        // Nothing made, nothing written.
        ObtainApplication(QStringLiteral("Leeg"))->Release();
        QCOMPARE(messages->calls().size(), 3);
        QCOMPARE(messages->unexpected(), 0);
    }

    void unwritableExportFolderIsReportedNotThrown() {
        ScriptedMessages messages;
        QFile blocker(m_scratch.filePath("bestand"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SetExportFolder(blocker.fileName() + QStringLiteral("/map"));
        {
            auto app = ObtainApplication(QStringLiteral("Deelnemers"));
            app->WorkbooksAdd();
            // Released by its destructor, as after an export that failed.
        }
        QCOMPARE(messages->calls().size(), 1);
        // Told as a folder that could not be made, with the program's own
        // line breaks.
        const QString folder = QDir::toNativeSeparators(blocker.fileName() + "/map");
        QCOMPARE(messages->texts().first(),
                 QStringLiteral("De werkmap kon niet worden opgeslagen in de map \"%1\".\n\r\n\r"
                                "Reden: De map \"%1\" kan niet worden aangemaakt. Er staat een "
                                "bestand in de weg.")
                     .arg(folder));
        QVERIFY(m_opened.isEmpty() || !m_opened.last().contains("bestand/map"));
    }

#ifdef Q_OS_UNIX
    // The file size limit stands in for a full disk, which an administrator
    // meets too: the writer's failure is told in Dutch.
    void aWriteFailureIsToldInDutch() {
        ScriptedMessages messages;
        QVERIFY(QDir().mkpath(m_folder));
        const QStringList files = QDir(m_folder).entryList(QDir::Files | QDir::Hidden);
        struct sigaction before {};
        sigaction(SIGXFSZ, nullptr, &before);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit small = old;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        {
            auto app = ObtainApplication(QStringLiteral("Deelnemers"));
            app->WorkbooksAdd();
            app->Release();
        }
        setrlimit(RLIMIT_FSIZE, &old);
        sigaction(SIGXFSZ, &before, nullptr);
        QCOMPARE(messages->texts(),
                 QStringList{QStringLiteral("De werkmap kon niet worden opgeslagen in de map "
                                            "\"%1\".\n\r\n\rReden: Het bestand is te groot.")
                                 .arg(QDir::toNativeSeparators(m_folder))});
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden),
                 files); // nothing half-written
    }
#endif
};

QTEST_GUILESS_MAIN(WorkbookEngineTest)
#include "test_workbook_engine.moc"
