#include "ConfigJson.h"

#include "Failures.h"
#include "LetterCase.h"
#include "Lists.h"
#include "Settings.h"
#include "Snapshot.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace dazu::cli {

namespace {

using Place = Document::json_pointer;

[[noreturn]] void refuse(const Place& place, const std::string& reason) {
    const std::string where = place.empty() ? std::string("el documento") : place.to_string();
    throw Refusal("No se importó nada: " + where + ": " + reason);
}

constexpr char kBytesKey[] = "bytes";
constexpr char kHexDigits[] = "0123456789abcdef";

// JSON holds Unicode text only, so a stored text that is not UTF-8 (put there by another
// program) travels as its bytes in hexadecimal, {"bytes": "61f1"}, and comes back the same.
Document textToJson(const std::string& text) {
    if (config::IsUtf8(text))
        return text;
    std::string hex;
    for (const char c : text) {
        hex += kHexDigits[static_cast<unsigned char>(c) >> 4];
        hex += kHexDigits[static_cast<unsigned char>(c) & 0xF];
    }
    return Document{{kBytesKey, hex}};
}

std::optional<std::string> textFromJson(const Document& value) {
    if (value.is_string())
        return value.get<std::string>();
    if (!value.is_object() || value.size() != 1 || !value.contains(kBytesKey) ||
        !value[kBytesKey].is_string())
        return std::nullopt;
    const std::string& hex = value[kBytesKey].get_ref<const std::string&>();
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::string text;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const char* high =
            std::strchr(kHexDigits, std::tolower(static_cast<unsigned char>(hex[i])));
        const char* low =
            std::strchr(kHexDigits, std::tolower(static_cast<unsigned char>(hex[i + 1])));
        if (!high || !low || !*high || !*low)
            return std::nullopt;
        text += static_cast<char>((high - kHexDigits) * 16 + (low - kHexDigits));
    }
    return text;
}

Document toJson(const config::Variant& value) {
    return value.visit([](const auto& v) -> Document {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, config::Variant::Null>)
            return nullptr;
        else if constexpr (std::is_same_v<T, std::string>)
            return textToJson(v);
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
        if (const auto text = textFromJson(value))
            return *text;
        refuse(place, "se esperaba un texto");
    case config::Kind::YesNo:
        if (value.is_boolean())
            return value.get<bool>();
        refuse(place, "se esperaba true o false");
    case config::Kind::Whole:
        break;
    }
    // A whole number: every kind is named above, so no other path reaches here.
    if (value.is_number_unsigned() &&
        value.get<std::uint64_t>() >
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        refuse(place, "número fuera de rango");
    if (value.is_number_integer())
        return value.get<std::int64_t>();
    refuse(place, "se esperaba un número entero");
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
        const auto name = textFromJson(names[i]);
        if (!name)
            refuse(namePlace, "se esperaba un nombre de archivo (texto)");
        try {
            AddName(list, *name);
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
    for (const auto& [key, names] :
         {std::pair{"Files", &snapshot.files}, {"FPCHH", &snapshot.fpchh}}) {
        Document& list = document[key] = Document::array();
        for (const std::string& name : *names)
            list.push_back(textToJson(name));
    }
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
    // The parser would keep the last of two equal keys; a document that gives a field twice is
    // ambiguous, so it is refused at the second key, named by its place.
    struct Level {
        bool object;
        std::set<std::string> keys;
        std::string key;       // the key being read in an object
        std::size_t items = 0; // the entries begun in an array
    };
    std::vector<Level> levels;
    const auto placeOf = [&levels](const std::string& last) {
        Place place;
        for (std::size_t i = 0; i + 1 < levels.size(); ++i)
            place /= levels[i].object ? Place() / levels[i].key : Place() / (levels[i].items - 1);
        return place / last;
    };
    const auto beginEntry = [&levels] {
        if (!levels.empty() && !levels.back().object)
            ++levels.back().items;
    };
    const Document::parser_callback_t checkKeys = [&](int, nlohmann::json::parse_event_t event,
                                                      Document& parsed) {
        using Event = nlohmann::json::parse_event_t;
        switch (event) {
        case Event::object_start:
        case Event::array_start:
            beginEntry();
            levels.push_back({event == Event::object_start, {}, {}, 0});
            break;
        case Event::object_end:
        case Event::array_end:
            levels.pop_back();
            break;
        case Event::key: {
            const std::string key = parsed.get<std::string>();
            if (!levels.back().keys.insert(key).second)
                refuse(placeOf(key), "la clave aparece dos veces");
            levels.back().key = key;
            break;
        }
        case Event::value:
            beginEntry();
            break;
        }
        return true;
    };
    try {
        return Document::parse(text, checkKeys);
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
