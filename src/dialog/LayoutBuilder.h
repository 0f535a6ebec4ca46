#pragma once

#include <QHash>
#include <QString>

class QWidget;

namespace dazu::dialog {

// Creates every control of the designed window inside `window`, each in its container, in
// its place and initial state, and chains the keyboard focus in tab-index order. Returns
// the controls by name.
QHash<QString, QWidget*> BuildControls(QWidget& window);

} // namespace dazu::dialog
