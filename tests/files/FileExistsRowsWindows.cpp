#include "FileExistsRows.h"

#include <QDir>
#include <windows.h>

// The attributes are the file system's own: hidden and system files are not normal files,
// read-only and archive ones are.
std::vector<FileExistsRow> MakePlatformFiles(const dazu::test::AppFolder& folder) {
    const auto at = [&folder](const char* name) {
        return QDir::toNativeSeparators(folder.file(QLatin1String(name)));
    };
    const struct {
        const char* name;
        DWORD attributes;
    } files[] = {{"hidden.bat", FILE_ATTRIBUTE_HIDDEN},
                 {"system.bat", FILE_ATTRIBUTE_SYSTEM},
                 {"read-only.bat", FILE_ATTRIBUTE_READONLY},
                 {"archive.bat", FILE_ATTRIBUTE_ARCHIVE}};
    for (const auto& file : files) {
        folder.write(QLatin1String(file.name), "x");
        if (!SetFileAttributesW(at(file.name).toStdWString().c_str(), file.attributes))
            qFatal("Cannot set the attributes of %s", file.name);
    }
    return {
        {"hidden", at("hidden.bat"), false},
        {"system", at("system.bat"), false},
        {"read-only", at("read-only.bat"), true},
        {"archive", at("archive.bat"), true},
        {"forward slashes", folder.file(QStringLiteral("normal.bat")), true},
        {"device", QStringLiteral("NUL"), false},
        {"drive that is not there", QStringLiteral("Q:\\DAZU.CFG"), false},
    };
}
