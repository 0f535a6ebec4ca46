#pragma once

#include <QtGlobal>

class QWidget;

// Colours of the form 0x800000NN name a system colour by its index NN. A control keeps the
// reference itself and resolves it each time it is drawn, so it follows the colour scheme.
namespace dazu::dialog {

enum SystemColor : quint32 {
    COLOR_INACTIVECAPTION = 0x80000003,
    COLOR_WINDOW = 0x80000005,
    COLOR_MENUTEXT = 0x80000007,
    COLOR_WINDOWTEXT = 0x80000008,
    COLOR_BTNFACE = 0x8000000F,
};

void SetForeColor(QWidget* control, quint32 colour);
quint32 ForeColor(const QWidget* control);
void SetBackColor(QWidget* control, quint32 colour);
quint32 BackColor(const QWidget* control);

} // namespace dazu::dialog
