#include "Startup.h"

#include "DefaultRow.h"
#include "ModFiles.h"
#include "Platform.h"

#include <stdexcept>

namespace dazu::app {

namespace {
QString inDirectory(const QString& directory, const char* name) {
    return directory + files::PathSeparator() + QLatin1String(name);
}
} // namespace

OpenedConfiguration RunStartup(const QString& applicationDirectory) {
    if (!files::MakeCurrentDirectory(applicationDirectory))
        throw std::runtime_error(
            (QStringLiteral("No se puede usar el directorio ") + applicationDirectory)
                .toStdString());

    const QString databasePath = inDirectory(applicationDirectory, "DAZU.CFG");

    // An existing target is never replaced; a missing template installs nothing.
    for (const InstalledFile& row : kInstalledFiles) {
        const QString target = inDirectory(applicationDirectory, row.target);
        const QString source = inDirectory(applicationDirectory, row.templateName);
        if (!files::FileExists(target) && files::FileExists(source))
            files::FileCopy(source, target);
    }

    OpenedConfiguration opened{databasePath, config::OpenConfiguration(databasePath.toStdString())};
    config::WriteDefaultRow(opened.tables, applicationDirectory.toStdString());
    return opened;
}

} // namespace dazu::app
