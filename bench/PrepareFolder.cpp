#include "PrepareFolder.h"

#include "DefaultRow.h"
#include "Recordset.h"
#include "Schema.h"
#include "Startup.h"

#include <cstdio>
#include <memory>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Transaction.h>

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

void fillList(const std::shared_ptr<SQLite::Database>& connection, const config::TableSpec& table,
              std::size_t namesPerList) {
    config::Recordset list(connection, table, config::RecordsetType::Table);
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

    auto connection = std::make_shared<SQLite::Database>(
        (applicationDirectory / "DAZU.CFG").string(), SQLite::OPEN_READWRITE);
    config::VerifyDatabase(*connection);
    SQLite::Transaction transaction(*connection);
    {
        config::Recordset setup(connection, config::SetupTable(), config::RecordsetType::Dynaset);
        config::WriteDefaultRow(setup, applicationDirectory.string());
        fillList(connection, config::FilesTable(), namesPerList);
        fillList(connection, config::FpchhTable(), namesPerList);
    }
    transaction.commit();
}

} // namespace dazu::bench
