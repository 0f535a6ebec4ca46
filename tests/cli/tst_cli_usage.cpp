// The command line: help, wrong usage (status 2, nothing opened), and the built program's
// exit statuses and default folder.
#include "CliFixture.h"

#include <cstdlib>
#include <filesystem>
#include <QProcess>
#include <QTest>

using dazu::test::CliFolder;
using dazu::test::Words;

class tst_CliUsage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void help_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tool") << Words({"-h"}) << "Comandos:\n  show [--json]";
        QTest::newRow("show") << Words({"show", "--help"}) << "Uso: dazucfg [--dir CARPETA] show";
        QTest::newRow("set lists the fields")
            << Words({"--help", "set"}) << "  pathdest          texto, o Null\n";
        QTest::newRow("import") << Words({"import", "--help"}) << "Todo o nada";
    }
    void help() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const auto result = CliFolder().run(arguments);
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.contains(expected), qPrintable(result.out));
    }

    void wrongUsage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList() << "Falta el comando";
        QTest::newRow("unknown command") << Words({"mostrar"}) << "Comando desconocido: mostrar";
        QTest::newRow("unknown option")
            << Words({"show", "--yaml"}) << "Opción desconocida: --yaml";
        QTest::newRow("--json elsewhere") << Words({"check", "--json"}) << "--json no sirve";
        QTest::newRow("missing operand")
            << Words({"set", "Puerto"}) << "Faltan argumentos para set";
        QTest::newRow("unknown field") << Words({"get", "puertos"}) << "No existe el campo puertos";
        QTest::newRow("unknown list")
            << Words({"files", "add", "hh", "a"}) << "Lista desconocida: hh";
        QTest::newRow("list takes no name")
            << Words({"files", "list", "hh-pc", "a"}) << "solo lleva";
    }
    void wrongUsage() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        // A damaged database: wrong usage is told before anything is opened.
        CliFolder folder;
        folder.write(QStringLiteral("DAZU.CFG"), "dañado");
        const auto result = folder.run(arguments);
        QCOMPARE(result.status, 2);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QVERIFY2(result.err.contains(QLatin1String("--help\" para ver")), qPrintable(result.err));
    }

    // The shipped program, started from elsewhere, works on the DAZU.CFG beside it.
    void program_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed");
        QTest::newRow("get from its own folder") << Words({"get", "Puerto"}) << 0 << "1\n";
        QTest::newRow("refused value") << Words({"set", "Puerto", "seis"}) << 1 << "";
        QTest::newRow("wrong usage") << Words({"get"}) << 2 << "";
    }
    void program() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, printed);
        CliFolder folder;
        const QString program = dazu::test::ProgramFile("dazucfg");
        QVERIFY(QFile::copy(dazu::test::DistDirectory() + QLatin1Char('/') + program,
                            folder.file(program)));
        QProcess dazucfg;
        dazucfg.setWorkingDirectory(QDir::rootPath());
        dazucfg.start(folder.file(program), arguments);
        QVERIFY(dazucfg.waitForFinished(30000));
        QCOMPARE(dazucfg.exitStatus(), QProcess::NormalExit);
        QCOMPARE(dazucfg.exitCode(), status);
        QCOMPARE(QString::fromUtf8(dazucfg.readAllStandardOutput()), printed);
        QCOMPARE(dazucfg.readAllStandardError().isEmpty(), status == 0);
    }

    // In a folder whose name is not UTF-8 the program still finds its own DAZU.CFG, not the
    // one of the current directory.
    void programInFolderNotUtf8() {
#ifdef _WIN32
        QSKIP("Windows gives folder names as UTF-16, always convertible");
#else
        CliFolder own, current;
        const std::string folder = own.path().toStdString() + "/carpeta\xF1\xFF";
        QVERIFY(std::filesystem::create_directory(folder));
        std::filesystem::copy_file(dazu::test::DistDirectory().toStdString() + "/dazucfg",
                                   folder + "/dazucfg");
        std::filesystem::copy_file(own.databasePath(), folder + "/DAZU.CFG");
        const std::string command =
            "cd '" + current.path().toStdString() + "' && '" + folder + "/dazucfg' set Puerto 8";
        QCOMPARE(std::system(command.c_str()), 0);
        QCOMPARE(dazu::test::SetupField(folder + "/DAZU.CFG", "Puerto"), dazu::config::Variant(8));
        QCOMPARE(dazu::test::SetupField(current.databasePath(), "Puerto"),
                 dazu::config::Variant(1));
#endif
    }
};

QTEST_GUILESS_MAIN(tst_CliUsage)
#include "tst_cli_usage.moc"
