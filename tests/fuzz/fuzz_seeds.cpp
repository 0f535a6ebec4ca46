// Writes the fuzz target's seed corpus into a folder: the shipped template, and a database
// as a first start leaves it, with names in both lists.
#include "Database.h"
#include "DefaultRow.h"

#include <cstdio>
#include <exception>
#include <filesystem>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s CARPETA\n", argv[0]);
        return 2;
    }
    try {
        const fs::path folder = argv[1];
        fs::create_directories(folder);
        const fs::path empty = folder / "seed-template";
        const fs::path inUse = folder / "seed-in-use";
        fs::remove(empty);
        fs::remove(inUse);
        dazu::config::CreateDatabase(empty.string());
        dazu::config::CreateDatabase(inUse.string());

        auto tables = dazu::config::OpenConfiguration(inUse.string());
        dazu::config::WriteDefaultRow(tables, "/apps/dazu");
        for (dazu::config::Recordset* list : {&tables.Files, &tables.FPCHH}) {
            for (const char* name : {"a.txt", "B.TXT", "c d.txt"}) {
                list->AddNew();
                list->Fields("FILE").SetValue(name);
                list->Update();
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
