#pragma once

#include "Layout.h"
#include "Schema.h"
#include "Variant.h"

#include <string_view>
#include <type_traits>

// The sixteen settings the window shows, each with the control that shows it. Loading reads
// them field by field in its own order; "&Aceptar" writes them back in the order below.
namespace dazu::dialog {

enum class Conversion {
    Flag,   // Yes/No field <-> check box, written back as the box's value 0 or 1
    Text,   // text field <-> the control's text, untrimmed
    Number, // whole-number field <-> decimal text; the database turns the text into the number
};

// One setting: a field of Setup and the member of its control. Built in a constant
// expression, a misspelt field or control does not compile, and a check box shows a Yes/No
// field only.
struct SettingMapping {
    std::string_view field;
    bool nullable; // only a field that may be Null shows a missing value, as empty text
    Conversion conversion;
    CheckBox* WindowControls::*checkBox = nullptr;
    QLineEdit* WindowControls::*textBox = nullptr;
    QComboBox* WindowControls::*comboBox = nullptr;

    constexpr SettingMapping(std::string_view name, CheckBox* WindowControls::*box)
        : field(yesNo(config::SetupField(name)).name)
        , nullable(config::SetupField(name).nullable)
        , conversion(Conversion::Flag)
        , checkBox(box) {}
    // A text box or a combo box, showing its field as text or as a decimal number.
    template <typename Box>
    constexpr SettingMapping(std::string_view name, Box* WindowControls::*box, Conversion shownAs)
        : field(config::SetupField(name).name)
        , nullable(config::SetupField(name).nullable)
        , conversion(shownAs) {
        static_assert(std::is_same_v<Box, QLineEdit> || std::is_same_v<Box, QComboBox>,
                      "only a text box or a combo box shows a text");
        if constexpr (std::is_same_v<Box, QLineEdit>)
            textBox = box;
        else
            comboBox = box;
    }

private:
    static constexpr const config::FieldSpec& yesNo(const config::FieldSpec& field) {
        if (field.kind != config::Kind::YesNo)
            throw std::invalid_argument("a check box shows a Yes/No field only");
        return field;
    }
};

// clang-format off
inline constexpr SettingMapping kSettingsMapping[] = {
    {"correrprogramapc", &WindowControls::chkprogramapc},
    {"correrprogramatm", &WindowControls::chkprogramatm},
    {"programapc",       &WindowControls::Txtprogramapc,   Conversion::Text},
    {"programatm",       &WindowControls::txtprogramatm,   Conversion::Text},
    {"pathdest",         &WindowControls::txtpathdest,     Conversion::Text},
    {"modolectura",      &WindowControls::ChkLectura},
    {"intervalo",        &WindowControls::txtintervalo,    Conversion::Number},
    {"Puerto",           &WindowControls::cmbpuerto,       Conversion::Number},
    {"baudios",          &WindowControls::cmbvelocidad,    Conversion::Number},
    {"borrar",           &WindowControls::chkborrarfiletoappend},
    {"borrarhornet",     &WindowControls::chkborrarhornet},
    {"borrarpc",         &WindowControls::chkborrarhornet2},
    {"unirarchivos",     &WindowControls::chkunirarchivos},
    {"filehost",         &WindowControls::txtfilehost,     Conversion::Text},
    {"filetoappend",     &WindowControls::txtfiletoappend, Conversion::Text},
    {"askother",         &WindowControls::chkotrohh},
};
// clang-format on

// The setting of a field. Used in a constant expression, a field the window does not show
// does not compile.
constexpr const SettingMapping& MappingOf(std::string_view field) {
    for (const SettingMapping& mapping : kSettingsMapping)
        if (mapping.field == field)
            return mapping;
    throw std::invalid_argument("the window does not show this field");
}

// Shows a stored value in its control. Setting a check box to a new state runs its click
// handler, as a user's click does. A missing value where the field may not be Null is a
// failure of the stored data.
void ShowSetting(const WindowControls& controls, const SettingMapping& mapping,
                 const config::Variant& value);

// The value "&Aceptar" writes for a setting.
config::Variant SettingOf(const WindowControls& controls, const SettingMapping& mapping);

} // namespace dazu::dialog
