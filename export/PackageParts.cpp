#include "export/PackageParts.h"

#include <QDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Spreadsheet::PackageParts {

bool isType(const QString& type, QStringView lastSegment) {
    return type.endsWith(lastSegment) && type.size() > lastSegment.size() &&
           type.at(type.size() - lastSegment.size() - 1) == u'/';
}

QList<Relationship> parseRelationships(const QString& xml) {
    QList<Relationship> relationships;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (!reader.isStartElement() || reader.name() != u"Relationship")
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        relationships.append({a.value(QLatin1String("Id")).toString(),
                              a.value(QLatin1String("Type")).toString(),
                              a.value(QLatin1String("Target")).toString(),
                              a.value(QLatin1String("TargetMode")) == u"External"});
    }
    return relationships;
}

QByteArray relationshipsXml(const QList<Relationship>& relationships) {
    QByteArray out;
    QXmlStreamWriter writer(&out);
    writer.writeStartDocument(QStringLiteral("1.0"), true);
    writer.writeDefaultNamespace(
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships"));
    writer.writeStartElement(QStringLiteral("Relationships"));
    for (const Relationship& r : relationships) {
        writer.writeEmptyElement(QStringLiteral("Relationship"));
        writer.writeAttribute(QStringLiteral("Id"), r.id);
        writer.writeAttribute(QStringLiteral("Type"), r.type);
        writer.writeAttribute(QStringLiteral("Target"), r.target);
        if (r.external)
            writer.writeAttribute(QStringLiteral("TargetMode"), QStringLiteral("External"));
    }
    writer.writeEndDocument();
    return out;
}

QString relationshipsPartOf(const QString& partName) {
    const qsizetype slash = partName.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : partName.left(slash + 1);
    return folder + QStringLiteral("_rels/") + partName.mid(slash + 1) + QStringLiteral(".rels");
}

QString resolveTarget(const QString& source, const QString& target) {
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target).mid(1);
    const qsizetype slash = source.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : source.left(slash + 1);
    QString resolved = QDir::cleanPath(QStringLiteral("/") + folder + target);
    return resolved.mid(1);
}

QString relativeTarget(const QString& source, const QString& partName) {
    const qsizetype slash = source.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : source.left(slash + 1);
    if (partName.startsWith(folder))
        return partName.mid(folder.size());
    return QDir(u'/' + folder).relativeFilePath(u'/' + partName);
}

QString ContentTypes::overrideOf(const QString& partName) const {
    for (const auto& [name, type] : overrides) {
        if (name.compare(partName, Qt::CaseInsensitive) == 0)
            return type;
    }
    return {};
}

QString ContentTypes::typeOf(const QString& partName) const {
    const QString type = overrideOf(partName);
    if (!type.isEmpty())
        return type;
    const QString extension = partName.mid(partName.lastIndexOf(u'.') + 1);
    for (const auto& [ext, type] : defaults) {
        if (ext.compare(extension, Qt::CaseInsensitive) == 0)
            return type;
    }
    return {};
}

ContentTypes parseContentTypes(const QString& xml) {
    ContentTypes types;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::Invalid) {
        if (!reader.isStartElement())
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        const QString type = a.value(QLatin1String("ContentType")).toString();
        if (reader.name() == u"Default")
            types.defaults.append({a.value(QLatin1String("Extension")).toString(), type});
        else if (reader.name() == u"Override")
            types.overrides.append({a.value(QLatin1String("PartName")).toString().mid(1), type});
    }
    return types;
}

QByteArray contentTypesXml(const ContentTypes& types) {
    QByteArray out;
    QXmlStreamWriter writer(&out);
    writer.writeStartDocument(QStringLiteral("1.0"), true);
    writer.writeDefaultNamespace(
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
    writer.writeStartElement(QStringLiteral("Types"));
    for (const auto& [extension, type] : types.defaults) {
        writer.writeEmptyElement(QStringLiteral("Default"));
        writer.writeAttribute(QStringLiteral("Extension"), extension);
        writer.writeAttribute(QStringLiteral("ContentType"), type);
    }
    for (const auto& [part, type] : types.overrides) {
        writer.writeEmptyElement(QStringLiteral("Override"));
        writer.writeAttribute(QStringLiteral("PartName"), u'/' + part);
        writer.writeAttribute(QStringLiteral("ContentType"), type);
    }
    writer.writeEndDocument();
    return out;
}

} // namespace Spreadsheet::PackageParts
