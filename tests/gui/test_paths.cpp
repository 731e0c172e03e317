#include "ui/Paths.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

class PathsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writableFolderIsKeptWithItsCase() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString mixed = dir.filePath(QStringLiteral("Toernooien Club"));
        QVERIFY(QDir().mkpath(mixed));
        QCOMPARE(Paths::dialogStartFolder(mixed), mixed);
    }

    void unwritableOrMissingFolderFallsBackToDocuments() {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString fallback = QFileInfo(documents).isDir() ? documents : QDir::homePath();
        QCOMPARE(Paths::dialogStartFolder(QStringLiteral("/no/such/folder")), fallback);
        QCOMPARE(Paths::dialogStartFolder(QString()), fallback); // no folder used yet

        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool stillWritable = QFileInfo(dir.path()).isWritable(); // true when run as root
        QCOMPARE(Paths::dialogStartFolder(dir.path()), stillWritable ? dir.path() : fallback);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // An unpacked or administrator's tree is writable, yet installed: only
    // its desktop entry beside bin/ tells it from a build folder.
    void anInstalledProgramKeepsItsOptionsInTheConfigurationFolder() {
        QTemporaryDir dir;
        const QString bin = dir.filePath(QStringLiteral("usr/bin"));
        QVERIFY(QDir().mkpath(bin));
        const QString program = bin + QStringLiteral("/zegerooster");
        const QString config = dir.filePath(QStringLiteral("config"));
        QVERIFY(!Paths::isInstalled(program));
        QCOMPARE(Paths::optionsFileFor(program, config), bin + QStringLiteral("/zegerooster.ini"));

        const QString applications = dir.filePath(QStringLiteral("usr/share/applications"));
        QVERIFY(QDir().mkpath(applications));
        QFile entry(applications + QStringLiteral("/" ZEGEROOSTER_APP_ID ".desktop"));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.close();
        QVERIFY(Paths::isInstalled(program));
        QCOMPARE(Paths::optionsFileFor(program, config),
                 config + QStringLiteral("/zegerooster.ini"));
    }

    // Installed under /usr, the default templates were looked for in /usr/bin.
    void anInstalledProgramFindsItsTemplatesUnderShareOrTheUsersDataFolder() {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("usr/bin/zegerooster"));
        const QString data = dir.filePath(QStringLiteral("home/.local/share/Zegerooster"));
        const QString shared = dir.filePath(QStringLiteral("usr/share/zegerooster"));
        const auto maak = [](const QString& pad) {
            QDir().mkpath(QFileInfo(pad).path());
            QFile bestand(pad);
            return bestand.open(QIODevice::WriteOnly);
        };
        QVERIFY(maak(dir.filePath(QStringLiteral("usr/bin/poules.xlt"))));
        const QString naam = QStringLiteral("poules.xlt");
        QCOMPARE(Paths::defaultTemplateFor(program, data, naam),
                 dir.filePath(QStringLiteral("usr/bin/poules.xlt"))); // a build tree

        QVERIFY(maak(
            dir.filePath(QStringLiteral("usr/share/applications/" ZEGEROOSTER_APP_ID ".desktop"))));
        QCOMPARE(Paths::defaultTemplateFor(program, data, naam), data + "/poules.xlt");
        QVERIFY(maak(shared + "/poules.xlt"));
        QCOMPARE(Paths::defaultTemplateFor(program, data, naam), shared + "/poules.xlt");
        QVERIFY(maak(data + "/poules.xlt"));
        QCOMPARE(Paths::defaultTemplateFor(program, data, naam), data + "/poules.xlt");
    }

    void executableFolderHoldsThisTest() {
        QVERIFY(QFileInfo::exists(Paths::executableFolder() + QStringLiteral("/test_paths")));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(PathsTest)
#include "test_paths.moc"
