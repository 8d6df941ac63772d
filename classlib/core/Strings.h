#pragma once
// AnsiString: the class library's 8-bit string. The system's own texts are Shift-JIS (code page
// 932); paths and names for the "A" functions are in the process's ANSI code page.
#include <cstdint>
#include <string>
#include <string_view>

using AnsiString = std::string;
using WideString = std::wstring;

constexpr unsigned CP_SHIFT_JIS = 932;

AnsiString IntToStr(std::int64_t value);
// Decimal text up to 2147483647 (an optional sign and digits), or 0x/0X followed by one to eight
// hexadecimal digits taken as a 32-bit pattern. Anything else raises EConvertError.
std::int32_t StrToInt(std::string_view text);
bool TryStrToInt(std::string_view text, std::int32_t& value);

// The system's string comparison for the user's default locale, no flags: -1, 0 or 1.
int AnsiCompareStr(const AnsiString& a, const AnsiString& b);

// Equality and ordering that ignore the case of ASCII letters only (names of properties,
// components and methods).
bool SameTextAscii(std::string_view a, std::string_view b);
char AsciiLower(char c);

// Conversions between 8-bit text of a code page and UTF-16.
WideString ToWide(std::string_view text, unsigned codePage = CP_SHIFT_JIS);
AnsiString FromWide(std::wstring_view text, unsigned codePage = CP_SHIFT_JIS);
// UTF-8 (form files, sources) to Shift-JIS and back.
AnsiString Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);
