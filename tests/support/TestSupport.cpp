#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace dazu::test {

bool UnderWine() {
    return qEnvironmentVariableIsSet("DAZU_TEST_WINDOWS_LAUNCHER");
}

QString DistDirectory() {
    return UnderWine() ? qEnvironmentVariable("DAZU_TEST_WINDOWS_DIST")
                       : QStringLiteral(DAZU_DIST_DIR);
}

QString ProgramFile(const char* name) {
    return QLatin1String(name) +
           (UnderWine() ? QStringLiteral(".exe") : QStringLiteral(DAZU_EXECUTABLE_SUFFIX));
}

QString CurrentDirectoryFor(const QString& path) {
#ifdef Q_OS_WIN
    const QString relative = path.left(2); // "D:" alone names drive D:'s current directory
#else
    Q_UNUSED(path);
    const QString relative = QStringLiteral(".");
#endif
    return QFileInfo(relative).absoluteFilePath();
}

QString ProgramPath(const QString& path) {
    if (!UnderWine())
        return QDir::toNativeSeparators(path);
    return QStringLiteral("Z:") + QString(path).replace(QLatin1Char('/'), QLatin1Char('\\'));
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
