#pragma once

#include <QSize>
#include <QString>

namespace dazu::e2e {

// The settings window as a user meets it.
inline const QString kWindowTitle = QStringLiteral("DAZU - Configuración");
inline constexpr QSize kClientArea{560, 342};

} // namespace dazu::e2e
