// The folder chooser hands its choice back in the fixed 261-character buffer.
#include "FolderChooser.h"
#include "ModFiles.h"

#include <QDir>
#include <QTest>

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
};

QTEST_GUILESS_MAIN(tst_BrowseForFolder)
#include "tst_browseforfolder.moc"
