#include "LetterCase.h"

#include <QChar>
#include <sqlite3.h>
#include <SQLiteCpp/Database.h>

namespace dazu::config {

namespace {

// The code point starting at text[i] and its length in bytes; length 0 for a byte that does
// not begin a well-formed UTF-8 sequence.
std::pair<char32_t, std::size_t> decode(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char first = byte(0);
    std::size_t length = 0;
    char32_t point = 0;
    if (first < 0x80)
        return {first, 1};
    if (first >= 0xC2 && first < 0xE0) {
        length = 2;
        point = first & 0x1Fu;
    } else if (first >= 0xE0 && first < 0xF0) {
        length = 3;
        point = first & 0x0Fu;
    } else if (first >= 0xF0 && first < 0xF5) {
        length = 4;
        point = first & 0x07u;
    } else {
        return {0, 0};
    }
    if (i + length > text.size())
        return {0, 0};
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0u) != 0x80u)
            return {0, 0};
        point = (point << 6) | (byte(k) & 0x3Fu);
    }
    const bool overlong = (length == 3 && point < 0x800) || (length == 4 && point < 0x10000);
    if (overlong || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
        return {0, 0};
    return {point, length};
}

void encode(char32_t point, std::string& out) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// Whether name folds to exactly `folded`, stopping at the first letter that differs: a scan of
// a long list compares most names by their first few bytes, without building their folding.
bool foldsTo(std::string_view name, std::string_view folded) {
    std::string letter;
    std::size_t at = 0;
    for (std::size_t i = 0; i < name.size();) {
        const auto [point, length] = decode(name, i);
        letter.clear();
        if (length == 0) {
            letter += name[i++];
        } else {
            encode(QChar::toCaseFolded(point), letter);
            i += length;
        }
        if (folded.compare(at, letter.size(), letter) != 0)
            return false;
        at += letter.size();
    }
    return at == folded.size();
}

std::string_view textOf(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return {text ? text : "", static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

void sameNameSql(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL ||
        sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    sqlite3_result_int(context, foldsTo(textOf(arguments[0]), textOf(arguments[1])) ? 1 : 0);
}

} // namespace

std::string FoldedName(std::string_view name) {
    std::string folded;
    folded.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const auto [point, length] = decode(name, i);
        if (length == 0) {
            folded += name[i++];
            continue;
        }
        encode(QChar::toCaseFolded(point), folded);
        i += length;
    }
    return folded;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = decode(text, i).second;
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

void RegisterSameName(SQLite::Database& db) {
    db.createFunction("dazu_same_name", 2, true, nullptr, &sameNameSql);
}

} // namespace dazu::config
