#include "ModFiles.h"
#include "PlatformFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
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
    // clang-format off
    return {{"hidden", at(".hidden"), false}, {"read-only", at("read-only.bat"), true},
            {"link to a file", at("link.bat"), true}, {"link to a folder", at("link-to-folder"), false},
            {"fifo", at("pipe"), false}, {"device", QStringLiteral("/dev/null"), false}};
    // clang-format on
}

// Qt's widget dialog, driven as a user would: it opens at the top of the tree with the title
// and no owner, a pasted folder is chosen (typing would meet the completer), Escape cancels.
void PickWithTheRealPicker() {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    const QTemporaryDir chosen;
    const QString title = QStringLiteral("Elija"), unchanged = QStringLiteral("unchanged");
    for (const bool choose : {true, false}) {
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
            QTest::keyClick(choose ? static_cast<QWidget*>(name) : dialog,
                            choose ? Qt::Key_Return : Qt::Key_Escape);
        });
        driver.start(20);
        QString path = unchanged;
        QCOMPARE(dazu::files::BrowseForFolder(path, title), choose);
        QCOMPARE(opened, (QStringList{QDir::rootPath(), title, QString()}));
        QCOMPARE(path, choose ? HandedBack(chosen.path()) : unchanged);
    }
}
