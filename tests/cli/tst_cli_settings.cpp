// show, get and set: every kind of field, written with the window's conversions.
#include "CliFixture.h"
#include "Schema.h"

#include <QTest>

using dazu::config::Variant;
using dazu::test::CliFolder;
using dazu::test::Words;

Q_DECLARE_METATYPE(Variant)

class tst_CliSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void setThenGet_data() {
        QTest::addColumn<QStringList>("set"); // field as typed, schema name, value
        QTest::addColumn<Variant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Yes/No 1") << Words({"borrar", "borrar", "1"}) << Variant(true) << "Sí";
        QTest::newRow("Yes/No TRUE")
            << Words({"askother", "askother", "TRUE"}) << Variant(true) << "Sí";
        QTest::newRow("Yes/No No") << Words({"limpiar", "limpiar", "No"}) << Variant(false) << "No";
        QTest::newRow("number as text, field in any case")
            << Words({"PUERTO", "Puerto", "8"}) << Variant(8) << "8";
        QTest::newRow("text untrimmed")
            << Words({"programapc", "programapc", " c.exe "}) << Variant(" c.exe ") << " c.exe ";
        QTest::newRow("empty text") << Words({"pathdest", "pathdest", ""}) << Variant("") << "";
    }
    void setThenGet() {
        QFETCH(QStringList, set);
        QFETCH(Variant, stored);
        QFETCH(QString, shown);
        CliFolder folder;
        const auto result = folder.run(Words({"set"}) << set[0] << set[2]);
        QVERIFY2(result.status == 0, qPrintable(result.err));
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), set[1].toStdString()), stored);
        QCOMPARE(folder.run(Words({"get"}) << set[0]).out, shown + QLatin1Char('\n'));
    }

    // A refused value prints the reason and leaves the file as it was, byte for byte.
    void refused_data() {
        QTest::addColumn<QStringList>("set");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << Words({"intervalo", "abc"})
                                 << "cannot store TEXT value in INTEGER column Setup.intervalo";
        QTest::newRow("2 as Yes/No") << Words({"borrar", "2"}) << "no sirve para borrar";
    }
    void refused() {
        QFETCH(QStringList, set);
        QFETCH(QString, message);
        CliFolder folder;
        const QByteArray before = folder.read(QStringLiteral("DAZU.CFG"));
        const auto result = folder.run(Words({"set"}) + set);
        QCOMPARE(result.status, 1);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(folder.read(QStringLiteral("DAZU.CFG")), before);
    }

    void show() {
        CliFolder folder;
        {
            auto tables = dazu::config::OpenConfiguration(folder.databasePath());
            tables.Setup.MoveFirst();
            tables.Setup.Edit();
            tables.Setup.Fields("pathdest").SetValue(Variant());
            tables.Setup.Update();
        }
        folder.addNames("Files", Words({"b.txt", "A.txt"}));
        const QString shown = folder.run(Words({"show"})).out;
        // Every field on its own line in the table's order, the values in one column.
        const QStringList lines = shown.split(QLatin1Char('\n'));
        const auto& fields = dazu::config::SetupTable().fields;
        for (std::size_t i = 0; i < fields.size(); ++i)
            QCOMPARE(lines[qsizetype(i) + 1].left(20).trimmed().toStdString(),
                     std::string(fields[i].name));
        QVERIFY(shown.contains(QStringLiteral("\n  modolectura       Sí\n")));
        QVERIFY(shown.contains(QStringLiteral("\n  pathdest          Null\n")));
        QVERIFY(shown.contains(QStringLiteral("(hh-pc, Files)\n  A.txt\n  b.txt\n")));
        QVERIFY(shown.endsWith(QStringLiteral("(pc-hh, FPCHH)\n  (vacía)\n")));
        QVERIFY(folder.contents().contains(QStringLiteral("\"pathdest\": null,\n")));
    }
};

QTEST_GUILESS_MAIN(tst_CliSettings)
#include "tst_cli_settings.moc"
