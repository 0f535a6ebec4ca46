#pragma once

#include "Database.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace dazu::test {

// The programs under test are this build's, or, for the end-to-end scenarios under Wine,
// those of the Windows build: DAZU_TEST_WINDOWS_DIST names its portable folder and
// DAZU_TEST_WINDOWS_LAUNCHER the program that starts them (scripts/win/wine-run).
bool UnderWine();
// The portable folder of the programs under test.
QString DistDirectory();
// The file name of one of the shipped programs ("dazu", "dazucfg") under test.
QString ProgramFile(const char* name);
// The current directory that a relative path on the drive of `path` starts from: the
// process's own, or on Windows, where each drive keeps one, that of the path's drive.
QString CurrentDirectoryFor(const QString& path);
// A path as the program under test names it: Wine shows the Linux root as drive Z:.
QString ProgramPath(const QString& path);

// A fresh application folder: empty, or holding a copy of the portable folder; in the
// temporary folder, or inside the given one.
class AppFolder {
public:
    enum Contents { Empty, CopyOfDist };
    explicit AppFolder(Contents contents = Empty, const QString& parent = {});
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    std::string databasePath() const { return file(QStringLiteral("DAZU.CFG")).toStdString(); }
    bool exists(const QString& name) const;
    QByteArray read(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes) const;
    // Puts a database with the schema and empty tables at the given name.
    void createDatabase(const QString& name = QStringLiteral("DAZU.CFG")) const;

private:
    QTemporaryDir dir_;
};

// Reads one field of the first Setup row through the record operations.
config::Variant SetupField(const std::string& databasePath, const std::string& field);
// The FILE values of a list table in index order.
QStringList ListNames(const std::string& databasePath, const std::string& table);

} // namespace dazu::test
