#include "export/WorkbookStyles.h"

#include "export/XmlText.h"

#include <QXmlStreamReader>

#include <array>

namespace Spreadsheet {

namespace {

const char* const standardStyles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/>"
    "</font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
    "</cellStyleXfs>"
    "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" "
    "xfId=\"0\"/></cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";

// The order in which a border's edges must appear.
const std::array<QStringView, 7> edgeOrder = {u"left",     u"right",    u"top",       u"bottom",
                                              u"diagonal", u"vertical", u"horizontal"};

QStringView edgeName(Edge edge) {
    switch (edge) {
    case Edge::Left:
        return u"left";
    case Edge::Top:
        return u"top";
    case Edge::Bottom:
        return u"bottom";
    case Edge::Right:
        return u"right";
    }
    return u"left";
}

QStringView canonicalEdge(QStringView name) {
    if (name == u"start")
        return u"left";
    if (name == u"end")
        return u"right";
    return name;
}

struct ListSection {
    XmlText::Span span;
    QString prefix;
    std::vector<QString> items;
};

// The children of the first element named `list`, each as its own text.
ListSection readList(const QString& xml, QStringView list) {
    ListSection section;
    QXmlStreamReader reader(xml);
    XmlText::prepare(reader);
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (!reader.isStartElement() || reader.name() != list)
            continue;
        section.span.begin = XmlText::startTagBegin(xml, reader);
        section.prefix = XmlText::prefixOf(reader.qualifiedName());
        while (!reader.atEnd()) {
            reader.readNext();
            if (reader.isStartElement()) {
                const XmlText::Span item = XmlText::readElementSpan(xml, reader);
                section.items.push_back(xml.mid(item.begin, item.end - item.begin));
            } else if (reader.isEndElement()) {
                break;
            }
        }
        section.span.end = reader.characterOffset();
        break;
    }
    if (reader.hasError() && reader.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        throw Error(
            QStringLiteral("De opmaak van de werkmap is onleesbaar: %1").arg(reader.errorString()));
    return section;
}

// Edges of a border element by canonical name, each as its text.
struct BorderParts {
    QString startTag;
    QString qualifiedPrefix;
    QHash<QString, QString> edges;
};

BorderParts splitBorder(const QString& border) {
    BorderParts parts;
    QXmlStreamReader reader(border);
    XmlText::prepare(reader);
    while (!reader.atEnd() && !reader.isStartElement())
        reader.readNext();
    parts.qualifiedPrefix = XmlText::prefixOf(reader.qualifiedName());
    const qsizetype tagEnd = reader.characterOffset();
    parts.startTag = border.left(tagEnd);
    if (parts.startTag.endsWith(QLatin1String("/>")))
        parts.startTag = parts.startTag.chopped(2) + u'>';
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QString name = canonicalEdge(reader.name()).toString();
            const XmlText::Span span = XmlText::readElementSpan(border, reader);
            parts.edges.insert(name, border.mid(span.begin, span.end - span.begin));
        }
    }
    return parts;
}

QString joinBorder(const BorderParts& parts) {
    QString text = parts.startTag;
    for (QStringView name : edgeOrder) {
        auto it = parts.edges.constFind(name.toString());
        if (it != parts.edges.constEnd())
            text += *it;
    }
    return text + QStringLiteral("</") + parts.qualifiedPrefix + QStringLiteral("border>");
}

bool edgeIsDrawn(const QString& edgeXml) {
    const QString style = XmlText::attribute(edgeXml, u"style");
    return !style.isEmpty() && style != QLatin1String("none");
}

int intAttribute(const QString& element, QStringView name) {
    return XmlText::attribute(element, name).toInt();
}

} // namespace

WorkbookStyles WorkbookStyles::standard() {
    return parse(QString::fromUtf8(standardStyles));
}

WorkbookStyles WorkbookStyles::parse(const QString& xml) {
    WorkbookStyles styles;
    ListSection borders = readList(xml, u"borders");
    ListSection formats = readList(xml, u"cellXfs");
    styles.m_fonts = readList(xml, u"fonts").items;
    styles.m_fills = readList(xml, u"fills").items;
    if (!borders.span.found() || !formats.span.found() || borders.span.end > formats.span.begin)
        throw Error(QStringLiteral("De opmaak van de werkmap is onvolledig."));
    styles.m_prefix = formats.prefix;
    styles.m_text = xml.left(borders.span.begin) +
                    xml.mid(borders.span.end, formats.span.begin - borders.span.end) +
                    xml.mid(formats.span.end);
    styles.m_bordersAt = borders.span.begin;
    styles.m_formatsAt = formats.span.begin - (borders.span.end - borders.span.begin);
    for (const QString& border : borders.items)
        styles.addBorder(border);
    for (const QString& format : formats.items)
        styles.addFormat(format);
    if (styles.m_borders.empty())
        styles.addBorder(QStringLiteral("<%1border><%1left/><%1right/><%1top/><%1bottom/>"
                                        "<%1diagonal/></%1border>")
                             .arg(styles.m_prefix));
    if (styles.m_formats.empty())
        styles.addFormat(QStringLiteral("<%1xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
                                        "borderId=\"0\" xfId=\"0\"/>")
                             .arg(styles.m_prefix));
    return styles;
}

QString WorkbookStyles::xml() const {
    auto list = [&](const QString& name, const std::vector<QString>& items) {
        QString text = QStringLiteral("<%1%2 count=\"%3\">").arg(m_prefix, name).arg(items.size());
        for (const QString& item : items)
            text += item;
        return text + QStringLiteral("</%1%2>").arg(m_prefix, name);
    };
    return m_text.left(m_bordersAt) + list(QStringLiteral("borders"), m_borders) +
           m_text.mid(m_bordersAt, m_formatsAt - m_bordersAt) +
           list(QStringLiteral("cellXfs"), m_formats) + m_text.mid(m_formatsAt);
}

int WorkbookStyles::addBorder(const QString& border) {
    auto it = m_borderIndex.constFind(border);
    if (it != m_borderIndex.constEnd())
        return *it;
    m_borders.push_back(border);
    const int index = int(m_borders.size()) - 1;
    m_borderIndex.insert(border, index);
    return index;
}

int WorkbookStyles::addFormat(const QString& format) {
    auto it = m_formatIndex.constFind(format);
    if (it != m_formatIndex.constEnd())
        return *it;
    m_formats.push_back(format);
    const int index = int(m_formats.size()) - 1;
    m_formatIndex.insert(format, index);
    return index;
}

const QString& WorkbookStyles::formatXml(int format) const {
    return m_formats[size_t(format >= 0 && format < formatCount() ? format : 0)];
}

int WorkbookStyles::withEdge(int format, Edge edge, bool drawn) {
    const quint64 key = (quint64(uint(format)) << 8) | (quint64(edge) << 1) | (drawn ? 1 : 0);
    auto cached = m_edgeCache.constFind(key);
    if (cached != m_edgeCache.constEnd())
        return *cached;
    const QString& formatText = formatXml(format);
    int borderId = intAttribute(formatText, u"borderId");
    if (borderId < 0 || borderId >= int(m_borders.size()))
        borderId = 0;
    BorderParts parts = splitBorder(m_borders[size_t(borderId)]);
    const QString name = edgeName(edge).toString();
    const QString prefix = parts.qualifiedPrefix;
    parts.edges.insert(name, drawn ? QStringLiteral("<%1%2 style=\"thin\"><%1color indexed=\"64\"/>"
                                                    "</%1%2>")
                                         .arg(prefix, name)
                                   : QStringLiteral("<%1%2/>").arg(prefix, name));
    const int newBorder = addBorder(joinBorder(parts));
    int result = format;
    if (newBorder != borderId) {
        result = addFormat(XmlText::withAttributes(
            formatText, {{QStringLiteral("borderId"), QString::number(newBorder)},
                         {QStringLiteral("applyBorder"), QStringLiteral("1")}}));
    }
    m_edgeCache.insert(key, result);
    return result;
}

bool WorkbookStyles::hasEdge(int format, Edge edge) const {
    const int borderId = formatInfo(format).border;
    if (borderId < 0 || borderId >= int(m_borders.size()))
        return false;
    const BorderParts parts = splitBorder(m_borders[size_t(borderId)]);
    auto it = parts.edges.constFind(edgeName(edge).toString());
    return it != parts.edges.constEnd() && edgeIsDrawn(*it);
}

WorkbookStyles::FormatInfo WorkbookStyles::formatInfo(int format) const {
    const QString& text = formatXml(format);
    return {intAttribute(text, u"numFmtId"), intAttribute(text, u"fontId"),
            intAttribute(text, u"fillId"), intAttribute(text, u"borderId")};
}

bool WorkbookStyles::fontIsBold(int font) const {
    if (font < 0 || font >= int(m_fonts.size()))
        return false;
    const QString& text = m_fonts[size_t(font)];
    QXmlStreamReader reader(text);
    XmlText::prepare(reader);
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (reader.isStartElement() && reader.name() == u"b") {
            const QStringView value = reader.attributes().value(QLatin1String("val"));
            return value.isEmpty() || value == u"1" || value == u"true";
        }
    }
    return false;
}

QString WorkbookStyles::fillPattern(int fill) const {
    if (fill < 0 || fill >= int(m_fills.size()))
        return {};
    const QString& text = m_fills[size_t(fill)];
    const XmlText::Span pattern = XmlText::findStartTag(text, u"patternFill");
    if (!pattern.found())
        return {};
    return XmlText::attribute(text.mid(pattern.begin, pattern.end - pattern.begin), u"patternType");
}

} // namespace Spreadsheet
