#include "WindowChurn.h"

#include "Churn.h"
#include "SettingsMapping.h"
#include "WindowUser.h"

#include <algorithm>

namespace dazu::test {

std::vector<std::string_view> ShownFields() {
    std::vector<std::string_view> fields;
    for (const dialog::SettingMapping& mapping : dialog::kSettingsMapping)
        fields.push_back(mapping.field);
    return fields;
}

bool WindowChurnRound(const QString& applicationDirectory, std::int64_t n) {
    const auto window = LoadWindow(applicationDirectory);
    if (FailureShown())
        return false;
    const QString name = QString::fromStdString(ChurnName(n));
    // Already there when the round before was cut short after storing it.
    if (!ListedNames(*window, kFilesList).contains(name))
        AddName(*window, kFilesList, name);
    for (const QString& listed : ListedNames(*window, kFilesList))
        if (listed != name && !FailureShown())
            DeleteName(*window, kFilesList, listed);
    if (FailureShown())
        return false;
    // Set as loading sets them: a check box changed this way runs its click handler.
    const auto shown = ShownFields();
    for (const auto& [field, value] : ChurnSettings(n)) {
        if (std::find(shown.begin(), shown.end(), field) == shown.end())
            continue;
        const dialog::SettingMapping& mapping = dialog::MappingOf(field);
        dialog::ShowSetting(window->controls(), mapping, value);
    }
    Accept(*window);
    return !FailureShown() && !window->isVisible();
}

} // namespace dazu::test
