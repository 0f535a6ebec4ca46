#pragma once

#include <QFont>

class QStyle;

namespace dazu::dialog {

// The platform's dialog font at the largest size, no larger than its own, at which every
// caption of the design fits its control, as the small dialog font it was drawn for did.
QFont FittingDialogFont(const QFont& platformFont, const QStyle& style);

} // namespace dazu::dialog
