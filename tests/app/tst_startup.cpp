// The start-up sequence installs what is missing, replaces nothing, and opens the database.
#include "FailurePath.h"
#include "MsgBox.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QDir>
#include <QTest>

using dazu::test::AppFolder;

namespace {
const QString kBatch1 = QStringLiteral("DudodeZI410.bat");
const QString kBatch2 = QStringLiteral("VavodidedER410.bat");
const QString kDatabase = QStringLiteral("DAZU.CFG");
} // namespace

class tst_Startup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each row removes some files from a copy of the portable folder before the start.
    void installation_data() {
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("present"); // placed before the start, must survive
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("first start") << QStringList() << QStringList()
                                     << QStringList{kBatch1, kBatch2, kDatabase} << QStringList();
        QTest::newRow("all present") << QStringList() << QStringList{kBatch1, kBatch2}
                                     << QStringList{kDatabase} << QStringList();
        QTest::newRow("only the first batch file missing")
            << QStringList() << QStringList{kBatch2} << QStringList{kBatch1, kDatabase}
            << QStringList();
        QTest::newRow("template missing")
            << QStringList{QStringLiteral("DefDudodeZI410.bat")} << QStringList()
            << QStringList{kBatch2, kDatabase} << QStringList{kBatch1};
    }
    void installation() {
        QFETCH(QStringList, removed);
        QFETCH(QStringList, present);
        QFETCH(QStringList, installed);
        QFETCH(QStringList, absent);
        AppFolder folder(AppFolder::CopyOfDist);
        for (const QString& name : removed)
            QVERIFY(QFile::remove(folder.file(name)));
        for (const QString& name : present)
            folder.write(name, "kept as it was");
        const QByteArray dbTemplate = folder.read(QStringLiteral("DefDAZU.CFG"));

        const auto opened = dazu::app::RunStartup(folder.path());

        QCOMPARE(QDir::currentPath(), folder.path());
        QCOMPARE(opened.databasePath, folder.file(kDatabase));
        for (const QString& name : present)
            QCOMPARE(folder.read(name), QByteArray("kept as it was"));
        for (const QString& name : installed)
            if (name != kDatabase)
                QCOMPARE(folder.read(name), folder.read(QStringLiteral("Def") + name));
        for (const QString& name : absent)
            QVERIFY(!folder.exists(name));
        // The copied database got its default row; the template stays empty.
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "pathdest"),
                 dazu::config::Variant(folder.path().toStdString()));
        QCOMPARE(folder.read(QStringLiteral("DefDAZU.CFG")), dbTemplate);
    }

    void anExistingDatabaseIsNeverReplaced() {
        AppFolder folder(AppFolder::CopyOfDist);
        folder.createDatabase();
        dazu::app::RunStartup(folder.path());
        dazu::app::RunStartup(folder.path());
        auto tables = dazu::config::OpenConfiguration(folder.databasePath());
        QCOMPARE(tables.Setup.RecordCount(), 1);
    }

    // Without either database file the batch files are still installed, then the start fails
    // through the failure path with the engine's description.
    void bothDatabaseFilesMissing() {
        AppFolder folder(AppFolder::CopyOfDist);
        QVERIFY(QFile::remove(folder.file(QStringLiteral("DefDAZU.CFG"))));
        QStringList shown;
        dazu::app::SetMsgBoxPresenter([&](const QString& prompt, int style, const QString& title) {
            shown << QStringLiteral("%1|%2|%3").arg(title).arg(style).arg(prompt);
        });
        dazu::app::ResetFailure();
        const bool ok = dazu::app::Guarded([&] { dazu::app::RunStartup(folder.path()); });
        dazu::app::SetMsgBoxPresenter({});

        QVERIFY(!ok);
        QVERIFY(dazu::app::HasFailed());
        QVERIFY(folder.exists(kBatch1) && folder.exists(kBatch2));
        QVERIFY(!folder.exists(kDatabase));
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.front().startsWith(QStringLiteral("DAZU|16|unable to open database file")),
                 qPrintable(shown.front()));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
