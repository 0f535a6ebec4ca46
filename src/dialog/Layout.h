#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QtGlobal>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

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

class CheckBox;
class ListBox;
class UpDown;

// The window's controls, one member per control, named as the control's object name.
struct WindowControls {
    QTabWidget* SSTab1;
    QPushButton* cmdsetup;
    QPushButton* cmdsetupcancelar;
    // Tab 0, "Ejecución"
    QGroupBox* Frame2;
    CheckBox* chkprogramapc;
    QLineEdit* Txtprogramapc;
    CheckBox* chkprogramatm;
    QLineEdit* txtprogramatm;
    QLabel* Label1;
    QLineEdit* txtpathdest;
    QPushButton* Command1;
    CheckBox* chkunirarchivos;
    QLabel* lblfilehost;
    QLineEdit* txtfilehost;
    QLabel* Label3;
    QLineEdit* txtfiletoappend;
    CheckBox* chkborrarfiletoappend;
    CheckBox* chkotrohh;
    // Tab 1, "Comunicaciones"
    QGroupBox* Frame1;
    CheckBox* ChkLectura;
    QLabel* Label2;
    QLineEdit* txtintervalo;
    UpDown* vscintervalo;
    QLabel* lblpuerto;
    QComboBox* cmbpuerto;
    QLabel* lblvelocidad;
    QComboBox* cmbvelocidad;
    // Tab 2, "Archivos"
    QGroupBox* Frame3;
    ListBox* List1;
    CheckBox* chkborrarhornet;
    QPushButton* cmmagregar;
    QPushButton* cmmborrar;
    QLineEdit* txtfile;
    QGroupBox* Frame4;
    ListBox* List2;
    CheckBox* chkborrarhornet2;
    QPushButton* cmmagregar2;
    QPushButton* cmmborrar2;
    QLineEdit* txtfile2;
};

// The kind of control each member's class is; a member of any other class does not compile.
template <typename Widget> struct KindOf;
// clang-format off
template <> struct KindOf<QTabWidget>  { static constexpr ControlKind value = ControlKind::TabControl; };
template <> struct KindOf<QGroupBox>   { static constexpr ControlKind value = ControlKind::Frame; };
template <> struct KindOf<QLabel>      { static constexpr ControlKind value = ControlKind::Label; };
template <> struct KindOf<CheckBox>    { static constexpr ControlKind value = ControlKind::CheckBox; };
template <> struct KindOf<QLineEdit>   { static constexpr ControlKind value = ControlKind::TextBox; };
template <> struct KindOf<QComboBox>   { static constexpr ControlKind value = ControlKind::ComboBox; };
template <> struct KindOf<ListBox>     { static constexpr ControlKind value = ControlKind::ListBox; };
template <> struct KindOf<QPushButton> { static constexpr ControlKind value = ControlKind::CommandButton; };
template <> struct KindOf<UpDown>      { static constexpr ControlKind value = ControlKind::UpDown; };
// clang-format on

// The class of a member of WindowControls.
template <typename Member> struct MemberWidget;
template <typename Widget> struct MemberWidget<Widget * WindowControls::*> { using type = Widget; };

// Stores a control, created for its row's kind, in its member.
using Binder = void (*)(WindowControls& controls, QWidget* widget);
template <auto Member> void Bind(WindowControls& controls, QWidget* widget) {
    // The row's kind comes from the member's class, so the widget is of that class.
    controls.*Member = static_cast<typename MemberWidget<decltype(Member)>::type*>(widget);
}

template <auto Member>
inline constexpr ControlKind KindOfMember =
    KindOf<typename MemberWidget<decltype(Member)>::type>::value;

// A row's first columns: the object name, the kind and the binder, all from the member's
// name, so that a misspelt control does not compile.
// clang-format off
#define DAZU_CONTROL(member)                                                                   \
    #member, ::dazu::dialog::KindOfMember<&::dazu::dialog::WindowControls::member>,            \
        &::dazu::dialog::Bind<&::dazu::dialog::WindowControls::member>
// clang-format on

// Where a control sits: the window's client area (no name), a frame, or a page of the tab
// control. The name is the container's object name.
struct Container {
    const char* name = nullptr;
    QGroupBox* WindowControls::*frame = nullptr;
    QTabWidget* WindowControls::*tabs = nullptr;
    int page = -1;
};
// clang-format off
#define DAZU_FRAME(member)                                                                     \
    ::dazu::dialog::Container{#member, &::dazu::dialog::WindowControls::member}
#define DAZU_PAGE(member, number)                                                              \
    ::dazu::dialog::Container{#member, nullptr, &::dazu::dialog::WindowControls::member, number}
// clang-format on

struct ControlSpec {
    const char* name;
    ControlKind kind;
    Binder bind;
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
    // The label that stands before a text or combo box and names it to a screen reader; its
    // row comes before the box's.
    QLabel* WindowControls::*labelledBy = nullptr;
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
