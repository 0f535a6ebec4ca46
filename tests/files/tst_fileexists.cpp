// FileExists answers true for a normal file only, and never fails.
#include "ModFiles.h"
#include "Platform.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <sys/stat.h>

class tst_FileExists : public QObject {
    Q_OBJECT

    dazu::test::AppFolder folder;

private Q_SLOTS:
    void initTestCase() {
        folder.write(QStringLiteral("normal.bat"), "rem\r\n");
        folder.write(QStringLiteral(".hidden"), "x");
        folder.write(QStringLiteral("read-only.bat"), "x");
        QFile::setPermissions(folder.file(QStringLiteral("read-only.bat")), QFile::ReadOwner);
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
        QVERIFY(QFile::link(folder.file(QStringLiteral("normal.bat")),
                            folder.file(QStringLiteral("link.bat"))));
        QVERIFY(QFile::link(folder.file(QStringLiteral("folder")),
                            folder.file(QStringLiteral("link-to-folder"))));
        QCOMPARE(::mkfifo(QFile::encodeName(folder.file(QStringLiteral("pipe"))).constData(), 0600),
                 0);
    }

    void answers_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("exists");
        const QString sep = dazu::files::PathSeparator();
        const auto at = [this](const char* name) { return folder.file(QLatin1String(name)); };
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("only spaces") << QStringLiteral("    ") << false;
        QTest::newRow("normal file") << at("normal.bat") << true;
        QTest::newRow("spaces around")
            << QStringLiteral("  ") + at("normal.bat") + QStringLiteral("  ") << true;
        QTest::newRow("tab is part of the name")
            << at("normal.bat") + QStringLiteral("\t") << false;
        QTest::newRow("trailing separator") << at("folder") + sep << false;
        QTest::newRow("directory") << at("folder") << false;
        QTest::newRow("hidden") << at(".hidden") << false;
        QTest::newRow("read-only") << at("read-only.bat") << true;
        QTest::newRow("link to a file") << at("link.bat") << true;
        QTest::newRow("link to a folder") << at("link-to-folder") << false;
        QTest::newRow("fifo") << at("pipe") << false;
        QTest::newRow("device") << QStringLiteral("/dev/null") << false;
        QTest::newRow("missing") << at("missing.bat") << false;
        QTest::newRow("inside a missing folder")
            << at("nowhere") + sep + QStringLiteral("x") << false;
        QTest::newRow("embedded NUL") << at("normal.bat") + QChar(0) << false;
    }
    void answers() {
        QFETCH(QString, path);
        QFETCH(bool, exists);
        QCOMPARE(dazu::files::FileExists(path), exists);
    }
};

QTEST_GUILESS_MAIN(tst_FileExists)
#include "tst_fileexists.moc"
