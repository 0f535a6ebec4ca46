#pragma once

#include "Database.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

namespace dazu::test {

// Fields of the settings row with the values a test gives them.
using SettingsChanges = std::vector<std::pair<std::string, config::Variant>>;

// The programs under test are this build's, or, for the end-to-end scenarios under Wine,
// those of the Windows build: DAZU_TEST_WINDOWS_DIST names its portable folder and
// DAZU_TEST_WINDOWS_LAUNCHER the program that starts them (scripts/win/wine-run).
bool UnderWine();
// The portable folder of the programs under test.
QString DistDirectory();
// The file name of one of the shipped programs ("dazu", "dazucfg") under test.
QString ProgramFile(const char* name);
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
    // Every entry with the bytes of its files (over 1 MiB their size; a pipe is not read), to
    // compare what a step changed in the folder.
    QMap<QString, QByteArray> contents() const;
    // The one way tests give a folder its stored settings: DAZU.CFG as after the first start
    // (the shipped template, or an empty database where the folder has none, with the default
    // row), with these fields changed.
    void seed(const SettingsChanges& changes = {}) const;
    // Adds names, as stored bytes (which need not be UTF-8), to a file list (table Files or
    // FPCHH), seeding the folder first if needed.
    void addNames(const std::string& table, const std::vector<std::string>& names) const;

private:
    QTemporaryDir dir_;
};

// Reads one field of the first Setup row through the record operations.
config::Variant SetupField(const std::string& databasePath, const std::string& field);
// The FILE values of a list table in index order.
QStringList ListNames(const std::string& databasePath, const std::string& table);
// Every field of the first settings row as "name = value", in the schema's order, so that two
// readings compare field by field and a difference names its field.
QStringList StoredRow(const std::string& databasePath);
// The readings of `now` that `before` lacks: what changed, each naming its field.
QStringList ChangedReadings(const QStringList& before, QStringList now);

// One data row for each entry of a table whose entries have a `name`; the test function takes
// its entry from the column "index".
template <typename Entry, std::size_t N> void AddTableRows(const Entry (&table)[N]) {
    QTest::addColumn<int>("index");
    for (const Entry& entry : table)
        QTest::newRow(entry.name) << int(&entry - table);
}
// The entry of the data row being run.
template <typename Entry, std::size_t N> const Entry& TableRow(const Entry (&table)[N]) {
    QFETCH(int, index);
    return table[index];
}

} // namespace dazu::test
