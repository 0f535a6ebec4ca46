#pragma once

#include "Database.h"

#include <QString>

namespace dazu::app {

// What the start-up sequence leaves behind for the window: the database path and the open
// database with its three tables.
struct OpenedConfiguration {
    QString databasePath;
    config::Configuration tables;
};

// The installed-files table: each target is copied from its template when it is missing.
struct InstalledFile {
    const char* target;
    const char* templateName;
};
inline constexpr InstalledFile kInstalledFiles[] = {
    {"DudodeZI410.bat", "DefDudodeZI410.bat"},       // loading direction, PC to hand-held
    {"VavodidedER410.bat", "DefVavodidedER410.bat"}, // unloading direction, hand-held to PC
    {"DAZU.CFG", "DefDAZU.CFG"},                     // the configuration database
};

// The first stage of the window's load handler, run in the given application directory:
// makes it current, installs missing files from their templates, opens DAZU.CFG and writes
// the default settings row into an empty Setup table. Throws on any failure.
OpenedConfiguration RunStartup(const QString& applicationDirectory);

} // namespace dazu::app
