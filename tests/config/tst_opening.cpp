// Opening never creates a file and refuses, with a description, what is not this database.
#include "Database.h"
#include "TestSupport.h"

#include <QTest>
#include <SQLiteCpp/Database.h>

using dazu::test::AppFolder;

class tst_Opening : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refused_data() {
        QTest::addColumn<QByteArray>("sql");   // run on a fresh database of this schema
        QTest::addColumn<QByteArray>("bytes"); // or, when set, the whole file
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << QByteArray() << QByteArray("-") << "unable to open";
        QTest::newRow("empty file")
            << QByteArray() << QByteArray("") << "no es una base de datos de configuración de DAZU";
        QTest::newRow("text file")
            << QByteArray() << QByteArray("[Setup]\r\nPuerto=1\r\n") << "file is not a database";
        QTest::newRow("foreign SQLite") << QByteArray("PRAGMA application_id = 7") << QByteArray()
                                        << "no es una base de datos de configuración de DAZU";
        QTest::newRow("other schema version")
            << QByteArray("PRAGMA user_version = 9") << QByteArray() << "versión de esquema 9";
        QTest::newRow("missing table")
            << QByteArray("DROP TABLE FPCHH") << QByteArray() << "Falta la tabla FPCHH";
        QTest::newRow("missing field") << QByteArray("ALTER TABLE Setup DROP COLUMN askother")
                                       << QByteArray() << "Falta el campo askother";
        QTest::newRow("missing index") << QByteArray("DROP INDEX Files_FILE") << QByteArray()
                                       << "Falta el índice FILE en la tabla Files";
    }
    void refused() {
        QFETCH(QByteArray, sql);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        AppFolder folder;
        const QString name = QStringLiteral("DAZU.CFG");
        if (!sql.isEmpty()) {
            folder.createDatabase();
            SQLite::Database(folder.databasePath(), SQLite::OPEN_READWRITE).exec(sql.toStdString());
        } else if (bytes != "-") {
            folder.write(name, bytes);
        }
        const QByteArray before = folder.read(name);

        QString thrown;
        try {
            auto tables = dazu::config::OpenConfiguration(folder.databasePath());
            tables.Files.Index("FILE");
        } catch (const std::exception& e) {
            thrown = QString::fromUtf8(e.what());
        }
        QVERIFY2(thrown.contains(message), qPrintable(thrown));
        QCOMPARE(folder.exists(name), bytes != "-"); // never created
        QCOMPARE(folder.read(name), before);         // and never changed
    }
};

QTEST_GUILESS_MAIN(tst_Opening)
#include "tst_opening.moc"
