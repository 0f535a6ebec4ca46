// Record operations inside a transaction are stored together or not at all.
#include "DefaultRow.h"
#include "TestSupport.h"
#include "Transaction.h"

#include <QTest>

using dazu::config::Variant;

class tst_Transaction : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void storedTogetherOrNotAtAll_data() {
        QTest::addColumn<bool>("commit");
        QTest::newRow("committed") << true;
        QTest::newRow("ended without commit") << false;
    }
    void storedTogetherOrNotAtAll() {
        QFETCH(bool, commit);
        dazu::test::AppFolder folder;
        folder.createDatabase();
        auto tables = dazu::config::OpenConfiguration(folder.databasePath());
        dazu::config::WriteDefaultRow(tables, "/apps/dazu");
        {
            dazu::config::Transaction transaction(tables.database);
            tables.Setup.MoveFirst();
            tables.Setup.Edit();
            tables.Setup.Fields("Puerto").SetValue(7);
            tables.Setup.Update();
            tables.Files.AddNew();
            tables.Files.Fields("FILE").SetValue("a.txt");
            tables.Files.Update();
            if (commit)
                transaction.Commit();
        }
        // Another connection sees only what was committed.
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "Puerto"), Variant(commit ? 7 : 1));
        QCOMPARE(dazu::test::ListNames(folder.databasePath(), "Files").size(), commit ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(tst_Transaction)
#include "tst_transaction.moc"
