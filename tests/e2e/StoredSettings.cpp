#include "StoredSettings.h"

#include "Database.h"
#include "DefaultRow.h"
#include "Schema.h"

#include <exception>
#include <QFile>
#include <type_traits>

namespace dazu::e2e {

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
            row << QStringLiteral("%1 = %2").arg(
                QLatin1String(field.name.data(), static_cast<qsizetype>(field.name.size())),
                Describe(tables.Setup.Fields(field.name).Value()));
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
        config::WriteDefaultRow(tables.Setup, folder.path().toStdString());
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

} // namespace dazu::e2e
