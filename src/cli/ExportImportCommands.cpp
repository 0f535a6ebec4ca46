#include "Commands.h"
#include "ConfigJson.h"
#include "DocumentPath.h"
#include "Failures.h"
#include "Snapshot.h"
#include "Transaction.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace dazu::cli {

namespace {

namespace fs = std::filesystem;

// Far above any real configuration (two lists of 100,000 long names take a few megabytes), yet
// a device or a runaway file is refused before it fills the memory.
constexpr std::uintmax_t kLargestDocument = 256u * 1024 * 1024;

[[noreturn]] void fileFailure(const char* what, const std::string& path) {
    throw Refusal(std::string(what) + " " + path + ": " + std::strerror(errno));
}

[[noreturn]] void tooLarge(const std::string& path) {
    throw Refusal("No se importa " + path + ": es mayor que " +
                  std::to_string(kLargestDocument / (1024 * 1024)) +
                  " MB, más que cualquier configuración");
}

std::string readDocument(const std::string& path) {
    const fs::path file = DocumentPath(path);
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (NamesDevice(path) || (!error && fs::exists(status) && !fs::is_regular_file(status)))
        throw Refusal("No se importa " + path + ": no es un archivo normal");
    if (!error && fs::exists(status) && fs::file_size(file, error) > kLargestDocument)
        tooLarge(path);
    std::ifstream in(file, std::ios::binary);
    if (!in)
        fileFailure("No se puede abrir", path);
    // Read with a bound, whatever the file turned into since the check above.
    std::string text;
    char block[65536];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        text.append(block, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kLargestDocument)
            tooLarge(path);
    }
    if (in.bad())
        fileFailure("No se puede leer", path);
    return text;
}

// An existing target is replaced only when it is an earlier document: never the database,
// a template or any other file that does not start as a JSON object.
void refuseToReplace(const std::string& target, const std::string& databasePath) {
    const fs::path file = DocumentPath(target);
    std::error_code error;
    if (!fs::exists(file, error))
        return;
    if (fs::equivalent(file, DocumentPath(databasePath), error))
        throw Refusal("No se exporta sobre " + target + ": es la base de datos de configuración");
    std::ifstream in(file, std::ios::binary);
    char first = 0;
    while (in.get(first) && std::isspace(static_cast<unsigned char>(first)))
        ;
    if (!fs::is_regular_file(file, error) || !in || first != '{')
        throw Refusal("No se exporta sobre " + target +
                      ": ya existe y no es un documento JSON de export");
}

// Written beside the target and renamed over it: a reader, or a full disk, sees the old
// document or the new one, never a part of one.
void writeWhole(const std::string& target, const std::string& text) {
    std::random_device random;
    const std::string temporary = target + ".tmp-" + std::to_string(random());
    const fs::path partial = DocumentPath(temporary);
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out)
            fileFailure("No se puede crear", temporary);
        out << text;
        out.close();
        if (!out) {
            const int reason = errno;
            std::error_code ignored;
            fs::remove(partial, ignored);
            errno = reason;
            fileFailure("No se puede escribir", target);
        }
    }
    std::error_code error;
    fs::rename(partial, DocumentPath(target), error);
    if (error) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        throw Refusal("No se puede escribir " + target + ": " + error.message());
    }
}

} // namespace

void RunExport(const Invocation& call, Context& context) {
    const std::string& target = call.operands[0];
    auto tables = config::OpenConfiguration(context.databasePath);
    const std::string text = ToDocument(ReadSnapshot(tables)).dump(2) + "\n";
    refuseToReplace(target, context.databasePath);
    writeWhole(target, text);
}

void RunImport(const Invocation& call, Context& context) {
    const std::string& path = call.operands[0];
    const Document document = ParseDocument(readDocument(path), path);
    auto tables = config::OpenConfiguration(context.databasePath);
    config::Transaction transaction(tables.database);
    ImportDocument(document, tables);
    transaction.Commit();
}

} // namespace dazu::cli
