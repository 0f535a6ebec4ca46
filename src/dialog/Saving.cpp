// Closing the window: "&Aceptar" stores every shown setting in one edit of the settings row;
// "&Cancelar" writes nothing. Nothing is checked first: the database converts the texts of
// the number fields, or refuses them and the row keeps what it held.
#include "SettingsMapping.h"
#include "setup.h"

#include <cstdlib>
#include <QCoreApplication>

void setup::cmdsetup_Click() {
    dazu::config::Recordset& Setup = tables().Setup;
    Setup.Edit();
    for (const auto& mapping : dazu::dialog::kSettingsMapping)
        Setup.Fields(mapping.field).SetValue(dazu::dialog::SettingOf(controls_, mapping));
    Setup.Update();
    close(); // the last window: the program ends
}

void setup::cmdsetupcancelar_Click() {
    QCoreApplication::exit(EXIT_SUCCESS);
    close();
}
