// The folder chooser hands its choice back in the fixed 261-character buffer.
#include "FolderChooser.h"
#include "ModFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(QUrl)

using dazu::files::BrowseForFolder;

class tst_BrowseForFolder : public QObject {
    Q_OBJECT

    const QString title =
        QStringLiteral("Seleccione el directorio donde quiere dejar los archivos");

private Q_SLOTS:
    void cleanup() { dazu::files::SetFolderChooser({}); }

    void handsBack_data() {
        QTest::addColumn<QUrl>("chosen");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("path"); // what comes back before the terminator and spaces
        const QString longest = QStringLiteral("/") + QString(259, QLatin1Char('x'));
        QTest::newRow("cancel") << QUrl() << false << "unchanged";
        QTest::newRow("folder") << QUrl::fromLocalFile(QStringLiteral("/srv/Datos")) << true
                                << QDir::toNativeSeparators(QStringLiteral("/srv/Datos"));
        QTest::newRow("root") << QUrl::fromLocalFile(QDir::rootPath()) << true
                              << QDir::toNativeSeparators(QDir::rootPath());
        QTest::newRow("260 characters")
            << QUrl::fromLocalFile(longest) << true << QDir::toNativeSeparators(longest);
        QTest::newRow("261 characters") << QUrl::fromLocalFile(longest + QLatin1Char('x')) << false
                                        << QString(261, QLatin1Char(' '));
        QTest::newRow("no file-system path")
            << QUrl(QStringLiteral("trash:/")) << false << QString(261, QLatin1Char(' '));
    }
    void handsBack() {
        QFETCH(QUrl, chosen);
        QFETCH(bool, result);
        QFETCH(QString, path);
        QString seenTitle;
        dazu::files::SetFolderChooser([&](const QString& t) {
            seenTitle = t;
            return chosen;
        });
        QString buffer = QStringLiteral("unchanged");
        QCOMPARE(BrowseForFolder(buffer, title), result);
        QCOMPARE(seenTitle, title);
        if (!result) {
            QCOMPARE(buffer, path);
            return;
        }
        QCOMPARE(buffer.size(), 261);
        QCOMPARE(buffer.left(path.size() + 1), path + QChar(0));
        QCOMPARE(buffer.mid(path.size() + 1), QString(261 - path.size() - 1, QLatin1Char(' ')));
    }

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
    tst_BrowseForFolder test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_browseforfolder.moc"
