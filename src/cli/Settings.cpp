#include "Settings.h"

#include "Error.h"
#include "Failures.h"

#include <algorithm>

namespace dazu::cli {

namespace {

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

const char* kindName(config::Kind kind) {
    switch (kind) {
    case config::Kind::Text:
        return "texto";
    case config::Kind::YesNo:
        return "Sí/No";
    case config::Kind::Whole:
        return "número entero";
    }
    return "";
}

} // namespace

const config::FieldSpec& SettingsField(std::string_view name) {
    const config::FieldSpec* field =
        config::FindField(config::SetupTable(), name, config::NameCase::Ignored);
    if (!field)
        throw UsageError("No existe el campo " + std::string(name) + " en la configuración");
    return *field;
}

std::string FieldListText() {
    std::string text;
    for (const config::FieldSpec& f : config::SetupTable().fields) {
        std::string name(f.name);
        name.resize(18, ' ');
        text += "  " + name + kindName(f.kind) + (f.nullable ? ", o Null" : "") + "\n";
    }
    return text;
}

void MoveToSettingsRow(config::Recordset& setup) {
    setup.MoveFirst();
    if (setup.Eof())
        throw config::Error("La tabla Setup no tiene la fila de configuración: abra DAZU una vez "
                            "para que la escriba");
}

config::Variant ValueFromText(const config::FieldSpec& field, const std::string& text) {
    if (field.kind != config::Kind::YesNo)
        return text;
    std::string word = lowerAscii(text);
    // "SÍ" lowered letter by letter keeps its capital accented I.
    if (word == "1" || word == "true" || word == "sí" || word == "s\xC3\x8D" || word == "si")
        return true;
    if (word == "0" || word == "false" || word == "no")
        return false;
    throw Refusal("El valor \"" + text + "\" no sirve para " + std::string(field.name) +
                  ", que es Sí/No: escriba 0 o 1, true o false, Sí o No");
}

std::string DisplayText(const config::Variant& value) {
    if (value.isNull())
        return "Null";
    if (value.isBool())
        return value.toBool() ? "Sí" : "No";
    return value.toText();
}

void WriteSetting(config::Recordset& setup, const config::FieldSpec& field,
                  const config::Variant& value) {
    setup.Edit();
    setup.Fields(field.name).SetValue(value);
    setup.Update();
}

} // namespace dazu::cli
