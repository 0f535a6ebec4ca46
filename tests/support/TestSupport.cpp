#include "TestSupport.h"

#include "DefaultRow.h"
#include "Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QString ProgramPath(const QString& path) {
    return UnderWine() ? QStringLiteral("Z:") + QString(path).replace(u'/', u'\\')
                       : QDir::toNativeSeparators(path);
}

AppFolder::AppFolder(Contents contents, const QString& parent)
    : dir_((parent.isEmpty() ? QDir::tempPath() : parent) + QStringLiteral("/dazu-XXXXXX")) {
    if (!dir_.isValid())
        qFatal("cannot create a temporary folder");
    // Only what the build ships: the programs and the templates. scripts/run starts the
    // program in the portable folder itself, which then also holds what it installed.
    const QDir dist(DistDirectory());
    const QStringList shipped = {QStringLiteral("dazu*"), QStringLiteral("Def*")};
    for (const QString& name : dist.entryList(shipped, QDir::Files | QDir::CaseSensitive))
        if (contents == CopyOfDist && !QFile::copy(dist.filePath(name), file(name)))
            qFatal("cannot copy %s", qPrintable(name));
}

bool AppFolder::exists(const QString& name) const {
    return QFile::exists(file(name));
}

QByteArray AppFolder::read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void AppFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

QMap<QString, QByteArray> AppFolder::contents() const {
    QMap<QString, QByteArray> entries;
    for (const QFileInfo& entry : QDir(path()).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot))
        entries[entry.fileName()] = !entry.isFile()            ? QByteArray()
                                    : entry.size() > (1 << 20) ? QByteArray::number(entry.size())
                                                               : read(entry.fileName());
    return entries;
}

void AppFolder::seed(const SettingsChanges& changes) const {
    if (!exists(QStringLiteral("DAZU.CFG")) &&
        !QFile::copy(file(QStringLiteral("DefDAZU.CFG")), file(QStringLiteral("DAZU.CFG"))))
        config::CreateDatabase(databasePath());
    auto tables = config::OpenConfiguration(databasePath());
    // As the program stores it: its folder in the system's own form.
    config::WriteDefaultRow(tables, QDir::toNativeSeparators(path()).toStdString());
    // An update that changes no field writes nothing.
    tables.Setup.MoveFirst();
    tables.Setup.Edit();
    for (const auto& [field, value] : changes)
        tables.Setup.Fields(field).SetValue(value);
    tables.Setup.Update();
}

void AppFolder::addNames(const std::string& table, const std::vector<std::string>& names) const {
    if (!exists(QStringLiteral("DAZU.CFG")))
        seed();
    auto list = config::OpenDatabase(databasePath()).OpenRecordset(table);
    for (const std::string& name : names) {
        list.AddNew();
        list.Fields("FILE").SetValue(name);
        list.Update();
    }
}

config::Variant SetupField(const std::string& databasePath, const std::string& field) {
    auto tables = config::OpenConfiguration(databasePath);
    tables.Setup.MoveFirst();
    return tables.Setup.Fields(field).Value();
}

QStringList ListNames(const std::string& databasePath, const std::string& table) {
    auto list = config::OpenDatabase(databasePath).OpenRecordset(table);
    list.Index("FILE");
    QStringList names;
    for (list.MoveFirst(); !list.Eof(); list.MoveNext())
        names << QString::fromStdString(list.Fields("FILE").Value().toText());
    return names;
}

QStringList StoredRow(const std::string& databasePath) {
    auto tables = config::OpenConfiguration(databasePath);
    tables.Setup.MoveFirst();
    QStringList row;
    for (const config::FieldSpec& field : config::SetupTable().fields) {
        const config::Variant value = tables.Setup.Fields(field.name).Value();
        // A text with each byte one character, so that bytes which are not UTF-8 compare
        // exactly.
        const std::string text = value.isNull()                    ? std::string("Null")
                                 : value.isBool() || value.isInt() ? value.toText()
                                                                   : '"' + value.toText() + '"';
        row << QString::fromStdString(std::string(field.name) + " = ") +
                   QString::fromLatin1(text.data(), qsizetype(text.size()));
    }
    return row;
}

QStringList ChangedReadings(const QStringList& before, QStringList now) {
    now.removeIf([&before](const QString& reading) { return before.contains(reading); });
    return now;
}

} // namespace dazu::test
