#pragma once

#include "TestSupport.h"

#include <QString>
#include <vector>

// Files that only one platform's file system can make, with whether FileExists counts each
// as a normal file. Each platform's rows live in its own source file beside this one.
struct FileExistsRow {
    const char* name;
    QString path;
    bool exists;
};
std::vector<FileExistsRow> MakePlatformFiles(const dazu::test::AppFolder& folder);
