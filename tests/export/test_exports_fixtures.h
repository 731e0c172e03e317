#pragma once

// Small workbooks as an organiser makes them in a spreadsheet program: text
// cells, names on the sheets and an active sheet, written with the engine's
// own zip writer as a workbook or a template. Used by the export tests and
// by the export benchmarks.

#include "export/Workbook.h"
#include "export/ZipPackage.h"
#include "model/MessageService.h"

#include <QList>
#include <QString>

#include <map>

namespace ExportFixtures {

struct Cel {
    int rij;
    int kolom;
    QString tekst;
};

struct Blad {
    QString naam;
    QList<Cel> cellen;
};

// A defined name as the file stores it: `blad` is the index (from 0) of the
// sheet it belongs to, -1 for a workbook-level name; `verwijzing` reads like
// "'4poule'!$B$4".
struct Naam {
    QString naam;
    int blad;
    QString verwijzing;
};

enum class Soort { Werkmap, Sjabloon };

namespace Detail {

const QString MainNs = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString RelNs =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

inline QString BladXml(const Blad& blad) {
    std::map<int, std::map<int, QString>> rijen;
    for (const Cel& cel : blad.cellen)
        rijen[cel.rij][cel.kolom] = cel.tekst;
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
                                 "xmlns=\"%1\"><sheetData>")
                      .arg(MainNs);
    for (const auto& [rij, cellen] : rijen) {
        xml += QStringLiteral("<row r=\"%1\">").arg(rij);
        for (const auto& [kolom, tekst] : cellen)
            xml += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">%2"
                                  "</t></is></c>")
                       .arg(Spreadsheet::cellReference(rij, kolom), tekst.toHtmlEscaped());
        xml += QStringLiteral("</row>");
    }
    return xml + QStringLiteral("</sheetData></worksheet>");
}

inline QString WerkmapXml(const QList<Blad>& bladen, const QList<Naam>& namen, int actiefBlad) {
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook "
                                 "xmlns=\"%1\" xmlns:r=\"%2\"><bookViews><workbookView "
                                 "activeTab=\"%3\"/></bookViews><sheets>")
                      .arg(MainNs, RelNs)
                      .arg(actiefBlad);
    for (qsizetype i = 0; i < bladen.size(); ++i)
        xml += QStringLiteral("<sheet name=\"%1\" sheetId=\"%2\" r:id=\"rId%2\"/>")
                   .arg(bladen[i].naam.toHtmlEscaped())
                   .arg(i + 1);
    xml += QStringLiteral("</sheets>");
    if (!namen.isEmpty()) {
        xml += QStringLiteral("<definedNames>");
        for (const Naam& naam : namen) {
            const QString bereik =
                naam.blad < 0 ? QString() : QStringLiteral(" localSheetId=\"%1\"").arg(naam.blad);
            xml += QStringLiteral("<definedName name=\"%1\"%2>%3</definedName>")
                       .arg(naam.naam, bereik, naam.verwijzing.toHtmlEscaped());
        }
        xml += QStringLiteral("</definedNames>");
    }
    return xml + QStringLiteral("</workbook>");
}

} // namespace Detail

inline Spreadsheet::ZipPackage Werkmap(const QList<Blad>& bladen, const QList<Naam>& namen,
                                       int actiefBlad, Soort soort) {
    using namespace Detail;
    const QString hoofdType =
        soort == Soort::Sjabloon
            ? QStringLiteral(
                  "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml")
            : QStringLiteral(
                  "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml");
    Spreadsheet::ZipPackage p;
    QString typen =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas."
            "openxmlformats.org/package/2006/content-types\"><Default Extension=\"rels\" "
            "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
            "<Override PartName=\"/xl/workbook.xml\" ContentType=\"%1\"/>")
            .arg(hoofdType);
    QString relaties = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
                                      "xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                                      "relationships\">");
    for (qsizetype i = 0; i < bladen.size(); ++i) {
        const QString deel = QStringLiteral("worksheets/sheet%1.xml").arg(i + 1);
        typen += QStringLiteral("<Override PartName=\"/xl/%1\" ContentType=\"application/"
                                "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>")
                     .arg(deel);
        relaties += QStringLiteral("<Relationship Id=\"rId%1\" Type=\"%2/worksheet\" "
                                   "Target=\"%3\"/>")
                        .arg(i + 1)
                        .arg(RelNs, deel);
        p.parts[QStringLiteral("xl/") + deel] = BladXml(bladen[i]).toUtf8();
    }
    p.parts[QStringLiteral("[Content_Types].xml")] = (typen + QStringLiteral("</Types>")).toUtf8();
    p.parts[QStringLiteral("xl/_rels/workbook.xml.rels")] =
        (relaties + QStringLiteral("</Relationships>")).toUtf8();
    p.parts[QStringLiteral("_rels/.rels")] =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://"
                       "schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
                       "Id=\"rId1\" Type=\"%1/officeDocument\" Target=\"xl/workbook.xml\"/>"
                       "</Relationships>")
            .arg(RelNs)
            .toUtf8();
    p.parts[QStringLiteral("xl/workbook.xml")] = WerkmapXml(bladen, namen, actiefBlad).toUtf8();
    return p;
}

// For the benchmarks, where any message means the export went wrong: it
// counts them and declines every question.
class TelMeldingen : public MessageService {
public:
    int aantal = 0;
    void information(const QString&, int) override { ++aantal; }
    void warning(const QString&, int) override { ++aantal; }
    void error(const QString&, int) override { ++aantal; }
    Answer informationOkCancel(const QString&, int) override { return tel(Answer::Cancel); }
    Answer confirm(const QString&, Buttons, int) override { return tel(Answer::Cancel); }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        ++aantal;
        return std::nullopt;
    }
    QString openFile(const FileDialogRequest&) override { return tel(QString()); }
    QString saveFile(const FileDialogRequest&) override { return tel(QString()); }

private:
    template <typename T> T tel(T antwoord) {
        ++aantal;
        return antwoord;
    }
};

} // namespace ExportFixtures
