#pragma once

#include "Recordset.h"

#include <string>
#include <vector>

// The rules of the two file lists, Files and FPCHH, kept once for every editor of them: the
// window's list editors and dazucfg. Each works on a list table whose index "FILE" is current.
namespace dazu::config {

// The names in the order of the index "FILE".
std::vector<std::string> FileNames(Recordset& list);

// Seeks the name first and adds it, exactly as given, only when no record holds it yet under
// the letter-case rule of LetterCase.h. Returns false when the name was already there; a name
// holding a NUL character throws Error.
bool AddFileName(Recordset& list, const std::string& name);

// Deletes the record of that name: the one holding these very bytes when there is one (the
// window deletes a listed name as stored, whatever bytes it holds), else the one equal under
// the letter-case rule. Returns false when no record holds it.
bool DeleteFileName(Recordset& list, const std::string& name);

} // namespace dazu::config
