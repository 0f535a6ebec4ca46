#include "SettingsMapping.h"

#include "Error.h"
#include "Schema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <type_traits>

namespace dazu::dialog {

namespace {

void setText(QWidget* control, const QString& text) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        box->setText(text);
        box->setCursorPosition(0); // a long path shows its beginning, not its tail
    } else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setEditText(text);
    else
        throw config::Error("El control " + control->objectName().toStdString() +
                            " no muestra texto");
}

QString textOf(const QWidget* control) {
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    throw config::Error("El control " + control->objectName().toStdString() + " no muestra texto");
}

template <typename Widget> auto* checkBox(Widget* control) {
    auto* box =
        qobject_cast<std::conditional_t<std::is_const_v<Widget>, const QCheckBox, QCheckBox>*>(
            control);
    if (!box)
        throw config::Error("El control " + control->objectName().toStdString() +
                            " no es una casilla");
    return box;
}

bool IsNullable(std::string_view field) {
    for (const config::FieldSpec& definition : config::SetupTable().fields)
        if (definition.name == field)
            return definition.nullable;
    return false;
}

} // namespace

const SettingMapping& MappingOf(std::string_view field) {
    for (const SettingMapping& mapping : kSettingsMapping)
        if (mapping.field == field)
            return mapping;
    throw config::Error("El campo " + std::string(field) + " no se muestra en la ventana");
}

void ShowSetting(QWidget* control, const SettingMapping& mapping, const config::Variant& value) {
    if (value.isNull() && !IsNullable(mapping.field))
        throw config::Error("El campo " + std::string(mapping.field) +
                            " de la tabla Setup no tiene valor");
    switch (mapping.conversion) {
    case Conversion::Flag:
        checkBox(control)->setChecked(value.toBool());
        break;
    case Conversion::Text:
        setText(control, value.isNull() ? QString() : QString::fromStdString(value.toText()));
        break;
    case Conversion::Number:
        setText(control, QString::number(value.toInt()));
        break;
    }
}

config::Variant SettingOf(const QWidget* control, const SettingMapping& mapping) {
    if (mapping.conversion == Conversion::Flag)
        return checkBox(control)->isChecked() ? 1 : 0;
    return textOf(control).toStdString();
}

} // namespace dazu::dialog
