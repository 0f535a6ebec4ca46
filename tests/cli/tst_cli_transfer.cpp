// export and import: one PC's whole configuration copied to another, all or nothing.
#include "CliFixture.h"

#include <csignal>
#include <QDir>
#include <QFile>
#include <QTest>
#ifndef _WIN32
#include <sys/resource.h>
#endif

using dazu::test::CliFolder;
using dazu::test::Words;

class tst_CliTransfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("notUtf8");
        QTest::newRow("every field changed, lists replaced") << true << false;
        QTest::newRow("defaults and empty lists") << false << false;
        QTest::newRow("texts and names that are not UTF-8") << false << true;
    }
    void roundTrip() {
        QFETCH(bool, changed);
        QFETCH(bool, notUtf8);
        CliFolder source, target;
        if (notUtf8) {
            // Stored by another program: shown, exported as bytes and imported back the same.
            source.addNames("Files", std::vector<std::string>{"a\xF1o.txt", "b\xFF"});
            QCOMPARE(source.run(std::vector<std::string>{"set", "filehost", "c:\\x\xE9"}).status,
                     0);
            QVERIFY(source.contents().contains(QLatin1String("\"bytes\": \"61f16f2e747874\"")));
        }
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
        const QByteArray good = R"({"Files": ["n"], )";
        QTest::newRow("syntax") << QByteArray("{\"Setup\": {\n  \"Puerto\": 7,,")
                                << "línea 2, columna 15";
        QTest::newRow("not an object") << QByteArray("[1]") << "el documento: se esperaba";
        QTest::newRow("unknown key") << good + R"("Setp": {}})"
                                     << "/Setp: clave desconocida";
        QTest::newRow("field names keep their case")
            << good + R"("Setup": {"Puerto": 7, "puerto": 2}})"
            << "/Setup/puerto: no existe";
        QTest::newRow("text for a number") << good + R"("Setup": {"Puerto": 7, "intervalo": "9"}})"
                                           << "/Setup/intervalo: se esperaba un número";
        QTest::newRow("number for a Yes/No") << good + R"("Setup": {"Puerto": 7, "borrar": 1}})"
                                             << "/Setup/borrar: se esperaba true o false";
        QTest::newRow("over 32 bits") << good + R"("Setup": {"Puerto": 7, "baudios": 4294967296}})"
                                      << "/Setup/baudios: CHECK constraint";
        QTest::newRow("Null") << good + R"("Setup": {"Puerto": 7, "programatm": null}})"
                              << "/Setup/programatm: NOT NULL constraint failed";
        QTest::newRow("list not a list") << good + R"("FPCHH": "a.txt"})"
                                         << "/FPCHH: se esperaba una lista";
        QTest::newRow("name not a text") << good + R"("FPCHH": ["a", 2]})"
                                         << "/FPCHH/1: se esperaba";
        QTest::newRow("name twice") << good + R"("FPCHH": ["a", "b", "A"]})"
                                    << "/FPCHH/2: Entrada ya existe";
        QTest::newRow("name twice, letter case beyond A-Z")
            << good + R"("FPCHH": ["año.txt", "AÑO.TXT"]})"
            << "/FPCHH/1: Entrada ya existe";
        QTest::newRow("NUL in a name") << good + R"("FPCHH": ["a\u0000b"]})"
                                       << "/FPCHH/0: Un nombre de archivo no puede contener";
        QTest::newRow("bytes that are no hexadecimal") << good + R"("FPCHH": [{"bytes": "zz"}]})"
                                                       << "/FPCHH/0: se esperaba";
        QTest::newRow("field given twice") << QByteArray(R"({"Setup": {"Puerto": 7, "Puerto": 8}})")
                                           << "/Setup/Puerto: la clave aparece dos veces";
        QTest::newRow("list given twice") << good + R"("Files": []})"
                                          << "/Files: la clave aparece dos veces";
        QTest::newRow("a device") << QByteArray("/dev/zero") << "no es un archivo normal";
        QTest::newRow("a folder") << QByteArray("/") << "no es un archivo normal";
        QTest::newRow("larger than any configuration")
            << QByteArray("300000000") << "es mayor que 256 MB";
    }
    void brokenDocumentChangesNothing() {
        QFETCH(QByteArray, document);
        QFETCH(QString, message);
        CliFolder target;
        target.addNames("Files", Words({"guardado.dat"}));
        QString path = target.file(QStringLiteral("doc.json"));
        if (document.startsWith('/')) {
            path = QString::fromUtf8(document);
        } else if (document.toLongLong() > 0) { // a sparse file of that size
            QFile large(path);
            QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(document.toLongLong()));
        } else {
            target.write(QStringLiteral("doc.json"), document);
        }
        const QString before = target.contents();
        const auto imported = target.run(Words({"import", "--"}) << path);
        QCOMPARE(imported.status, 1);
        QVERIFY2(imported.err.contains(message), qPrintable(imported.err));
        QCOMPARE(target.contents(), before);
    }

    // export replaces only an earlier document, whole or not at all: never the database or a
    // template, and a disk that fills up half-way leaves the earlier document as it was.
    void exportTarget_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("before"); // the target's bytes first; null for none
        QTest::addColumn<QString>("error");
        QTest::newRow("new file") << "doc.json" << QByteArray() << "";
        QTest::newRow("earlier export") << "doc.json" << QByteArray("{\"Setup\": {}}\n") << "";
        QTest::newRow("the database") << "DAZU.CFG" << QByteArray("=") << "es la base de datos";
        QTest::newRow("the database template")
            << "DefDAZU.CFG" << QByteArray("SQLite format 3") << "no es un documento JSON";
        QTest::newRow("a batch template")
            << "DefDudodeZI410.bat" << QByteArray("@echo off\r\n") << "no es un documento JSON";
        QTest::newRow("disk full")
            << "doc.json" << QByteArray("{\"Setup\": {}}\n") << "No se puede escribir";
    }
    void exportTarget() {
        QFETCH(QString, target);
        QFETCH(QByteArray, before);
        QFETCH(QString, error);
        CliFolder folder;
        if (before == "=")
            before = folder.read(target);
        else if (!before.isNull())
            folder.write(target, before);
        const QString database = folder.contents();
        const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);
        dazu::test::CliResult result;
        if (QTest::currentDataTag() == QByteArrayView("disk full")) {
#ifdef _WIN32
            QSKIP("a file-size limit stands for a full disk on Linux only");
#else
            // The write fails once the file reaches 64 bytes, as on a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{};
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit small = old;
            small.rlim_cur = 64;
            setrlimit(RLIMIT_FSIZE, &small);
            result = folder.run(Words({"export"}) << folder.file(target));
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, SIG_DFL);
#endif
        } else {
            result = folder.run(Words({"export"}) << folder.file(target));
        }
        QCOMPARE(result.status, error.isEmpty() ? 0 : 1);
        QVERIFY2(result.err.contains(error), qPrintable(result.err));
        QCOMPARE(folder.contents(), database);
        if (error.isEmpty()) {
            QVERIFY(folder.read(target).startsWith("{\n  \"Setup\""));
        } else {
            QCOMPARE(folder.read(target), before);
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), filesBefore); // no leftover
        }
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
