// Conversions of open-array values to a string, an object or an integer.
#include "ovk/Catools.h"

#include "classlib/core/Exceptions.h"

#include <windows.h>

namespace Ovk {

AnsiString VarRecToString(const TVarRec& value) {
    switch (value.VType) {
    case vtInteger: return IntToStr(value.VInteger);
    case vtBoolean: return value.VBoolean ? "true" : "false";
    case vtChar: return AnsiString(1, value.VChar);
    case vtString: return value.VString ? AnsiString(value.VString->Text()) : AnsiString();
    case vtPChar: return value.VPChar ? AnsiString(value.VPChar) : AnsiString();
    // The code of the wide character in decimal, not the character.
    case vtWideChar: return IntToStr(static_cast<std::uint16_t>(value.VWideChar));
    case vtPWideChar: return value.VPWideChar ? FromWide(value.VPWideChar, CP_ACP) : AnsiString();
    case vtAnsiString: return value.VAnsiString ? *value.VAnsiString : AnsiString();
    default: throw Exception("値を文字列に変換できませんでした.");
    }
}

TObject* VarRecToObject(const TVarRec& value) {
    switch (value.VType) {
    case vtPointer: return static_cast<TObject*>(const_cast<void*>(value.VPointer));
    case vtObject: return value.VObject;
    default: throw Exception("値をオブジェクトに変換できませんでした.");
    }
}

std::int32_t VarRecToInteger(const TVarRec& value) {
    switch (value.VType) {
    case vtInteger: return value.VInteger;
    case vtBoolean: return value.VBoolean ? 1 : 0;
    case vtChar: case vtString: case vtPChar: case vtWideChar: case vtPWideChar: case vtAnsiString:
        return StrToInt(VarRecToString(value));
    default: throw Exception("値を文字列に変換できませんでした.");
    }
}

}  // namespace Ovk
