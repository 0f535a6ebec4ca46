// dazucfg: every command as a row of words with the exit status, the text printed and what
// changed in DAZU.CFG; a refused command changes no file of the folder. Then the round trip of
// export and import, and the built program finding its own folder.
#include "Run.h"
#include "TestSupport.h"

#include <csignal>
#include <filesystem>
#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <SQLiteCpp/Database.h>
#include <sstream>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

using dazu::test::AppFolder;

namespace {

struct Result {
    int status;
    QByteArray out, err;
};

// Runs dazucfg in-process on the folder; "$DIR" at the start of a word stands for the folder.
Result Run(const AppFolder& folder, std::vector<std::string> words) {
    for (std::string& word : words)
        if (word.rfind("$DIR", 0) == 0)
            word.replace(0, 4, folder.path().toStdString());
    words.insert(words.begin(), {"--dir", folder.path().toStdString()});
    std::ostringstream out, err;
    const int status = dazu::cli::Run(words, "", out, err);
    return {status, QByteArray::fromStdString(out.str()), QByteArray::fromStdString(err.str())};
}

// The settings row and both lists, to name what a command changed.
QStringList Stored(const AppFolder& folder) {
    QStringList stored = dazu::test::StoredRow(folder.databasePath());
    for (const char* table : {"Files", "FPCHH"})
        stored << QLatin1String(table) + ": " +
                      dazu::test::ListNames(folder.databasePath(), table).join(", ");
    return stored;
}

// Writes beyond this size fail, as on a full disk; 0 lifts the limit. The rows that set one
// run on Linux only.
void LimitFileSize([[maybe_unused]] unsigned long size) {
#ifndef Q_OS_WIN
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = size ? size : limit.rlim_max;
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
#endif
}

struct Row {
    const char* name;
    const char* before; // steps apart by "|": sql STATEMENT, write NAME BYTES, size NAME N,
                        // limit N (the largest file a write may make)
    std::vector<std::string> words;
    int status;
    const char* printed;     // part of standard output, or of standard error on a failure
    const char* stored = ""; // the readings that changed, as Stored() gives them
};

#define DOC "write doc.json "
#define IMPORT                                                                                     \
    { "import", "--", "$DIR/doc.json" }
// clang-format off
const Row kRows[] = {
    // Files holds "c\xF1o" (not UTF-8, read back as "c�o"), "B.txt" and "año.txt", added in
    // that order.
    {"help", "", {"-h"}, 0, "Comandos:\n  show [--json]"},
    {"help before the command", "", {"--help", "set"}, 0, "  pathdest          texto, o Null\n"},
    // Wrong usage is told before the damaged DAZU.CFG is opened.
    {"no command", "write DAZU.CFG dañado", {}, 2, "Falta el comando\nEscriba \"dazucfg --help\" para ver el uso."},
    {"unknown command", "write DAZU.CFG dañado", {"mostrar"}, 2, "Comando desconocido: mostrar"},
    {"unknown option", "", {"show", "--yaml"}, 2, "Opción desconocida: --yaml"},
    {"--json elsewhere", "", {"check", "--json"}, 2, "--json no sirve para check"},
    {"missing operand", "", {"set", "Puerto"}, 2, "Faltan argumentos para set\nEscriba \"dazucfg set --help\""},
    {"one operand too many", "", {"files", "list", "hh-pc", "a"}, 2, "solo lleva la lista"},
    {"unknown field", "", {"get", "puertos"}, 2, "No existe el campo puertos"},
    {"unknown list", "", {"files", "add", "hh", "a"}, 2, "Lista desconocida: hh"},
    {"show", "sql UPDATE Setup SET pathdest = NULL", {"show"}, 0, "  pathdest          Null\n"},
    {"show the lists", "", {"show"}, 0,
     "(hh-pc, Files)\n  año.txt\n  B.txt\n  c\xF1o\n\nArchivos del PC al hand-held (pc-hh, FPCHH)\n  (vacía)\n"},
    {"show --json", "sql UPDATE Setup SET pathdest = NULL", {"show", "--json"}, 0, R"("pathdest": null,)"},
    {"show --json, bytes", "", {"show", "--json"}, 0, R"("bytes": "63f16f")"},
    {"list in index order", "", {"files", "list", "hh-pc"}, 0, "año.txt\nB.txt\nc\xF1o\n"},
    {"get", "", {"get", "modolectura"}, 0, "Sí\n"},
    {"set Yes/No 1", "", {"set", "borrar", "1"}, 0, "", "borrar = True"},
    {"set Yes/No TRUE", "", {"set", "askother", "TRUE"}, 0, "", "askother = True"},
    {"set Yes/No No", "", {"set", "limpiar", "No"}, 0, "", "limpiar = False"},
    {"set a number, field in any case", "", {"set", "PUERTO", "8"}, 0, "", "Puerto = 8"},
    {"set a text untrimmed", "", {"set", "programapc", " c.exe "}, 0, "", "programapc = \" c.exe \""},
    {"set letters for a number", "", {"set", "intervalo", "abc"}, 1, "TEXT value in INTEGER column Setup.intervalo"},
    {"set 2 as Yes/No", "", {"set", "borrar", "2"}, 1, "no sirve para borrar"},
    {"add untrimmed", "", {"files", "add", "hh-pc", " C 1.txt"}, 0, "", "Files:  C 1.txt, año.txt, B.txt, c�o"},
    {"add after --", "", {"files", "add", "pc-hh", "--", "-x"}, 0, "", "FPCHH: -x"},
    {"add other bytes", "", {"files", "add", "hh-pc", "c\xF2o"}, 0, "", "Files: año.txt, B.txt, c�o, c�o"},
    // The letter-case rule is the storage's (tst_storage); one row shows dazucfg reports it.
    {"add bytes in another case", "", {"files", "add", "hh-pc", "C\xF1O"}, 1, "dazucfg: Entrada ya existe\n"},
    {"remove by bytes", "", {"files", "remove", "hh-pc", "c\xF1o"}, 0, "", "Files: año.txt, B.txt"},
    {"remove missing", "", {"files", "remove", "pc-hh", "B.txt"}, 1, "Entrada no existe: B.txt"},
    {"check", "", {"check"}, 0, "DAZU.CFG: correcta\n"},
    // Every refusal of a file that is not this program's is the window's test
    // (tst_damageddatabase); one shows that dazucfg refuses them too.
    {"a trigger", "sql CREATE TRIGGER vaciar AFTER INSERT ON Files BEGIN DELETE FROM FPCHH; END", {"check"}, 1,
     "el disparador vaciar, que DAZU no usa"},
    // The list's index taken for the other's, empty: records without their index entries.
    {"check a damaged index", "sql PRAGMA writable_schema = ON; UPDATE sqlite_schema SET rootpage = (SELECT "
     "rootpage FROM sqlite_schema WHERE name = 'FPCHH_FILE') WHERE name = 'Files_FILE'", {"check"}, 1,
     "\n  row 1 missing from index Files_FILE\n"},
    {"export onto the database", "", {"export", "$DIR/DAZU.CFG"}, 1, "es la base de datos"},
    {"export onto a template", "write DefDAZU.CFG SQLite format 3", {"export", "$DIR/DefDAZU.CFG"}, 1, "no es un documento JSON"},
#ifdef Q_OS_WIN // NUL names the null device in every folder
    {"import a device", "", {"import", "/NUL"}, 1, "no es un archivo normal"},
#else // a file-size limit stands for a full disk on Linux only
    {"export over an earlier export, disk full", DOC "{}\n|limit 64", {"export", "$DIR/doc.json"}, 1, "No se puede escribir"},
    // On Windows the path names no device; under Wine a Linux device reads as an endless file.
    {"import a device", "", {"import", "/dev/zero"}, 1, "no es un archivo normal"},
#endif
    {"import over 256 MB", "size doc.json 300000000", IMPORT, 1, "es mayor que 256 MB"},
    {"import", DOC R"({"Files": ["n"], "Setup": {"Puerto": 7}})", IMPORT, 0, "", "Puerto = 7; Files: n"},
    // Refused at the first bad entry, named by its place, though the entries before it were
    // good: nothing is stored.
    {"syntax", DOC "{\"Setup\": {\n  \"Puerto\": 7,,", IMPORT, 1, "línea 2, columna 15"},
    {"not an object", DOC "[1]", IMPORT, 1, "el documento: se esperaba"},
    {"settings not an object", DOC R"({"Setup": [7]})", IMPORT, 1, "/Setup: se esperaba un objeto con los campos"},
    {"unknown key", DOC R"({"Files": ["n"], "Setp": {}})", IMPORT, 1, "/Setp: clave desconocida"},
    {"field names keep their case", DOC R"({"Setup": {"Puerto": 7, "puerto": 2}})", IMPORT, 1, "/Setup/puerto: no existe"},
    {"text for a number", DOC R"({"Setup": {"Puerto": 7, "intervalo": "9"}})", IMPORT, 1, "/Setup/intervalo: se esperaba un número"},
    {"number for a Yes/No", DOC R"({"Files": ["n"], "Setup": {"borrar": 1}})", IMPORT, 1, "/Setup/borrar: se esperaba true o false"},
    {"Null", DOC R"({"Files": ["n"], "Setup": {"programatm": null}})", IMPORT, 1, "/Setup/programatm: NOT NULL constraint"},
    {"a list not a list", DOC R"({"Files": ["n"], "FPCHH": "a.txt"})", IMPORT, 1, "/FPCHH: se esperaba una lista"},
    {"a name not a text", DOC R"({"FPCHH": ["a", 2]})", IMPORT, 1, "/FPCHH/1: se esperaba"},
    {"NUL in a name", DOC R"({"FPCHH": ["a\u0000b"]})", IMPORT, 1, "/FPCHH/0: Un nombre de archivo no puede contener el carácter NUL"},
    {"bytes that are no hexadecimal", DOC R"({"FPCHH": [{"bytes": "zz"}]})", IMPORT, 1, "/FPCHH/0: se esperaba"},
    {"a field twice", DOC R"({"Setup": {"Puerto": 7, "Puerto": 8}})", IMPORT, 1, "/Setup/Puerto: la clave aparece dos veces"},
    {"a key twice in an entry", DOC R"({"Files": ["n", {"bytes": "6e", "bytes": "6f"}]})", IMPORT, 1, "/Files/1/bytes: la clave"},
};
// clang-format on

} // namespace

class tst_Cli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void command_data() { dazu::test::AddTableRows(kRows); }
    void command() {
        const Row& r = dazu::test::TableRow(kRows);
        AppFolder folder;
        folder.addNames("Files", {"c\xF1o", "B.txt", "año.txt"});
        for (const QByteArray& step : QByteArray(r.before).split('|')) {
            const QList<QByteArray> words = step.split(' ');
            const QString name = QString::fromUtf8(words.value(1));
            const QByteArray rest = step.mid(words[0].size() + words.value(1).size() + 2);
            if (words[0] == "sql")
                SQLite::Database(folder.databasePath(), SQLite::OPEN_READWRITE)
                    .exec(step.mid(4).toStdString());
            else if (words[0] == "write")
                folder.write(name, rest);
            else if (QFile file(folder.file(name)); words[0] == "size") // sparse
                QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(rest.toLongLong()));
            else if (words[0] == "limit")
                LimitFileSize(name.toULong());
        }
        const auto files = folder.contents();
        const QStringList before = r.status == 0 ? Stored(folder) : QStringList();
        const Result result = Run(folder, r.words);
        LimitFileSize(0);
        QCOMPARE(result.status, r.status);
        QCOMPARE((r.status ? result.out : result.err), QByteArray());
        QVERIFY2((r.status ? result.err : result.out).contains(r.printed), result.err.constData());
        const QStringList after = r.status == 0 ? Stored(folder) : QStringList();
        QCOMPARE(dazu::test::ChangedReadings(before, after).join("; "),
                 QString::fromUtf8(r.stored));
        if (r.status != 0)
            QCOMPARE(folder.contents(), files);
    }

    // One PC's settings and lists, every field unlike the other's, texts and names that are
    // not UTF-8 among them: export over an earlier document, and import replaces the other's.
    void roundTrip() {
        AppFolder source, target;
        source.addNames("Files", {"a\xF1o.txt", "b\xFF", "Z.DAT"});
        source.addNames("FPCHH", {"pedidos.txt"});
        SQLite::Database(source.databasePath(), SQLite::OPEN_READWRITE)
            .exec("UPDATE Setup SET programapc = 'd:\\c.exe', programatm = '', modolectura = 0,"
                  "Puerto = 4, baudios = 9600, intervalo = 9, correrprogramapc = 1,"
                  "correrprogramatm = 0, enable = 1, filetoappend = ' x ', borrar = 1,"
                  "limpiar = 0, borrarhornet = 1, borrarpc = 1, unirarchivos = 1, askother = 1,"
                  "pathori = 'o', filehost = 'c:\\x' || x'E9'");
        target.addNames("Files", {"viejo.dat"});
        // A letter beyond ASCII in the name: the document is that file and no other.
        const QString document = QStringLiteral("configuración.json");
        source.write(document, "{\"Setup\": {}}\n");
        QCOMPARE(Run(source, {"export", "$DIR/" + document.toStdString()}).status, 0);
        QCOMPARE(QDir(source.path()).entryList({"*.json"}), QStringList{document});
        QCOMPARE(Run(target, {"import", source.file(document).toStdString()}).err, QByteArray());
        QCOMPARE(Run(target, {"show", "--json"}).out, Run(source, {"show", "--json"}).out);
    }

    // Started from a directory without DAZU.CFG, the shipped program works on the one beside
    // it, in a folder whose name is not UTF-8 on Linux; in-process, a folder it cannot know is
    // refused.
    void ownFolder() {
        AppFolder current, top;
        top.addNames("FPCHH", {"propio.txt"});
        const QString program = dazu::test::ProgramFile("dazucfg");
#ifdef Q_OS_WIN // Windows gives folder names as UTF-16, always convertible
        const std::filesystem::path own = top.path().toStdWString();
        const QString started = top.file(program);
        const QByteArray end = "\r\n"; // standard output is a text stream
#else // started through a link, which the program resolves to its folder
        const std::filesystem::path own = top.path().toStdString() + "/carpeta\xF1\xFF";
        const QString started = top.file("enlace");
        const QByteArray end = "\n";
        std::filesystem::create_directory(own);
        std::error_code ignored;
        const auto removed = qScopeGuard([&] { std::filesystem::remove_all(own, ignored); });
        std::filesystem::create_symlink(own / program.toStdString(), started.toStdString());
        std::filesystem::copy_file(top.databasePath(), own / "DAZU.CFG");
#endif
        std::filesystem::copy_file((dazu::test::DistDirectory() + '/' + program).toStdString(),
                                   own / program.toStdString());
        QProcess dazucfg;
        dazucfg.setWorkingDirectory(current.path());
        dazucfg.start(started, {"files", "list", "pc-hh"});
        QVERIFY(dazucfg.waitForFinished(30000));
        QCOMPARE(dazucfg.readAllStandardOutput(), "propio.txt" + end);
        std::ostringstream out, err;
        QCOMPARE(dazu::cli::Run({"get", "Puerto"}, "carpeta", out, err), 1);
        QVERIFY(err.str().find("No se puede saber la carpeta de dazucfg") != std::string::npos);
    }
};

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
