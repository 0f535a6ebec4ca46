#include "StoredSettings.h"

#include "Database.h"
#include "DefaultRow.h"
#include "Schema.h"

#include <chrono>
#include <exception>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <type_traits>

namespace dazu::e2e {

using namespace std::chrono_literals;

namespace {

QString Describe(const config::Variant& value) {
    return value.visit([](const auto& held) {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, config::Variant::Null>)
            return QStringLiteral("Null");
        else if constexpr (std::is_same_v<Held, bool>)
            return held ? QStringLiteral("True") : QStringLiteral("False");
        else if constexpr (std::is_same_v<Held, std::int64_t>)
            return QString::number(held);
        else
            return QLatin1Char('"') + QString::fromStdString(held) + QLatin1Char('"');
    });
}

QString Reading(std::string_view field, const config::Variant& value) {
    return QStringLiteral("%1 = %2").arg(
        QLatin1String(field.data(), static_cast<qsizetype>(field.size())), Describe(value));
}

} // namespace

Outcome<QStringList> StoredSettingsRow(const QString& databasePath) {
    try {
        auto tables = config::OpenConfiguration(databasePath.toStdString());
        if (tables.Setup.RecordCount() != 1)
            return Failure{
                QStringLiteral("Setup holds %1 rows, not one").arg(tables.Setup.RecordCount())};
        tables.Setup.MoveFirst();
        QStringList row;
        for (const config::FieldSpec& field : config::SetupTable().fields)
            row << Reading(field.name, tables.Setup.Fields(field.name).Value());
        return row;
    } catch (const std::exception& error) {
        return Failure{QStringLiteral("cannot read the settings row of %1: %2")
                           .arg(databasePath, QString::fromLocal8Bit(error.what()))};
    }
}

Outcome<void> SeedSettings(const test::AppFolder& folder, const SettingsChanges& changes) {
    const QString database = folder.file(QStringLiteral("DAZU.CFG"));
    if (!QFile::copy(folder.file(QStringLiteral("DefDAZU.CFG")), database))
        return Failure{QStringLiteral("cannot copy DefDAZU.CFG to %1").arg(database)};
    try {
        auto tables = config::OpenConfiguration(database.toStdString());
        config::WriteDefaultRow(tables, folder.path().toStdString());
        tables.Setup.MoveFirst();
        tables.Setup.Edit();
        for (const auto& [field, value] : changes)
            tables.Setup.Fields(field).SetValue(value);
        tables.Setup.Update();
        return {};
    } catch (const std::exception& error) {
        return Failure{QStringLiteral("cannot seed the settings of %1: %2")
                           .arg(database, QString::fromLocal8Bit(error.what()))};
    }
}

QStringList WithChanges(QStringList row, const SettingsChanges& changes) {
    for (const auto& [field, value] : changes) {
        const QString name = QString::fromStdString(field) + QStringLiteral(" = ");
        for (QString& reading : row)
            if (reading.startsWith(name))
                reading = Reading(field, value);
    }
    return row;
}

Outcome<void> SeedNames(const test::AppFolder& folder, const std::string& table,
                        const QStringList& names) {
    try {
        auto list = config::OpenDatabase(folder.databasePath()).OpenRecordset(table);
        for (const QString& name : names) {
            list.AddNew();
            list.Fields("FILE").SetValue(name.toStdString());
            list.Update();
        }
        return {};
    } catch (const std::exception& error) {
        return Failure{
            QStringLiteral("cannot seed the names of %1: %2")
                .arg(QString::fromStdString(table), QString::fromLocal8Bit(error.what()))};
    }
}

Outcome<void> WaitForStoredNames(const QString& databasePath, const std::string& table,
                                 const QStringList& names) {
    const QDeadlineTimer deadline(5s);
    for (QStringList stored;; QThread::msleep(20)) {
        try {
            stored = test::ListNames(databasePath.toStdString(), table);
        } catch (const std::exception& error) {
            return Failure{
                QStringLiteral("cannot read the names of %1: %2")
                    .arg(QString::fromStdString(table), QString::fromLocal8Bit(error.what()))};
        }
        if (stored == names)
            return {};
        if (deadline.hasExpired())
            return Failure{QStringLiteral("%1 holds [%2], not [%3]")
                               .arg(QString::fromStdString(table),
                                    stored.join(QStringLiteral(", ")),
                                    names.join(QStringLiteral(", ")))};
    }
}

} // namespace dazu::e2e
