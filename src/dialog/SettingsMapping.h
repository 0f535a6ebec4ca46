#pragma once

#include "Variant.h"

#include <string_view>

class QWidget;

// The sixteen settings the window shows, each with the control that shows it. Loading reads
// them field by field in its own order; "&Aceptar" writes them back in the order below.
namespace dazu::dialog {

enum class Conversion {
    Flag,   // Yes/No field <-> check box, written back as the box's value 0 or 1
    Text,   // text field <-> the control's text, untrimmed
    Number, // whole-number field <-> decimal text; the database turns the text into the number
};

struct SettingMapping {
    std::string_view field;
    const char* control;
    Conversion conversion;
};

inline constexpr SettingMapping kSettingsMapping[] = {
    {"correrprogramapc", "chkprogramapc", Conversion::Flag},
    {"correrprogramatm", "chkprogramatm", Conversion::Flag},
    {"programapc", "Txtprogramapc", Conversion::Text},
    {"programatm", "txtprogramatm", Conversion::Text},
    {"pathdest", "txtpathdest", Conversion::Text},
    {"modolectura", "ChkLectura", Conversion::Flag},
    {"intervalo", "txtintervalo", Conversion::Number},
    {"Puerto", "cmbpuerto", Conversion::Number},
    {"baudios", "cmbvelocidad", Conversion::Number},
    {"borrar", "chkborrarfiletoappend", Conversion::Flag},
    {"borrarhornet", "chkborrarhornet", Conversion::Flag},
    {"borrarpc", "chkborrarhornet2", Conversion::Flag},
    {"unirarchivos", "chkunirarchivos", Conversion::Flag},
    {"filehost", "txtfilehost", Conversion::Text},
    {"filetoappend", "txtfiletoappend", Conversion::Text},
    {"askother", "chkotrohh", Conversion::Flag},
};

const SettingMapping& MappingOf(std::string_view field);

// Shows a stored value in its control. Setting a check box to a new state runs its click
// handler, as a user's click does. Only a field that may be Null (the destination folder)
// shows a missing value, as empty text; anywhere else it is a failure of the stored data.
void ShowSetting(QWidget* control, const SettingMapping& mapping, const config::Variant& value);

// The value "&Aceptar" writes for a control.
config::Variant SettingOf(const QWidget* control, const SettingMapping& mapping);

} // namespace dazu::dialog
