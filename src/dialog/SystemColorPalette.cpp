// Without Windows' system colours, each reference takes the palette role of the same part,
// so that a dark colour scheme gives light text as it gives dark backgrounds.
#include <QtGlobal>
#ifndef Q_OS_WIN

#include "SystemColor.h"
#include "SystemColorValue.h"

namespace dazu::dialog {

QColor SystemColorValue(quint32 reference, const QPalette& palette, QPalette::ColorRole ownRole) {
    switch (reference) {
    case InactiveCaptionColor:
        // Dimmed text derived from the text colour: unlike the disabled role of a hand-made
        // palette it always stands out from the background.
        return palette.color(QPalette::Active, QPalette::PlaceholderText);
    case WindowColor:
        return palette.color(QPalette::Active, QPalette::Base);
    case MenuTextColor:
    case WindowTextColor:
        return palette.color(QPalette::Active,
                             ownRole == QPalette::Text ? QPalette::Text : QPalette::WindowText);
    case ButtonFaceColor:
        return palette.color(QPalette::Active, QPalette::Button);
    default:
        return palette.color(QPalette::Active, ownRole);
    }
}

} // namespace dazu::dialog

#endif
