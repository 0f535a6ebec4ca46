// A damaged or foreign settings database stops the program's start, in the window's load
// handler, with the engine's description of the problem; the window is not shown, and the
// file stays byte for byte as it was.
#include "FailurePath.h"
#include "MsgBox.h"
#include "Startup.h"
#include "TestSupport.h"
#include "WindowUser.h"

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

    // The file starts as the one a first start leaves (schema and default row). Then each
    // step of SQL runs on a connection of its own, and the bytes are cut, scrambled or replaced.
    void refused_data() {
        QTest::addColumn<QByteArrayList>("steps");
        QTest::addColumn<int>("cutAt");
        QTest::addColumn<int>("scrambleFrom");
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<QString>("message");
        const QByteArrayList none;
        const QByteArray keep;
        const auto bytes = [&](const char* name, QByteArray replacement, int cutAt,
                               int scrambleFrom, const char* message) {
            QTest::newRow(name) << none << cutAt << scrambleFrom << replacement << message;
        };
        const auto sql = [&](const char* name, QByteArrayList steps, const QString& message) {
            QTest::newRow(name) << steps << -1 << -1 << keep << message;
        };
        bytes("empty file", "", -1, -1, "no es una base de datos de configuración de DAZU");
        bytes("text file", "[Setup]\r\nPuerto=1\r\n", -1, -1, "file is not a database");
        bytes("random bytes", randomBytes(24576), -1, -1, "file is not a database");
        bytes("random bytes after the header", keep, -1, 100, "database disk image is malformed");
        bytes("cut inside the header", keep, 60, -1,
              "no es una base de datos de configuración de DAZU");
        bytes("cut after the first page", keep, 4096, -1, "database disk image is malformed");
        bytes("cut inside the settings row's page", keep, 6144, -1,
              "database disk image is malformed");
        sql("foreign SQLite database",
            {"DROP TABLE Setup; DROP TABLE Files; DROP TABLE FPCHH; "
             "CREATE TABLE clientes (nombre TEXT); PRAGMA application_id = 0"},
            "no es una base de datos de configuración de DAZU");
        sql("other schema version", {"PRAGMA user_version = 9"}, "versión de esquema 9");
        sql("table missing", {"DROP TABLE Files"}, "Falta la tabla Files en la base de datos");
        sql("field missing", {"ALTER TABLE Setup DROP COLUMN baudios"},
            "Falta el campo baudios en la tabla Setup");
        sql("index missing", {"DROP INDEX FPCHH_FILE"}, "Falta el índice FILE en la tabla FPCHH");
        // Only a file of this program's own schema is used: constraints removed, a list index
        // that lets a name in twice (the list would skip names at a page boundary), or a
        // trigger or view of another program.
        sql("NOT NULL removed", {nullable("Setup"), "UPDATE Setup SET programapc = NULL"},
            "la tabla Setup con otra definición que la de DAZU");
        sql("untyped columns", {redefined("Files", "\"FILE\" TEXT NOT NULL) STRICT", "FILE)")},
            "la tabla Files con otra definición");
        sql("index not unique",
            {"DROP INDEX Files_FILE; CREATE INDEX Files_FILE ON Files (FILE COLLATE NOCASE)"},
            "el índice Files_FILE de la tabla Files con otra definición");
        sql("trigger", {"CREATE TRIGGER vaciar AFTER INSERT ON Files BEGIN DELETE FROM FPCHH; END"},
            "el disparador vaciar, que DAZU no usa");
        sql("view", {"CREATE VIEW nombres AS SELECT FILE FROM Files"},
            "la vista nombres, que DAZU no usa");
    }
    void refused() {
        QFETCH(QByteArrayList, steps);
        QFETCH(int, cutAt);
        QFETCH(int, scrambleFrom);
        QFETCH(QByteArray, replacement);
        QFETCH(QString, message);
        AppFolder folder(AppFolder::CopyOfDist);
        dazu::app::RunStartup(folder.path());
        for (const QByteArray& step : steps)
            SQLite::Database(folder.databasePath(), SQLite::OPEN_READWRITE)
                .exec(step.toStdString());
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
        const auto window = dazu::test::LoadWindow(folder.path());
        dazu::app::SetMsgBoxPresenter({});

        QVERIFY(!window->isVisible());
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.front().startsWith(QStringLiteral("DAZU|16|")), qPrintable(shown.front()));
        QVERIFY2(shown.front().contains(message), qPrintable(shown.front()));
        QCOMPARE(folder.read(kDatabase), bytes);
        QVERIFY(!folder.exists(kDatabase + QStringLiteral("-journal")));
    }
};

QTEST_MAIN(tst_DamagedDatabase)
#include "tst_damageddatabase.moc"
