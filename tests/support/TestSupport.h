#pragma once

#include "Database.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace dazu::test {

// The portable folder the build produced.
QString DistDirectory();
// The file name of one of the shipped programs ("dazu", "dazucfg") on this platform.
QString ProgramFile(const char* name);

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
