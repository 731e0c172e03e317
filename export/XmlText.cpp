#include "export/XmlText.h"

namespace Spreadsheet::XmlText {

void prepare(QXmlStreamReader& reader) {
    reader.setNamespaceProcessing(false);
}

qsizetype startTagBegin(const QString& text, const QXmlStreamReader& reader) {
    // '<' cannot occur inside a start tag, so the last one before its end
    // is where the tag begins.
    return text.lastIndexOf(u'<', reader.characterOffset() - 1);
}

Span readElementSpan(const QString& text, QXmlStreamReader& reader) {
    Span span;
    span.begin = startTagBegin(text, reader);
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            ++depth;
        else if (reader.isEndElement())
            --depth;
    }
    span.end = reader.characterOffset();
    return span;
}

Span findElement(const QString& text, QStringView localName) {
    QXmlStreamReader reader(text);
    prepare(reader);
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (reader.isStartElement() && reader.name() == localName)
            return readElementSpan(text, reader);
    }
    return {};
}

Span findStartTag(const QString& text, QStringView localName) {
    QXmlStreamReader reader(text);
    prepare(reader);
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (reader.isStartElement() && reader.name() == localName)
            return {startTagBegin(text, reader), reader.characterOffset()};
    }
    return {};
}

namespace {

struct StartTag {
    Span span;
    QString qualifiedName;
    std::vector<std::pair<QString, QString>> attributes;
    bool selfClosing = false;
};

std::optional<StartTag> firstStartTag(const QString& element) {
    QXmlStreamReader reader(element);
    prepare(reader);
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (!reader.isStartElement())
            continue;
        StartTag tag;
        tag.span = {startTagBegin(element, reader), reader.characterOffset()};
        tag.qualifiedName = reader.qualifiedName().toString();
        for (const QXmlStreamAttribute& a : reader.attributes())
            tag.attributes.emplace_back(a.qualifiedName().toString(), a.value().toString());
        tag.selfClosing = element.mid(tag.span.end - 2, 2) == QLatin1String("/>");
        return tag;
    }
    return std::nullopt;
}

} // namespace

QString withAttributes(const QString& element, const std::vector<AttributeChange>& changes) {
    std::optional<StartTag> tag = firstStartTag(element);
    if (!tag)
        return element;
    for (const auto& [name, value] : changes) {
        auto it = std::find_if(tag->attributes.begin(), tag->attributes.end(),
                               [&name = name](const auto& a) { return a.first == name; });
        if (!value) {
            if (it != tag->attributes.end())
                tag->attributes.erase(it);
        } else if (it != tag->attributes.end()) {
            it->second = *value;
        } else {
            tag->attributes.emplace_back(name, *value);
        }
    }
    QString rebuilt = u'<' + tag->qualifiedName;
    for (const auto& [name, value] : tag->attributes)
        rebuilt += u' ' + name + QStringLiteral("=\"") + escapeAttribute(value) + u'"';
    rebuilt += tag->selfClosing ? QStringLiteral("/>") : QStringLiteral(">");
    QString result = element;
    result.replace(tag->span.begin, tag->span.end - tag->span.begin, rebuilt);
    return result;
}

QString withAttributesOfFirst(const QString& xml, QStringView element,
                              const std::vector<AttributeChange>& changes) {
    const Span tag = findStartTag(xml, element);
    if (!tag.found())
        return xml;
    QString result = xml;
    result.replace(tag.begin, tag.end - tag.begin,
                   withAttributes(xml.mid(tag.begin, tag.end - tag.begin), changes));
    return result;
}

QString attribute(const QString& element, QStringView qualifiedName) {
    std::optional<StartTag> tag = firstStartTag(element);
    if (!tag)
        return {};
    for (const auto& [name, value] : tag->attributes) {
        if (name == qualifiedName)
            return value;
    }
    return {};
}

QString prefixOf(QStringView qualifiedName) {
    const qsizetype colon = qualifiedName.indexOf(u':');
    return colon < 0 ? QString() : qualifiedName.left(colon + 1).toString();
}

namespace {

QString escape(QStringView value, bool inAttribute) {
    QString out;
    out.reserve(value.size() + 8);
    for (QChar c : value) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += inAttribute ? QLatin1String("&quot;") : QLatin1String("\"");
            break;
        case u'\r':
            out += QLatin1String("&#13;");
            break;
        case u'\n':
            out += inAttribute ? QLatin1String("&#10;") : QLatin1String("\n");
            break;
        case u'\t':
            out += inAttribute ? QLatin1String("&#9;") : QLatin1String("\t");
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool forbiddenInXml(char16_t c) {
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF;
}

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Whether an escape _xHHHH_ (four hexadecimal digits) begins at `i`.
bool startsEscape(const QString& text, qsizetype i) {
    if (i + 6 >= text.size() || text.at(i) != u'_' || text.at(i + 1) != u'x' ||
        text.at(i + 6) != u'_')
        return false;
    for (qsizetype k = i + 2; k < i + 6; ++k) {
        if (!isHexDigit(text.at(k)))
            return false;
    }
    return true;
}

} // namespace

QString escapeAttribute(QStringView value) {
    return escape(value, true);
}

QString escapeText(QStringView value) {
    return escape(value, false);
}

QString encodeControlCharacters(const QString& text) {
    auto needsEscape = [&](qsizetype i) {
        const char16_t c = text.at(i).unicode();
        return forbiddenInXml(c) || (c == u'_' && startsEscape(text, i));
    };
    qsizetype first = 0;
    while (first < text.size() && !needsEscape(first))
        ++first;
    if (first == text.size())
        return text;
    QString out = text.left(first);
    for (qsizetype i = first; i < text.size(); ++i) {
        if (needsEscape(i))
            out += QStringLiteral("_x%1_")
                       .arg(text.at(i).unicode(), 4, 16, QLatin1Char('0'))
                       .toUpper()
                       .replace(QLatin1String("_X"), QLatin1String("_x"));
        else
            out += text.at(i);
    }
    return out;
}

QString decodeControlCharacters(const QString& text) {
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (startsEscape(text, i)) {
            out += QChar(char16_t(text.mid(i + 2, 4).toUInt(nullptr, 16)));
            i += 7;
        } else {
            out += text.at(i++);
        }
    }
    return out;
}

} // namespace Spreadsheet::XmlText
