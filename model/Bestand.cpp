#include "model/Bestand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <new>

namespace Bestand {

namespace {

// What a failed call of `stap` left in errno, or 0 when it set none.
template <typename Stap> bool Gelukt(Stap stap, int& foutnummer) {
    errno = 0;
    if (stap())
        return true;
    foutnummer = errno;
    return false;
}

} // namespace

QString Foutreden(int foutnummer, const QString& anders) {
    switch (foutnummer) {
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("U hebt geen toestemming om hier te schrijven.");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("De schijf is vol.");
    case EFBIG:
        return QStringLiteral("Het bestand is te groot.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("De map bestaat niet.");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Het bestand is in gebruik door een ander programma.");
    default:
        return anders;
    }
}

QString Lees(const QString& pad, QByteArray& inhoud) {
    const QString naam = QDir::toNativeSeparators(pad);
    const QFileInfo info(pad);
    if (info.isDir())
        return QStringLiteral("\"%1\" is een map, geen bestand.").arg(naam);
    QFile bestand(pad);
    int foutnummer = 0;
    if (!Gelukt([&] { return bestand.open(QIODevice::ReadOnly); }, foutnummer)) {
        switch (foutnummer) {
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("Het bestand \"%1\" bestaat niet.").arg(naam);
        case EACCES:
        case EPERM:
            return QStringLiteral("U hebt geen toestemming om het bestand \"%1\" te lezen.")
                .arg(naam);
        default:
            return QStringLiteral("Het bestand \"%1\" kan niet worden gelezen: %2")
                .arg(naam, bestand.errorString());
        }
    }
    try {
        inhoud = bestand.readAll();
    } catch (const std::bad_alloc&) {
        inhoud.clear();
        return TeGrootTekst(pad);
    }
    if (bestand.error() != QFileDevice::NoError) {
        inhoud.clear();
        return QStringLiteral("Het bestand \"%1\" kan niet worden gelezen: %2")
            .arg(naam, bestand.errorString());
    }
    return {};
}

QString TeGrootTekst(const QString& pad) {
    return QStringLiteral("Het bestand \"%1\" is te groot om te lezen.")
        .arg(QDir::toNativeSeparators(pad));
}

QString SchrijfVeilig(const QString& pad, const QByteArray& inhoud) {
    // Unbuffered, because a buffered flush can miss a short write; the
    // commit syncs the new file to disk before it replaces the old one.
    QSaveFile bestand(pad);
    int foutnummer = 0;
    const auto reden = [&] { return Foutreden(foutnummer, bestand.errorString()); };
    if (!Gelukt([&] { return bestand.open(QIODevice::WriteOnly | QIODevice::Unbuffered); },
                foutnummer))
        return reden();
    for (qint64 geschreven = 0; geschreven < inhoud.size();) {
        qint64 deel = 0;
        if (!Gelukt(
                [&] {
                    deel =
                        bestand.write(inhoud.constData() + geschreven, inhoud.size() - geschreven);
                    return deel > 0;
                },
                foutnummer)) {
            const QString fout = reden();
            bestand.cancelWriting();
            return fout;
        }
        geschreven += deel;
    }
    if (!Gelukt([&] { return bestand.commit(); }, foutnummer))
        return reden();
    return {};
}

QString MaakMap(const QString& map) {
    int foutnummer = 0;
    if (Gelukt([&] { return QDir().mkpath(map); }, foutnummer))
        return {};
    const QString melding = QStringLiteral("De map \"%1\" kan niet worden aangemaakt.")
                                .arg(QDir::toNativeSeparators(map));
    // mkdir finds a file in the way as "exists" or "not a folder".
    if (foutnummer == EEXIST || foutnummer == ENOTDIR)
        return melding + QStringLiteral(" Er staat een bestand in de weg.");
    if (foutnummer == 0)
        return melding;
    return melding + u' ' + Foutreden(foutnummer, qt_error_string(foutnummer));
}

} // namespace Bestand
