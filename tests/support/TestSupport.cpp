#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace dazu::test {

QString DistDirectory() {
    return QStringLiteral(DAZU_DIST_DIR);
}

QString ProgramFile(const char* name) {
    return QLatin1String(name) + QStringLiteral(DAZU_EXECUTABLE_SUFFIX);
}

AppFolder::AppFolder(Contents contents, const QString& parent)
    : dir_((parent.isEmpty() ? QDir::tempPath() : parent) + QStringLiteral("/dazu-XXXXXX")) {
    if (!dir_.isValid())
        qFatal("cannot create a temporary folder");
    if (contents == CopyOfDist) {
        // Only what the build ships: the programs and the templates. scripts/run starts the
        // program in the portable folder itself, which then also holds what it installed.
        const QDir dist(DistDirectory());
        const QStringList shipped = {QStringLiteral("dazu*"), QStringLiteral("Def*")};
        for (const QString& name : dist.entryList(shipped, QDir::Files | QDir::CaseSensitive))
            if (!QFile::copy(dist.filePath(name), file(name)))
                qFatal("cannot copy %s", qPrintable(name));
    }
}

bool AppFolder::exists(const QString& name) const {
    return QFile::exists(file(name));
}

QByteArray AppFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void AppFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

void AppFolder::createDatabase(const QString& name) const {
    config::CreateDatabase(file(name).toStdString());
}

config::Variant SetupField(const std::string& databasePath, const std::string& field) {
    auto tables = config::OpenConfiguration(databasePath);
    tables.Setup.MoveFirst();
    return tables.Setup.Fields(field).Value();
}

QStringList ListNames(const std::string& databasePath, const std::string& table) {
    auto db = config::OpenDatabase(databasePath);
    auto rs = db.OpenRecordset(table);
    rs.Index("FILE");
    QStringList names;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        names << QString::fromStdString(rs.Fields("FILE").Value().toText());
    return names;
}

} // namespace dazu::test
