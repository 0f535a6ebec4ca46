// Build step: writes the shipped template DefDAZU.CFG from the same schema the program opens.
#include "Database.h"

#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s DESTINO\n", argv[0]);
        return 2;
    }
    try {
        std::filesystem::remove(argv[1]);
        dazu::config::CreateDatabase(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
