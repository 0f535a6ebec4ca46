#pragma once

#include <QFont>

class QStyle;

namespace dazu::dialog {

// The dialog font at the largest size, no larger than the platform's, at which every caption
// of the design fits its control, as the small dialog font it was drawn for did. Where the
// platform's face cannot reach the design's 8 points, a narrower installed face that gets
// closer takes its place.
QFont FittingDialogFont(const QFont& platformFont, const QStyle& style);

} // namespace dazu::dialog
