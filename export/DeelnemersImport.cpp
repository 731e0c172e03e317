#include "export/DeelnemersImport.h"

#include "export/LegacyConversion.h"
#include "export/Workbook.h"
#include "model/Bestand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <limits>
#include <map>

namespace DeelnemersImport {

namespace {

using Spreadsheet::Error;
using Spreadsheet::SheetCell;

const QString GeenLijstTekst = QStringLiteral("Dit bestand is geen lijst met namen.");

bool IsWerkmap(const QString& pad) {
    const QString achtervoegsel = QFileInfo(pad).suffix().toLower();
    return achtervoegsel == u"xlsx" || achtervoegsel == u"xlsm";
}

// The text a formula, string or boolean cell shows, from the value the
// spreadsheet program stored with it; nothing for an error or a formula
// never calculated.
std::optional<QString> TekstVanFormule(const QString& xml) {
    QXmlStreamReader lezer(xml);
    QString type;
    std::optional<QString> waarde;
    while (!lezer.atEnd() && lezer.readNext() != QXmlStreamReader::Invalid) {
        if (!lezer.isStartElement())
            continue;
        if (lezer.name() == u"c")
            type = lezer.attributes().value(QLatin1String("t")).toString();
        else if (lezer.name() == u"v")
            waarde = lezer.readElementText();
    }
    if (type == u"e" || type == u"b")
        return std::nullopt;
    return waarde;
}

} // namespace

Import::TTabel LeesWerkmap(const QString& pad) {
    std::unique_ptr<Spreadsheet::Workbook> boek;
    if (Spreadsheet::isLegacyWorkbook(pad)) {
        QTemporaryDir map;
        if (!map.isValid())
            throw Error(QStringLiteral("Er kan geen tijdelijke map worden gemaakt."));
        boek = Spreadsheet::Workbook::load(Spreadsheet::convertToXlsx(pad, map.path()));
    } else {
        boek = Spreadsheet::Workbook::load(pad);
    }
    const Spreadsheet::Sheet* blad = boek->activeSheet();
    if (!blad || !blad->isWorksheet)
        return {};

    // Cells by row, then column; blank cells only carry formatting.
    std::map<int, std::map<int, const SheetCell*>> rijen;
    int eersteKolom = std::numeric_limits<int>::max();
    for (auto it = blad->cells.cbegin(); it != blad->cells.cend(); ++it) {
        if (it->kind == SheetCell::Kind::Blank)
            continue;
        const int rij = int(it.key() >> 32);
        const int kolom = int(it.key() & 0xffffffffu);
        rijen[rij][kolom] = &*it;
        eersteKolom = std::min(eersteKolom, kolom);
    }
    Import::TTabel tabel;
    for (const auto& [rij, cellen] : rijen) {
        Import::TBronRij bronRij;
        bronRij.Regel = rij;
        for (const auto& [kolom, cel] : cellen) {
            while (bronRij.Cellen.size() < kolom - eersteKolom)
                bronRij.Cellen.append(QString());
            QString tekst;
            if (cel->kind == SheetCell::Kind::Verbatim) {
                const std::optional<QString> waarde = TekstVanFormule(cel->value);
                if (!waarde)
                    bronRij.OnleesbareCellen.append(int(bronRij.Cellen.size()));
                tekst = waarde.value_or(QString());
            } else {
                tekst = boek->cellText(blad->name, rij, kolom);
            }
            // No spreadsheet program holds a longer cell. One character more
            // is kept, so the preview still calls such a name too long.
            if (tekst.size() > Import::MaxNaamLengte)
                tekst.truncate(Import::MaxNaamLengte + 1);
            bronRij.Cellen.append(std::move(tekst));
        }
        const bool leeg = std::all_of(bronRij.Cellen.begin(), bronRij.Cellen.end(),
                                      [](const QString& cel) { return cel.trimmed().isEmpty(); });
        if (!leeg || !bronRij.OnleesbareCellen.isEmpty())
            tabel.push_back(std::move(bronRij));
    }
    return tabel;
}

namespace {

Import::TImport LeesBestandZonderVangnet(const QString& pad) {
    if (IsWerkmap(pad) || Spreadsheet::isLegacyWorkbook(pad))
        return Import::TImport::UitTabel(LeesWerkmap(pad));
    QByteArray inhoud;
    if (const QString fout = Bestand::Lees(pad, inhoud); !fout.isEmpty())
        throw Error(fout);
    if (!Import::IsTekst(inhoud))
        throw Error(GeenLijstTekst);
    return Import::TImport::UitBytes(inhoud);
}

} // namespace

Import::TImport LeesBestand(const QString& pad) {
    // A hostile file may still ask more memory than there is: the organiser
    // gets a message and the tournament stays as it was.
    try {
        return LeesBestandZonderVangnet(pad);
    } catch (const std::bad_alloc&) {
        throw Error(Bestand::TeGrootTekst(pad));
    }
}

} // namespace DeelnemersImport
