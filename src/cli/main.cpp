// dazucfg: reads, changes, copies and checks the settings of DAZU from the command line.
#include "Run.h"

#include <iostream>
#include <QCoreApplication>
#include <QDir>

int main(int argc, char** argv) {
    // Only for the arguments in the system's encoding and the folder of the executable.
    QCoreApplication application(argc, argv);
    std::vector<std::string> arguments;
    const QStringList words = QCoreApplication::arguments();
    for (qsizetype i = 1; i < words.size(); ++i)
        arguments.push_back(words[i].toStdString());
    const std::string ownFolder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    return dazu::cli::Run(arguments, ownFolder, std::cout, std::cerr);
}
