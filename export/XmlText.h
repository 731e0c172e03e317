#pragma once

#include <QString>
#include <QStringView>
#include <QXmlStreamReader>

#include <optional>
#include <utility>
#include <vector>

// Small helpers for editing the XML of workbook parts in place: the parts
// are kept as text, and only the elements the engine understands are found
// with QXmlStreamReader and replaced, so everything else stays verbatim.
// Readers run without namespace processing, so fragments whose prefixes are
// declared elsewhere still parse.
namespace Spreadsheet::XmlText {

struct Span {
    qsizetype begin = -1;
    qsizetype end = -1;
    bool found() const { return begin >= 0; }
};

// A reader over `text` with namespace processing off.
void prepare(QXmlStreamReader& reader);

// Where the start tag of the reader's current start element begins in `text`.
qsizetype startTagBegin(const QString& text, const QXmlStreamReader& reader);

// Reads up to the end of the reader's current element and returns the
// span of the whole element in `text`.
Span readElementSpan(const QString& text, QXmlStreamReader& reader);

// The first element with this local name, at any depth, with its end.
Span findElement(const QString& text, QStringView localName);

// The first start tag with this local name (even in an unfinished document):
// the span of the tag alone.
Span findStartTag(const QString& text, QStringView localName);

// Changes attributes of the first start tag in `element`: a value sets the
// attribute (added at the end when new), nothing removes it.
using AttributeChange = std::pair<QString, std::optional<QString>>;
QString withAttributes(const QString& element, const std::vector<AttributeChange>& changes);

// The same change on the first start tag named `element` within `xml`.
QString withAttributesOfFirst(const QString& xml, QStringView element,
                              const std::vector<AttributeChange>& changes);

// Value of an attribute of the first start tag in `element`.
QString attribute(const QString& element, QStringView qualifiedName);

// "p:" for an element written as p:name, "" without prefix.
QString prefixOf(QStringView qualifiedName);

QString escapeAttribute(QStringView value);
QString escapeText(QStringView value);

// Characters XML 1.0 cannot carry, written as the workbook format's _xHHHH_.
// Text that itself reads like such an escape keeps its underscore as
// _x005F_, or every reader would turn it into another character.
QString encodeControlCharacters(const QString& text);
QString decodeControlCharacters(const QString& text);

} // namespace Spreadsheet::XmlText
