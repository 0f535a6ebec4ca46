// The other program of the reliability tests:  dazu_reliability_helper FOLDER STEP...
// works the window on the folder in a session of its own (see WorkWindow) and prints what it
// met, a line each; its exit status is the program's, 1 after a failure. Or, with the one
// step churn or windowchurn, it stores generation after generation (Generation.h) until it is
// killed, through the record operations or through a new window each time, and reports
// "ready" after the first.
#include "Generation.h"
#include "MsgBox.h"
#include "WindowUser.h"

#include <csignal>
#include <cstdio>
#include <QApplication>
#include <sys/prctl.h>

namespace {

// The row and the name of generation n, then every other name deleted.
void store(const QString& folder, std::int64_t n) {
    auto tables = dazu::config::OpenConfiguration(folder.toStdString() + "/DAZU.CFG");
    tables.Setup.MoveFirst();
    tables.Setup.Edit();
    for (const auto& [field, value] : dazu::test::Generation(n, false))
        tables.Setup.Fields(field).SetValue(value);
    tables.Setup.Update();
    const std::string name = dazu::test::GenerationName(n).toStdString();
    tables.Files.AddNew();
    tables.Files.Fields("FILE").SetValue(name);
    tables.Files.Update();
    for (tables.Files.MoveFirst(); !tables.Files.Eof(); tables.Files.MoveNext())
        if (tables.Files.Fields("FILE").Value().toText() != name)
            tables.Files.Delete();
}

bool failed = false; // a failure ends the churn

// The same as a user in one session: a new window, the name added (unless a session cut short
// stored it already), every other name deleted, the shown settings changed, "&Aceptar".
void storeInWindow(const QString& folder, std::int64_t n) {
    const auto window = dazu::test::LoadWindow(folder);
    const QString name = dazu::test::GenerationName(n);
    if (!failed && !dazu::test::ListedNames(*window, dazu::test::kFilesList).contains(name))
        dazu::test::AddName(*window, dazu::test::kFilesList, name);
    for (const QString& listed : dazu::test::ListedNames(*window, dazu::test::kFilesList))
        if (listed != name && !failed)
            dazu::test::DeleteName(*window, dazu::test::kFilesList, listed);
    // Set as loading sets them: a check box changed this way runs its click handler.
    for (const auto& [field, value] : dazu::test::Generation(n, true))
        dazu::dialog::ShowSetting(window->controls(), dazu::dialog::MappingOf(field), value);
    if (!failed)
        dazu::test::Accept(*window);
}

} // namespace

int main(int argc, char** argv) {
    ::prctl(PR_SET_PDEATHSIG, static_cast<unsigned long>(SIGKILL)); // ends with its test
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1; // the steps are not Qt's options
    QApplication application(qtArgc, argv);
    const QString folder = QString::fromLocal8Bit(argc > 1 ? argv[1] : "");
    QStringList steps;
    for (int i = 2; i < argc; ++i)
        steps << QString::fromLocal8Bit(argv[i]);
    if (steps == QStringList{"churn"} || steps == QStringList{"windowchurn"}) {
        dazu::app::SetMsgBoxPresenter([](const QString& prompt, int, const QString&) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(prompt));
            failed = true;
        });
        const std::int64_t first =
            dazu::test::SetupField(folder.toStdString() + "/DAZU.CFG", "intervalo").toInt();
        for (std::int64_t n = first + 1; n < first + 20000 && !failed;
             ++n) { // bounded, should the test be gone
            if (steps[0] == "churn")
                store(folder, n);
            else
                storeInWindow(folder, n);
            if (n == first + 1)
                std::printf("ready\n");
            std::fflush(stdout);
        }
        return 1;
    }
    const QStringList met = dazu::test::WorkWindow(folder, steps);
    for (const QString& line : met)
        std::printf("%s\n", qUtf8Printable(line));
    return met.filter(QStringLiteral("DAZU|16|")).isEmpty() ? 0 : 1;
}
