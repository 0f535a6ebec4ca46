#pragma once

#include "Schema.h"
#include "SettingsMapping.h"
#include "TestSupport.h"

#include <algorithm>
#include <cstdint>

namespace dazu::test {

// Generation n of what the crash test stores again and again: every field tells n, so that a
// row mixed from two generations shows; the texts are long enough for the row to span several
// pages of the file. Through the window, only the fields it shows.
inline SettingsChanges Generation(std::int64_t n, bool shownOnly) {
    SettingsChanges row;
    int bit = 0;
    for (const config::FieldSpec& field : config::SetupTable().fields) {
        const auto shown = [&](const dialog::SettingMapping& m) { return m.field == field.name; };
        if (shownOnly && std::none_of(std::begin(dialog::kSettingsMapping),
                                      std::end(dialog::kSettingsMapping), shown))
            continue;
        const std::string name(field.name);
        if (field.kind == config::Kind::Text)
            row.emplace_back(name, name + std::to_string(n) + std::string(600, char('a' + n % 26)));
        else if (field.kind == config::Kind::YesNo)
            row.emplace_back(name, ((n >> bit++) & 1) != 0);
        else
            row.emplace_back(name, n);
    }
    return row;
}

// The name that generation n adds to Files, long enough to need a page of its own now and then.
inline QString GenerationName(std::int64_t n) {
    return QStringLiteral("generation-%1-%2")
        .arg(n)
        .arg(QString(200, QLatin1Char(char('a' + n % 26))));
}

} // namespace dazu::test
