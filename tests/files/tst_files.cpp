// FileExists answers true for a normal file only, and never fails; BrowseForFolder hands the
// chosen folder back in the fixed 261-character buffer.
#include "FolderChooser.h"
#include "ModFiles.h"
#include "Platform.h"
#include "PlatformFiles.h"

#include <QtTest>

Q_DECLARE_METATYPE(QUrl)

class tst_Files : public QObject {
    Q_OBJECT

    dazu::test::AppFolder folder;
    std::vector<FileExistsRow> platformRows;

private Q_SLOTS:
    void initTestCase() {
        folder.write(QStringLiteral("normal.bat"), "rem\r\n");
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
        platformRows = MakePlatformFiles(folder);
    }
    void cleanup() { dazu::files::SetFolderChooser({}); }

    void fileExists_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("exists");
        const QString sep = dazu::files::PathSeparator();
        const auto at = [this](const char* name) {
            return QDir::toNativeSeparators(folder.file(QLatin1String(name)));
        };
        // clang-format off
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("only spaces") << QStringLiteral("    ") << false;
        QTest::newRow("normal file") << at("normal.bat") << true;
        QTest::newRow("spaces around") << "  " + at("normal.bat") + "  " << true;
        QTest::newRow("tab is part of the name") << at("normal.bat") + "\t" << false;
        QTest::newRow("trailing separator") << at("folder") + sep << false;
        QTest::newRow("directory") << at("folder") << false;
        QTest::newRow("missing") << at("missing.bat") << false;
        QTest::newRow("inside a missing folder") << at("nowhere") + sep + "x" << false;
        QTest::newRow("embedded NUL") << at("normal.bat") + QChar(0) << false;
        // clang-format on
        for (const FileExistsRow& row : platformRows)
            QTest::newRow(row.name) << row.path << row.exists;
    }
    void fileExists() {
        QFETCH(QString, path);
        QFETCH(bool, exists);
        QCOMPARE(dazu::files::FileExists(path), exists);
    }

    // Cancel leaves the buffer as it was; a choice without a path that fits leaves spaces.
    void handsBack_data() {
        QTest::addColumn<QUrl>("chosen");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("buffer");
        const QString longest = "/" + QString(259, QLatin1Char('x'));
        const QString spaces(261, QLatin1Char(' '));
        const auto chosen = [](const QString& path) {
            return HandedBack(QDir::toNativeSeparators(path));
        };
        // clang-format off
        QTest::newRow("cancel") << QUrl() << false << "unchanged";
        QTest::newRow("folder") << QUrl::fromLocalFile("/srv/Datos") << true << chosen("/srv/Datos");
        QTest::newRow("root") << QUrl::fromLocalFile(QDir::rootPath()) << true << chosen(QDir::rootPath());
        QTest::newRow("260 characters") << QUrl::fromLocalFile(longest) << true << chosen(longest);
        QTest::newRow("261 characters") << QUrl::fromLocalFile(longest + "x") << false << spaces;
        QTest::newRow("no file-system path") << QUrl(QStringLiteral("trash:/")) << false << spaces;
        // clang-format on
    }
    void handsBack() {
        QFETCH(QUrl, chosen);
        QFETCH(bool, result);
        QFETCH(QString, buffer);
        const QString title = QStringLiteral("Elija");
        QString seenTitle;
        dazu::files::SetFolderChooser([&](const QString& t) {
            seenTitle = t;
            return chosen;
        });
        QString path = QStringLiteral("unchanged");
        QCOMPARE(dazu::files::BrowseForFolder(path, title), result);
        QCOMPARE(seenTitle, title);
        QCOMPARE(path, buffer);
    }

    void realPicker() { PickWithTheRealPicker(); }
};

QTEST_MAIN(tst_Files)
#include "tst_files.moc"
