#pragma once

#include <cstdint>
#include <QString>
#include <string_view>
#include <vector>

namespace dazu::test {

// The fields of the settings row that the window shows, and so stores with "&Aceptar".
std::vector<std::string_view> ShownFields();

// Generation n (see Churn.h) stored through the window, as a user would in one session: a
// fresh window loaded on the folder, the generation's name added to the list of Files and
// every other name deleted, every shown setting changed to the generation's, "&Aceptar".
// False when a handler failed.
bool WindowChurnRound(const QString& applicationDirectory, std::int64_t n);

} // namespace dazu::test
