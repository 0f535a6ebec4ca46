#pragma once

#include <QtGlobal>

class QWidget;

// Colours of the form 0x800000NN name a system colour by its index NN. A control keeps the
// reference itself and resolves it each time it is drawn, so it follows the colour scheme.
namespace dazu::dialog {

// The names are not Windows' own (COLOR_WINDOW and its siblings): <windows.h> defines those
// as macros for the bare indexes, which would rewrite these constants wherever it is seen.
enum SystemColor : quint32 {
    InactiveCaptionColor = 0x80000003, // COLOR_INACTIVECAPTION
    WindowColor = 0x80000005,          // COLOR_WINDOW
    MenuTextColor = 0x80000007,        // COLOR_MENUTEXT
    WindowTextColor = 0x80000008,      // COLOR_WINDOWTEXT
    ButtonFaceColor = 0x8000000F,      // COLOR_BTNFACE
};

void SetForeColor(QWidget* control, quint32 colour);
quint32 ForeColor(const QWidget* control);
void SetBackColor(QWidget* control, quint32 colour);
quint32 BackColor(const QWidget* control);

} // namespace dazu::dialog
