#pragma once

#include "Layout.h"

namespace dazu::dialog {

// Creates every control of the designed window inside `window`, each in its container, in
// its place and initial state, and chains the keyboard focus in tab-index order.
WindowControls BuildControls(QWidget& window);

} // namespace dazu::dialog
