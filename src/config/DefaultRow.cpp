#include "DefaultRow.h"

#include "Database.h"
#include "Transaction.h"

namespace dazu::config {

std::vector<std::pair<std::string_view, Variant>>
DefaultSettings(const std::string& applicationDirectory) {
    return {
        {"programapc", "c:\\windows\\calc.exe"},
        {"programatm", "roza5.exe"},
        {"modolectura", true},
        {"Puerto", 1},
        {"baudios", 38400},
        {"intervalo", 5000},
        {"correrprogramapc", false},
        {"correrprogramatm", true},
        {"enable", false},
        {"filehost", "c:\\xxx\\mezcla.txt"},
        {"filetoappend", "C:\\Tevan\\Vendra PlugIns\\KQ-410 PC\\Source\\zedirad.txt"},
        {"borrar", false},
        {"limpiar", true},
        {"borrarhornet", false},
        {"borrarpc", false},
        {"unirarchivos", false},
        {"askother", false},
        {"pathdest", applicationDirectory},
        {"pathori", ""},
    };
}

void WriteDefaultRow(Configuration& opened, const std::string& applicationDirectory) {
    Recordset& setup = opened.Setup;
    if (setup.RecordCount() != 0)
        return;
    Transaction transaction(opened.database);
    if (setup.RecordCount() != 0)
        return;
    setup.AddNew();
    for (const auto& [field, value] : DefaultSettings(applicationDirectory))
        setup.Fields(field).SetValue(value);
    setup.Update();
    transaction.Commit();
}

} // namespace dazu::config
