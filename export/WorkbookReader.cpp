#include "export/Workbook.h"

#include "export/XmlText.h"

#include <QDir>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace Spreadsheet {

using namespace PackageParts;

namespace {

const char* const newWorkbook =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<bookViews><workbookView activeTab=\"0\"/></bookViews><sheets/></workbook>";

struct SheetEntry {
    QString name;
    int sheetId = 0;
    QString relationId;
    QList<std::pair<QString, QString>> otherAttributes;
};

struct NameEntry {
    QString name;
    int localSheetId = -1;
    QList<std::pair<QString, QString>> otherAttributes;
    QString formula;
};

} // namespace

// Reads a workbook's package into the model.
class WorkbookReader {
public:
    WorkbookReader(Workbook& workbook, const QString& path)
        : m_workbook(workbook)
        , m_path(path) {}

    void read();

private:
    [[noreturn]] void notAWorkbook() const {
        throw Error(QStringLiteral("Het bestand \"%1\" is geen werkmap.").arg(m_path));
    }
    [[noreturn]] void unreadable(const QString& part, const QString& reason) const {
        throw Error(QStringLiteral("Het bestand \"%1\" is geen leesbare werkmap (%2: %3).")
                        .arg(m_path, part, reason));
    }
    void findWorkbookPart();
    void readWorkbookXml();
    void readRelations();
    void readSharedStrings(const QString& part);
    void readSheet(const SheetEntry& entry);
    void readWorksheetXml(Sheet& sheet, const QString& xml);
    void readRow(Sheet& sheet, QXmlStreamReader& reader, int& row);
    void readCell(Sheet& sheet, const QString& xml, QXmlStreamReader& reader, int row, int& column);
    void readNames();

    Workbook& m_workbook;
    QString m_path;
    QList<SheetEntry> m_sheetEntries;
    QList<NameEntry> m_nameEntries;
    QHash<QString, Relationship> m_sheetRelations;
    int m_activeTab = 0;
};

void WorkbookReader::read() {
    findWorkbookPart();
    readRelations();
    readWorkbookXml();
    for (const SheetEntry& entry : m_sheetEntries)
        readSheet(entry);
    if (m_workbook.worksheets().empty())
        throw Error(QStringLiteral("De werkmap \"%1\" bevat geen werkbladen.").arg(m_path));
    readNames();
    const auto& sheets = m_workbook.m_sheets;
    Sheet* active = m_activeTab >= 0 && m_activeTab < int(sheets.size())
                        ? sheets[size_t(m_activeTab)].get()
                        : nullptr;
    // The sheet the workbook was saved on, a chart sheet too: the
    // application's ActiveSheet must be able to tell that it is no worksheet.
    m_workbook.m_active = active ? active : m_workbook.worksheets().front();
}

void WorkbookReader::findWorkbookPart() {
    const ZipPackage& package = m_workbook.m_package;
    if (!package.contains(QStringLiteral("[Content_Types].xml")))
        notAWorkbook();
    m_workbook.m_contentTypes =
        parseContentTypes(package.text(QStringLiteral("[Content_Types].xml")));
    for (const Relationship& r : parseRelationships(package.text(QStringLiteral("_rels/.rels")))) {
        if (isType(r.type, u"officeDocument") && !r.external)
            m_workbook.m_workbookPart = resolveTarget(QString(), r.target);
    }
    const QString type = m_workbook.m_contentTypes.typeOf(m_workbook.m_workbookPart);
    if (m_workbook.m_workbookPart.isEmpty() || !package.contains(m_workbook.m_workbookPart) ||
        !(type.contains(QLatin1String("spreadsheetml")) ||
          type.contains(QLatin1String("ms-excel"))))
        notAWorkbook();
    m_workbook.m_workbookXml = package.text(m_workbook.m_workbookPart);
}

void WorkbookReader::readRelations() {
    const QString& source = m_workbook.m_workbookPart;
    const QString rels = m_workbook.m_package.text(relationshipsPartOf(source));
    for (const Relationship& r : parseRelationships(rels)) {
        const QString part = r.external ? QString() : resolveTarget(source, r.target);
        if (isType(r.type, u"worksheet") || isType(r.type, u"chartsheet") ||
            isType(r.type, u"dialogsheet") || isType(r.type, u"macrosheet") ||
            isType(r.type, u"xlMacrosheet") || isType(r.type, u"xlIntlMacrosheet")) {
            m_sheetRelations.insert(r.id, r);
            continue;
        }
        // Macros go: the workbook is written as .xlsx. The calculation chain
        // would go stale as cells change; the application rebuilds it.
        if (isType(r.type, u"vbaProject") || isType(r.type, u"calcChain")) {
            m_workbook.m_package.parts.erase(part);
            m_workbook.m_package.parts.erase(relationshipsPartOf(part));
            continue;
        }
        if (isType(r.type, u"sharedStrings"))
            readSharedStrings(part);
        if (isType(r.type, u"styles")) {
            m_workbook.m_stylesPart = part;
            m_workbook.m_styles = WorkbookStyles::parse(m_workbook.m_package.text(part));
        }
        m_workbook.m_workbookRelations.append(r);
    }
    if (m_workbook.m_stylesPart.isEmpty())
        m_workbook.m_styles = WorkbookStyles::standard();
}

void WorkbookReader::readSharedStrings(const QString& part) {
    const QString xml = m_workbook.m_package.text(part);
    QXmlStreamReader reader(xml);
    XmlText::prepare(reader);
    QString text;
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (reader.isStartElement() && reader.name() == u"si")
            text.clear();
        else if (reader.isStartElement() && reader.name() == u"rPh")
            reader.skipCurrentElement();
        else if (reader.isStartElement() && reader.name() == u"t")
            text += reader.readElementText();
        else if (reader.isEndElement() && reader.name() == u"si")
            m_workbook.m_sharedStrings.append(XmlText::decodeControlCharacters(text));
    }
    if (reader.hasError())
        unreadable(part, reader.errorString());
}

void WorkbookReader::readWorkbookXml() {
    const QString& xml = m_workbook.m_workbookXml;
    QXmlStreamReader reader(xml);
    XmlText::prepare(reader);
    bool viewSeen = false;
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (!reader.isStartElement())
            continue;
        if (reader.name() == u"workbookView" && !viewSeen) {
            viewSeen = true;
            m_activeTab = reader.attributes().value(QLatin1String("activeTab")).toInt();
        } else if (reader.name() == u"sheet") {
            SheetEntry entry;
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                if (a.qualifiedName() == u"name")
                    entry.name = a.value().toString();
                else if (a.qualifiedName() == u"sheetId")
                    entry.sheetId = a.value().toInt();
                else if (a.name() == u"id" && !a.prefix().isEmpty())
                    entry.relationId = a.value().toString();
                else
                    entry.otherAttributes.append(
                        {a.qualifiedName().toString(), a.value().toString()});
            }
            m_sheetEntries.append(entry);
        } else if (reader.name() == u"definedName") {
            NameEntry entry;
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                if (a.qualifiedName() == u"name")
                    entry.name = a.value().toString();
                else if (a.qualifiedName() == u"localSheetId")
                    entry.localSheetId = a.value().toInt();
                else
                    entry.otherAttributes.append(
                        {a.qualifiedName().toString(), a.value().toString()});
            }
            entry.formula = reader.readElementText();
            m_nameEntries.append(entry);
        }
    }
    if (reader.hasError())
        unreadable(m_workbook.m_workbookPart, reader.errorString());
}

void WorkbookReader::readSheet(const SheetEntry& entry) {
    auto it = m_sheetRelations.constFind(entry.relationId);
    if (it == m_sheetRelations.constEnd() || entry.name.isEmpty())
        unreadable(m_workbook.m_workbookPart, QStringLiteral("werkblad ") + entry.name);
    auto sheet = std::make_shared<Sheet>();
    sheet->name = entry.name;
    sheet->sheetId = entry.sheetId;
    sheet->relationId = entry.relationId;
    sheet->relationType = it->type;
    sheet->sheetAttributes = entry.otherAttributes;
    sheet->partName = resolveTarget(m_workbook.m_workbookPart, it->target);
    sheet->isWorksheet = isType(it->type, u"worksheet");
    ZipPackage& package = m_workbook.m_package;
    if (!package.contains(sheet->partName))
        unreadable(sheet->partName, QStringLiteral("ontbreekt"));
    auto rels = package.parts.find(relationshipsPartOf(sheet->partName));
    if (rels != package.parts.end())
        sheet->relsPart = rels->second;
    if (sheet->isWorksheet)
        readWorksheetXml(*sheet, package.text(sheet->partName));
    else
        sheet->opaquePart = package.parts[sheet->partName];
    m_workbook.m_nextSheetId = std::max(m_workbook.m_nextSheetId, entry.sheetId + 1);
    m_workbook.m_sheetsByName.insert(sheet->name.toLower(), sheet.get());
    m_workbook.m_sheets.push_back(std::move(sheet));
}

void WorkbookReader::readWorksheetXml(Sheet& sheet, const QString& xml) {
    QXmlStreamReader reader(xml);
    XmlText::prepare(reader);
    qsizetype dataBegin = -1;
    qsizetype dataEnd = -1;
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (!reader.isStartElement())
            continue;
        if (reader.name() == u"col") {
            const QXmlStreamAttributes a = reader.attributes();
            if (a.hasAttribute(QLatin1String("style")))
                sheet.columns.push_back({a.value(QLatin1String("min")).toInt(),
                                         a.value(QLatin1String("max")).toInt(),
                                         a.value(QLatin1String("style")).toInt()});
        } else if (reader.name() == u"sheetData") {
            sheet.prefix = XmlText::prefixOf(reader.qualifiedName());
            dataBegin = XmlText::startTagBegin(xml, reader);
            int row = 0;
            while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
                if (reader.isEndElement() && reader.name() == u"sheetData")
                    break;
                if (reader.isStartElement() && reader.name() == u"row")
                    readRow(sheet, reader, row);
                else if (reader.isStartElement() && reader.name() == u"c") {
                    int column = 0;
                    readCell(sheet, xml, reader, std::max(row, 1), column);
                }
            }
            dataEnd = reader.characterOffset();
            break;
        }
    }
    if (reader.hasError() || dataBegin < 0)
        unreadable(sheet.partName,
                   reader.hasError() ? reader.errorString() : QStringLiteral("geen celgegevens"));
    sheet.head = xml.left(dataBegin);
    sheet.tail = xml.mid(dataEnd);
}

void WorkbookReader::readRow(Sheet& sheet, QXmlStreamReader& reader, int& row) {
    SheetRow info;
    int number = row + 1;
    for (const QXmlStreamAttribute& a : reader.attributes()) {
        if (a.qualifiedName() == u"r")
            number = a.value().toInt();
        else if (a.qualifiedName() != u"spans")
            info.attributes.append({a.qualifiedName().toString(), a.value().toString()});
    }
    const QXmlStreamAttributes a = reader.attributes();
    if (a.value(QLatin1String("customFormat")) == u"1" ||
        a.value(QLatin1String("customFormat")) == u"true")
        info.format = a.value(QLatin1String("s")).toInt();
    row = number;
    if (!info.attributes.isEmpty())
        sheet.rows[row] = info;
}

void WorkbookReader::readCell(Sheet& sheet, const QString& xml, QXmlStreamReader& reader, int row,
                              int& column) {
    const qsizetype begin = XmlText::startTagBegin(xml, reader);
    const QXmlStreamAttributes a = reader.attributes();
    const QString reference = a.value(QLatin1String("r")).toString();
    static const QRegularExpression cellRef(QStringLiteral("^([A-Za-z]{1,3})([0-9]+)$"));
    const QRegularExpressionMatch m = cellRef.match(reference);
    if (m.hasMatch()) {
        column = 0;
        for (QChar c : m.capturedView(1))
            column = column * 26 + (c.toUpper().unicode() - u'A' + 1);
        row = m.captured(2).toInt();
    } else {
        ++column;
    }
    SheetCell cell;
    cell.format = a.value(QLatin1String("s")).toInt();
    if (cell.format < 0 || cell.format >= m_workbook.m_styles.formatCount())
        cell.format = 0;
    const QString type = a.value(QLatin1String("t")).toString();
    QString value;
    QString inlineText;
    bool formula = false;
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (reader.isEndElement() && reader.name() == u"c")
            break;
        if (!reader.isStartElement())
            continue;
        if (reader.name() == u"v")
            value = reader.readElementText();
        else if (reader.name() == u"f")
            formula = true;
        else if (reader.name() == u"rPh")
            reader.skipCurrentElement();
        else if (reader.name() == u"t")
            inlineText += reader.readElementText();
    }
    const qsizetype end = reader.characterOffset();
    if (formula || type == u"b" || type == u"e" || type == u"str" || type == u"d") {
        cell.kind = SheetCell::Kind::Verbatim;
        cell.value = xml.mid(begin, end - begin);
        if (!m.hasMatch())
            cell.value = XmlText::withAttributes(
                cell.value, {{QStringLiteral("r"), cellReference(row, column)}});
    } else if (type == u"s") {
        cell.kind = SheetCell::Kind::SharedText;
        cell.sharedIndex = value.toInt();
    } else if (type == u"inlineStr") {
        cell.kind = inlineText.isEmpty() ? SheetCell::Kind::Blank : SheetCell::Kind::Text;
        cell.value = XmlText::decodeControlCharacters(inlineText);
    } else if (!value.isEmpty()) {
        cell.kind = SheetCell::Kind::Number;
        cell.value = value;
    }
    if (row >= 1 && row <= MaxRows && column >= 1 && column <= MaxColumns)
        sheet.cells.insert(Sheet::key(row, column), cell);
}

void WorkbookReader::readNames() {
    static const QRegularExpression simple(QStringLiteral(
        "^(?:'((?:[^']|'')+)'|([^'!\\s,()\"]+))!(\\$?[A-Za-z]{0,3}\\$?[0-9]*(?::\\$?[A-Za-z]{0,3}"
        "\\$?[0-9]*)?)$"));
    const auto& sheets = m_workbook.m_sheets;
    for (const NameEntry& entry : m_nameEntries) {
        DefinedName name;
        name.name = entry.name;
        name.otherAttributes = entry.otherAttributes;
        if (entry.localSheetId >= 0) {
            if (entry.localSheetId >= int(sheets.size()))
                continue; // a name of a sheet that is not there
            name.scope = sheets[size_t(entry.localSheetId)].get();
        }
        name.formula = entry.formula;
        const QRegularExpressionMatch m = simple.match(entry.formula.trimmed());
        if (m.hasMatch() && !m.captured(3).isEmpty()) {
            QString sheetName = m.capturedLength(1) ? m.captured(1) : m.captured(2);
            sheetName.replace(QStringLiteral("''"), QStringLiteral("'"));
            if (Sheet* target = m_workbook.findSheet(sheetName)) {
                name.target = target;
                name.reference = m.captured(3);
            }
        }
        m_workbook.addName(std::move(name));
    }
}

std::unique_ptr<Workbook> Workbook::load(const QString& path) {
    auto workbook = std::make_unique<Workbook>();
    workbook->m_package = ZipPackage::read(path);
    WorkbookReader(*workbook, QDir::toNativeSeparators(path)).read();
    return workbook;
}

std::unique_ptr<Workbook> Workbook::createDefault() {
    auto workbook = std::make_unique<Workbook>();
    workbook->m_workbookPart = QStringLiteral("xl/workbook.xml");
    workbook->m_workbookXml = QString::fromUtf8(newWorkbook);
    workbook->m_styles = WorkbookStyles::standard();
    workbook->m_active = workbook->addWorksheet(nullptr);
    return workbook;
}

} // namespace Spreadsheet
