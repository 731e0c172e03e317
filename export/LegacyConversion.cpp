#include "export/LegacyConversion.h"

#include "export/Spreadsheet.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace Spreadsheet {

namespace {

constexpr int conversionTimeoutMs = 120'000;

QString& chosenProgram() {
    static QString program;
    return program;
}

} // namespace

bool isLegacyWorkbook(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("xlt") || suffix == QLatin1String("xls") ||
           suffix == QLatin1String("ods") || suffix == QLatin1String("ots");
}

QString SetLibreOfficeProgram(const QString& program) {
    return std::exchange(chosenProgram(), program);
}

QString findLibreOffice() {
    const QString program = chosenProgram().isEmpty() ? QStringLiteral("soffice") : chosenProgram();
    if (program.contains(u'/'))
        return QFileInfo(program).isExecutable() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

QString convertToXlsx(const QString& path, const QString& outputFolder) {
    const QString native = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("Het bestand \"%1\" bestaat niet.").arg(native));
    const QString program = findLibreOffice();
    if (program.isEmpty())
        throw Error(QStringLiteral("Het bestand \"%1\" heeft een oud werkmapformaat. Om het te "
                                   "openen moet LibreOffice geïnstalleerd zijn.")
                        .arg(native));
    // A profile of its own: LibreOffice refuses to start beside a running
    // instance that uses the same one, and the user's settings stay untouched.
    QTemporaryDir profile;
    if (!profile.isValid())
        throw Error(QStringLiteral("Er kan geen tijdelijke map worden gemaakt."));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), profile.path());
    process.setProcessEnvironment(environment);
    process.setProgram(program);
    process.setArguments(
        {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
         QStringLiteral("--headless"), QStringLiteral("--norestore"),
         QStringLiteral("--nolockcheck"), QStringLiteral("--convert-to"), QStringLiteral("xlsx"),
         QStringLiteral("--outdir"), outputFolder, QFileInfo(path).absoluteFilePath()});
    process.start();
    const bool finished = process.waitForStarted() && process.waitForFinished(conversionTimeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished();
        throw Error(QStringLiteral("LibreOffice kon het bestand \"%1\" niet op tijd omzetten.")
                        .arg(native));
    }
    const QString converted =
        QDir(outputFolder).filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".xlsx"));
    if (process.exitCode() != 0 || !QFileInfo(converted).isFile())
        throw Error(
            QStringLiteral("LibreOffice kon het bestand \"%1\" niet omzetten.").arg(native));
    return converted;
}

} // namespace Spreadsheet
