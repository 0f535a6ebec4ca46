// A program killed in the middle of storing leaves the database sound, with the settings row
// entirely as it was before or entirely as it was being stored, never a mix of the two.
#include "Churn.h"
#include "SecondProgram.h"
#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <SQLiteCpp/Database.h>

using dazu::test::AppFolder;

namespace {
constexpr int kKills = 30;
constexpr int kLongestDelayUs = 80000;
} // namespace

class tst_CrashSafety : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedWhileStoring() {
        AppFolder folder;
        const std::string path = folder.databasePath();
        {
            auto tables = dazu::test::CreateOpenedDatabase(path);
            dazu::test::ChurnStep(tables, 0);
        }
        const QString journal = folder.file(QStringLiteral("DAZU.CFG-journal"));
        std::int64_t generation = 0;
        int killedMidWrite = 0;
        for (int kill = 0; kill < kKills; ++kill) {
            QProcess writer;
            writer.start(dazu::test::HelperPath(),
                         {QStringLiteral("churn"), QString::fromStdString(path)});
            QVERIFY(writer.waitForReadyRead(10000));
            QCOMPARE(writer.readLine().trimmed(), QByteArray(dazu::test::kReadyLine));
            // The moment of the kill varies over the phases of a store.
            QThread::usleep(static_cast<unsigned long>(kill * 7919 % kLongestDelayUs));
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            if (QFile::exists(journal))
                ++killedMidWrite;

            // Opening rolls back whatever the killed program left half-done.
            SQLite::Database check(path, SQLite::OPEN_READWRITE);
            QCOMPARE(check.execAndGet("PRAGMA integrity_check").getString(), std::string("ok"));
            auto tables = dazu::config::OpenConfiguration(path);
            QCOMPARE(tables.Setup.RecordCount(), 1);
            tables.Setup.MoveFirst();
            const std::int64_t now = dazu::test::ChurnGeneration(tables.Setup);
            QVERIFY2(now >= generation, qPrintable(QString::number(now)));
            generation = now;
            // Names are added and deleted whole, each after the row of its generation, and a
            // name goes only once the next one is stored.
            const QStringList names = dazu::test::ListNames(path, "Files");
            QVERIFY(!names.isEmpty());
            for (const QString& name : names) {
                const std::int64_t of = dazu::test::ChurnNameGeneration(name.toStdString());
                QVERIFY2(of >= 0 && of <= now, qPrintable(name));
            }
        }
        QVERIFY(generation > 0);     // the program got on with storing between the kills
        QVERIFY(killedMidWrite > 0); // and some kills hit it in the middle of a store
    }
};

QTEST_GUILESS_MAIN(tst_CrashSafety)
#include "tst_crashsafety.moc"
