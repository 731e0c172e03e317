#include "app/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Paths {

QString executableFolder() {
    return QCoreApplication::applicationDirPath();
}

QString dialogStartFolder(const QString& preferredFolder) {
    const QFileInfo folder(preferredFolder);
    if (folder.isDir() && folder.isWritable())
        return folder.absoluteFilePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

} // namespace Paths
