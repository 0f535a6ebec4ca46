#include "ModFiles.h"
#include "PlatformFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

// Linux has no hidden attribute: a leading dot hides a file.
std::vector<FileExistsRow> MakePlatformFiles(const dazu::test::AppFolder& folder) {
    const auto at = [&folder](const char* name) { return folder.file(QLatin1String(name)); };
    folder.write(QStringLiteral(".hidden"), "x");
    folder.write(QStringLiteral("read-only.bat"), "x");
    QFile::setPermissions(at("read-only.bat"), QFile::ReadOwner);
    QDir(folder.path()).mkdir(QStringLiteral("linked-folder"));
    if (!QFile::link(at("normal.bat"), at("link.bat")) ||
        !QFile::link(at("linked-folder"), at("link-to-folder")) ||
        ::mkfifo(QFile::encodeName(at("pipe")).constData(), 0600) != 0)
        qFatal("Cannot make the links and the pipe");
    return {{"hidden", at(".hidden"), false},         {"read-only", at("read-only.bat"), true},
            {"link to a file", at("link.bat"), true}, {"link to a folder", at("link-to-folder"), false},
            {"fifo", at("pipe"), false},              {"device", QStringLiteral("/dev/null"), false}};
}

// Qt's widget dialog, the same on every desktop: it opens at the top of the tree without an
// owner each time, a typed folder is chosen, and Escape hands nothing back.
void PickWithTheRealPicker() {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QTemporaryDir folder;
    const QString title = QStringLiteral("Elija");
    QStringList opened;
    QPointer<QFileDialog> seen;
    int ticks = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (dialog == seen) { // the keys did not close it: give up rather than hang
            if (++ticks > 100)
                dialog->reject();
            return;
        }
        seen = dialog;
        ticks = 0;
        opened << dialog->directory().absolutePath() + "|" + dialog->windowTitle() +
                      (dialog->parentWidget() ? QStringLiteral("|owned") : QString());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(folder.path()); // pasted: typing would meet the completer
        QTest::keyClick(opened.size() == 1 ? static_cast<QWidget*>(name) : dialog,
                        opened.size() == 1 ? Qt::Key_Return : Qt::Key_Escape);
    });
    driver.start(20);
    QString path;
    QVERIFY(dazu::files::BrowseForFolder(path, title));
    QCOMPARE(path, HandedBack(QDir::toNativeSeparators(folder.path())));
    QVERIFY(!dazu::files::BrowseForFolder(path, title));
    QCOMPARE(path, HandedBack(QDir::toNativeSeparators(folder.path()))); // unchanged by cancel
    const QString top = QDir::rootPath() + "|" + title;
    QCOMPARE(opened, (QStringList{top, top}));
}
