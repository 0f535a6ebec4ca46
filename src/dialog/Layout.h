#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QtGlobal>

// The window as designed: every control with its place, texts and initial state, in one
// table that the window is built from. Positions and sizes are in twips (1/1440 inch), each
// measured from the top-left corner of the control's container.
namespace dazu::dialog {

enum class ControlKind {
    TabControl,
    Frame,
    Label,
    CheckBox,
    TextBox,
    ComboBox,
    ListBox,
    CommandButton,
    UpDown,
};

// The initial states that differ from enabled, unchecked and the plain dialog font.
enum ControlTrait : unsigned {
    Plain = 0,
    Disabled = 1u << 0,
    Checked = 1u << 1,
    Bold = 1u << 2,
    CheckAtRight = 1u << 3, // the caption at the left, the check square at the right end
};

struct Twips {
    int left, top, width, height;
};

// Where a control sits: the window's client area (no name), a frame, or a page of the tab
// control (the tab control's name and the page number).
struct Container {
    const char* name = nullptr;
    int page = -1;
};

struct ControlSpec {
    const char* name;
    ControlKind kind;
    Container container;
    const char* caption; // caption, or a text or combo box's initial text
    const char* toolTip;
    int tabIndex;
    Twips twips;
    unsigned traits = Plain;
    quint32 foreColor = 0; // a system colour reference, or 0 for the platform's own
    quint32 backColor = 0;
    // What a screen reader calls the control where its caption or tool tip would not say it.
    const char* accessibleName = nullptr;
};

// Every control of the window, each after its container.
struct ControlTable {
    const ControlSpec* first;
    const ControlSpec* last;
    const ControlSpec* begin() const { return first; }
    const ControlSpec* end() const { return last; }
};
ControlTable Controls();

// The pages of the tab control `SSTab1`, in order, and the one in front as designed.
inline constexpr const char* kTabCaptions[] = {"Ejecución", "Comunicaciones", "Archivos"};
inline constexpr int kFrontTabAsDesigned = 1;

inline constexpr const char* kWindowCaption = "DAZU - Configuración";
inline constexpr Twips kClientArea = {0, 0, 8400, 5130};

// 15 twips make one pixel at 96 dots per inch; Qt's device-pixel ratio carries the design to
// other screens.
inline constexpr int kTwipsPerPixel = 15;
inline int ToPixels(int twips) {
    return qRound(double(twips) / kTwipsPerPixel);
}
inline QRect ToPixels(const Twips& t) {
    return {ToPixels(t.left), ToPixels(t.top), ToPixels(t.width), ToPixels(t.height)};
}

// A caption as shown: without the "&" that marks the accelerator.
QString VisibleText(const char* caption);
// The name a screen reader gives the control.
QString AccessibleNameOf(const ControlSpec& definition);

} // namespace dazu::dialog
