#pragma once

#include <QByteArray>
#include <QString>

#include <map>

namespace Spreadsheet {

// The parts of an Office Open XML package by name ("xl/workbook.xml", no
// leading slash), read from and written to a zip file.
struct ZipPackage {
    std::map<QString, QByteArray> parts;

    // Throws Error when the file is missing or is no zip archive.
    static ZipPackage read(const QString& path);
    // Throws Error with the reason when the file cannot be written.
    void write(const QString& path) const;

    bool contains(const QString& name) const { return parts.count(name) > 0; }
    QString text(const QString& name) const;
};

} // namespace Spreadsheet
