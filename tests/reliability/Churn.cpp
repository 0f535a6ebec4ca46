#include "Churn.h"

#include "Schema.h"

#include <algorithm>
#include <cstdlib>

namespace dazu::test {

std::vector<std::pair<std::string_view, config::Variant>> ChurnSettings(std::int64_t n) {
    std::vector<std::pair<std::string_view, config::Variant>> row;
    int yesNoOrdinal = 0;
    for (const config::FieldSpec& field : config::SetupTable().fields) {
        switch (field.kind) {
        case config::Kind::Text:
            row.emplace_back(field.name, std::string(field.name) + "-" + std::to_string(n) + "-" +
                                             std::string(600, static_cast<char>('a' + n % 26)));
            break;
        case config::Kind::YesNo:
            row.emplace_back(field.name, ((n >> yesNoOrdinal++) & 1) != 0);
            break;
        case config::Kind::Whole:
            row.emplace_back(field.name, n);
            break;
        }
    }
    return row;
}

namespace {
constexpr std::string_view kNamePrefix = "generation-";
}

std::string ChurnName(std::int64_t n) {
    return std::string(kNamePrefix) + std::to_string(n) + "-" +
           std::string(200, static_cast<char>('a' + n % 26));
}

std::int64_t ChurnNameGeneration(const std::string& name) {
    if (name.compare(0, kNamePrefix.size(), kNamePrefix) != 0)
        return -1;
    const char* digits = name.c_str() + kNamePrefix.size();
    char* end = nullptr;
    const std::int64_t n = std::strtoll(digits, &end, 10);
    return end != digits && ChurnName(n) == name ? n : -1;
}

void ChurnStep(config::Configuration& tables, std::int64_t n) {
    tables.Setup.MoveFirst();
    tables.Setup.Edit();
    for (const auto& [field, value] : ChurnSettings(n))
        tables.Setup.Fields(field).SetValue(value);
    tables.Setup.Update();

    tables.Files.AddNew();
    tables.Files.Fields("FILE").SetValue(ChurnName(n));
    tables.Files.Update();
    for (tables.Files.MoveFirst(); !tables.Files.Eof(); tables.Files.MoveNext())
        if (tables.Files.Fields("FILE").Value().toText() != ChurnName(n))
            tables.Files.Delete();
}

std::int64_t ChurnGeneration(config::Recordset& setup,
                             const std::vector<std::string_view>& fields) {
    const config::Variant intervalo = setup.Fields("intervalo").Value();
    if (!intervalo.isInt())
        return -1;
    const std::int64_t n = intervalo.toInt();
    for (const auto& [field, value] : ChurnSettings(n)) {
        const bool looked =
            fields.empty() || std::find(fields.begin(), fields.end(), field) != fields.end();
        if (looked && setup.Fields(field).Value() != value)
            return -1;
    }
    return n;
}

} // namespace dazu::test
