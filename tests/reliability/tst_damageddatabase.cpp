// A damaged or foreign settings database stops the program with the engine's description of
// the problem, and the file stays byte for byte as it was.
#include "FailurePath.h"
#include "LoaderRead.h"
#include "MsgBox.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QRandomGenerator>
#include <QTest>
#include <SQLiteCpp/Database.h>

using dazu::test::AppFolder;

namespace {

const QString kDatabase = QStringLiteral("DAZU.CFG");

QByteArray randomBytes(qsizetype size) {
    QRandomGenerator generator(20240517); // the same bytes on every run
    QByteArray bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

// Schema changes that SQL cannot make with ALTER TABLE: the stored definition is edited
// directly; the file format does not depend on NOT NULL or STRICT, so the file stays sound.
QByteArray redefined(const char* table, const char* from, const char* to) {
    return QByteArray(
               "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = replace(sql, '") +
           from + "', '" + to + "') WHERE name = '" + table + "'; PRAGMA writable_schema = OFF";
}
QByteArray nullable(const char* table) {
    return redefined(table, " NOT NULL", "");
}

} // namespace

class tst_DamagedDatabase : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { dazu::app::ResetFailure(); }

    // The file starts as the one a first start leaves (schema and default row). Then each
    // step of SQL runs on a connection of its own, and the bytes are cut, scrambled or replaced.
    void refused_data() {
        QTest::addColumn<QByteArrayList>("steps");
        QTest::addColumn<int>("cutAt");
        QTest::addColumn<int>("scrambleFrom");
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<bool>("whenRead"); // found by reading the settings, not by the start
        QTest::addColumn<QString>("message");
        const QByteArrayList none;
        const QByteArray keep;
        QTest::newRow("empty file") << none << -1 << -1 << QByteArray("") << false
                                    << "no es una base de datos de configuración de DAZU";
        QTest::newRow("text file") << none << -1 << -1 << QByteArray("[Setup]\r\nPuerto=1\r\n")
                                   << false << "file is not a database";
        QTest::newRow("random bytes")
            << none << -1 << -1 << randomBytes(24576) << false << "file is not a database";
        QTest::newRow("random bytes after the header")
            << none << -1 << 100 << keep << false << "database disk image is malformed";
        QTest::newRow("cut inside the header")
            << none << 60 << -1 << keep << false
            << "no es una base de datos de configuración de DAZU";
        QTest::newRow("cut after the first page")
            << none << 4096 << -1 << keep << false << "database disk image is malformed";
        QTest::newRow("cut inside the settings row's page")
            << none << 6144 << -1 << keep << false << "database disk image is malformed";
        QTest::newRow("foreign SQLite database")
            << QByteArrayList{"DROP TABLE Setup; DROP TABLE Files; DROP TABLE FPCHH; "
                              "CREATE TABLE clientes (nombre TEXT); PRAGMA application_id = 0"}
            << -1 << -1 << keep << false << "no es una base de datos de configuración de DAZU";
        QTest::newRow("table missing") << QByteArrayList{"DROP TABLE Files"} << -1 << -1 << keep
                                       << false << "Falta la tabla Files en la base de datos";
        QTest::newRow("field missing")
            << QByteArrayList{"ALTER TABLE Setup DROP COLUMN baudios"} << -1 << -1 << keep << false
            << "Falta el campo baudios en la tabla Setup";
        QTest::newRow("index missing") << QByteArrayList{"DROP INDEX FPCHH_FILE"} << -1 << -1
                                       << keep << true << "Falta el índice FILE en la tabla FPCHH";
        for (const char* field : {"programapc", "modolectura", "baudios"})
            QTest::addRow("Null in %s", field)
                << QByteArrayList{nullable("Setup"),
                                  QByteArray("UPDATE Setup SET ") + field + " = NULL"}
                << -1 << -1 << keep << true << "Uso no válido de Null";
        QTest::newRow("Null name in a list")
            << QByteArrayList{nullable("Files"), "INSERT INTO Files VALUES (NULL)"} << -1 << -1
            << keep << true << "Uso no válido de Null";
        QTest::newRow("text in a whole-number field")
            << QByteArrayList{redefined("Setup", ") STRICT", ")"),
                              "PRAGMA ignore_check_constraints = ON; UPDATE Setup SET Puerto = "
                              "'COM1'"}
            << -1 << -1 << keep << true << "COM1";
    }
    void refused() {
        QFETCH(QByteArrayList, steps);
        QFETCH(int, cutAt);
        QFETCH(int, scrambleFrom);
        QFETCH(QByteArray, replacement);
        QFETCH(bool, whenRead);
        QFETCH(QString, message);
        AppFolder folder(AppFolder::CopyOfDist);
        dazu::app::RunStartup(folder.path());
        for (const QByteArray& sql : steps)
            SQLite::Database(folder.databasePath(), SQLite::OPEN_READWRITE).exec(sql.toStdString());
        QByteArray bytes = replacement.isNull() ? folder.read(kDatabase) : replacement;
        if (cutAt >= 0)
            bytes.truncate(cutAt);
        if (scrambleFrom >= 0)
            bytes.replace(scrambleFrom, bytes.size() - scrambleFrom,
                          randomBytes(bytes.size() - scrambleFrom));
        folder.write(kDatabase, bytes);

        QStringList shown;
        dazu::app::SetMsgBoxPresenter([&](const QString& prompt, int style, const QString& title) {
            shown << QStringLiteral("%1|%2|%3").arg(title).arg(style).arg(prompt);
        });
        bool reachedReading = false;
        const bool ok = dazu::app::Guarded([&] {
            auto opened = dazu::app::RunStartup(folder.path());
            reachedReading = true;
            // Until the window reads the settings itself, the record layer stands in for it.
            dazu::test::ReadEverything(opened.tables);
        });
        dazu::app::SetMsgBoxPresenter({});

        QVERIFY(!ok);
        QVERIFY(dazu::app::HasFailed());
        QCOMPARE(reachedReading, whenRead);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.front().startsWith(QStringLiteral("DAZU|16|")), qPrintable(shown.front()));
        QVERIFY2(shown.front().contains(message), qPrintable(shown.front()));
        QCOMPARE(folder.read(kDatabase), bytes);
        QVERIFY(!folder.exists(kDatabase + QStringLiteral("-journal")));
    }
};

QTEST_GUILESS_MAIN(tst_DamagedDatabase)
#include "tst_damageddatabase.moc"
