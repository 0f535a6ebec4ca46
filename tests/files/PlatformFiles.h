#pragma once

#include "TestSupport.h"

#include <QString>
#include <vector>

// What only one platform's file system can make, and its folder picker. Each platform's part
// lives in its own source file beside this one.
struct FileExistsRow {
    const char* name;
    QString path;
    bool exists; // whether FileExists counts it as a normal file
};
std::vector<FileExistsRow> MakePlatformFiles(const dazu::test::AppFolder& folder);

// Drives the platform's folder picker behind BrowseForFolder as a user would: the shell's on
// Windows, Qt's elsewhere.
void PickWithTheRealPicker();

// What BrowseForFolder leaves in its 261-character buffer for a chosen folder.
inline QString HandedBack(const QString& folder) {
    return folder + QChar(0) + QString(261 - folder.size() - 1, QLatin1Char(' '));
}
