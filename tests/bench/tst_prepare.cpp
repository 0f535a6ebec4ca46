// The benchmark's application folders: the asked number of names in each list, the default
// row, and a folder that the start-up accepts without installing anything.
#include "PrepareFolder.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QDir>
#include <QMap>
#include <QSet>
#include <QTest>

using dazu::test::AppFolder;

class tst_prepare : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesPerList_data() {
        QTest::addColumn<int>("names");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("past one page of the cursor") << 150;
    }

    void namesPerList() {
        QFETCH(int, names);
        AppFolder folder;
        dazu::bench::PrepareApplicationFolder(dazu::test::DistDirectory().toStdString(),
                                              folder.path().toStdString(),
                                              static_cast<std::size_t>(names));

        for (const char* table : {"Files", "FPCHH"}) {
            const QStringList stored = dazu::test::ListNames(folder.databasePath(), table);
            QCOMPARE(stored.size(), names);
            QCOMPARE(QSet<QString>(stored.begin(), stored.end()).size(), names);
        }
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "baudios").toInt(), 38400);
    }

    void preparingAgainReplacesTheLists() {
        AppFolder folder;
        const std::string dist = dazu::test::DistDirectory().toStdString();
        dazu::bench::PrepareApplicationFolder(dist, folder.path().toStdString(), 40);
        dazu::bench::PrepareApplicationFolder(dist, folder.path().toStdString(), 3);
        QCOMPARE(dazu::test::ListNames(folder.databasePath(), "Files").size(), 3);
        auto tables = dazu::config::OpenConfiguration(folder.databasePath());
        QCOMPARE(tables.Setup.RecordCount(), 1);
    }

    // Every timed start must do the same work: nothing left for the start-up to install or
    // write, whichever run comes first.
    void startupChangesNothing() {
        AppFolder folder;
        dazu::bench::PrepareApplicationFolder(dazu::test::DistDirectory().toStdString(),
                                              folder.path().toStdString(), 2);
        const auto before = contents(folder);
        dazu::app::RunStartup(folder.path());
        QCOMPARE(contents(folder), before);
    }

private:
    static QMap<QString, QByteArray> contents(const AppFolder& folder) {
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files))
            files.insert(name, folder.read(name));
        return files;
    }
};

QTEST_GUILESS_MAIN(tst_prepare)
#include "tst_prepare.moc"
