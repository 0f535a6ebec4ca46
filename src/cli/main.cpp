// dazucfg: reads, changes, copies and checks the settings of DAZU from the command line.
#include "Run.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <QCoreApplication>
#include <QDir>
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif

namespace {

// The words after the program's name and the folder of the executable, exactly as the system
// gives them. On Linux both are bytes, which need not be UTF-8 (a name another program
// stored, a folder copied from an older system): going through QString would replace such
// bytes, and a changed folder name would not exist. On Windows they come as UTF-16 and become
// UTF-8, the encoding SQLite takes for a file name. An empty folder makes dazucfg refuse
// rather than guess.
struct Invocation {
    std::vector<std::string> arguments;
    std::string ownFolder;
};

#ifdef _WIN32
// The messages are UTF-8, which a console shows right only in that code page; the console
// gets its own back when the program ends.
class ConsoleInUtf8 {
public:
    ConsoleInUtf8()
        : previous_(GetConsoleOutputCP()) {
        if (previous_ != 0)
            SetConsoleOutputCP(CP_UTF8);
    }
    ~ConsoleInUtf8() {
        if (previous_ != 0)
            SetConsoleOutputCP(previous_);
    }
    ConsoleInUtf8(const ConsoleInUtf8&) = delete;
    ConsoleInUtf8& operator=(const ConsoleInUtf8&) = delete;

private:
    const UINT previous_;
};

Invocation invocation(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    Invocation call;
    const QStringList words = QCoreApplication::arguments();
    for (qsizetype i = 1; i < words.size(); ++i)
        call.arguments.push_back(words[i].toStdString());
    call.ownFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    return call;
}
#else
Invocation invocation(int argc, char** argv) {
    Invocation call{std::vector<std::string>(argv + 1, argv + argc), {}};
    char target[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", target, sizeof target);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof target) {
        const std::string program(target, static_cast<std::size_t>(length));
        call.ownFolder = program.substr(0, program.rfind('/'));
        if (call.ownFolder.empty())
            call.ownFolder = "/";
    }
    return call;
}
#endif

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    const ConsoleInUtf8 console;
#endif
    const Invocation call = invocation(argc, argv);
    return dazu::cli::Run(call.arguments, call.ownFolder, std::cout, std::cerr);
}
