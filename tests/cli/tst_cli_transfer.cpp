// export and import: one PC's whole configuration copied to another, all or nothing.
#include "CliFixture.h"

#include <QTest>

using dazu::test::CliFolder;
using dazu::test::Words;

class tst_CliTransfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data() {
        QTest::addColumn<bool>("changed");
        QTest::newRow("every field changed, lists replaced") << true;
        QTest::newRow("defaults and empty lists") << false;
    }
    void roundTrip() {
        QFETCH(bool, changed);
        CliFolder source, target;
        target.addNames("Files", Words({"viejo.dat", "A.DAT"}));
        if (changed) {
            const char* settings[] = {
                "programapc",       "d:\\c.exe", "programatm",       "",     "modolectura", "0",
                "Puerto",           "4",         "baudios",          "9600", "intervalo",   "9",
                "correrprogramapc", "1",         "correrprogramatm", "0",    "enable",      "1",
                "filehost",         "año",       "filetoappend",     " x ",  "borrar",      "1",
                "limpiar",          "0",         "borrarhornet",     "1",    "borrarpc",    "1",
                "unirarchivos",     "1",         "askother",         "1",    "pathdest",    "e:\\r",
                "pathori",          "o"};
            for (std::size_t i = 0; i < std::size(settings); i += 2)
                QCOMPARE(source.run(Words({"set", settings[i], settings[i + 1]})).status, 0);
            source.addNames("Files", Words({"Z.DAT", "a.dat"}));
            source.addNames("FPCHH", Words({"pedidos.txt"}));
        }
        const QString document = source.file(QStringLiteral("pc1.json"));
        QCOMPARE(source.run(Words({"export"}) << document).status, 0);
        const auto imported = target.run(Words({"import"}) << document);
        QVERIFY2(imported.status == 0, qPrintable(imported.err));
        QCOMPARE(target.contents(), source.contents());
    }

    // Refused at the first bad entry, named by its place, though the entries before it were
    // good: the target keeps what it held.
    void brokenDocumentChangesNothing_data() {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("message");
        const QByteArray good = R"({"Setup": {"Puerto": 7}, "Files": ["n"], )";
        QTest::newRow("syntax") << QByteArray("{\"Setup\": {\n  \"Puerto\": 7,,")
                                << "línea 2, columna 15";
        QTest::newRow("not an object") << QByteArray("[1]") << "el documento: se esperaba";
        QTest::newRow("unknown key") << good + R"("Setp": {}})"
                                     << "/Setp: clave desconocida";
        QTest::newRow("field names keep their case") << good + R"("Setup": {"puerto": 2}})"
                                                     << "/Setup/puerto: no existe";
        QTest::newRow("text for a number") << good + R"("Setup": {"intervalo": "9"}})"
                                           << "/Setup/intervalo: se esperaba un número";
        QTest::newRow("number for a Yes/No") << good + R"("Setup": {"borrar": 1}})"
                                             << "/Setup/borrar: se esperaba true o false";
        QTest::newRow("over 32 bits") << good + R"("Setup": {"baudios": 4294967296}})"
                                      << "/Setup/baudios: CHECK constraint";
        QTest::newRow("Null") << good + R"("Setup": {"programatm": null}})"
                              << "/Setup/programatm: NOT NULL constraint failed";
        QTest::newRow("name not a text") << good + R"("FPCHH": ["a", 2]})"
                                         << "/FPCHH/1: se esperaba";
        QTest::newRow("name twice") << good + R"("FPCHH": ["a", "b", "A"]})"
                                    << "/FPCHH/2: Entrada ya existe";
    }
    void brokenDocumentChangesNothing() {
        QFETCH(QByteArray, document);
        QFETCH(QString, message);
        CliFolder target;
        target.addNames("Files", Words({"guardado.dat"}));
        target.write(QStringLiteral("doc.json"), document);
        const QString before = target.contents();
        const auto imported =
            target.run(Words({"import", "--"}) << target.file(QStringLiteral("doc.json")));
        QCOMPARE(imported.status, 1);
        QVERIFY2(imported.err.contains(message), qPrintable(imported.err));
        QCOMPARE(target.contents(), before);
    }

    // Without DAZU.CFG neither command creates anything, not even the document.
    void noDatabase_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("export") << "export";
        QTest::newRow("import") << "import";
    }
    void noDatabase() {
        QFETCH(QString, command);
        CliFolder folder;
        const QString document = folder.file(QStringLiteral("doc.json"));
        if (command == QLatin1String("import"))
            folder.run(Words({"export"}) << document);
        QFile::remove(folder.file(QStringLiteral("DAZU.CFG")));
        const QStringList before = QDir(folder.path()).entryList(QDir::Files);
        const auto result = folder.run(QStringList{command, document});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.err.contains(QLatin1String("unable to open database file")),
                 qPrintable(result.err));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), before);
    }
};

QTEST_GUILESS_MAIN(tst_CliTransfer)
#include "tst_cli_transfer.moc"
