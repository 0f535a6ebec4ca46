// Another program holding the database file: a change waits for it within the busy timeout
// and is stored; past it, the change fails with the engine's description, nothing of it is
// stored, and the open database goes on working once the file is free again.
#include "Churn.h"
#include "LoaderRead.h"
#include "SecondProgram.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QTest>
#include <SQLiteCpp/Database.h>

using dazu::test::AppFolder;
using dazu::test::LockHolder;

Q_DECLARE_METATYPE(LockHolder::Kind)

namespace {
// Long enough that the change certainly meets the lock, well within the busy timeout.
constexpr int kShortHoldMs = 500;
const std::string kNewName = "nuevo.txt";

// The two changes the window makes: a name added to a list, and the whole settings row.
void change(dazu::config::Configuration& tables, bool settings) {
    if (settings) {
        dazu::test::ChurnStep(tables, 1);
        return;
    }
    tables.Files.AddNew();
    tables.Files.Fields("FILE").SetValue(kNewName);
    tables.Files.Update();
}

bool changeStored(const std::string& path, bool settings) {
    auto tables = dazu::config::OpenConfiguration(path);
    tables.Setup.MoveFirst();
    return settings
               ? dazu::test::ChurnGeneration(tables.Setup) == 1
               : dazu::test::ListNames(path, "Files").contains(QString::fromStdString(kNewName));
}
} // namespace

class tst_Contention : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void secondProgram_data() {
        QTest::addColumn<LockHolder::Kind>("lock");
        QTest::addColumn<bool>("settings");   // the settings row, or else a name
        QTest::addColumn<bool>("outlasting"); // the lock outlasts the busy timeout
        QTest::newRow("write lock, name, short") << LockHolder::Write << false << false;
        QTest::newRow("write lock, settings, short") << LockHolder::Write << true << false;
        QTest::newRow("read lock, name, short") << LockHolder::Read << false << false;
        QTest::newRow("read lock, settings, short") << LockHolder::Read << true << false;
        QTest::newRow("write lock, name, outlasting") << LockHolder::Write << false << true;
        QTest::newRow("write lock, settings, outlasting") << LockHolder::Write << true << true;
        // Here the change is written and waits only to be committed.
        QTest::newRow("read lock, settings, outlasting") << LockHolder::Read << true << true;
    }
    void secondProgram() {
        QFETCH(LockHolder::Kind, lock);
        QFETCH(bool, settings);
        QFETCH(bool, outlasting);
        AppFolder folder;
        const std::string path = folder.databasePath();
        // The index is set before the lock: the change below meets it only when it writes.
        auto tables = dazu::test::CreateOpenedDatabase(path);
        const auto settingsBefore = dazu::test::StoredSettings(path);

        LockHolder holder(lock, path, outlasting ? -1 : kShortHoldMs);
        QVERIFY2(holder.IsHolding(), qPrintable(holder.Output()));
        QString thrown;
        QElapsedTimer waited;
        waited.start();
        try {
            change(tables, settings);
        } catch (const std::exception& e) {
            thrown = QString::fromUtf8(e.what());
        }
        const std::int64_t finishedAt = dazu::test::MonotonicNanoseconds();
        const qint64 waitedMs = waited.elapsed();
        const std::int64_t releasedAt = holder.Release();
        QVERIFY2(releasedAt > 0, qPrintable(holder.Output()));

        if (!outlasting) {
            QVERIFY2(thrown.isEmpty(), qPrintable(thrown));
            QVERIFY(finishedAt > releasedAt); // it waited for the other program
            QVERIFY(changeStored(path, settings));
            return;
        }
        QVERIFY2(thrown.contains(QLatin1String("database is locked")), qPrintable(thrown));
        QVERIFY2(waitedMs >= dazu::config::kBusyTimeoutMs - 100,
                 qPrintable(QString::number(waitedMs)));
        QVERIFY(!changeStored(path, settings));
        QVERIFY(dazu::test::StoredSettings(path) == settingsBefore);
        QCOMPARE(dazu::test::ListNames(path, "Files"), QStringList());
        // The failure left no lock behind: another program writes, and so does this one.
        SQLite::Database other(path, SQLite::OPEN_READWRITE);
        other.exec("INSERT INTO FPCHH VALUES ('otro.txt')");
        change(tables, settings);
        QVERIFY(changeStored(path, settings));
        SQLite::Database check(path, SQLite::OPEN_READONLY);
        QCOMPARE(check.execAndGet("PRAGMA integrity_check").getString(), std::string("ok"));
    }
};

QTEST_GUILESS_MAIN(tst_Contention)
#include "tst_contention.moc"
