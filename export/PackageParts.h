#pragma once

#include <QList>
#include <QString>

#include <utility>

// The package-level bookkeeping of Office Open XML: relationships between
// parts and the content type of every part.
namespace Spreadsheet::PackageParts {

namespace RelationType {
inline constexpr char16_t officeDocument[] =
    u"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr char16_t worksheet[] =
    u"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr char16_t styles[] =
    u"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr char16_t sharedStrings[] =
    u"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings";
} // namespace RelationType

namespace ContentType {
inline constexpr char16_t workbook[] =
    u"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
inline constexpr char16_t worksheet[] =
    u"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr char16_t styles[] =
    u"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
inline constexpr char16_t sharedStrings[] =
    u"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";
inline constexpr char16_t relationships[] =
    u"application/vnd.openxmlformats-package.relationships+xml";
} // namespace ContentType

// Whether a relationship type ends in this last segment ("worksheet"),
// whichever flavour of the format wrote it.
bool isType(const QString& type, QStringView lastSegment);

struct Relationship {
    QString id;
    QString type;
    QString target;
    bool external = false;
};
QList<Relationship> parseRelationships(const QString& xml);
QByteArray relationshipsXml(const QList<Relationship>& relationships);

// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml"; "_rels/.rels" for "".
QString relationshipsPartOf(const QString& partName);
// The part a relative or absolute target points at, seen from `source`.
QString resolveTarget(const QString& source, const QString& target);
// The target from `source` to `partName`, relative to its folder.
QString relativeTarget(const QString& source, const QString& partName);

struct ContentTypes {
    QList<std::pair<QString, QString>> defaults;  // extension, type
    QList<std::pair<QString, QString>> overrides; // part name without '/', type
    QString typeOf(const QString& partName) const;
    QString overrideOf(const QString& partName) const; // empty without an override
};
ContentTypes parseContentTypes(const QString& xml);
QByteArray contentTypesXml(const ContentTypes& types);

} // namespace Spreadsheet::PackageParts
