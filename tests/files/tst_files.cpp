// FileExists answers true for a normal file only, and never fails; BrowseForFolder hands the
// chosen folder back in the fixed 261-character buffer.
#include "FolderChooser.h"
#include "ModFiles.h"
#include "PlatformFiles.h"

#include <QtTest>

class tst_Files : public QObject {
    Q_OBJECT

    dazu::test::AppFolder folder;

private Q_SLOTS:
    void initTestCase() {
        folder.write(QStringLiteral("normal.bat"), "rem\r\n");
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
    }
    void cleanup() { dazu::files::SetFolderChooser({}); }

    void fileExists_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("exists");
        const QString sep = QDir::separator();
        const auto at = [this](const char* name) {
            return QDir::toNativeSeparators(folder.file(QLatin1String(name)));
        };
        QTest::newRow("only spaces") << QStringLiteral("    ") << false;
        QTest::newRow("normal file") << at("normal.bat") << true;
        QTest::newRow("spaces around") << "  " + at("normal.bat") + "  " << true;
        QTest::newRow("tab is part of the name") << at("normal.bat") + "\t" << false;
        QTest::newRow("trailing separator") << at("folder") + sep << false;
        QTest::newRow("directory") << at("folder") << false;
        QTest::newRow("missing") << at("missing.bat") << false;
        QTest::newRow("inside a missing folder") << at("nowhere") + sep + "x" << false;
        QTest::newRow("embedded NUL") << at("normal.bat") + QChar(0) << false;
        AddPlatformRows(folder);
    }
    void fileExists() {
        QFETCH(QString, path);
        QTEST(dazu::files::FileExists(path), "exists");
    }

    // Cancel leaves the buffer as it was; a choice without a path that fits leaves spaces. (That
    // the title reaches the picker, realPicker sees.)
    void handsBack_data() {
        QTest::addColumn<QUrl>("chosen");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("buffer");
        const QString root = QDir::rootPath(), longest = "/" + QString(259, QLatin1Char('x'));
        const QString spaces(261, QLatin1Char(' '));
        QTest::newRow("cancel") << QUrl() << false << "unchanged";
        QTest::newRow("root") << QUrl::fromLocalFile(root) << true << HandedBack(root);
        QTest::newRow("260 chars") << QUrl::fromLocalFile(longest) << true << HandedBack(longest);
        QTest::newRow("261 chars") << QUrl::fromLocalFile(longest + "x") << false << spaces;
        QTest::newRow("no file-system path") << QUrl(QStringLiteral("trash:/")) << false << spaces;
    }
    void handsBack() {
        QFETCH(QUrl, chosen);
        dazu::files::SetFolderChooser([&](const QString&) { return chosen; });
        QString path = QStringLiteral("unchanged");
        QTEST(dazu::files::BrowseForFolder(path, QString()), "result");
        QTEST(path, "buffer");
    }

    void realPicker() { PickWithTheRealPicker(); }
};

QTEST_MAIN(tst_Files)
#include "tst_files.moc"
