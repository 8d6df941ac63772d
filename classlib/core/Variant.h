#pragma once
// A variant holding nothing, a 32-bit integer, a double, a Boolean or a string, with the casts
// that raise EVariantError when the value does not convert.
#include "Object.h"
#include <cstdint>
#include <variant>

// varInt64 holds object addresses on 64-bit Windows (see FromPointerInt).
enum TVarType { varEmpty, varInteger, varDouble, varBoolean, varString, varInt64 };

class Variant {
public:
    Variant() = default;
    Variant(std::int32_t v) : FValue(v) {}
    Variant(int64_t v) = delete;  // 64-bit values do not fit: convert explicitly
    Variant(double v) : FValue(v) {}
    Variant(bool v) : FValue(v) {}
    Variant(const char* v) : FValue(AnsiString(v)) {}
    Variant(AnsiString v) : FValue(std::move(v)) {}
    // A pointer-sized integer (an object's address): varInteger on 32-bit Windows, varInt64 on
    // 64-bit Windows, where an address does not fit 32 bits.
    static Variant FromPointerInt(std::intptr_t v);

    TVarType VarType() const { return static_cast<TVarType>(FValue.index()); }
    bool IsEmpty() const { return FValue.index() == 0; }

    // Casts. Integer: doubles round to nearest (banker's rounding), strings are parsed as
    // decimal or 0x-hexadecimal; empty gives 0. Double: strings are parsed as decimal numbers.
    // String: integers and doubles as decimal text, Booleans as "True"/"False", empty as "".
    // A varInt64 value converts to Integer only when it fits 32 bits.
    std::int32_t AsInteger() const {
        if (const std::int32_t* v = std::get_if<std::int32_t>(&FValue)) return *v;  // no conversion
        return ConvertToInteger();
    }
    std::intptr_t AsPointerInt() const;  // as AsInteger, but pointer-sized
    double AsDouble() const;
    AnsiString AsString() const;
    // The string held, without a copy; null when the variant holds something else.
    const AnsiString* StringValue() const { return std::get_if<AnsiString>(&FValue); }
    bool AsBoolean() const;

    operator std::int32_t() const { return AsInteger(); }
    operator double() const { return AsDouble(); }
    operator AnsiString() const { return AsString(); }

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::int32_t ConvertToInteger() const;

    std::variant<std::monostate, std::int32_t, double, bool, AnsiString, std::int64_t> FValue;
};

template <> struct TypeKindOf<Variant> { static constexpr TTypeKind value = tkVariant; };
