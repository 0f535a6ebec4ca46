#include "PrepareFolder.h"

#include "Database.h"
#include "DefaultRow.h"
#include "Startup.h"
#include "Transaction.h"

#include <cstdio>

namespace dazu::bench {

namespace fs = std::filesystem;

std::string ListName(std::size_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "ARCH%07zu.TXT", index);
    return name;
}

namespace {

// Each installed file is copied from its template, so that the start-up finds every target
// present and installs nothing: every timed start does the same work.
void copyTemplates(const fs::path& distDirectory, const fs::path& folder) {
    for (const app::InstalledFile& row : app::kInstalledFiles) {
        const fs::path source = distDirectory / row.templateName;
        fs::copy_file(source, folder / row.templateName, fs::copy_options::overwrite_existing);
        fs::copy_file(source, folder / row.target, fs::copy_options::overwrite_existing);
    }
}

void fillList(config::Database& database, std::string_view table, std::size_t namesPerList) {
    config::Recordset list = database.OpenRecordset(table);
    for (std::size_t i = 0; i < namesPerList; ++i) {
        list.AddNew();
        list.Fields("FILE").SetValue(ListName(i));
        list.Update();
    }
}

} // namespace

void PrepareApplicationFolder(const fs::path& distDirectory, const fs::path& folder,
                              std::size_t namesPerList) {
    fs::create_directories(folder);
    const fs::path applicationDirectory = fs::canonical(folder);
    copyTemplates(distDirectory, applicationDirectory);

    config::Configuration tables =
        config::OpenConfiguration((applicationDirectory / "DAZU.CFG").string());
    config::WriteDefaultRow(tables, applicationDirectory.string());
    config::Transaction transaction(tables.database);
    fillList(tables.database, "Files", namesPerList);
    fillList(tables.database, "FPCHH", namesPerList);
    transaction.Commit();
}

} // namespace dazu::bench
