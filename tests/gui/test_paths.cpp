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

    void executableFolderHoldsThisTest() {
        QVERIFY(QFileInfo::exists(Paths::executableFolder() + QStringLiteral("/test_paths")));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(PathsTest)
#include "test_paths.moc"
