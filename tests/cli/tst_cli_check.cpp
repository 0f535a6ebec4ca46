// check: a sound database passes; every kind of damage ends non-zero with a reason, and the
// file is neither created nor changed.
#include "CliFixture.h"

#include <QFile>
#include <QTest>
#include <SQLiteCpp/Database.h>

using dazu::test::CliFolder;
using dazu::test::Words;

class tst_CliCheck : public QObject {
    Q_OBJECT

    // Damages the root page of the list's index, which opening never reads: garbage over the
    // whole page, or one changed letter that leaves a record without its index entry.
    static void damageIndex(const CliFolder& folder, bool wholePage) {
        SQLite::Database db(folder.databasePath(), SQLite::OPEN_READONLY);
        const auto page =
            db.execAndGet("SELECT rootpage FROM sqlite_schema WHERE name = 'Files_FILE'")
                .getInt64();
        const auto pageSize = db.execAndGet("PRAGMA page_size").getInt64();
        QFile file(folder.file(QStringLiteral("DAZU.CFG")));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek((page - 1) * pageSize));
        QByteArray bytes = file.read(pageSize);
        if (wholePage)
            bytes.fill('\x5A');
        else
            bytes[bytes.indexOf("a.dat")] = 'q';
        QVERIFY(file.seek((page - 1) * pageSize) && file.write(bytes) == pageSize);
    }

private Q_SLOTS:
    void check_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("message");
        QTest::newRow("sound") << ""
                               << "DAZU.CFG: correcta\n";
        QTest::newRow("missing file") << "remove"
                                      << "unable to open";
        // Every refusal of a file that is not this program's is the window's test
        // (tst_damageddatabase); one shows that check reports them too.
        QTest::newRow("trigger")
            << "CREATE TRIGGER vaciar AFTER INSERT ON Files BEGIN DELETE FROM FPCHH; END"
            << "el disparador vaciar, que DAZU no usa";
        QTest::newRow("index page overwritten") << "page"
                                                << "database disk image is malformed";
        QTest::newRow("record without index entry")
            << "entry"
            << "DAZU.CFG está dañada:\n  row 1 missing from index Files_FILE";
    }
    void check() {
        QFETCH(QString, damage);
        QFETCH(QString, message);
        CliFolder folder;
        folder.addNames("Files", Words({"a.dat", "b.dat"}));
        const QString name = QStringLiteral("DAZU.CFG");
        if (damage == QLatin1String("remove"))
            QFile::remove(folder.file(name));
        else if (damage == QLatin1String("page") || damage == QLatin1String("entry"))
            damageIndex(folder, damage == QLatin1String("page"));
        else if (!damage.isEmpty())
            SQLite::Database(folder.databasePath(), SQLite::OPEN_READWRITE)
                .exec(damage.toStdString());
        const QByteArray before = folder.read(name);

        const auto checked = folder.run(Words({"check"}));
        QCOMPARE(checked.status, damage.isEmpty() ? 0 : 1);
        QVERIFY2((damage.isEmpty() ? checked.out : checked.err).contains(message),
                 qPrintable(checked.err));
        QCOMPARE(folder.exists(name), damage != QLatin1String("remove"));
        QCOMPARE(folder.read(name), before);
    }
};

QTEST_GUILESS_MAIN(tst_CliCheck)
#include "tst_cli_check.moc"
