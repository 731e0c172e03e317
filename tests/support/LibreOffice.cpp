#include "support/LibreOffice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace LibreOffice {

QString program() {
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

const char* missingMessage() {
    return "LibreOffice (soffice) is not installed; these checks need it: install "
           "libreoffice-calc-nogui (scripts/bootstrap.sh --tests).";
}

QString run(const QStringList& arguments, const QString& workFolder, int timeoutMs) {
    const QString soffice = program();
    if (soffice.isEmpty())
        return QString::fromLatin1(missingMessage());
    const QString profile = QDir(workFolder).filePath(QStringLiteral("lo-profile"));
    QDir().mkpath(profile);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), profile);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(soffice, QStringList{QStringLiteral("-env:UserInstallation=") +
                                           QUrl::fromLocalFile(profile).toString(),
                                       QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                       QStringLiteral("--nolockcheck")} +
                               arguments);
    if (!process.waitForStarted())
        return QStringLiteral("soffice did not start");
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return QStringLiteral("soffice took longer than %1 ms").arg(timeoutMs);
    }
    if (process.exitCode() != 0)
        return QStringLiteral("soffice exited with %1: %2")
            .arg(process.exitCode())
            .arg(QString::fromLocal8Bit(process.readAll()));
    return {};
}

QMap<QString, CsvSheet> sheetsAsCsv(const QString& workbook, const QStringList& sheetNames,
                                    const QString& workFolder, QString* error) {
    QMap<QString, CsvSheet> sheets;
    const QString out = QDir(workFolder).filePath(QStringLiteral("csv"));
    QDir().mkpath(out);
    // Token 12 = -1: every sheet to its own file, named <base>-<sheet>.csv.
    *error = run({QStringLiteral("--convert-to"),
                  QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,"
                                 "false,false,-1"),
                  QStringLiteral("--outdir"), out, QFileInfo(workbook).absoluteFilePath()},
                 workFolder);
    if (!error->isEmpty())
        return sheets;
    const QString base = QFileInfo(workbook).completeBaseName();
    for (const QString& name : sheetNames) {
        QFile file(QDir(out).filePath(base + u'-' + name + QStringLiteral(".csv")));
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("no CSV for sheet %1 (%2)").arg(name, file.fileName());
            return sheets;
        }
        sheets.insert(name, parseCsv(QString::fromUtf8(file.readAll())));
    }
    return sheets;
}

QString csvCell(const CsvSheet& sheet, int row, int column) {
    if (row < 1 || row > sheet.size())
        return {};
    return sheet.at(row - 1).value(column - 1);
}

QString saveAsLegacyTemplate(const QString& workbook, const QString& workFolder, QString* error) {
    const QString out = QDir(workFolder).filePath(QStringLiteral("xlt"));
    QDir().mkpath(out);
    *error =
        run({QStringLiteral("--convert-to"), QStringLiteral("xlt:MS Excel 97 Vorlage/Template"),
             QStringLiteral("--outdir"), out, QFileInfo(workbook).absoluteFilePath()},
            workFolder);
    if (!error->isEmpty())
        return {};
    const QString path =
        QDir(out).filePath(QFileInfo(workbook).completeBaseName() + QStringLiteral(".xlt"));
    if (!QFileInfo::exists(path)) {
        *error = QStringLiteral("soffice wrote no %1").arg(path);
        return {};
    }
    return path;
}

CsvSheet parseCsv(const QString& text) {
    CsvSheet rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
            continue;
        }
        any = true;
        if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << field;
            field.clear();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            row << field;
            rows << row;
            row.clear();
            field.clear();
            any = false;
        } else {
            field += c;
        }
    }
    if (any || !field.isEmpty() || !row.isEmpty()) {
        row << field;
        rows << row;
    }
    return rows;
}

} // namespace LibreOffice
