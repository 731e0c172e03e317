#include "export/DeelnemersImport.h"

#include "export/LegacyConversion.h"
#include "export/Workbook.h"

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
            if (cel->kind == SheetCell::Kind::Verbatim) {
                const std::optional<QString> tekst = TekstVanFormule(cel->value);
                bronRij.Leesbaar = bronRij.Leesbaar && tekst.has_value();
                bronRij.Cellen.append(tekst.value_or(QString()));
            } else {
                bronRij.Cellen.append(boek->cellText(blad->name, rij, kolom));
            }
        }
        const bool leeg = std::all_of(bronRij.Cellen.begin(), bronRij.Cellen.end(),
                                      [](const QString& cel) { return cel.trimmed().isEmpty(); });
        if (!leeg || !bronRij.Leesbaar)
            tabel.push_back(std::move(bronRij));
    }
    return tabel;
}

Import::TImport LeesBestand(const QString& pad) {
    if (IsWerkmap(pad) || Spreadsheet::isLegacyWorkbook(pad))
        return Import::TImport::UitTabel(LeesWerkmap(pad));
    QFile bestand(pad);
    if (!bestand.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Het bestand \"%1\" kan niet worden gelezen: %2")
                        .arg(QDir::toNativeSeparators(pad), bestand.errorString()));
    return Import::TImport::UitBytes(bestand.readAll());
}

} // namespace DeelnemersImport
