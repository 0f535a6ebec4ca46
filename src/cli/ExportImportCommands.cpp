#include "Commands.h"
#include "ConfigJson.h"
#include "Failures.h"
#include "Snapshot.h"
#include "Transaction.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace dazu::cli {

namespace {

[[noreturn]] void fileFailure(const char* what, const std::string& path) {
    throw Refusal(std::string(what) + " " + path + ": " + std::strerror(errno));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fileFailure("No se puede abrir", path);
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        fileFailure("No se puede leer", path);
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        fileFailure("No se puede crear", path);
    out << text;
    out.close();
    if (!out)
        fileFailure("No se puede escribir", path);
}

} // namespace

void RunExport(const Invocation& call, Context& context) {
    auto tables = config::OpenConfiguration(context.databasePath);
    writeFile(call.operands[0], ToDocument(ReadSnapshot(tables)).dump(2) + "\n");
}

void RunImport(const Invocation& call, Context& context) {
    const std::string& path = call.operands[0];
    const Document document = ParseDocument(readFile(path), path);
    auto tables = config::OpenConfiguration(context.databasePath);
    config::Transaction transaction(tables.database);
    ImportDocument(document, tables);
    transaction.Commit();
}

} // namespace dazu::cli
