#include "Variant.h"

#include "Error.h"

namespace dazu::config {

void ThrowNullUse() {
    throw Error("Uso no válido de Null");
}

bool Variant::toBool() const {
    if (isNull())
        ThrowNullUse();
    // Yes/No fields are read as truth values; nothing else is asked for one.
    if (isBool())
        return std::get<bool>(v_);
    throw Error("El valor \"" + toText() + "\" no es Sí/No");
}

std::int64_t Variant::toInt() const {
    if (isNull())
        ThrowNullUse();
    if (isBool())
        return std::get<bool>(v_) ? 1 : 0;
    if (isInt())
        return std::get<std::int64_t>(v_);
    throw Error("El valor \"" + std::get<std::string>(v_) + "\" no es un número");
}

std::string Variant::toText() const {
    if (isNull())
        ThrowNullUse();
    if (isBool())
        return std::get<bool>(v_) ? "True" : "False";
    if (isInt())
        return std::to_string(std::get<std::int64_t>(v_));
    return std::get<std::string>(v_);
}

} // namespace dazu::config
