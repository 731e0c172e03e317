#pragma once

// A pool template as an organiser would make it, written with the engine's
// own package writer, for the workbook engine tests.

#include "export/ZipPackage.h"

#include <QString>

namespace {

const char* const mainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// A pool template as an organiser would make it: two model sheets, a cell
// in bold on a solid fill, merged cells, column widths, a landscape page,
// a shared string, a workbook-level name and sheet-level names.
Spreadsheet::ZipPackage poolTemplate(const QString& mainType) {
    Spreadsheet::ZipPackage p;
    p.parts["[Content_Types].xml"] =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
            "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package."
            "relationships+xml\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/>"
            "<Default Extension=\"bin\" ContentType=\"application/vnd.ms-office.vbaProject\"/>"
            "<Override PartName=\"/xl/workbook.xml\" ContentType=\"%1\"/>"
            "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
            "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
            "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
            "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
            "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>"
            "</Types>")
            .arg(mainType)
            .toUtf8();
    p.parts["_rels/.rels"] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    p.parts["xl/_rels/workbook.xml.rels"] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/worksheet\" Target=\"worksheets/sheet2.xml\"/>"
        "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/styles\" Target=\"styles.xml\"/>"
        "<Relationship Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>"
        "<Relationship Id=\"rId5\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/calcChain\" Target=\"calcChain.xml\"/>"
        "<Relationship Id=\"rId6\" Type=\"http://schemas.microsoft.com/office/2006/relationships/"
        "vbaProject\" Target=\"vbaProject.bin\"/></Relationships>";
    p.parts["xl/vbaProject.bin"] = "macro";
    p.parts["xl/calcChain.xml"] =
        QStringLiteral("<calcChain xmlns=\"%1\"><c r=\"A9\" i=\"1\"/></calcChain>")
            .arg(mainNs)
            .toUtf8();
    p.parts["xl/workbook.xml"] =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"%1\" "
            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
            "<workbookPr codeName=\"DezeWerkmap\"/><bookViews><workbookView activeTab=\"1\"/>"
            "</bookViews><sheets><sheet name=\"3poule\" sheetId=\"1\" r:id=\"rId1\"/>"
            "<sheet name=\"4poule\" sheetId=\"2\" r:id=\"rId2\"/></sheets><definedNames>"
            "<definedName name=\"Deelnemers\" localSheetId=\"0\">'3poule'!$B$4</definedName>"
            "<definedName name=\"Deelnemers\" localSheetId=\"1\">'4poule'!$B$4</definedName>"
            "<definedName name=\"PouleNaam\">'4poule'!$B$2</definedName>"
            "<definedName name=\"Som\">SUM('4poule'!$B$4:$B$7)</definedName>"
            "</definedNames><calcPr calcId=\"0\"/></workbook>")
            .arg(mainNs)
            .toUtf8();
    p.parts["xl/styles.xml"] =
        QStringLiteral(
            "<styleSheet xmlns=\"%1\"><fonts count=\"2\"><font><sz val=\"11\"/></font>"
            "<font><b/><sz val=\"11\"/></font></fonts><fills count=\"3\"><fill><patternFill "
            "patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill>"
            "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFFFFF00\"/></patternFill>"
            "</fill></fills><borders count=\"1\"><border><left/><right/><top/><bottom/>"
            "<diagonal/></border></borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" "
            "fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs><cellXfs count=\"2\">"
            "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
            "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"2\" borderId=\"0\" xfId=\"0\" "
            "applyFont=\"1\" applyFill=\"1\"/></cellXfs><cellStyles count=\"1\"><cellStyle "
            "name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>")
            .arg(mainNs)
            .toUtf8();
    p.parts["xl/sharedStrings.xml"] =
        QStringLiteral("<sst xmlns=\"%1\" count=\"1\" uniqueCount=\"1\"><si><r><t>Po</t></r>"
                       "<r><rPr><b/></rPr><t>ule</t></r></si></sst>")
            .arg(mainNs)
            .toUtf8();
    const QString sheet = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet xmlns=\"%1\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheetPr codeName=\"Blad%2\"/><dimension ref=\"A1:D2\"/><sheetViews><sheetView "
        "workbookViewId=\"0\"/></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>"
        "<cols><col min=\"2\" max=\"2\" width=\"31.5\" customWidth=\"1\"/>"
        "<col min=\"6\" max=\"7\" width=\"9\" style=\"1\" customWidth=\"1\"/></cols>"
        "<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
        "<row r=\"2\" ht=\"24\" customHeight=\"1\"><c r=\"B2\" s=\"1\"/><c r=\"C2\" s=\"1\"/>"
        "</row><row r=\"9\"><c r=\"A9\"><f>1+1</f><v>2</v></c></row></sheetData>"
        "<mergeCells count=\"1\"><mergeCell ref=\"B2:D2\"/></mergeCells>"
        "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
        "footer=\"0.3\"/><pageSetup paperSize=\"9\" orientation=\"landscape\"/></worksheet>");
    p.parts["xl/worksheets/sheet1.xml"] = sheet.arg(mainNs).arg(1).toUtf8();
    p.parts["xl/worksheets/sheet2.xml"] = sheet.arg(mainNs).arg(2).toUtf8();
    return p;
}

// The pool template with what organisers put on a model sheet besides
// cells: on 3poule and on 4poule a logo (one image for both), a note on B2
// and a table "UitslagenN" over D4:E6.
inline Spreadsheet::ZipPackage poolTemplateWithObjects(const QString& mainType) {
    Spreadsheet::ZipPackage p = poolTemplate(mainType);
    const QString rel = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/"
                                       "relationships/");
    const QString officeDocument = QStringLiteral("application/vnd.openxmlformats-officedocument.");
    QString types = QString::fromUtf8(p.parts["[Content_Types].xml"]);
    types.replace("<Override",
                  "<Default Extension=\"png\" ContentType=\"image/png\"/><Default Extension="
                  "\"vml\" ContentType=\"" +
                      officeDocument + "vmlDrawing\"/><Override");
    p.parts["xl/media/image1.png"] =
        QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAQAAAAECAIAAAAmkwkpAAAAEElEQVR4nGO4oKAARwz"
                               "EcQDFQxEBb5JfhQAAAABJRU5ErkJggg==");
    for (int n : {1, 2}) {
        const QString sheet = QStringLiteral("xl/worksheets/sheet%1.xml").arg(n);
        QString xml = QString::fromUtf8(p.parts[sheet]);
        xml.replace("<row r=\"9\">",
                    "<row r=\"4\"><c r=\"D4\" t=\"inlineStr\"><is><t>Naam</t></is></c><c r=\"E4\" "
                    "t=\"inlineStr\"><is><t>Punten</t></is></c></row><row r=\"9\">");
        xml.replace("</worksheet>", "<drawing r:id=\"rId1\"/><legacyDrawing r:id=\"rId2\"/>"
                                    "<tableParts count=\"1\"><tablePart r:id=\"rId3\"/>"
                                    "</tableParts></worksheet>");
        p.parts[sheet] = xml.toUtf8();
        p.parts[QStringLiteral("xl/worksheets/_rels/sheet%1.xml.rels").arg(n)] =
            QStringLiteral(
                "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                "relationships\"><Relationship Id=\"rId1\" Type=\"%1drawing\" Target=\"../"
                "drawings/drawing%2.xml\"/><Relationship Id=\"rId2\" Type=\"%1vmlDrawing\" "
                "Target=\"../drawings/vmlDrawing%2.vml\"/><Relationship Id=\"rId3\" "
                "Type=\"%1table\" Target=\"../tables/table%2.xml\"/><Relationship Id=\"rId4\" "
                "Type=\"%1comments\" Target=\"../comments%2.xml\"/></Relationships>")
                .arg(rel)
                .arg(n)
                .toUtf8();
        p.parts[QStringLiteral("xl/drawings/drawing%1.xml").arg(n)] =
            "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/"
            "spreadsheetDrawing\" "
            "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
            "<xdr:twoCellAnchor editAs=\"oneCell\"><xdr:from><xdr:col>6</xdr:col><xdr:colOff>0"
            "</xdr:colOff><xdr:row>0</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to>"
            "<xdr:col>8</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>3</xdr:row><xdr:rowOff>0"
            "</xdr:rowOff></xdr:to><xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"2\" name=\"Logo\"/>"
            "<xdr:cNvPicPr/></xdr:nvPicPr><xdr:blipFill><a:blip r:embed=\"rId1\"/><a:stretch>"
            "<a:fillRect/></a:stretch></xdr:blipFill><xdr:spPr><a:prstGeom prst=\"rect\">"
            "<a:avLst/></a:prstGeom></xdr:spPr></xdr:pic><xdr:clientData/></xdr:twoCellAnchor>"
            "</xdr:wsDr>";
        p.parts[QStringLiteral("xl/drawings/_rels/drawing%1.xml.rels").arg(n)] =
            QStringLiteral("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                           "relationships\"><Relationship Id=\"rId1\" Type=\"%1image\" "
                           "Target=\"../media/image1.png\"/></Relationships>")
                .arg(rel)
                .toUtf8();
        p.parts[QStringLiteral("xl/drawings/vmlDrawing%1.vml").arg(n)] =
            QStringLiteral(
                "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-"
                "com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\">"
                "<o:shapelayout v:ext=\"edit\"><o:idmap v:ext=\"edit\" data=\"%1\"/>"
                "</o:shapelayout><v:shapetype id=\"_x0000_t202\" coordsize=\"21600,21600\" "
                "o:spt=\"202\" path=\"m,l,21600r21600,l21600,xe\"><v:stroke joinstyle=\"miter\"/>"
                "<v:path gradientshapeok=\"t\" o:connecttype=\"rect\"/></v:shapetype><v:shape "
                "id=\"_x0000_s%2\" type=\"#_x0000_t202\" style=\"position:absolute;margin-left:"
                "60pt;margin-top:2pt;width:108pt;height:60pt;z-index:1;visibility:hidden\" "
                "fillcolor=\"#ffffe1\" o:insetmode=\"auto\"><v:fill color2=\"#ffffe1\"/>"
                "<v:textbox/><x:ClientData ObjectType=\"Note\"><x:MoveWithCells/>"
                "<x:SizeWithCells/><x:Anchor>2, 15, 0, 2, 4, 15, 4, 4</x:Anchor><x:AutoFill>False"
                "</x:AutoFill><x:Row>1</x:Row><x:Column>1</x:Column></x:ClientData></v:shape>"
                "</xml>")
                .arg(n)
                .arg(n * 1024 + 1)
                .toUtf8();
        p.parts[QStringLiteral("xl/comments%1.xml").arg(n)] =
            QStringLiteral("<comments xmlns=\"%1\"><authors><author>Organisator</author></authors>"
                           "<commentList><comment ref=\"B2\" authorId=\"0\"><text><t>Naam van de "
                           "poule</t></text></comment></commentList></comments>")
                .arg(mainNs)
                .toUtf8();
        p.parts[QStringLiteral("xl/tables/table%1.xml").arg(n)] =
            QStringLiteral(
                "<table xmlns=\"%1\" id=\"%2\" name=\"Uitslagen%3\" displayName=\"Uitslagen%3\" "
                "ref=\"D4:E6\" totalsRowShown=\"0\"><autoFilter ref=\"D4:E6\"/><tableColumns "
                "count=\"2\"><tableColumn id=\"1\" name=\"Naam\"/><tableColumn id=\"2\" "
                "name=\"Punten\"/></tableColumns><tableStyleInfo name=\"TableStyleMedium2\" "
                "showFirstColumn=\"0\" showLastColumn=\"0\" showRowStripes=\"1\" "
                "showColumnStripes=\"0\"/></table>")
                .arg(mainNs)
                .arg(n)
                .arg(n + 2)
                .toUtf8();
        types.replace(
            "</Types>",
            QStringLiteral("<Override PartName=\"/xl/drawings/drawing%1.xml\" ContentType=\"%2"
                           "drawing+xml\"/><Override PartName=\"/xl/comments%1.xml\" "
                           "ContentType=\"%2spreadsheetml.comments+xml\"/><Override "
                           "PartName=\"/xl/tables/table%1.xml\" ContentType=\"%2spreadsheetml."
                           "table+xml\"/></Types>")
                .arg(n)
                .arg(officeDocument));
    }
    p.parts["[Content_Types].xml"] = types.toUtf8();
    return p;
}

const QString templateType =
    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml");
const QString macroTemplateType =
    QStringLiteral("application/vnd.ms-excel.template.macroEnabled.main+xml");

} // namespace
