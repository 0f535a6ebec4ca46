#include "Commands.h"

#include <algorithm>

namespace dazu::cli {

const std::vector<CommandSpec>& AllCommands() {
    static const std::vector<CommandSpec> commands{
        {"show", "[--json]", "muestra la configuración y las listas",
         "Muestra los 19 campos de la configuración (Null se muestra como tal) y las dos\n"
         "listas de archivos en el orden del índice. Con --json escribe el mismo documento\n"
         "que export.\n",
         0, 0, true, &RunShow},
        {"get", "CAMPO", "muestra un campo",
         "Escribe el valor de CAMPO: Sí/No, número decimal, texto o Null.\n", 1, 1, false, &RunGet},
        {"set", "CAMPO VALOR", "cambia un campo",
         "Guarda VALOR en CAMPO con las conversiones de la ventana: un campo Sí/No acepta\n"
         "0/1, true/false o Sí/No; un número se escribe como texto decimal y lo convierte la\n"
         "base de datos. Un valor rechazado deja la configuración como estaba.\n",
         2, 2, false, &RunSet},
        {"files", "list|add|remove LISTA [NOMBRE]", "muestra o cambia una lista de archivos",
         "LISTA es hh-pc, los archivos del hand-held al PC (tabla Files), o pc-hh, los del\n"
         "PC al hand-held (tabla FPCHH). list los muestra en el orden del índice; add agrega\n"
         "NOMBRE tal como se escribe y remove lo quita. Un nombre que ya está en su lista,\n"
         "sin distinguir mayúsculas de minúsculas, se rechaza con \"Entrada ya existe\".\n",
         2, 3, false, &RunFiles},
        {"export", "ARCHIVO.json", "guarda la configuración en JSON",
         "Escribe la configuración y las dos listas en ARCHIVO.json, con las claves Setup,\n"
         "Files y FPCHH. Un texto que no es UTF-8 se escribe como {\"bytes\": \"hex\"}. Solo\n"
         "reemplaza un documento anterior, entero o nada: nunca DAZU.CFG ni una plantilla.\n",
         1, 1, false, &RunExport},
        {"import", "ARCHIVO.json", "carga un documento JSON, todo o nada",
         "Carga un documento como el de export en un DAZU.CFG que ya existe. Los campos de\n"
         "Setup que el documento trae se guardan; cada lista que trae reemplaza a la\n"
         "guardada. Todo o nada: ante la primera entrada mala, que se indica por su lugar\n"
         "en el documento (/Setup/Puerto, /Files/2), no se cambia nada. Una clave repetida\n"
         "es una entrada mala; solo lee archivos normales de hasta 256 MB.\n",
         1, 1, false, &RunImport},
        {"check", "", "comprueba DAZU.CFG",
         "Comprueba que DAZU.CFG es una base de datos de configuración de DAZU, con\n"
         "exactamente su esquema (tablas, campos, restricciones e índices; ningún disparador\n"
         "ni vista), y que pasa la comprobación de integridad de SQLite.\n",
         0, 0, false, &RunCheck},
    };
    return commands;
}

const CommandSpec* FindCommand(std::string_view name) {
    const auto& commands = AllCommands();
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [name](const CommandSpec& c) { return c.name == name; });
    return it == commands.end() ? nullptr : &*it;
}

} // namespace dazu::cli
