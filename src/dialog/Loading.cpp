// Loading: the second stage of the load handler, which fills the controls from the settings
// row and both file lists. The order of the steps matters: setting a check box to a new state
// runs its click handler at once, nested in loading, and the join-files handler is also called
// directly while its box still holds its initial state.
#include "CheckBox.h"
#include "Error.h"
#include "FileList.h"
#include "ListBox.h"
#include "SettingsMapping.h"
#include "setup.h"
#include "SystemColor.h"
#include "UpDown.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <stdexcept>

using dazu::config::Recordset;
using dazu::dialog::MappingOf;
using dazu::dialog::SettingMapping;

namespace {

const QStringList kPorts = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                            QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                            QStringLiteral("7"), QStringLiteral("8")};
const QStringList kSpeeds = {QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600"),
                             QStringLiteral("19200"), QStringLiteral("38400")};

// A text as a 32-bit whole number: rounded to nearest, halves to even.
int toWhole32(const QString& text) {
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    const double rounded = std::nearbyint(number); // the default rounding mode: halves to even
    if (!ok || rounded < std::numeric_limits<int>::min() ||
        rounded > std::numeric_limits<int>::max())
        throw std::runtime_error("El intervalo \"" + text.toStdString() +
                                 "\" no es un número entero de 32 bits");
    return static_cast<int>(rounded);
}

quint32 captionColour(bool textBoxEnabled) {
    return textBoxEnabled ? dazu::dialog::MenuTextColor : dazu::dialog::InactiveCaptionColor;
}

// The names of a list table in the order of its index "FILE", appended to the list box.
void fillList(Recordset& table, dazu::dialog::ListBox* list) {
    table.Index("FILE");
    list->names().setNames(dazu::config::FileNames(table));
}

// Filling an empty box makes its first choice current; the stored value, just shown, is the
// current choice where it is one, so that the drop-down and the arrow keys start from it.
// Otherwise no choice is current, and the box keeps showing the value as stored.
void selectShownChoice(QComboBox* combo) {
    const QString shown = combo->currentText();
    combo->setCurrentIndex(combo->findText(shown));
    combo->setEditText(shown);
}

// The settings in the groups loading shows them in, each group from the first row.
constexpr const SettingMapping* kRunAndPrograms[] = {
    &MappingOf("correrprogramapc"), &MappingOf("correrprogramatm"), &MappingOf("askother"),
    &MappingOf("programapc"),       &MappingOf("programatm"),       &MappingOf("pathdest")};
constexpr const SettingMapping* kDeletingAndJoining[] = {
    &MappingOf("borrarhornet"), &MappingOf("borrarpc"), &MappingOf("borrar"),
    &MappingOf("unirarchivos"), &MappingOf("filehost"), &MappingOf("filetoappend")};
constexpr const SettingMapping& kReadMode = MappingOf("modolectura");
constexpr const SettingMapping& kInterval = MappingOf("intervalo");
constexpr const SettingMapping& kPort = MappingOf("Puerto");
constexpr const SettingMapping& kSpeed = MappingOf("baudios");

} // namespace

dazu::config::Configuration& setup::tables() {
    if (!config_)
        throw dazu::config::Error("La base de datos de configuración no está abierta");
    return config_->tables;
}

void setup::loadSettings() {
    Recordset& Setup = tables().Setup;
    std::vector<std::string_view> shownAsMissing;
    const auto show = [&](const SettingMapping& mapping) {
        const dazu::config::Variant value = Setup.Fields(mapping.field).Value();
        if (value.isNull())
            shownAsMissing.push_back(mapping.field);
        dazu::dialog::ShowSetting(controls_, mapping, value);
    };
    const auto& c = controls_;

    Setup.MoveFirst();
    for (const SettingMapping* mapping : kRunAndPrograms)
        show(*mapping);

    // The program check boxes may still hold their initial state, which raised no click, so
    // their text boxes and captions are brought in line here.
    c.Txtprogramapc->setEnabled(c.chkprogramapc->isChecked());
    c.txtprogramatm->setEnabled(c.chkprogramatm->isChecked());
    dazu::dialog::SetForeColor(c.chkprogramatm, captionColour(c.txtprogramatm->isEnabled()));
    dazu::dialog::SetForeColor(c.chkprogramapc, captionColour(c.Txtprogramapc->isEnabled()));
    chkunirarchivos_Click();

    show(kReadMode);
    show(kInterval);
    {
        // A stored interval outside the spinner's range stays shown as stored; the spinner
        // only clamps its own position.
        const QSignalBlocker quiet(c.vscintervalo);
        c.vscintervalo->setValue(toWhole32(c.txtintervalo->text()));
    }

    Setup.MoveFirst();
    for (const SettingMapping* mapping : kDeletingAndJoining)
        show(*mapping);

    c.cmbpuerto->addItems(kPorts);
    show(kPort);
    selectShownChoice(c.cmbpuerto);
    c.cmbvelocidad->addItems(kSpeeds);
    show(kSpeed);
    selectShownChoice(c.cmbvelocidad);

    fillList(tables().Files, c.List1);
    fillList(tables().FPCHH, c.List2);

    shown_.clear();
    for (const SettingMapping& mapping : dazu::dialog::kSettingsMapping) {
        const bool missing = std::find(shownAsMissing.begin(), shownAsMissing.end(),
                                       mapping.field) != shownAsMissing.end();
        shown_.push_back(missing ? dazu::config::Variant()
                                 : dazu::dialog::SettingOf(controls_, mapping));
    }

    c.SSTab1->setCurrentIndex(0);
    QWidget::show();
}
