#include "CommandLine.h"

#include "Failures.h"

namespace dazu::cli {

namespace {
bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}
} // namespace

Invocation ParseCommandLine(const std::vector<std::string>& arguments) {
    Invocation call;
    std::vector<std::string> words;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (optionsEnded || word == "-" || !startsWith(word, "-")) {
            words.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "-h") {
            call.help = true;
        } else if (word == "--json") {
            call.json = true;
        } else if (word == "--dir") {
            if (++i == arguments.size())
                throw UsageError("Falta la carpeta después de --dir");
            call.dir = arguments[i];
        } else if (startsWith(word, "--dir=")) {
            call.dir = word.substr(6);
        } else if (startsWith(word, "--")) {
            throw UsageError("Opción desconocida: " + word);
        } else {
            // A single dash followed by anything else is an operand, such as a negative number.
            words.push_back(word);
        }
    }
    if (call.dir && call.dir->empty())
        throw UsageError("La carpeta de --dir está vacía");
    if (!words.empty()) {
        call.command = words.front();
        call.operands.assign(words.begin() + 1, words.end());
    }
    return call;
}

} // namespace dazu::cli
