// Writing the program's own files safely, with failures told in Dutch.
#include "model/Bestand.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestBestand : public QObject {
    Q_OBJECT

    QTemporaryDir m_map;

    QString Pad(const QString& naam) const { return m_map.filePath(naam); }

    static QByteArray Inhoud(const QString& pad) {
        QFile bestand(pad);
        return bestand.open(QIODevice::ReadOnly) ? bestand.readAll() : QByteArray();
    }

private Q_SLOTS:
    void aSafeSaveReplacesTheFileWhole() {
        const QString pad = Pad(QStringLiteral("toernooi.txt"));
        QCOMPARE(Bestand::SchrijfVeilig(pad, "oud"), QString());
        QCOMPARE(Bestand::SchrijfVeilig(pad, "nieuw"), QString());
        QCOMPARE(Inhoud(pad), QByteArray("nieuw"));
        QCOMPARE(QDir(m_map.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"toernooi.txt"});
    }

    void failuresAreToldInDutch() {
        QFile blokkade(Pad(QStringLiteral("bestand")));
        QVERIFY(blokkade.open(QIODevice::WriteOnly));
        blokkade.close();
        QCOMPARE(Bestand::SchrijfVeilig(Pad(QStringLiteral("weg/toernooi.txt")), "x"),
                 QStringLiteral("De map bestaat niet."));
        QCOMPARE(Bestand::SchrijfVeilig(Pad(QStringLiteral("bestand/toernooi.txt")), "x"),
                 QStringLiteral("De map bestaat niet."));
        // A folder that cannot be made says so, and what stands in the way.
        QCOMPARE(Bestand::MaakMap(Pad(QStringLiteral("bestand/map"))),
                 QStringLiteral("De map \"%1\" kan niet worden aangemaakt. Er staat een bestand "
                                "in de weg.")
                     .arg(Pad(QStringLiteral("bestand/map"))));
        QCOMPARE(Bestand::MaakMap(Pad(QStringLiteral("nieuw/diep"))), QString());
        QVERIFY(QFileInfo(Pad(QStringLiteral("nieuw/diep"))).isDir());
        // Permissions bind everybody but an administrator.
        const QString alleenLezen = Pad(QStringLiteral("alleen-lezen"));
        QVERIFY(QDir().mkpath(alleenLezen));
        QVERIFY(QFile::setPermissions(alleenLezen, QFile::ReadOwner | QFile::ExeOwner));
        if (geteuid() != 0)
            QCOMPARE(Bestand::SchrijfVeilig(alleenLezen + "/toernooi.txt", "x"),
                     QStringLiteral("U hebt geen toestemming om hier te schrijven."));
        QFile::setPermissions(alleenLezen, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestBestand)
#include "test_bestand.moc"
