// On Windows the references are the system's own colours, read again whenever they change.
#include <QtGlobal>
#ifdef Q_OS_WIN

#include "SystemColorValue.h"

#include <windows.h>

namespace dazu::dialog {

QColor SystemColorValue(quint32 reference, const QPalette&, QPalette::ColorRole) {
    // A COLORREF holds red, green and blue in its three low bytes.
    const COLORREF colour = ::GetSysColor(static_cast<int>(reference & 0xFFu));
    const auto channel = [colour](int shift) {
        return static_cast<int>((colour >> shift) & 0xFFu);
    };
    return QColor(channel(0), channel(8), channel(16));
}

} // namespace dazu::dialog

#endif
