#include "PlainText.h"

#include "Settings.h"
#include "Snapshot.h"

#include <algorithm>

namespace dazu::cli {

namespace {
std::string listBlock(const std::string& title, const std::vector<std::string>& names) {
    std::string text = "\n" + title + "\n";
    if (names.empty())
        text += "  (vacía)\n";
    for (const std::string& name : names)
        text += "  " + name + "\n";
    return text;
}
} // namespace

std::string FormatPlain(const Snapshot& snapshot) {
    std::size_t width = 0;
    for (const auto& [name, value] : snapshot.settings)
        width = std::max(width, name.size());
    std::string text = "Configuración (Setup)\n";
    for (const auto& [name, value] : snapshot.settings) {
        std::string label(name);
        label.resize(width + 2, ' ');
        text += "  " + label + DisplayText(value) + "\n";
    }
    text += listBlock("Archivos del hand-held al PC (hh-pc, Files)", snapshot.files);
    text += listBlock("Archivos del PC al hand-held (pc-hh, FPCHH)", snapshot.fpchh);
    return text;
}

} // namespace dazu::cli
