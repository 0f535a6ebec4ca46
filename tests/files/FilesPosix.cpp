#include "PlatformFiles.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

// Linux has no hidden attribute: a leading dot hides a file.
std::vector<FileExistsRow> MakePlatformFiles(const dazu::test::AppFolder& folder) {
    const auto at = [&folder](const char* name) { return folder.file(QLatin1String(name)); };
    folder.write(QStringLiteral(".hidden"), "x");
    folder.write(QStringLiteral("read-only.bat"), "x");
    QFile::setPermissions(at("read-only.bat"), QFile::ReadOwner);
    QDir(folder.path()).mkdir(QStringLiteral("linked-folder"));
    if (!QFile::link(at("normal.bat"), at("link.bat")) ||
        !QFile::link(at("linked-folder"), at("link-to-folder")) ||
        ::mkfifo(QFile::encodeName(at("pipe")).constData(), 0600) != 0)
        qFatal("Cannot make the links and the pipe");
    // clang-format off
    return {{"hidden", at(".hidden"), false}, {"read-only", at("read-only.bat"), true},
            {"link to a file", at("link.bat"), true}, {"link to a folder", at("link-to-folder"), false},
            {"fifo", at("pipe"), false}, {"device", QStringLiteral("/dev/null"), false}};
    // clang-format on
}
