#include "app/Paths.h"
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
        const QString fallback = documents.isEmpty() ? QDir::homePath() : documents;
        QCOMPARE(Paths::dialogStartFolder(QStringLiteral("/no/such/folder")), fallback);

        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool stillWritable = QFileInfo(dir.path()).isWritable(); // true when run as root
        QCOMPARE(Paths::dialogStartFolder(dir.path()), stillWritable ? dir.path() : fallback);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void executableFolderHoldsThisTest() {
        QVERIFY(QFileInfo::exists(Paths::executableFolder() + QStringLiteral("/test_paths")));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(PathsTest)
#include "test_paths.moc"
