// FileExists answers true for a normal file only, and never fails.
#include "FileExistsRows.h"
#include "ModFiles.h"
#include "Platform.h"
#include "TestSupport.h"

#include <QDir>
#include <QTest>

class tst_FileExists : public QObject {
    Q_OBJECT

    dazu::test::AppFolder folder;
    std::vector<FileExistsRow> platformRows;

private Q_SLOTS:
    void initTestCase() {
        folder.write(QStringLiteral("normal.bat"), "rem\r\n");
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
        platformRows = MakePlatformFiles(folder);
    }

    void answers_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("exists");
        const QString sep = dazu::files::PathSeparator();
        const auto at = [this](const char* name) {
            return QDir::toNativeSeparators(folder.file(QLatin1String(name)));
        };
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("only spaces") << QStringLiteral("    ") << false;
        QTest::newRow("normal file") << at("normal.bat") << true;
        QTest::newRow("spaces around")
            << QStringLiteral("  ") + at("normal.bat") + QStringLiteral("  ") << true;
        QTest::newRow("tab is part of the name")
            << at("normal.bat") + QStringLiteral("\t") << false;
        QTest::newRow("trailing separator") << at("folder") + sep << false;
        QTest::newRow("directory") << at("folder") << false;
        QTest::newRow("missing") << at("missing.bat") << false;
        QTest::newRow("inside a missing folder")
            << at("nowhere") + sep + QStringLiteral("x") << false;
        QTest::newRow("embedded NUL") << at("normal.bat") + QChar(0) << false;
        for (const FileExistsRow& row : platformRows)
            QTest::newRow(row.name) << row.path << row.exists;
    }
    void answers() {
        QFETCH(QString, path);
        QFETCH(bool, exists);
        QCOMPARE(dazu::files::FileExists(path), exists);
    }
};

QTEST_GUILESS_MAIN(tst_FileExists)
#include "tst_fileexists.moc"
