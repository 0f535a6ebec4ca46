// Loading: the second stage of the load handler, which fills the controls from the settings
// row and both file lists. The order of the steps matters: setting a check box to a new state
// runs its click handler at once, nested in loading, and the join-files handler is also called
// directly while its box still holds its initial state.
#include "Error.h"
#include "SettingsMapping.h"
#include "setup.h"
#include "SystemColor.h"
#include "UpDown.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

using dazu::config::Recordset;
using dazu::dialog::MappingOf;

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
        throw dazu::config::Error("El intervalo \"" + text.toStdString() +
                                  "\" no es un número entero de 32 bits");
    return static_cast<int>(rounded);
}

quint32 captionColour(bool textBoxEnabled) {
    return textBoxEnabled ? dazu::dialog::COLOR_MENUTEXT : dazu::dialog::COLOR_INACTIVECAPTION;
}

// The names of a list table in the order of its index "FILE", appended to the list box.
void fillList(Recordset& table, QListWidget* list) {
    table.Index("FILE");
    QStringList names;
    for (table.MoveFirst(); !table.Eof(); table.MoveNext())
        names << QString::fromStdString(table.Fields("FILE").Value().toText());
    list->addItems(names);
}

} // namespace

dazu::config::Configuration& setup::tables() {
    if (!config_)
        throw dazu::config::Error("La base de datos de configuración no está abierta");
    return config_->tables;
}

void setup::loadSettings() {
    Recordset& Setup = tables().Setup;
    const auto show = [&](std::string_view field) {
        const auto& mapping = MappingOf(field);
        dazu::dialog::ShowSetting(control(QLatin1String(mapping.control)), mapping,
                                  Setup.Fields(field).Value());
    };
    auto* Txtprogramapc = control<QLineEdit>("Txtprogramapc");
    auto* txtprogramatm = control<QLineEdit>("txtprogramatm");
    auto* chkprogramapc = control<QCheckBox>("chkprogramapc");
    auto* chkprogramatm = control<QCheckBox>("chkprogramatm");
    auto* txtintervalo = control<QLineEdit>("txtintervalo");

    Setup.MoveFirst();
    for (const char* field : {"correrprogramapc", "correrprogramatm", "askother"})
        show(field);
    for (const char* field : {"programapc", "programatm", "pathdest"})
        show(field);

    // The program check boxes may still hold their initial state, which raised no click, so
    // their text boxes and captions are brought in line here.
    Txtprogramapc->setEnabled(chkprogramapc->isChecked());
    txtprogramatm->setEnabled(chkprogramatm->isChecked());
    dazu::dialog::SetForeColor(chkprogramatm, captionColour(txtprogramatm->isEnabled()));
    dazu::dialog::SetForeColor(chkprogramapc, captionColour(Txtprogramapc->isEnabled()));
    chkunirarchivos_Click();

    show("modolectura");
    show("intervalo");
    control<dazu::dialog::UpDown>("vscintervalo")->setValue(toWhole32(txtintervalo->text()));

    Setup.MoveFirst();
    for (const char* field : {"borrarhornet", "borrarpc", "borrar", "unirarchivos"})
        show(field);
    for (const char* field : {"filehost", "filetoappend"})
        show(field);

    control<QComboBox>("cmbpuerto")->addItems(kPorts);
    show("Puerto");
    control<QComboBox>("cmbvelocidad")->addItems(kSpeeds);
    show("baudios");

    fillList(tables().Files, control<QListWidget>("List1"));
    fillList(tables().FPCHH, control<QListWidget>("List2"));

    control<QTabWidget>("SSTab1")->setCurrentIndex(0);
    QWidget::show();
}
