#include "export/Workbook.h"

#include "export/XmlText.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>

namespace Spreadsheet {

using namespace PackageParts;

namespace {

const QString relationshipsNamespace =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

struct Edit {
    qsizetype begin;
    qsizetype end;
    QString replacement;
};

QString applyEdits(QString text, std::vector<Edit> edits) {
    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return a.begin > b.begin; });
    for (const Edit& edit : edits)
        text.replace(edit.begin, edit.end - edit.begin, edit.replacement);
    return text;
}

QString attributesText(const QList<std::pair<QString, QString>>& attributes) {
    QString text;
    for (const auto& [name, value] : attributes)
        text += u' ' + name + QStringLiteral("=\"") + XmlText::escapeAttribute(value) + u'"';
    return text;
}

bool needsPreservedSpace(const QString& text) {
    return text.front().isSpace() || text.back().isSpace();
}

} // namespace

// Writes the model back into a package, replacing what changed.
class WorkbookWriter {
public:
    explicit WorkbookWriter(const Workbook& workbook)
        : m_workbook(workbook)
        , m_out(workbook.m_package) {}

    ZipPackage write();

private:
    void writeSheets();
    QByteArray worksheetXml(const Sheet& sheet) const;
    QString sheetData(const Sheet& sheet, QString& dimension) const;
    void appendCell(QString& out, const Sheet& sheet, quint64 key, const SheetCell& cell) const;
    void writeWorkbookRelations();
    void writeWorkbookXml();
    void writeRootRelations();
    void dropUnreachableParts();
    void writeContentTypes();
    QString newRelationId();

    const Workbook& m_workbook;
    ZipPackage m_out;
    QSet<QString> m_usedIds;
    QHash<const Sheet*, QString> m_sheetIds;
    QHash<QString, QString> m_knownTypes;
    QString m_stylesPart;
};

ZipPackage WorkbookWriter::write() {
    m_stylesPart = m_workbook.m_stylesPart.isEmpty() ? QStringLiteral("xl/styles.xml")
                                                     : m_workbook.m_stylesPart;
    writeSheets();
    writeWorkbookRelations();
    writeWorkbookXml();
    m_out.parts[m_stylesPart] = m_workbook.m_styles.xml().toUtf8();
    m_knownTypes.insert(m_stylesPart, QString::fromUtf16(ContentType::styles));
    m_knownTypes.insert(m_workbook.m_workbookPart, QString::fromUtf16(ContentType::workbook));
    writeRootRelations();
    dropUnreachableParts();
    writeContentTypes();
    return std::move(m_out);
}

// Parts no relationship leads to any more (those of deleted sheets: their
// drawings, comments and tables) are left out of the file.
void WorkbookWriter::dropUnreachableParts() {
    QSet<QString> reached; // lower case: part names ignore case
    QStringList pending{QString()};
    while (!pending.isEmpty()) {
        const QString source = pending.takeLast();
        const QString relations = relationshipsPartOf(source);
        if (!m_out.contains(relations))
            continue;
        reached.insert(relations.toLower());
        for (const Relationship& r : parseRelationships(m_out.text(relations))) {
            const QString target = resolveTarget(source, r.target);
            if (!r.external && !reached.contains(target.toLower())) {
                reached.insert(target.toLower());
                pending.append(target);
            }
        }
    }
    for (auto it = m_out.parts.begin(); it != m_out.parts.end();) {
        if (reached.contains(it->first.toLower()) || it->first == u"[Content_Types].xml")
            ++it;
        else
            it = m_out.parts.erase(it);
    }
}

void WorkbookWriter::writeSheets() {
    for (const auto& sheet : m_workbook.m_sheets) {
        const QString& part = sheet->partName;
        m_out.parts[part] = sheet->isWorksheet ? worksheetXml(*sheet) : sheet->opaquePart;
        const QString rels = relationshipsPartOf(part);
        if (sheet->relsPart.isEmpty())
            m_out.parts.erase(rels);
        else
            m_out.parts[rels] = sheet->relsPart;
        const QString original = m_workbook.m_contentTypes.overrideOf(part);
        m_knownTypes.insert(part, original.isEmpty() ? QString::fromUtf16(ContentType::worksheet)
                                                     : original);
    }
}

QByteArray WorkbookWriter::worksheetXml(const Sheet& sheet) const {
    QString dimension;
    const QString data = sheetData(sheet, dimension);
    const bool selected = &sheet == m_workbook.m_active;
    QString head = XmlText::withAttributesOfFirst(
        sheet.head, u"sheetView",
        {{QStringLiteral("tabSelected"),
          selected ? std::optional<QString>(QStringLiteral("1")) : std::nullopt}});
    head = XmlText::withAttributesOfFirst(head, u"dimension", {{QStringLiteral("ref"), dimension}});
    QByteArray xml = head.toUtf8();
    xml += data.toUtf8();
    xml += sheet.tail.toUtf8();
    return xml;
}

QString WorkbookWriter::sheetData(const Sheet& sheet, QString& dimension) const {
    std::vector<quint64> keys;
    keys.reserve(size_t(sheet.cells.size()));
    for (auto it = sheet.cells.constBegin(); it != sheet.cells.constEnd(); ++it)
        keys.push_back(it.key());
    std::sort(keys.begin(), keys.end());

    const QString& p = sheet.prefix;
    QString out;
    out.reserve(qsizetype(keys.size()) * 48 + 64);
    out += u'<' + p + QStringLiteral("sheetData>");
    int minRow = 0, maxRow = 0, minColumn = 0, maxColumn = 0;
    auto nextRow = sheet.rows.begin();
    size_t k = 0;
    while (k < keys.size() || nextRow != sheet.rows.end()) {
        const int cellRow = k < keys.size() ? int(keys[k] >> 32) : INT_MAX;
        const int row = nextRow != sheet.rows.end() ? std::min(cellRow, nextRow->first) : cellRow;
        out += u'<' + p + QStringLiteral("row r=\"") + QString::number(row) + u'"';
        if (nextRow != sheet.rows.end() && nextRow->first == row) {
            out += attributesText(nextRow->second.attributes);
            ++nextRow;
        }
        out += u'>';
        for (; k < keys.size() && int(keys[k] >> 32) == row; ++k) {
            const int column = int(keys[k] & 0xffffffffu);
            minRow = minRow ? std::min(minRow, row) : row;
            maxRow = std::max(maxRow, row);
            minColumn = minColumn ? std::min(minColumn, column) : column;
            maxColumn = std::max(maxColumn, column);
            appendCell(out, sheet, keys[k], sheet.cells.value(keys[k]));
        }
        out += QStringLiteral("</") + p + QStringLiteral("row>");
    }
    out += QStringLiteral("</") + p + QStringLiteral("sheetData>");
    dimension = minRow ? cellReference(minRow, minColumn) + u':' + cellReference(maxRow, maxColumn)
                       : QStringLiteral("A1");
    return out;
}

void WorkbookWriter::appendCell(QString& out, const Sheet& sheet, quint64 key,
                                const SheetCell& cell) const {
    if (cell.kind == SheetCell::Kind::Verbatim) {
        out += cell.value;
        return;
    }
    const QString& p = sheet.prefix;
    out += u'<' + p + QStringLiteral("c r=\"") +
           cellReference(int(key >> 32), int(key & 0xffffffffu)) + u'"';
    if (cell.format)
        out += QStringLiteral(" s=\"") + QString::number(cell.format) + u'"';
    switch (cell.kind) {
    case SheetCell::Kind::Number:
        out += QStringLiteral("><") + p + QStringLiteral("v>") + cell.value + QStringLiteral("</") +
               p + QStringLiteral("v></") + p + QStringLiteral("c>");
        return;
    case SheetCell::Kind::SharedText:
        out += QStringLiteral(" t=\"s\"><") + p + QStringLiteral("v>") +
               QString::number(cell.sharedIndex) + QStringLiteral("</") + p +
               QStringLiteral("v></") + p + QStringLiteral("c>");
        return;
    case SheetCell::Kind::Text:
        out += QStringLiteral(" t=\"inlineStr\"><") + p + QStringLiteral("is><") + p +
               (needsPreservedSpace(cell.value) ? QStringLiteral("t xml:space=\"preserve\">")
                                                : QStringLiteral("t>")) +
               XmlText::escapeText(XmlText::encodeControlCharacters(cell.value)) +
               QStringLiteral("</") + p + QStringLiteral("t></") + p + QStringLiteral("is></") + p +
               QStringLiteral("c>");
        return;
    case SheetCell::Kind::Blank:
    case SheetCell::Kind::Verbatim:
        out += QStringLiteral("/>");
        return;
    }
}

QString WorkbookWriter::newRelationId() {
    for (int n = 1;; ++n) {
        const QString id = QStringLiteral("rId%1").arg(n);
        if (!m_usedIds.contains(id)) {
            m_usedIds.insert(id);
            return id;
        }
    }
}

void WorkbookWriter::writeWorkbookRelations() {
    QList<Relationship> relations = m_workbook.m_workbookRelations;
    for (const Relationship& r : relations)
        m_usedIds.insert(r.id);
    for (const auto& sheet : m_workbook.m_sheets) {
        if (!sheet->relationId.isEmpty() && !m_usedIds.contains(sheet->relationId)) {
            m_usedIds.insert(sheet->relationId);
            m_sheetIds.insert(sheet.get(), sheet->relationId);
        }
    }
    if (m_workbook.m_stylesPart.isEmpty())
        relations.append({newRelationId(), QString::fromUtf16(RelationType::styles),
                          relativeTarget(m_workbook.m_workbookPart, m_stylesPart), false});
    for (const auto& sheet : m_workbook.m_sheets) {
        if (!m_sheetIds.contains(sheet.get()))
            m_sheetIds.insert(sheet.get(), newRelationId());
        relations.append({m_sheetIds.value(sheet.get()), sheet->relationType,
                          relativeTarget(m_workbook.m_workbookPart, sheet->partName), false});
    }
    m_out.parts[relationshipsPartOf(m_workbook.m_workbookPart)] = relationshipsXml(relations);
}

void WorkbookWriter::writeWorkbookXml() {
    const QString& xml = m_workbook.m_workbookXml;
    const XmlText::Span root = XmlText::findStartTag(xml, u"workbook");
    const QString rootTag = xml.mid(root.begin, root.end - root.begin);
    const XmlText::Span sheets = XmlText::findElement(xml, u"sheets");
    if (!root.found() || !sheets.found())
        throw Error(QStringLiteral("De werkmap heeft geen lijst van werkbladen."));
    const QString p = XmlText::prefixOf(QStringView(xml).mid(
        sheets.begin + 1,
        xml.indexOf(QRegularExpression(QStringLiteral("[\\s/>]")), sheets.begin + 1) -
            sheets.begin - 1));
    // The prefix the root gives the relationships namespace; "r" declared
    // on the list itself when it has none.
    QString r;
    QString declaration;
    static const QRegularExpression namespaceDeclaration(
        QStringLiteral("xmlns:([A-Za-z0-9_.-]+)=\"([^\"]*)\""));
    for (const auto& m : namespaceDeclaration.globalMatch(rootTag)) {
        if (m.captured(2) == relationshipsNamespace)
            r = m.captured(1);
    }
    if (r.isEmpty()) {
        r = QStringLiteral("r");
        declaration = QStringLiteral(" xmlns:r=\"") + relationshipsNamespace + u'"';
    }

    std::vector<Edit> edits;
    QString sheetList = u'<' + p + QStringLiteral("sheets") + declaration + u'>';
    int activeTab = 0;
    for (size_t i = 0; i < m_workbook.m_sheets.size(); ++i) {
        const Sheet& sheet = *m_workbook.m_sheets[i];
        if (&sheet == m_workbook.m_active)
            activeTab = int(i);
        sheetList += u'<' + p + QStringLiteral("sheet name=\"") +
                     XmlText::escapeAttribute(sheet.name) + QStringLiteral("\" sheetId=\"") +
                     QString::number(sheet.sheetId) + u'"' + attributesText(sheet.sheetAttributes) +
                     u' ' + r + QStringLiteral(":id=\"") + m_sheetIds.value(&sheet) +
                     QStringLiteral("\"/>");
    }
    sheetList += QStringLiteral("</") + p + QStringLiteral("sheets>");
    edits.push_back({sheets.begin, sheets.end, sheetList});

    QString names;
    for (const DefinedName& name : m_workbook.m_names) {
        names += u'<' + p + QStringLiteral("definedName name=\"") +
                 XmlText::escapeAttribute(name.name) + u'"';
        if (name.scope)
            names += QStringLiteral(" localSheetId=\"") +
                     QString::number(m_workbook.indexOf(name.scope)) + u'"';
        names += attributesText(name.otherAttributes) + u'>' +
                 XmlText::escapeText(name.refersTo()) + QStringLiteral("</") + p +
                 QStringLiteral("definedName>");
    }
    if (!names.isEmpty())
        names = u'<' + p + QStringLiteral("definedNames>") + names + QStringLiteral("</") + p +
                QStringLiteral("definedNames>");
    const XmlText::Span oldNames = XmlText::findElement(xml, u"definedNames");
    if (oldNames.found()) {
        edits.push_back({oldNames.begin, oldNames.end, names});
    } else {
        qsizetype at = sheets.end;
        for (QStringView before : {u"functionGroups", u"externalReferences"}) {
            const XmlText::Span span = XmlText::findElement(xml, before);
            if (span.found())
                at = std::max(at, span.end);
        }
        edits.push_back({at, at, names});
    }

    const XmlText::Span view = XmlText::findStartTag(xml, u"workbookView");
    if (view.found()) {
        edits.push_back(
            {view.begin, view.end,
             XmlText::withAttributes(xml.mid(view.begin, view.end - view.begin),
                                     {{QStringLiteral("activeTab"), QString::number(activeTab)},
                                      {QStringLiteral("firstSheet"), std::nullopt}})});
    } else {
        edits.push_back({sheets.begin, sheets.begin,
                         QStringLiteral("<%1bookViews><%1workbookView activeTab=\"%2\"/>"
                                        "</%1bookViews>")
                             .arg(p)
                             .arg(activeTab)});
    }
    m_out.parts[m_workbook.m_workbookPart] = applyEdits(xml, std::move(edits)).toUtf8();
}

void WorkbookWriter::writeRootRelations() {
    const QString part = QStringLiteral("_rels/.rels");
    QList<Relationship> relations;
    bool hasDocument = false;
    for (const Relationship& r : parseRelationships(m_out.text(part))) {
        // The application properties list the sheets as they were; they are optional.
        if (isType(r.type, u"extended-properties")) {
            m_out.parts.erase(resolveTarget(QString(), r.target));
            continue;
        }
        hasDocument = hasDocument || isType(r.type, u"officeDocument");
        relations.append(r);
    }
    if (!hasDocument)
        relations.append({QStringLiteral("rId1"), QString::fromUtf16(RelationType::officeDocument),
                          m_workbook.m_workbookPart, false});
    m_out.parts[part] = relationshipsXml(relations);
}

void WorkbookWriter::writeContentTypes() {
    const QString part = QStringLiteral("[Content_Types].xml");
    auto isMacro = [](const QString& type) { return type.contains(QLatin1String("vbaProject")); };
    ContentTypes types;
    for (const auto& entry : m_workbook.m_contentTypes.defaults) {
        if (!isMacro(entry.second))
            types.defaults.append(entry);
    }
    auto ensureDefault = [&](const QString& extension, const QString& type) {
        if (types.typeOf(QStringLiteral("x.") + extension).isEmpty())
            types.defaults.append({extension, type});
    };
    ensureDefault(QStringLiteral("rels"), QString::fromUtf16(ContentType::relationships));
    ensureDefault(QStringLiteral("xml"), QStringLiteral("application/xml"));

    m_out.parts.erase(part);
    for (auto it = m_out.parts.begin(); it != m_out.parts.end();) {
        QString type = m_knownTypes.value(it->first);
        if (type.isEmpty())
            type = m_workbook.m_contentTypes.typeOf(it->first);
        if (type.isEmpty())
            type = types.typeOf(it->first);
        if (type.isEmpty() || isMacro(type)) {
            it = m_out.parts.erase(it); // no valid package part
            continue;
        }
        const QString extension = it->first.mid(it->first.lastIndexOf(u'.') + 1);
        if (types.typeOf(QStringLiteral("x.") + extension) != type)
            types.overrides.append({it->first, type});
        ++it;
    }
    m_out.parts[part] = contentTypesXml(types);
}

void Workbook::save(const QString& path) const {
    WorkbookWriter(*this).write().write(path);
}

} // namespace Spreadsheet
