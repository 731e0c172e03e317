// libFuzzer target for importing participants from a workbook. The input
// holds the XML of the sheet, then, after a line "====", that of the shared
// strings and, after another, that of the workbook; they are packed into an
// otherwise valid .xlsx, so the fuzzer reaches the XML instead of stopping
// at the zip. An input that is itself a zip archive is taken as the file,
// so the archive's own fields (sizes that unpack beyond all reason) are
// fuzzed too. Whatever the input: no crash, hang or leak; a workbook that
// cannot be read is refused with a message; a table that was read gives a
// preview whose names are all clean.
#include "export/DeelnemersImport.h"
#include "export/Spreadsheet.h"
#include "export/ZipPackage.h"
#include "tests/fuzz/VoorbeeldEisen.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

const char* const StandaardWerkmap =
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<sheets><sheet name="Blad1" sheetId="1" r:id="rId1"/></sheets></workbook>)";

Spreadsheet::ZipPackage Pakket(const QByteArray& invoer) {
    const QList<QByteArray> delen = invoer.split('\n');
    QByteArray blad, tekenreeksen, werkmap;
    QByteArray* doel = &blad;
    for (const QByteArray& regel : delen) {
        if (regel == "====") {
            doel = doel == &blad ? &tekenreeksen : &werkmap;
            continue;
        }
        doel->append(regel).append('\n');
    }
    Spreadsheet::ZipPackage pakket;
    pakket.parts[QStringLiteral("[Content_Types].xml")] =
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
        R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
        R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)"
        R"(</Types>)";
    pakket.parts[QStringLiteral("_rels/.rels")] =
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
        R"(</Relationships>)";
    pakket.parts[QStringLiteral("xl/_rels/workbook.xml.rels")] =
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
        R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)"
        R"(</Relationships>)";
    pakket.parts[QStringLiteral("xl/workbook.xml")] =
        werkmap.isEmpty() ? QByteArray(StandaardWerkmap) : werkmap;
    pakket.parts[QStringLiteral("xl/worksheets/sheet1.xml")] = blad;
    pakket.parts[QStringLiteral("xl/sharedStrings.xml")] = tekenreeksen;
    return pakket;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("deelnemers.xlsx"));
    const QByteArray invoer(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (invoer.startsWith("PK\x03\x04")) {
        QFile bestand(pad);
        if (!bestand.open(QIODevice::WriteOnly) || bestand.write(invoer) != invoer.size())
            std::abort();
    } else {
        Pakket(invoer).write(pad);
    }
    Import::TTabel tabel;
    try {
        tabel = DeelnemersImport::LeesWerkmap(pad);
    } catch (const Spreadsheet::Error& fout) {
        Eis(!fout.message().isEmpty());
        return 0;
    }
    const Deelnemerslijst::TNamen bestaand = {{QStringLiteral("Jan"), QStringLiteral("Jansen")}};
    EisGoedeVoorbeeld(Import::TImport::UitTabel(tabel).Voorbeeld(bestaand), bestaand);
    return 0;
}
