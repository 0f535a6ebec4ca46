#pragma once

#include "Run.h"
#include "TestSupport.h"

#include <initializer_list>
#include <QStringList>
#include <sstream>

namespace dazu::test {

// Command-line words written as UTF-8 literals.
inline QStringList Words(std::initializer_list<const char*> words) {
    QStringList list;
    for (const char* word : words)
        list << QString::fromUtf8(word);
    return list;
}

struct CliResult {
    int status;
    QString out;
    QString err;
};

// An application folder whose DAZU.CFG holds the default row, as after DAZU's first start.
class CliFolder : public AppFolder {
public:
    CliFolder() { seed(); }

    // Runs the tool in-process on this folder's DAZU.CFG.
    CliResult run(const QStringList& arguments) const {
        std::vector<std::string> words;
        for (const QString& word : arguments)
            words.push_back(word.toStdString());
        return run(words);
    }
    // The same with words given as bytes, which need not be UTF-8.
    CliResult run(std::vector<std::string> arguments) const {
        std::vector<std::string> words{"--dir", path().toStdString()};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::ostringstream out, err;
        const int status = cli::Run(words, "/sin/carpeta/propia", out, err);
        return {status, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
    }

    // Everything stored, as the tool's own JSON, to compare whole configurations.
    QString contents() const {
        const CliResult shown = run(Words({"show", "--json"}));
        if (shown.status != 0)
            qFatal("show failed: %s", qPrintable(shown.err));
        return shown.out;
    }
};

} // namespace dazu::test
