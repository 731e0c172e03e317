#include "export/DeelnemersImport.h"
#include "export/Spreadsheet.h"
#include "export/Workbook.h"
#include "export/ZipPackage.h"
#include "support/Geheugengrens.h"
#include "support/LibreOffice.h"

#include <QTemporaryDir>
#include <QtTest>

// Every kind of file the import reads, end to end from the file on disk:
// text in its encodings, the engine's own .xlsx, and .ods and .xls through
// LibreOffice (these fail, never skip, without it).
class DeelnemersImportTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir map;

    static QStringList Namen(const Import::TImport& import) {
        QStringList namen;
        for (const auto& naam : import.Voorbeeld({}).Toevoegen())
            namen << naam.Voornaam + u'|' + naam.Achternaam;
        return namen;
    }
    QString schrijf(const QString& naam, const QByteArray& inhoud) {
        const QString pad = map.filePath(naam);
        QFile bestand(pad);
        if (!bestand.open(QIODevice::WriteOnly) || bestand.write(inhoud) != inhoud.size())
            return {};
        return pad;
    }

private Q_SLOTS:
    void textFiles_data() {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<QByteArray>("inhoud");
        QTest::addColumn<QStringList>("namen");
        QTest::newRow("csv, Windows-1252, tussenvoegsel column")
            << "club.csv"
            << QByteArray("Voornaam;Tussenvoegsel;Achternaam\r\nJos\xe9;van der;Berg\r\n"
                          "Zo\xeb;;M\xfcller\r\n")
            << QStringList{"José|van der Berg", "Zoë|Müller"};
        QTest::newRow("txt, UTF-8 with mark, last name first")
            << "mail.txt"
            << QByteArray("\xEF\xBB\xBF") + QStringLiteral("Berg, José van der\r\n"
                                                           "Øster, Åse\r\n")
                                                .toUtf8()
            << QStringList{"José|van der Berg", "Åse|Øster"};
        QTest::newRow("txt, UTF-8 without mark, tab, no header")
            << "lijst.txt" << QStringLiteral("Zoë\tMüller\nJosé\tBerg\n").toUtf8()
            << QStringList{"Zoë|Müller", "José|Berg"};
    }
    void textFiles() {
        QFETCH(QString, naam);
        QFETCH(QByteArray, inhoud);
        QFETCH(QStringList, namen);
        QCOMPARE(Namen(DeelnemersImport::LeesBestand(schrijf(naam, inhoud))), namen);
    }

    void workbooks_data() {
        QTest::addColumn<QString>("formaat");
        QTest::addColumn<bool>("kop");
        QTest::newRow("xlsx with header") << "xlsx" << true;
        QTest::newRow("xlsx without header, away from A1") << "xlsx" << false;
        QTest::newRow("ods") << "ods" << true;
        QTest::newRow("xls") << "xls" << true;
    }
    void workbooks() {
        QFETCH(QString, formaat);
        QFETCH(bool, kop);
        auto boek = Spreadsheet::Workbook::createDefault();
        Spreadsheet::Sheet& blad = *boek->activeSheet();
        if (kop) {
            const QStringList rijen[] = {{"Achternaam", "Voornaam", "Tussenvoegsel"},
                                         {"Berg", "José", "van der"},
                                         {"Vries", "Anna", "de"}};
            for (int rij = 0; rij < 3; ++rij)
                for (int kolom = 0; kolom < 3; ++kolom)
                    boek->setText(blad, rij + 1, kolom + 1, rijen[rij][kolom]);
        } else {
            boek->setText(blad, 3, 2, QStringLiteral("José van der Berg"));
            boek->setText(blad, 5, 2, QStringLiteral("Vries, Anna de"));
        }
        const QString xlsx = map.filePath(QStringLiteral("werkmap.xlsx"));
        boek->save(xlsx);
        QString pad = xlsx;
        if (formaat != u"xlsx") {
            QVERIFY2(!LibreOffice::program().isEmpty(), LibreOffice::missingMessage());
            const QString uit = map.filePath(formaat);
            const QString fout = LibreOffice::run(
                {QStringLiteral("--convert-to"), formaat, QStringLiteral("--outdir"), uit, xlsx},
                map.path());
            QVERIFY2(fout.isEmpty(), qPrintable(fout));
            pad = uit + QStringLiteral("/werkmap.") + formaat;
        }
        const Import::TImport import = DeelnemersImport::LeesBestand(pad);
        QCOMPARE(import.HeeftKop(), kop);
        QCOMPARE(Namen(import), (QStringList{"José|van der Berg", "Anna|de Vries"}));
    }

    // A formula gives the value it last showed; an error value is not
    // guessed at.
    void formulas() {
        QVERIFY2(!LibreOffice::program().isEmpty(), LibreOffice::missingMessage());
        const QByteArray cel = "<table:table-cell office:value-type=\"string\"><text:p>%1</text:p>"
                               "</table:table-cell>";
        const QString fods = schrijf(
            QStringLiteral("formules.fods"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document "
            "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
            "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" office:version=\"1.2\" "
            "office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\"><office:body>"
            "<office:spreadsheet><table:table table:name=\"Blad1\"><table:table-row>" +
                QByteArray(cel).replace("%1", "Voornaam") +
                QByteArray(cel).replace("%1", "Achternaam") +
                "</table:table-row><table:table-row>" + QByteArray(cel).replace("%1", "Jan") +
                "<table:table-cell table:formula=\"of:=&quot;Ber&quot;&amp;&quot;g&quot;\" "
                "office:value-type=\"string\" office:string-value=\"Berg\"><text:p>Berg</text:p>"
                "</table:table-cell></table:table-row><table:table-row>" +
                QByteArray(cel).replace("%1", "Kees") +
                "<table:table-cell table:formula=\"of:=1/0\"/></table:table-row></table:table>"
                "</office:spreadsheet></office:body></office:document>");
        const QString fout =
            LibreOffice::run({QStringLiteral("--convert-to"), QStringLiteral("xlsx"),
                              QStringLiteral("--outdir"), map.path(), fods},
                             map.path());
        QVERIFY2(fout.isEmpty(), qPrintable(fout));
        const Import::TVoorbeeld voorbeeld =
            DeelnemersImport::LeesBestand(map.filePath(QStringLiteral("formules.xlsx")))
                .Voorbeeld({});
        QCOMPARE(voorbeeld.Rijen.size(), 2u);
        QCOMPARE(voorbeeld.Rijen[0].Naam.Achternaam, QStringLiteral("Berg"));
        QCOMPARE(voorbeeld.Rijen[0].Oordeel, Import::TOordeel::Toevoegen);
        QCOMPARE(voorbeeld.Rijen[1].Oordeel, Import::TOordeel::Onleesbaar);
    }

    // A title in A1, a blank row, the header in row 3 from column B after
    // a number column, and a check-box column: the participants only.
    void aSheetAsSecretariesSendIt() {
        auto boek = Spreadsheet::Workbook::createDefault();
        Spreadsheet::Sheet& blad = *boek->activeSheet();
        boek->setText(blad, 1, 1, QStringLiteral("Ledenlijst HZV 2026"));
        const QStringList kop{"Nr", "Voornaam", "Achternaam", "Betaald"};
        for (int kolom = 0; kolom < kop.size(); ++kolom)
            boek->setText(blad, 3, kolom + 2, kop[kolom]);
        const QStringList namen[]{{"Jan", "Berg"}, {"Anna", "de Vries"}};
        for (int rij = 4; rij < 6; ++rij) {
            boek->setNumber(blad, rij, 2, rij - 3);
            boek->setText(blad, rij, 3, namen[rij - 4][0]);
            boek->setText(blad, rij, 4, namen[rij - 4][1]);
            blad.cells[Spreadsheet::Sheet::key(rij, 5)] = {
                0, Spreadsheet::SheetCell::Kind::Verbatim, -1,
                QStringLiteral("<c r=\"E%1\" t=\"b\"><v>%2</v></c>").arg(rij).arg(rij % 2)};
        }
        const QString pad = map.filePath(QStringLiteral("leden.xlsx"));
        boek->save(pad);
        const Import::TImport import = DeelnemersImport::LeesBestand(pad);
        QCOMPARE(import.KopRij(), 1u);
        QCOMPARE(Namen(import), (QStringList{"Jan|Berg", "Anna|de Vries"}));
    }

    // Refused as a whole, quickly and within a memory limit: a workbook part
    // that unpacks beyond all reason, a picture named as a list. A cell
    // beyond the spreadsheet programs' limit is a name too long.
    void hostileFiles() {
        auto boek = Spreadsheet::Workbook::createDefault();
        Spreadsheet::Sheet& blad = *boek->activeSheet();
        boek->setText(blad, 1, 1, QStringLiteral("Naam"));
        boek->setText(blad, 2, 1, QString(Import::MaxNaamLengte, u'x'));
        boek->setText(blad, 3, 1, QStringLiteral("Jan Berg"));
        const QString lang = map.filePath(QStringLiteral("lang.xlsx"));
        boek->save(lang);
        // The engine itself writes no longer cell: the file is made longer.
        Spreadsheet::ZipPackage pakket = Spreadsheet::ZipPackage::read(lang);
        for (auto& [naam, deel] : pakket.parts)
            deel.replace(QByteArray(Import::MaxNaamLengte, 'x'), QByteArray(40000, 'x'));
        pakket.write(lang);
        QVERIFY(BinnenGeheugen(768, [&] {
            const Import::TVoorbeeld voorbeeld = DeelnemersImport::LeesBestand(lang).Voorbeeld({});
            return voorbeeld.Rijen.size() == 2 &&
                   voorbeeld.Rijen[0].Oordeel == Import::TOordeel::TeLang &&
                   voorbeeld.Rijen[1].Oordeel == Import::TOordeel::Toevoegen;
        }));
        Spreadsheet::ZipPackage bom = Spreadsheet::ZipPackage::read(lang);
        bom.parts[QStringLiteral("xl/sharedStrings.xml")] = QByteArray(65 << 20, 'a');
        const QString bomPad = map.filePath(QStringLiteral("bom.xlsx"));
        bom.write(bomPad);
        const QString foto =
            schrijf(QStringLiteral("foto.csv"), QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
        const std::pair<QString, QString> geweigerd[]{
            {bomPad, QStringLiteral("te groot")},
            {foto, QStringLiteral("Dit bestand is geen lijst met namen.")}};
        for (const auto& [pad, melding] : geweigerd) {
            const auto weigert = [&] {
                try {
                    DeelnemersImport::LeesBestand(pad);
                } catch (const Spreadsheet::Error& fout) {
                    return fout.message().contains(melding);
                }
                return false;
            };
            QVERIFY2(BinnenGeheugen(768, weigert), qPrintable(pad));
        }
    }

    void missingFileIsReported() {
        for (const char* naam : {"weg.csv", "weg.xlsx"}) {
            try {
                DeelnemersImport::LeesBestand(map.filePath(QString::fromLatin1(naam)));
                QFAIL("no error");
            } catch (const Spreadsheet::Error& fout) {
                QVERIFY(fout.message().contains(QString::fromLatin1(naam)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(DeelnemersImportTest)
#include "test_deelnemers_import.moc"
