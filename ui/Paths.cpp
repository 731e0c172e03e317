#include "ui/Paths.h"

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
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

bool isInstalled(const QString& executableFile) {
    const QDir programFolder = QFileInfo(executableFile).absoluteDir();
    return programFolder.exists(
        QStringLiteral("../share/applications/" ZEGEROOSTER_APP_ID ".desktop"));
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
    const bool besideProgram =
        programFolder.isDir() && programFolder.isWritable() && !isInstalled(executableFile);
    if (besideProgram || configFolder.isEmpty())
        return QDir(executable.absolutePath()).filePath(name);
    return QDir(configFolder).filePath(name);
}

QString defaultTemplate(const QString& name) {
    return defaultTemplateFor(QCoreApplication::applicationFilePath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                              name);
}

QString defaultTemplateFor(const QString& executableFile, const QString& dataFolder,
                           const QString& name) {
    const QDir programFolder = QFileInfo(executableFile).absoluteDir();
    if (!isInstalled(executableFile) || dataFolder.isEmpty())
        return programFolder.filePath(name);
    const QString own = QDir(dataFolder).filePath(name);
    const QString shipped =
        QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/zegerooster/") + name));
    if (!QFileInfo::exists(own) && QFileInfo::exists(shipped))
        return shipped;
    return own;
}

void setOptionsFileOverride(const QString& file) {
    optionsFileOverride() = file;
}

} // namespace Paths
