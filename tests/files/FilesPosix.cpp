#include "ModFiles.h"
#include "PlatformFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

// Linux has no hidden attribute: a leading dot hides a file. A link counts as what it names.
void AddPlatformRows(const dazu::test::AppFolder& folder) {
    const auto at = [&folder](const char* name) { return folder.file(QLatin1String(name)); };
    folder.write(QStringLiteral(".hidden"), "x");
    QVERIFY(QFile::link(at("normal.bat"), at("link.bat")));
    QTest::newRow("hidden") << at(".hidden") << false;
    QTest::newRow("link to a file") << at("link.bat") << true;
    QTest::newRow("device") << QStringLiteral("/dev/null") << false;
}

// Qt's widget dialog, driven as a user would: it opens at the top of the tree with the title
// and no owner, and a pasted folder is chosen (typing would meet the completer). Its cancel is
// Qt's own empty answer, which handsBack gives BrowseForFolder.
void PickWithTheRealPicker() {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    const QTemporaryDir chosen;
    const QString title = QStringLiteral("Elija");
    QStringList opened;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !opened.isEmpty())
            return;
        opened << dialog->directory().absolutePath() << dialog->windowTitle()
               << (dialog->parentWidget() ? QStringLiteral("owned") : QString());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(chosen.path());
        QTest::keyClick(name, Qt::Key_Return);
    });
    driver.start(20);
    QString path;
    QVERIFY(dazu::files::BrowseForFolder(path, title));
    QCOMPARE(opened, (QStringList{QDir::rootPath(), title, QString()}));
    QCOMPARE(path, HandedBack(chosen.path()));
}
