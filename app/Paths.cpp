#include "app/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Paths {

namespace {

QString& optionsFileOverride() {
    static QString file;
    return file;
}

} // namespace

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

QString optionsFile() {
    if (!optionsFileOverride().isEmpty())
        return optionsFileOverride();
    return optionsFileFor(QCoreApplication::applicationFilePath(),
                          QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString optionsFileFor(const QString& executableFile, const QString& configFolder) {
    const QFileInfo executable(executableFile);
    const QString name = executable.completeBaseName() + QStringLiteral(".ini");
    const QFileInfo programFolder(executable.absolutePath());
    if ((programFolder.isDir() && programFolder.isWritable()) || configFolder.isEmpty())
        return QDir(executable.absolutePath()).filePath(name);
    return QDir(configFolder).filePath(name);
}

void setOptionsFileOverride(const QString& file) {
    optionsFileOverride() = file;
}

} // namespace Paths
