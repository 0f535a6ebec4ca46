#pragma once

#include <QColor>
#include <QPalette>

namespace dazu::dialog {

// The colour a system colour reference (0x800000NN) stands for right now: the system's own
// colour on Windows; elsewhere the role of the given palette that plays the same part, where
// `ownRole` is the role the control draws that colour with.
QColor SystemColorValue(quint32 reference, const QPalette& palette, QPalette::ColorRole ownRole);

} // namespace dazu::dialog
