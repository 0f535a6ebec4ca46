#pragma once

#include "TestSupport.h"

#include <QDir>

// What only one platform can make or show, from that platform's own source file.

// Adds the rows of tst_Files::fileExists for what only this platform's file system can make,
// made in the folder.
void AddPlatformRows(const dazu::test::AppFolder& folder);

// Drives the platform's folder picker behind BrowseForFolder as a user would: the shell's on
// Windows, Qt's elsewhere.
void PickWithTheRealPicker();

// What BrowseForFolder leaves in its 261-character buffer for a chosen folder.
inline QString HandedBack(const QString& folder) {
    return (QDir::toNativeSeparators(folder) + QChar(0)).leftJustified(261);
}
