#include "Lists.h"

#include "Error.h"
#include "UsageError.h"

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

std::vector<std::string> ListNames(config::Recordset& list) {
    std::vector<std::string> names;
    for (list.MoveFirst(); !list.Eof(); list.MoveNext())
        names.push_back(list.Fields("FILE").Value().toText());
    return names;
}

void AddName(config::Recordset& list, const std::string& name) {
    list.Seek("=", name);
    if (!list.NoMatch())
        throw config::Error("Entrada ya existe");
    list.AddNew();
    list.Fields("FILE").SetValue(name);
    list.Update();
}

void RemoveName(config::Recordset& list, const std::string& name) {
    list.Seek("=", name);
    if (list.NoMatch())
        throw config::Error("Entrada no existe: " + name);
    list.Delete();
}

void RemoveAllNames(config::Recordset& list) {
    // Delete keeps the position, so MoveNext goes on with the record after the deleted one.
    for (list.MoveFirst(); !list.Eof(); list.MoveNext())
        list.Delete();
}

} // namespace dazu::cli
