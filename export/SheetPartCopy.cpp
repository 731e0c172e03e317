#include "export/SheetPartCopy.h"

#include "export/XmlText.h"

#include <QRegularExpression>

#include <algorithm>

namespace Spreadsheet {

using namespace PackageParts;

namespace {

// What a sheet's copy takes along. Everything else a sheet points at either
// belongs to the workbook (a pivot table's cache) or would need more than a
// copy of its part (controls, embedded objects).
bool goesWithCopy(const QString& type) {
    for (QStringView owned :
         {u"drawing", u"vmlDrawing", u"comments", u"table", u"printerSettings"}) {
        if (isType(type, owned))
            return true;
    }
    return false;
}

// Targets that many parts may share.
bool isShared(const QString& type) {
    return isType(type, u"image") || isType(type, u"hyperlink");
}

const QRegularExpression& idmapPattern() {
    static const QRegularExpression idmap(
        QStringLiteral("(<(?:[A-Za-z_][\\w.-]*:)?idmap\\b[^>]*?\\bdata=\")([^\"]*)(\")"));
    return idmap;
}

QList<int> numbersIn(const QString& text) {
    QList<int> numbers;
    for (const QString& field : text.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = field.trimmed().toInt(&ok);
        if (ok)
            numbers.append(number);
    }
    return numbers;
}

} // namespace

SheetPartCopier::SheetPartCopier(ZipPackage& package, ContentTypes& types, QSet<QString> takenNames)
    : m_package(package)
    , m_types(types)
    , m_takenNames(std::move(takenNames)) {
    for (const QString& part : partsOfType(u"table+xml")) {
        const QString xml = m_package.text(part);
        const XmlText::Span tag = XmlText::findStartTag(xml, u"table");
        if (!tag.found())
            continue;
        const QString start = xml.mid(tag.begin, tag.end - tag.begin);
        m_takenNames.insert(XmlText::attribute(start, u"name").toLower());
        m_takenNames.insert(XmlText::attribute(start, u"displayName").toLower());
    }
}

QList<Relationship> SheetPartCopier::copyRelationships(const QString& sourcePart,
                                                       const QByteArray& sourceRelations,
                                                       const QString& copySheetPart) {
    QList<Relationship> kept;
    for (Relationship r : parseRelationships(QString::fromUtf8(sourceRelations))) {
        if (r.external) {
            kept.append(r);
            continue;
        }
        const QString target = resolveTarget(sourcePart, r.target);
        if (isShared(r.type)) {
            r.target = relativeTarget(copySheetPart, target);
            kept.append(r);
            continue;
        }
        if (!goesWithCopy(r.type) || !m_package.contains(target))
            continue;
        r.target = relativeTarget(copySheetPart, copyPart(target));
        kept.append(r);
    }
    return kept;
}

QList<QString> SheetPartCopier::partsOfType(QStringView typeEnd) const {
    QList<QString> parts;
    for (const auto& [name, data] : m_package.parts) {
        if (m_types.typeOf(name).endsWith(typeEnd))
            parts.append(name);
    }
    return parts;
}

QString SheetPartCopier::freeNameLike(const QString& part) const {
    const qsizetype slash = part.lastIndexOf(u'/');
    qsizetype dot = part.lastIndexOf(u'.');
    if (dot <= slash)
        dot = part.size();
    QString stem = part.left(dot);
    while (stem.size() > slash + 1 && stem.back().isDigit())
        stem.chop(1);
    const QString extension = part.mid(dot);
    for (int n = 1;; ++n) {
        const QString candidate = stem + QString::number(n) + extension;
        if (!m_package.contains(candidate))
            return candidate;
    }
}

QString SheetPartCopier::copyPart(const QString& source) {
    auto known = m_copies.constFind(source);
    if (known != m_copies.constEnd())
        return *known;
    const QString copy = freeNameLike(source);
    m_copies.insert(source, copy);
    const QString type = m_types.typeOf(source);
    QByteArray data = m_package.parts.at(source);
    if (type.endsWith(u"table+xml"))
        data = renamedTable(data);
    else if (type.endsWith(u"vmlDrawing"))
        data = renumberedShapes(data);
    // In the package before its own targets are copied, so they pick other names.
    m_package.parts[copy] = data;
    const QString override = m_types.overrideOf(source);
    if (!override.isEmpty())
        m_types.overrides.append({copy, override});

    const QString relations = relationshipsPartOf(source);
    if (!m_package.contains(relations))
        return copy;
    QList<Relationship> copied = parseRelationships(m_package.text(relations));
    for (Relationship& r : copied) {
        if (r.external)
            continue;
        const QString target = resolveTarget(source, r.target);
        // Pictures are shared; anything else shared with the model (a
        // chart, say) would change along with the model's.
        r.target = relativeTarget(
            copy, isShared(r.type) || !m_package.contains(target) ? target : copyPart(target));
    }
    m_package.parts[relationshipsPartOf(copy)] = relationshipsXml(copied);
    return copy;
}

QByteArray SheetPartCopier::renamedTable(const QByteArray& xml) {
    QString text = QString::fromUtf8(xml);
    const XmlText::Span tag = XmlText::findStartTag(text, u"table");
    if (!tag.found())
        return xml;
    int highestId = 0;
    for (const QString& part : partsOfType(u"table+xml")) {
        const QString other = m_package.text(part);
        const XmlText::Span otherTag = XmlText::findStartTag(other, u"table");
        if (otherTag.found())
            highestId = std::max(
                highestId,
                XmlText::attribute(other.mid(otherTag.begin, otherTag.end - otherTag.begin), u"id")
                    .toInt());
    }
    const QString start = text.mid(tag.begin, tag.end - tag.begin);
    QString base = XmlText::attribute(start, u"displayName");
    if (base.isEmpty())
        base = XmlText::attribute(start, u"name");
    QString name;
    for (int n = 2; name.isEmpty() || m_takenNames.contains(name.toLower()); ++n)
        name = base + u'_' + QString::number(n);
    m_takenNames.insert(name.toLower());
    text.replace(
        tag.begin, tag.end - tag.begin,
        XmlText::withAttributes(start, {{QStringLiteral("id"), QString::number(highestId + 1)},
                                        {QStringLiteral("name"), name},
                                        {QStringLiteral("displayName"), name}}));
    return text.toUtf8();
}

// A legacy drawing numbers its shapes in blocks of 1024 that its idmap
// names; two sheets with the same block would share shape ids.
QByteArray SheetPartCopier::renumberedShapes(const QByteArray& vml) const {
    int highestBlock = 0;
    for (const QString& part : partsOfType(u"vmlDrawing")) {
        const QString other = QString::fromLatin1(m_package.parts.at(part));
        for (const auto& m : idmapPattern().globalMatch(other)) {
            for (int block : numbersIn(m.captured(2)))
                highestBlock = std::max(highestBlock, block);
        }
    }
    // Latin-1 keeps every byte as it is, whatever the drawing's encoding.
    QString text = QString::fromLatin1(vml);
    const QRegularExpressionMatch idmap = idmapPattern().match(text);
    if (!idmap.hasMatch())
        return vml;
    QHash<int, int> blocks;
    QStringList renumbered;
    for (int block : numbersIn(idmap.captured(2))) {
        blocks.insert(block, ++highestBlock);
        renumbered << QString::number(highestBlock);
    }
    text.replace(idmap.capturedStart(2), idmap.capturedLength(2), renumbered.join(u','));
    static const QRegularExpression shapeId(QStringLiteral("_x0000_s([0-9]+)"));
    QString out;
    qsizetype from = 0;
    for (const auto& m : shapeId.globalMatch(text)) {
        const int id = m.captured(1).toInt();
        const auto block = blocks.constFind(id / 1024);
        if (block == blocks.constEnd())
            continue;
        out += QStringView(text).mid(from, m.capturedStart(1) - from);
        out += QString::number(*block * 1024 + id % 1024);
        from = m.capturedEnd(1);
    }
    out += QStringView(text).mid(from);
    return out.toLatin1();
}

} // namespace Spreadsheet
