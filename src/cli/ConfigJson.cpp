#include "ConfigJson.h"

#include "Failures.h"
#include "Lists.h"
#include "Settings.h"
#include "Snapshot.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace dazu::cli {

namespace {

using Place = Document::json_pointer;

[[noreturn]] void refuse(const Place& place, const std::string& reason) {
    const std::string where = place.empty() ? std::string("el documento") : place.to_string();
    throw Refusal("No se importó nada: " + where + ": " + reason);
}

Document toJson(const config::Variant& value) {
    return value.visit([](const auto& v) -> Document {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, config::Variant::Null>)
            return nullptr;
        else
            return v;
    });
}

// The document gives each field in its own kind; Null goes to the engine, which refuses it
// everywhere but in pathdest.
config::Variant fromJson(const config::FieldSpec& field, const Document& value,
                         const Place& place) {
    if (value.is_null())
        return {};
    switch (field.kind) {
    case config::Kind::Text:
        if (value.is_string())
            return value.get<std::string>();
        refuse(place, "se esperaba un texto");
    case config::Kind::YesNo:
        if (value.is_boolean())
            return value.get<bool>();
        refuse(place, "se esperaba true o false");
    case config::Kind::Whole:
        if (value.is_number_unsigned() &&
            value.get<std::uint64_t>() >
                static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            refuse(place, "número fuera de rango");
        if (value.is_number_integer())
            return value.get<std::int64_t>();
        refuse(place, "se esperaba un número entero");
    }
    refuse(place, "campo de tipo desconocido");
}

void importSettings(const Document& settings, const Place& place, config::Recordset& setup) {
    if (!settings.is_object())
        refuse(place, "se esperaba un objeto con los campos de la configuración");
    MoveToSettingsRow(setup);
    for (auto it = settings.begin(); it != settings.end(); ++it) {
        const Place fieldPlace = place / it.key();
        const config::FieldSpec* field = config::FindField(config::SetupTable(), it.key());
        if (!field)
            refuse(fieldPlace, "no existe ese campo en la configuración");
        const config::Variant value = fromJson(*field, it.value(), fieldPlace);
        // Field by field, so that a value the engine refuses is known by its place.
        try {
            WriteSetting(setup, *field, value);
        } catch (const std::exception& e) {
            refuse(fieldPlace, e.what());
        }
    }
}

void importList(const Document& names, const Place& place, config::Recordset& list) {
    if (!names.is_array())
        refuse(place, "se esperaba una lista de nombres de archivo");
    RemoveAllNames(list);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Place namePlace = place / i;
        if (!names[i].is_string())
            refuse(namePlace, "se esperaba un nombre de archivo (texto)");
        try {
            AddName(list, names[i].get<std::string>());
        } catch (const std::exception& e) {
            refuse(namePlace, e.what());
        }
    }
}

} // namespace

Document ToDocument(const Snapshot& snapshot) {
    Document document = Document::object();
    Document& settings = document["Setup"] = Document::object();
    for (const auto& [name, value] : snapshot.settings)
        settings[std::string(name)] = toJson(value);
    document["Files"] = snapshot.files;
    document["FPCHH"] = snapshot.fpchh;
    return document;
}

void ImportDocument(const Document& document, config::Configuration& tables) {
    if (!document.is_object())
        refuse(Place(), "se esperaba un objeto con Setup, Files y FPCHH");
    for (auto it = document.begin(); it != document.end(); ++it) {
        const Place place = Place() / it.key();
        if (it.key() == "Setup")
            importSettings(it.value(), place, tables.Setup);
        else if (it.key() == "Files" || it.key() == "FPCHH")
            importList(it.value(), place, OpenList(tables, it.key()));
        else
            refuse(place, "clave desconocida; se esperan Setup, Files y FPCHH");
    }
}

Document ParseDocument(const std::string& text, const std::string& source) {
    try {
        return Document::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        // byte counts from 1 and points at the character that could not be read.
        const std::size_t at = std::min<std::size_t>(e.byte == 0 ? 0 : e.byte - 1, text.size());
        const std::string before = text.substr(0, at);
        const auto line = 1 + std::count(before.begin(), before.end(), '\n');
        const std::size_t lastBreak = before.rfind('\n');
        const std::size_t column = lastBreak == std::string::npos ? at + 1 : at - lastBreak;
        throw Refusal(source + " no es un documento JSON válido (línea " + std::to_string(line) +
                      ", columna " + std::to_string(column) + ")");
    }
}

} // namespace dazu::cli
