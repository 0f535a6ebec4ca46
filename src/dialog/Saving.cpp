// Closing the window: "&Aceptar" stores, in one edit of the settings row, every setting whose
// control differs from what loading showed; a setting left alone keeps whatever the file holds
// by then, which another window or dazucfg may have stored meanwhile, byte for byte.
// "&Cancelar" writes nothing. Nothing is checked first: the database converts the texts of the
// number fields, or refuses them and the row keeps what it held.
#include "SettingsMapping.h"
#include "setup.h"

#include <cstdlib>
#include <QCoreApplication>

void setup::cmdsetup_Click() {
    dazu::config::Recordset& Setup = tables().Setup;
    Setup.Edit();
    std::size_t i = 0;
    for (const auto& mapping : dazu::dialog::kSettingsMapping) {
        const dazu::config::Variant value = dazu::dialog::SettingOf(controls_, mapping);
        if (value != shown_.at(i++))
            Setup.Fields(mapping.field).SetValue(value);
    }
    Setup.Update();
    close(); // the last window: the program ends
}

void setup::cmdsetupcancelar_Click() {
    QCoreApplication::exit(EXIT_SUCCESS);
    close();
}
