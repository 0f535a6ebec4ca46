// On Windows the references are the system's own colours, read when the control is drawn.
#include <QtGlobal>
#ifdef Q_OS_WIN

#include "SystemColorValue.h"

#include <windows.h>

namespace dazu::dialog {

QColor SystemColorValue(quint32 reference, const QPalette&, QPalette::ColorRole) {
    const COLORREF colour = ::GetSysColor(static_cast<int>(reference & 0xFFu));
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

} // namespace dazu::dialog

#endif
