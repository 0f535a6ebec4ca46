#include "FileList.h"

namespace dazu::config {

std::vector<std::string> FileNames(Recordset& list) {
    std::vector<std::string> names;
    for (list.MoveFirst(); !list.Eof(); list.MoveNext())
        names.push_back(list.Fields("FILE").Value().toText());
    return names;
}

bool AddFileName(Recordset& list, const std::string& name) {
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
