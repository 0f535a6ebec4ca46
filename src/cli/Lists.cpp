#include "Lists.h"

#include "Failures.h"
#include "FileList.h"

namespace dazu::cli {

std::string_view ListTableName(std::string_view direction) {
    if (direction == "hh-pc")
        return "Files";
    if (direction == "pc-hh")
        return "FPCHH";
    throw UsageError("Lista desconocida: " + std::string(direction) + " (use hh-pc o pc-hh)");
}

config::Recordset& OpenList(config::Configuration& tables, std::string_view tableName) {
    config::Recordset& list = tableName == "Files" ? tables.Files : tables.FPCHH;
    list.Index("FILE");
    return list;
}

void AddName(config::Recordset& list, const std::string& name) {
    if (!config::AddFileName(list, name))
        throw Refusal("Entrada ya existe");
}

void RemoveName(config::Recordset& list, const std::string& name) {
    if (!config::DeleteFileName(list, name))
        throw Refusal("Entrada no existe: " + name);
}

void RemoveAllNames(config::Recordset& list) {
    // Delete keeps the position, so MoveNext goes on with the record after the deleted one.
    for (list.MoveFirst(); !list.Eof(); list.MoveNext())
        list.Delete();
}

} // namespace dazu::cli
