#include "Help.h"

#include "Commands.h"
#include "Settings.h"

#include <algorithm>

namespace dazu::cli {

namespace {
std::string usageLine(const CommandSpec& command) {
    std::string line = "dazucfg [--dir CARPETA] " + std::string(command.name);
    if (!command.synopsis.empty())
        line += " " + std::string(command.synopsis);
    return line;
}
} // namespace

std::string ToolHelp() {
    std::string text = "Uso: dazucfg [--dir CARPETA] COMANDO [ARGUMENTOS]\n\n"
                       "Lee y cambia la configuración de DAZU (DAZU.CFG) con las reglas de la "
                       "ventana.\nNunca crea DAZU.CFG: DAZU lo instala la primera vez "
                       "que se abre.\n\nComandos:\n";
    std::size_t width = 0;
    for (const CommandSpec& c : AllCommands())
        width = std::max(width, c.name.size() + 1 + c.synopsis.size());
    for (const CommandSpec& c : AllCommands()) {
        std::string head = std::string(c.name) + " " + std::string(c.synopsis);
        head.resize(width + 2, ' ');
        text += "  " + head + std::string(c.summary) + "\n";
    }
    text += "\nOpciones:\n"
            "  --dir CARPETA   usa el DAZU.CFG de CARPETA (si no, el de la carpeta de dazucfg)\n"
            "  --help, -h      muestra esta ayuda; \"dazucfg COMANDO --help\", la de un comando\n"
            "\nEstado de salida: 0 éxito, 1 operación rechazada o fallida, 2 uso incorrecto.\n";
    return text;
}

std::string CommandHelp(const CommandSpec& command) {
    std::string text = "Uso: " + usageLine(command) + "\n\n" + std::string(command.details);
    if (command.name == "get" || command.name == "set")
        text += "\nCampos:\n" + FieldListText();
    return text;
}

std::string HelpHint(const std::string& command) {
    if (FindCommand(command))
        return "Escriba \"dazucfg " + command + " --help\" para ver su uso.";
    return "Escriba \"dazucfg --help\" para ver el uso.";
}

} // namespace dazu::cli
