#include "export/Workbook.h"

#include "export/SheetPartCopy.h"
#include "export/XmlText.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace Spreadsheet {

namespace {

const char* const newSheetHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<dimension ref=\"A1\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
    "<sheetFormatPr defaultRowHeight=\"15\"/>";
const char* const newSheetTail =
    "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
    "footer=\"0.3\"/></worksheet>";

// Elements of a sheet that point at parts through relationships (each
// occurs once in a sheet). A copy keeps them when it has those relationships.
const QStringView partBoundElements[] = {u"customProperties", u"drawing",   u"legacyDrawing",
                                         u"legacyDrawingHF",  u"picture",   u"oleObjects",
                                         u"controls",         u"tableParts"};

const QRegularExpression& relationshipReference() {
    static const QRegularExpression reference(
        QStringLiteral("\\b([A-Za-z_][\\w.-]*:id)=\"([^\"]*)\""));
    return reference;
}

bool referencesOnly(QStringView xml, const QSet<QString>& ids) {
    for (const auto& m : relationshipReference().globalMatch(xml)) {
        if (!ids.contains(m.captured(2)))
            return false;
    }
    return true;
}

// The sheet's XML without the references its copy has no relationship for.
QString withoutDanglingReferences(QString xml, const QSet<QString>& ids) {
    for (QStringView name : partBoundElements) {
        const XmlText::Span span = XmlText::findElement(xml, name);
        if (span.found() &&
            !referencesOnly(QStringView(xml).mid(span.begin, span.end - span.begin), ids))
            xml.remove(span.begin, span.end - span.begin);
    }
    const XmlText::Span setup = XmlText::findStartTag(xml, u"pageSetup");
    if (setup.found()) {
        const QString tag = xml.mid(setup.begin, setup.end - setup.begin);
        const QRegularExpressionMatch m = relationshipReference().match(tag);
        if (m.hasMatch() && !ids.contains(m.captured(2)))
            xml.replace(setup.begin, setup.end - setup.begin,
                        XmlText::withAttributes(tag, {{m.captured(1), std::nullopt}}));
    }
    return xml;
}

int columnNumber(QStringView letters) {
    int column = 0;
    for (QChar c : letters)
        column = column * 26 + (c.toUpper().unicode() - u'A' + 1);
    return column;
}

} // namespace

QString cellReference(int row, int column) {
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}

QString quotedSheetName(const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.]*$"));
    static const QRegularExpression cellLike(
        QStringLiteral("^([A-Za-z]{1,3}[0-9]+|[Rr][0-9]*[Cc][0-9]*|[RrCc])$"));
    if (plain.match(name).hasMatch() && !cellLike.match(name).hasMatch())
        return name;
    QString quoted = name;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

int Sheet::formatForNewCell(int row, int column) const {
    auto r = rows.find(row);
    if (r != rows.end() && r->second.format >= 0)
        return r->second.format;
    for (const ColumnFormat& c : columns) {
        if (column >= c.first && column <= c.last)
            return c.format;
    }
    return 0;
}

QString DefinedName::text() const {
    return scope ? quotedSheetName(scope->name) + u'!' + name : name;
}

QString DefinedName::refersTo() const {
    if (target)
        return quotedSheetName(target->name) + u'!' + reference;
    if (targetDeleted)
        return QStringLiteral("#REF!") + reference;
    return formula;
}

std::optional<std::pair<int, int>> DefinedName::topLeft() const {
    if (!target)
        return std::nullopt;
    static const QRegularExpression first(QStringLiteral("^\\$?([A-Za-z]{0,3})\\$?([0-9]*)"));
    const QRegularExpressionMatch m = first.match(reference);
    if (!m.hasMatch() || (m.capturedLength(1) == 0 && m.capturedLength(2) == 0))
        return std::nullopt;
    const int row = m.capturedLength(2) ? m.captured(2).toInt() : 1;
    const int column = m.capturedLength(1) ? columnNumber(m.capturedView(1)) : 1;
    if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
        return std::nullopt;
    return std::make_pair(row, column);
}

Workbook::Workbook() = default;
Workbook::~Workbook() = default;

std::vector<Sheet*> Workbook::worksheets() const {
    std::vector<Sheet*> result;
    result.reserve(m_sheets.size());
    for (const auto& sheet : m_sheets) {
        if (sheet->isWorksheet)
            result.push_back(sheet.get());
    }
    return result;
}

Sheet* Workbook::findSheet(const QString& name) const {
    return m_sheetsByName.value(name.toLower(), nullptr);
}

int Workbook::indexOf(const Sheet* sheet) const {
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        if (m_sheets[i].get() == sheet)
            return int(i);
    }
    return -1;
}

QString Workbook::uniqueSheetName(const QString& wanted) const {
    if (!findSheet(wanted))
        return wanted;
    for (int n = 2;; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        const QString candidate = wanted.left(31 - suffix.size()) + suffix;
        if (!findSheet(candidate))
            return candidate;
    }
}

QString Workbook::newPartName() {
    for (;; ++m_nextPartNumber) {
        const QString name = QStringLiteral("xl/worksheets/sheet%1.xml").arg(m_nextPartNumber);
        if (!m_package.contains(name) && !m_partNames.contains(name)) {
            m_partNames.insert(name);
            return name;
        }
    }
}

void Workbook::insertSheet(std::shared_ptr<Sheet> sheet, const Sheet* after) {
    const int index = after ? indexOf(after) : int(m_sheets.size()) - 1;
    sheet->sheetId = m_nextSheetId++;
    m_sheetsByName.insert(sheet->name.toLower(), sheet.get());
    m_sheets.insert(m_sheets.begin() + (index + 1), std::move(sheet));
}

Sheet* Workbook::addWorksheet(const Sheet* after) {
    auto sheet = std::make_shared<Sheet>();
    for (int n = int(worksheets().size()) + 1; sheet->name.isEmpty(); ++n) {
        const QString candidate = QStringLiteral("Blad%1").arg(n);
        if (!findSheet(candidate))
            sheet->name = candidate;
    }
    sheet->partName = newPartName();
    sheet->relationType = QString::fromUtf16(PackageParts::RelationType::worksheet);
    sheet->head = QString::fromUtf8(newSheetHead);
    sheet->tail = QString::fromUtf8(newSheetTail);
    Sheet* added = sheet.get();
    insertSheet(std::move(sheet), after);
    return added;
}

Sheet* Workbook::copyWorksheet(const Sheet& source, const Sheet* after) {
    auto sheet = std::make_shared<Sheet>();
    Sheet* copy = sheet.get();
    copy->name = uniqueSheetName(source.name);
    copy->partName = newPartName();
    copy->relationType = source.relationType;
    copy->sheetAttributes = source.sheetAttributes;
    copy->prefix = source.prefix;
    copy->cells = source.cells;
    copy->rows = source.rows;
    copy->columns = source.columns;
    QSet<QString> definedNames;
    for (const DefinedName& name : m_names)
        definedNames.insert(name.name.toLower());
    const QList<PackageParts::Relationship> relations =
        SheetPartCopier(m_package, m_contentTypes, definedNames)
            .copyRelationships(source.partName, source.relsPart, copy->partName);
    QSet<QString> ids;
    for (const auto& r : relations)
        ids.insert(r.id);
    if (!relations.isEmpty())
        copy->relsPart = PackageParts::relationshipsXml(relations);
    // Head and tail as one document, so that the XML helpers can read the
    // elements after the cell data.
    const QString data = u'<' + source.prefix + QStringLiteral("sheetData/>");
    QString xml = source.head + data + source.tail;
    // Code names and revision ids identify one sheet; the copy gets none.
    xml = XmlText::withAttributesOfFirst(xml, u"worksheet", {{QStringLiteral("xr:uid"), {}}});
    xml = XmlText::withAttributesOfFirst(xml, u"sheetPr", {{QStringLiteral("codeName"), {}}});
    xml = withoutDanglingReferences(xml, ids);
    const qsizetype split = xml.indexOf(data);
    copy->head = xml.left(split);
    copy->tail = xml.mid(split + data.size());
    insertSheet(std::move(sheet), after);

    // Like the spreadsheet application: the copy takes the source's
    // sheet-level names, and workbook-level names that refer to the source
    // become sheet-level names of the copy.
    QSet<QString> taken;
    for (const DefinedName* own : source.ownNames) {
        DefinedName name = *own;
        name.scope = copy;
        if (name.target == &source)
            name.target = copy;
        taken.insert(name.name.toLower());
        addName(std::move(name));
    }
    const std::vector<DefinedName*> referring = source.referringNames;
    for (const DefinedName* global : referring) {
        if (global->scope || taken.contains(global->name.toLower()))
            continue;
        DefinedName name = *global;
        name.scope = copy;
        name.target = copy;
        taken.insert(name.name.toLower());
        addName(std::move(name));
    }
    return copy;
}

DefinedName& Workbook::addName(DefinedName name) {
    DefinedName& added = m_names.emplace_back(std::move(name));
    if (added.scope)
        added.scope->ownNames.push_back(&added);
    if (added.target)
        added.target->referringNames.push_back(&added);
    return added;
}

void Workbook::deleteSheet(Sheet* sheet) {
    if (sheet->isWorksheet && worksheets().size() <= 1)
        throw Error(QStringLiteral("Een werkmap moet ten minste één werkblad bevatten; het laatste "
                                   "werkblad kan niet worden verwijderd."));
    const int index = indexOf(sheet);
    if (index < 0)
        return;
    // Its own names go with it; names elsewhere that refer to it turn into #REF!.
    const QSet<const DefinedName*> gone(sheet->ownNames.begin(), sheet->ownNames.end());
    for (const auto& other : m_sheets) {
        auto& referring = other->referringNames;
        referring.erase(std::remove_if(referring.begin(), referring.end(),
                                       [&](const DefinedName* n) { return gone.contains(n); }),
                        referring.end());
    }
    for (DefinedName* name : sheet->referringNames) {
        name->target = nullptr;
        name->targetDeleted = true;
    }
    m_names.remove_if([&](const DefinedName& n) { return gone.contains(&n); });
    sheet->ownNames.clear();
    sheet->referringNames.clear();

    m_package.parts.erase(sheet->partName);
    m_package.parts.erase(PackageParts::relationshipsPartOf(sheet->partName));
    m_sheetsByName.remove(sheet->name.toLower());
    sheet->deleted = true;
    std::shared_ptr<Sheet> keepAlive = m_sheets[size_t(index)];
    m_sheets.erase(m_sheets.begin() + index);
    if (m_active == sheet) {
        const std::vector<Sheet*> remaining = worksheets();
        m_active = nullptr;
        for (size_t i = size_t(index); i < m_sheets.size() && !m_active; ++i) {
            if (m_sheets[i]->isWorksheet)
                m_active = m_sheets[i].get();
        }
        if (!m_active && !remaining.empty())
            m_active = remaining.back();
    }
}

void Workbook::renameSheet(Sheet* sheet, const QString& name) {
    static const QRegularExpression forbidden(QStringLiteral("[\\[\\]:*?/\\\\]"));
    if (name.trimmed().isEmpty())
        throw Error(QStringLiteral("Een werkblad moet een naam hebben."));
    if (name.size() > 31)
        throw Error(QStringLiteral("De naam \"%1\" is langer dan 31 tekens.").arg(name));
    if (name.contains(forbidden) || name.startsWith(u'\'') || name.endsWith(u'\''))
        throw Error(QStringLiteral("De naam \"%1\" bevat een teken dat niet in de naam van een "
                                   "werkblad mag staan (: \\ / ? * [ ] of een apostrof aan "
                                   "begin of eind).")
                        .arg(name));
    Sheet* existing = findSheet(name);
    if (existing && existing != sheet)
        throw Error(QStringLiteral("Er is al een werkblad met de naam \"%1\".").arg(name));
    m_sheetsByName.remove(sheet->name.toLower());
    sheet->name = name;
    m_sheetsByName.insert(name.toLower(), sheet);
}

SheetCell& Workbook::cellFor(Sheet& sheet, int row, int column) {
    const quint64 key = Sheet::key(row, column);
    auto it = sheet.cells.find(key);
    if (it == sheet.cells.end()) {
        SheetCell cell;
        cell.format = sheet.formatForNewCell(row, column);
        it = sheet.cells.insert(key, cell);
    }
    return *it;
}

void Workbook::setText(Sheet& sheet, int row, int column, const QString& text) {
    if (text.isEmpty()) {
        clear(sheet, row, column);
        return;
    }
    SheetCell& cell = cellFor(sheet, row, column);
    cell.kind = SheetCell::Kind::Text;
    cell.value = text.left(32767);
}

void Workbook::setNumber(Sheet& sheet, int row, int column, double number) {
    if (!std::isfinite(number))
        throw Error(QStringLiteral("Een cel kan alleen een eindig getal bevatten."));
    SheetCell& cell = cellFor(sheet, row, column);
    cell.kind = SheetCell::Kind::Number;
    cell.value = QString::number(number, 'g', QLocale::FloatingPointShortest);
}

void Workbook::clear(Sheet& sheet, int row, int column) {
    auto it = sheet.cells.find(Sheet::key(row, column));
    if (it == sheet.cells.end())
        return;
    if (it->format == 0) {
        sheet.cells.erase(it);
        return;
    }
    it->kind = SheetCell::Kind::Blank;
    it->value.clear();
    it->sharedIndex = -1;
}

void Workbook::setBorder(Sheet& sheet, int row, int column, Edge edge, bool drawn) {
    SheetCell& cell = cellFor(sheet, row, column);
    const int format = m_styles.withEdge(cell.format, edge, drawn);
    if (format == cell.format)
        return;
    cell.format = format;
    if (cell.kind == SheetCell::Kind::Verbatim)
        cell.value =
            XmlText::withAttributes(cell.value, {{QStringLiteral("s"), QString::number(format)}});
}

std::vector<const DefinedName*> Workbook::namesOf(const Sheet* sheet) const {
    std::vector<const DefinedName*> result(sheet->ownNames.begin(), sheet->ownNames.end());
    for (const DefinedName* name : sheet->referringNames) {
        if (!name->scope)
            result.push_back(name);
    }
    return result;
}

// --- read-back ---

QStringList Workbook::sheetNames() const {
    QStringList names;
    for (const Sheet* sheet : worksheets())
        names << sheet->name;
    return names;
}

QString Workbook::activeSheetName() const {
    return m_active ? m_active->name : QString();
}

const SheetCell* Workbook::cellOf(const QString& sheet, int row, int column) const {
    const Sheet* found = findSheet(sheet);
    if (!found)
        throw Error(QStringLiteral("Er is geen werkblad met de naam \"%1\".").arg(sheet));
    auto it = found->cells.constFind(Sheet::key(row, column));
    return it == found->cells.constEnd() ? nullptr : &*it;
}

QString Workbook::cellText(const QString& sheet, int row, int column) const {
    const SheetCell* cell = cellOf(sheet, row, column);
    if (!cell)
        return {};
    switch (cell->kind) {
    case SheetCell::Kind::Text:
    case SheetCell::Kind::Number:
        return cell->value;
    case SheetCell::Kind::SharedText:
        return m_sharedStrings.value(cell->sharedIndex);
    case SheetCell::Kind::Verbatim:
    case SheetCell::Kind::Blank:
        return {};
    }
    return {};
}

std::optional<double> Workbook::cellNumber(const QString& sheet, int row, int column) const {
    const SheetCell* cell = cellOf(sheet, row, column);
    if (!cell || cell->kind != SheetCell::Kind::Number)
        return std::nullopt;
    return cell->value.toDouble();
}

bool Workbook::cellExists(const QString& sheet, int row, int column) const {
    return cellOf(sheet, row, column) != nullptr;
}

QSet<Edge> Workbook::cellBorders(const QString& sheet, int row, int column) const {
    const SheetCell* cell = cellOf(sheet, row, column);
    QSet<Edge> edges;
    if (!cell)
        return edges;
    for (Edge edge : {Edge::Left, Edge::Top, Edge::Bottom, Edge::Right}) {
        if (m_styles.hasEdge(cell->format, edge))
            edges.insert(edge);
    }
    return edges;
}

Workbook::CellFormat Workbook::cellFormat(const QString& sheet, int row, int column) const {
    const SheetCell* cell = cellOf(sheet, row, column);
    const WorkbookStyles::FormatInfo info = m_styles.formatInfo(cell ? cell->format : 0);
    return {m_styles.fontIsBold(info.font), m_styles.fillPattern(info.fill), info.numberFormat,
            info.font, info.fill};
}

QList<std::pair<QString, QString>> Workbook::definedNames() const {
    QList<std::pair<QString, QString>> result;
    for (const DefinedName& name : m_names)
        result.append({name.text(), name.refersTo()});
    return result;
}

} // namespace Spreadsheet
