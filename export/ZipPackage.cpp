#include "export/ZipPackage.h"

#include "export/Spreadsheet.h"
#include "model/Bestand.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <algorithm>

namespace Spreadsheet {

namespace {

QString zipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

// The reasons an organiser can act on (no permission, disk full, ...) in
// Dutch; any other in libzip's own words.
QString failureText(zip_t* archive) {
    zip_error_t* error = zip_get_error(archive);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(error));
    if (zip_error_system_type(error) != ZIP_ET_SYS)
        return text;
    return Bestand::Foutreden(zip_error_code_system(error), text);
}

QString notAWorkbook(const QString& path) {
    return QStringLiteral("Het bestand \"%1\" is geen werkmap.").arg(path);
}

// No part of a real workbook comes near this; a part that would unpack
// beyond it is built to exhaust the memory.
constexpr zip_uint64_t MaxPartSize = 64 * 1024 * 1024;
constexpr zip_uint64_t MaxPackageSize = 4 * MaxPartSize;
// Deflated XML of even the most regular sheet stays far below this ratio;
// only a crafted part (a "zip bomb") reaches it. Small parts are exempt.
constexpr zip_uint64_t MaxRatio = 250;
constexpr zip_uint64_t RatioFreeSize = 1024 * 1024;

bool tooLarge(const zip_stat_t& stat) {
    if (!(stat.valid & ZIP_STAT_SIZE))
        return false;
    if (stat.size > MaxPartSize)
        return true;
    return stat.size > RatioFreeSize && (stat.valid & ZIP_STAT_COMP_SIZE) &&
           stat.size / std::max<zip_uint64_t>(stat.comp_size, 1) > MaxRatio;
}

QString tooLargeText(const QString& path) {
    return QStringLiteral("Het bestand \"%1\" wordt bij het uitpakken te groot om als werkmap "
                          "te lezen.")
        .arg(path);
}

QByteArray readEntry(zip_t* archive, zip_uint64_t index, zip_uint64_t size) {
    QByteArray data;
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (!file)
        return data;
    data.resize(qsizetype(size));
    const zip_int64_t read = zip_fread(file, data.data(), size);
    zip_fclose(file);
    data.resize(read < 0 ? 0 : qsizetype(read));
    return data;
}

} // namespace

ZipPackage ZipPackage::read(const QString& path) {
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("Het bestand \"%1\" bestaat niet.").arg(path));
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        throw Error(notAWorkbook(path));
    ZipPackage package;
    zip_uint64_t total = 0;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0 || !stat.name)
            continue;
        const QString name = QString::fromUtf8(stat.name);
        if (name.endsWith(u'/'))
            continue;
        total += stat.size;
        if (tooLarge(stat) || total > MaxPackageSize) {
            zip_discard(archive);
            throw Error(tooLargeText(path));
        }
        package.parts[name] = readEntry(archive, zip_uint64_t(i), stat.size);
    }
    zip_discard(archive);
    return package;
}

void ZipPackage::write(const QString& path) const {
    int code = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        throw Error(zipErrorText(code));
    auto add = [&](const QString& name, const QByteArray& data) {
        zip_source_t* source = zip_source_buffer(archive, data.constData(), data.size(), 0);
        const zip_int64_t index = source ? zip_file_add(archive, name.toUtf8().constData(), source,
                                                        ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE)
                                         : -1;
        if (index < 0) {
            if (source)
                zip_source_free(source);
            return false;
        }
        // The fastest deflate level: the parts are plain XML and small.
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
        return true;
    };
    // Readers look for the content types first.
    const QString contentTypes = QStringLiteral("[Content_Types].xml");
    bool ok = !contains(contentTypes) || add(contentTypes, parts.at(contentTypes));
    for (auto it = parts.begin(); ok && it != parts.end(); ++it) {
        if (it->first != contentTypes)
            ok = add(it->first, it->second);
    }
    if (!ok) {
        const QString reason = failureText(archive);
        zip_discard(archive);
        throw Error(reason);
    }
    if (zip_close(archive) != 0) {
        const QString reason = failureText(archive);
        zip_discard(archive);
        QFile::remove(path);
        throw Error(reason);
    }
}

QString ZipPackage::text(const QString& name) const {
    auto it = parts.find(name);
    return it == parts.end() ? QString() : QString::fromUtf8(it->second);
}

} // namespace Spreadsheet
