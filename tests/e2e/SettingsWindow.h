#pragma once

#include <QSize>
#include <QString>

namespace dazu::e2e {

// The settings window as a user meets it.
inline const QString kWindowTitle = QStringLiteral("DAZU - Configuración");
inline constexpr QSize kClientArea{560, 342};

// The window's layout (its fixed client area, its place in the centre of the screen and a
// title bar without minimize and maximize buttons) is still being built. The checks that
// need it are skipped, saying so, until this is turned on.
inline constexpr bool kLayoutInPlace = false;
inline const char* const kLayoutPending = "waits for the window's layout";

} // namespace dazu::e2e
