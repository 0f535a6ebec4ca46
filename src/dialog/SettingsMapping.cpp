#include "SettingsMapping.h"

#include "CheckBox.h"
#include "Error.h"

#include <QComboBox>
#include <QLineEdit>

namespace dazu::dialog {

void ShowSetting(const WindowControls& controls, const SettingMapping& mapping,
                 const config::Variant& value) {
    if (value.isNull() && !mapping.nullable)
        throw config::Error("El campo " + std::string(mapping.field) +
                            " de la tabla Setup no tiene valor");
    if (mapping.checkBox) {
        (controls.*mapping.checkBox)->setChecked(value.toBool());
        return;
    }
    QString text;
    if (mapping.conversion == Conversion::Number)
        text = QString::number(value.toInt());
    else if (!value.isNull())
        text = QString::fromStdString(value.toText());
    if (mapping.textBox) {
        QLineEdit* box = controls.*mapping.textBox;
        box->setText(text);
        box->setCursorPosition(0); // a long path shows its beginning, not its tail
    } else {
        (controls.*mapping.comboBox)->setEditText(text);
    }
}

config::Variant SettingOf(const WindowControls& controls, const SettingMapping& mapping) {
    if (mapping.checkBox)
        return (controls.*mapping.checkBox)->isChecked() ? 1 : 0;
    if (mapping.textBox)
        return (controls.*mapping.textBox)->text().toStdString();
    return (controls.*mapping.comboBox)->currentText().toStdString();
}

} // namespace dazu::dialog
