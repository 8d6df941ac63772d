#include "Variant.h"
#include "Exceptions.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

[[noreturn]] void CastError(const Variant& v, const char* target) {
    static const char* const typeNames[] = {"Empty", "Integer", "Double", "Boolean", "String", "Int64"};
    throw EVariantError("バリアント型 (" + AnsiString(typeNames[v.VarType()]) + ") を " + target +
                        " に変換できません");
}

// Round half to even, as the class library's float-to-integer conversions do; false when the
// value does not fit between lo and hi.
bool RoundToRange(double d, double lo, double hi, std::int64_t& result) {
    if (!std::isfinite(d)) return false;
    double r = std::nearbyint(d);  // the default rounding mode is to nearest, ties to even
    if (r < lo || r > hi) return false;
    result = static_cast<std::int64_t>(r);
    return true;
}

bool ParseDouble(const AnsiString& s, double& value) {
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+') ++first;  // from_chars does not take a plus sign
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last && first != last;
}

// Pointer-sized integer text: decimal, or 0x with up to twice the pointer's bytes in digits.
bool ParsePointerInt(const AnsiString& s, std::intptr_t& value) {
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        std::uintptr_t bits = 0;
        if (s.size() - 2 > sizeof(bits) * 2) return false;
        auto [ptr, ec] = std::from_chars(s.data() + 2, s.data() + s.size(), bits, 16);
        if (ec != std::errc() || ptr != s.data() + s.size()) return false;
        value = static_cast<std::intptr_t>(bits);
        return true;
    }
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last && first != last;
}

AnsiString FloatText(double d) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, d);  // shortest text that reads back the same
    (void)ec;
    return AnsiString(buf, ptr);
}

}  // namespace

Variant Variant::FromPointerInt(std::intptr_t v) {
    Variant result;
    if constexpr (sizeof(std::intptr_t) > sizeof(std::int32_t))
        result.FValue = static_cast<std::int64_t>(v);
    else
        result.FValue = static_cast<std::int32_t>(v);
    return result;
}

std::int32_t Variant::ConvertToInteger() const {
    switch (VarType()) {
    case varEmpty: return 0;
    case varInteger: return std::get<std::int32_t>(FValue);
    case varDouble: {
        std::int64_t r;
        if (!RoundToRange(std::get<double>(FValue), -2147483648.0, 2147483647.0, r)) CastError(*this, "Integer");
        return static_cast<std::int32_t>(r);
    }
    case varBoolean: return std::get<bool>(FValue) ? 1 : 0;
    case varString: {
        std::int32_t v;
        if (!TryStrToInt(std::get<AnsiString>(FValue), v)) CastError(*this, "Integer");
        return v;
    }
    case varInt64: {
        const std::int64_t v = std::get<std::int64_t>(FValue);
        if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
            CastError(*this, "Integer");
        return static_cast<std::int32_t>(v);
    }
    }
    CastError(*this, "Integer");
}

std::intptr_t Variant::AsPointerInt() const {
    switch (VarType()) {
    case varDouble: {
        std::int64_t r;
        if (!RoundToRange(std::get<double>(FValue), static_cast<double>(std::numeric_limits<std::intptr_t>::min()),
                          static_cast<double>(std::numeric_limits<std::intptr_t>::max()), r))
            CastError(*this, "Integer");
        return static_cast<std::intptr_t>(r);
    }
    case varString: {
        std::intptr_t v;
        if (!ParsePointerInt(std::get<AnsiString>(FValue), v)) CastError(*this, "Integer");
        return v;
    }
    case varInt64: {
        const std::int64_t v = std::get<std::int64_t>(FValue);
        if (v < std::numeric_limits<std::intptr_t>::min() || v > std::numeric_limits<std::intptr_t>::max())
            CastError(*this, "Integer");
        return static_cast<std::intptr_t>(v);
    }
    default: return AsInteger();
    }
}

double Variant::AsDouble() const {
    switch (VarType()) {
    case varEmpty: return 0.0;
    case varInteger: return std::get<std::int32_t>(FValue);
    case varDouble: return std::get<double>(FValue);
    case varBoolean: return std::get<bool>(FValue) ? 1.0 : 0.0;
    case varString: {
        double d;
        if (!ParseDouble(std::get<AnsiString>(FValue), d)) CastError(*this, "Double");
        return d;
    }
    case varInt64: return static_cast<double>(std::get<std::int64_t>(FValue));
    }
    CastError(*this, "Double");
}

AnsiString Variant::AsString() const {
    switch (VarType()) {
    case varEmpty: return {};
    case varInteger: return IntToStr(std::get<std::int32_t>(FValue));
    case varDouble: return FloatText(std::get<double>(FValue));
    case varBoolean: return std::get<bool>(FValue) ? "True" : "False";
    case varString: return std::get<AnsiString>(FValue);
    case varInt64: return IntToStr(std::get<std::int64_t>(FValue));
    }
    return {};
}

bool Variant::AsBoolean() const {
    switch (VarType()) {
    case varEmpty: return false;
    case varInteger: return std::get<std::int32_t>(FValue) != 0;
    case varDouble: return std::get<double>(FValue) != 0.0;
    case varBoolean: return std::get<bool>(FValue);
    case varString: {
        const AnsiString& s = std::get<AnsiString>(FValue);
        if (SameTextAscii(s, "True")) return true;
        if (SameTextAscii(s, "False")) return false;
        double d;
        if (ParseDouble(s, d)) return d != 0.0;
        CastError(*this, "Boolean");
    }
    case varInt64: return std::get<std::int64_t>(FValue) != 0;
    }
    CastError(*this, "Boolean");
}
