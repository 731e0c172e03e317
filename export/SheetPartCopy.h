#pragma once

#include "export/PackageParts.h"
#include "export/ZipPackage.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace Spreadsheet {

// Copies the parts a worksheet owns for a copy of that sheet: its drawing
// (with the charts in it), its comments with their legacy drawing, its
// tables and its printer settings. Each copy gets a part name, a content
// type and relationships of its own; tables get a new id and a name no
// other table or defined name has, legacy drawings a block of shape ids no
// other sheet uses. Images are shared: a part may be the target of many.
class SheetPartCopier {
public:
    // `takenNames`: the workbook's defined names, in lower case.
    SheetPartCopier(ZipPackage& package, PackageParts::ContentTypes& types,
                    QSet<QString> takenNames);

    // The relationships of the copy `copySheetPart` of sheet `sourcePart`, whose
    // relationships part is `sourceRelations`. They keep their ids; a
    // relationship to a part that cannot go with a copy (a pivot table, a
    // control) is left out.
    QList<PackageParts::Relationship> copyRelationships(const QString& sourcePart,
                                                        const QByteArray& sourceRelations,
                                                        const QString& copySheetPart);

private:
    QString copyPart(const QString& source);
    QString freeNameLike(const QString& part) const;
    QByteArray renamedTable(const QByteArray& xml);
    QByteArray renumberedShapes(const QByteArray& vml) const;
    QList<QString> partsOfType(QStringView typeEnd) const;

    ZipPackage& m_package;
    PackageParts::ContentTypes& m_types;
    QSet<QString> m_takenNames;
    QHash<QString, QString> m_copies; // source part -> its copy
};

} // namespace Spreadsheet
