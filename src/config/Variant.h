#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace dazu::config {

// The failure of using a Null where a value is expected: the stored data is wrong.
[[noreturn]] void ThrowNullUse();

// A field's value as the record operations hand it over: Null, a truth value (Yes/No
// fields), a whole number or a text.
class Variant {
public:
    struct Null {
        bool operator==(const Null&) const { return true; }
    };

    Variant() = default;
    Variant(bool b)
        : v_(b) {}
    Variant(int n)
        : v_(std::int64_t{n}) {}
    Variant(std::int64_t n)
        : v_(n) {}
    Variant(std::string s)
        : v_(std::move(s)) {}
    Variant(const char* s)
        : v_(std::string(s)) {}

    bool isNull() const { return std::holds_alternative<Null>(v_); }
    bool isBool() const { return std::holds_alternative<bool>(v_); }
    bool isInt() const { return std::holds_alternative<std::int64_t>(v_); }

    // The conversions a reader relies on; each throws Error when the value is Null, as
    // using a Null where a value is expected is a failure of the stored data.
    bool toBool() const;
    std::int64_t toInt() const;
    // Texts as they are, numbers as plain decimal digits, truth values as "True"/"False".
    std::string toText() const;

    bool operator==(const Variant& other) const { return v_ == other.v_; }
    bool operator!=(const Variant& other) const { return !(*this == other); }

    template <typename Visitor> decltype(auto) visit(Visitor&& visitor) const {
        return std::visit(std::forward<Visitor>(visitor), v_);
    }

private:
    std::variant<Null, bool, std::int64_t, std::string> v_;
};

} // namespace dazu::config
