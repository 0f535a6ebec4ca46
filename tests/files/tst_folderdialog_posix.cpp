// Qt's folder dialog behind BrowseForFolder where there is no Windows shell.
#include "ModFiles.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using dazu::files::BrowseForFolder;

class tst_FolderDialogPosix : public QObject {
    Q_OBJECT

    const QString title =
        QStringLiteral("Seleccione el directorio donde quiere dejar los archivos");

private Q_SLOTS:
    // Qt's own dialog, driven as a user would: it opens at the top of the tree without an
    // owner each time, a typed folder is chosen, and cancel hands nothing back.
    void realDialog() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QStringList opened;
        bool choose = true;
        QPointer<QFileDialog> seen;
        int ticks = 0;
        QTimer driver;
        driver.setInterval(20);
        connect(&driver, &QTimer::timeout, this, [&] {
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
            opened << dialog->directory().absolutePath() + QLatin1Char('|') +
                          dialog->windowTitle() +
                          (dialog->parentWidget() ? QStringLiteral("|owned") : QString());
            if (choose) {
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                name->setText(folder.path()); // pasted: typing would meet the completer
                QTest::keyClick(name, Qt::Key_Return);
            } else {
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        });
        driver.start();

        QString path;
        QVERIFY(BrowseForFolder(path, title));
        const QString chosen = QDir::toNativeSeparators(folder.path());
        QCOMPARE(path.size(), 261);
        QCOMPARE(path.left(chosen.size() + 1), chosen + QChar(0));
        QVERIFY(path.mid(chosen.size() + 1).trimmed().isEmpty());

        choose = false;
        QVERIFY(!BrowseForFolder(path, title));
        QCOMPARE(path.left(chosen.size() + 1), chosen + QChar(0)); // unchanged by cancel
        const QString top = QDir::rootPath() + QLatin1Char('|') + title;
        QCOMPARE(opened, (QStringList{top, top}));
    }
};

int main(int argc, char** argv) {
    // The widget dialog, the same on every desktop, so the test can drive it.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    tst_FolderDialogPosix test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_folderdialog_posix.moc"
