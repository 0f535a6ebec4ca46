#include "FileList.h"

#include "Error.h"

namespace dazu::config {

std::vector<std::string> FileNames(Recordset& list) {
    std::vector<std::string> names;
    list.ForEachText("FILE", [&names](std::string_view name) { names.emplace_back(name); });
    return names;
}

bool AddFileName(Recordset& list, const std::string& name) {
    // No file system takes a NUL in a name, and the engine's index would stop comparing there.
    if (name.find('\0') != std::string::npos)
        throw Error("Un nombre de archivo no puede contener el carácter NUL");
    list.Seek("=", name);
    if (!list.NoMatch())
        return false;
    list.AddNew();
    list.Fields("FILE").SetValue(name);
    list.Update();
    return true;
}

bool DeleteFileName(Recordset& list, const std::string& name) {
    list.Seek("=", name);
    if (list.NoMatch())
        return false;
    list.Delete();
    return true;
}

} // namespace dazu::config
