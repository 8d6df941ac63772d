#include "Strings.h"
#include "Exceptions.h"

#include <windows.h>
#include <limits>

AnsiString IntToStr(std::int64_t value) { return std::to_string(value); }

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool TryStrToInt(std::string_view text, std::int32_t& value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::string_view digits = text.substr(2);
        if (digits.size() > 8) return false;
        std::uint32_t bits = 0;
        for (char c : digits) {
            int d = HexDigit(c);
            if (d < 0) return false;
            bits = (bits << 4) | static_cast<std::uint32_t>(d);
        }
        value = static_cast<std::int32_t>(bits);  // a 32-bit pattern: 0xFFFFFFFF is -1
        return true;
    }
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    // Accumulate in 64 bits and stop as soon as the magnitude leaves the 32-bit range, so that
    // any number of digits is refused without overflow.
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

std::int32_t StrToInt(std::string_view text) {
    std::int32_t value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError("'" + AnsiString(text) + "' は整数ではありません");
    return value;
}

int AnsiCompareStr(const AnsiString& a, const AnsiString& b) {
    // CompareStringA answers CSTR_LESS_THAN (1), CSTR_EQUAL (2) or CSTR_GREATER_THAN (3).
    int r = CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                           static_cast<int>(b.size()));
    if (r == 0) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);  // the system refused: bytes decide
    return r - CSTR_EQUAL;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

WideString ToWide(std::string_view text, unsigned codePage) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    WideString result(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), n);
    return result;
}

AnsiString FromWide(std::wstring_view text, unsigned codePage) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    if (n <= 0) return {};
    AnsiString result(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), n,
                        nullptr, nullptr);
    return result;
}

AnsiString Utf8ToAnsi(std::string_view utf8) { return FromWide(ToWide(utf8, CP_UTF8), CP_SHIFT_JIS); }

std::string AnsiToUtf8(std::string_view ansi) { return FromWide(ToWide(ansi, CP_SHIFT_JIS), CP_UTF8); }
