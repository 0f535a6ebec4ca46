// A start that cannot install a file stops with the system's description of the error; what
// was installed before stays, and nothing half-copied is left behind. A settings file that
// cannot be written fails the change with the engine's description and stays as it was.
#include "SecondProgram.h"
#include "Startup.h"
#include "TestSupport.h"

#include <cerrno>
#include <cstring>
#include <QDir>
#include <QFile>
#include <QTest>

using dazu::test::AppFolder;

namespace {
const QString kBatch1 = QStringLiteral("DudodeZI410.bat");
const QString kBatch2 = QStringLiteral("VavodidedER410.bat");
const QString kDatabase = QStringLiteral("DAZU.CFG");

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

const QString kNoUnprivilegedUser =
    QStringLiteral("the program cannot run as an unprivileged user: ");

// Gives the folder its write permission back, so that it can be removed after the test.
struct WritableAgain {
    QString folder;
    ~WritableAgain() {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};
} // namespace

class tst_FileSystemFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void faults_data() {
        QTest::addColumn<QStringList>("installedBefore"); // targets in place before the start
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<QString>("unreadableTemplate");
        QTest::addColumn<bool>("directoryForDatabase");
        QTest::addColumn<bool>("databaseTemplate");
        QTest::addColumn<QString>("message"); // %1 the folder, %2 the system's description
        QTest::addColumn<int>("error");
        QTest::addColumn<QStringList>("installed"); // copies of their templates afterwards
        const QStringList batches{kBatch1, kBatch2};
        QTest::newRow("read-only folder, database missing")
            << batches << true << QString() << false << true << "No se puede crear %1/DAZU.CFG: %2"
            << EACCES << batches;
        QTest::newRow("read-only folder, nothing installed")
            << QStringList() << true << QString() << false << true
            << "No se puede crear %1/DudodeZI410.bat: %2" << EACCES << QStringList();
        QTest::newRow("database template unreadable")
            << QStringList() << false << "DefDAZU.CFG" << false << true
            << "No se puede leer %1/DefDAZU.CFG: %2" << EACCES << batches;
        QTest::newRow("first batch template unreadable")
            << QStringList() << false << "DefDudodeZI410.bat" << false << true
            << "No se puede leer %1/DefDudodeZI410.bat: %2" << EACCES << QStringList();
        QTest::newRow("directory named DAZU.CFG")
            << QStringList() << false << QString() << true << true
            << "No se puede crear %1/DAZU.CFG: %2" << EEXIST << batches;
        QTest::newRow("no DAZU.CFG and no template")
            << QStringList() << false << QString() << false << false
            << "unable to open database file: %1/DAZU.CFG" << 0 << batches;
        QTest::newRow("directory named DAZU.CFG, no template")
            << QStringList() << false << QString() << true << false
            << "unable to open database file: %1/DAZU.CFG" << 0 << batches;
    }
    void faults() {
        QFETCH(QStringList, installedBefore);
        QFETCH(bool, readOnlyFolder);
        QFETCH(QString, unreadableTemplate);
        QFETCH(bool, directoryForDatabase);
        QFETCH(bool, databaseTemplate);
        QFETCH(QString, message);
        QFETCH(int, error);
        QFETCH(QStringList, installed);
        AppFolder folder(AppFolder::CopyOfDist);
        const WritableAgain restore{folder.path()};
        for (const QString& name : installedBefore)
            folder.write(name, folder.read(QStringLiteral("Def") + name));
        if (!databaseTemplate)
            QVERIFY(QFile::remove(folder.file(QStringLiteral("DefDAZU.CFG"))));
        if (directoryForDatabase)
            QVERIFY(QDir(folder.path()).mkdir(kDatabase));
        if (!unreadableTemplate.isEmpty())
            QVERIFY(QFile::setPermissions(folder.file(unreadableTemplate), {}));
        if (readOnlyFolder)
            QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        QStringList expectedEntries = entriesOf(folder.path()) + installed;
        expectedEntries.removeDuplicates();
        expectedEntries.sort();

        const dazu::test::HelperRun outcome = dazu::test::RunAsUnprivilegedUser(
            folder.path(), {QStringLiteral("startup"), folder.path()});

        if (outcome.exitCode == dazu::test::kCannotDropPrivileges)
            QSKIP(qPrintable(kNoUnprivilegedUser + outcome.errorOutput));
        QCOMPARE(outcome.exitCode, 1);
        const QString description =
            error ? QString::fromLocal8Bit(std::strerror(error)) : QString();
        message.replace(QStringLiteral("%1"), folder.path())
            .replace(QStringLiteral("%2"), description);
        QCOMPARE(outcome.output, QStringList{QStringLiteral("DAZU|16|") + message});
        QCOMPARE(entriesOf(folder.path()), expectedEntries);
        for (const QString& name : installed)
            QCOMPARE(folder.read(name), folder.read(QStringLiteral("Def") + name));
    }

    // The window opens on a DAZU.CFG that it may read but not write. A change fails with the
    // engine's description and ends the program; the file stays byte for byte, and the window's
    // list shows only what is stored.
    void readOnlyDatabase_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("Aceptar") << QStringList{QStringLiteral("accept")};
        QTest::newRow("adding a name") << QStringList{QStringLiteral("add1"), "nuevo.txt"};
        QTest::newRow("deleting a name") << QStringList{QStringLiteral("delete2"), "viejo.txt"};
    }
    void readOnlyDatabase() {
        QFETCH(QStringList, steps);
        AppFolder folder(AppFolder::CopyOfDist);
        // A Null destination, which "&Aceptar" stores as the empty text it shows.
        folder.seed({{"pathdest", dazu::config::Variant()}});
        for (const char* table : {"Files", "FPCHH"})
            folder.addNames(table, {QStringLiteral("viejo.txt")});
        QVERIFY(QFile::setPermissions(folder.file(kDatabase),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QByteArray before = folder.read(kDatabase);

        const dazu::test::HelperRun run = dazu::test::RunAsUnprivilegedUser(
            folder.path(), QStringList{QStringLiteral("window"), folder.path()} + steps);

        if (run.exitCode == dazu::test::kCannotDropPrivileges)
            QSKIP(qPrintable(kNoUnprivilegedUser + run.errorOutput));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.output, (QStringList{"DAZU|16|attempt to write a readonly database",
                                          "item|List1|viejo.txt", "item|List2|viejo.txt"}));
        QCOMPARE(folder.read(kDatabase), before);
    }
};

QTEST_GUILESS_MAIN(tst_FileSystemFaults)
#include "tst_filesystemfaults.moc"
