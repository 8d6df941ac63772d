#pragma once
// Open-array values: an element of a list of values of mixed types, tagged with what it holds.
//
// A function that takes such a list declares a parameter of type TVarRecList and is called with
// a braced list; each element converts from a plain C++ value:
//
//   void Report(TVarRecList values);
//   Report({42, true, 'x', "text", AnsiString("long"), L'A', someObject});
//
// Elements made from strings keep a pointer to the caller's text, which lives until the end of the
// full expression that makes the list; they are meant for passing values down, not for storing.
#include "Object.h"
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

class Variant;

// The tag of an open-array element; the numbers are part of the interface.
enum TVarRecTag : std::uint8_t {
    vtInteger = 0,     // 32-bit integer
    vtBoolean = 1,     // Boolean
    vtChar = 2,        // 8-bit character
    vtExtended = 3,    // extended float
    vtString = 4,      // pointer to a short string
    vtPointer = 5,     // untyped pointer
    vtPChar = 6,       // pointer to a zero-terminated string
    vtObject = 7,      // object
    vtClass = 8,       // class reference
    vtWideChar = 9,    // 16-bit character
    vtPWideChar = 10,  // pointer to a zero-terminated wide string
    vtAnsiString = 11, // long string
    vtCurrency = 12,   // currency: a 64-bit integer counting ten-thousandths
    vtVariant = 13,    // pointer to a variant
    vtInterface = 14,  // interface pointer
    vtWideString = 15, // wide string
    vtInt64 = 16,      // 64-bit integer
};

// A string of at most 255 bytes with its length in front (the text of a vtString element).
struct ShortString {
    std::uint8_t Length = 0;
    char Data[255] = {};

    ShortString() = default;
    // Keeps the first 255 bytes of a longer text.
    explicit ShortString(std::string_view text);
    std::string_view Text() const { return {Data, Length}; }
};

struct TVarRec {
    TVarRecTag VType = vtInteger;
    union {
        std::int32_t VInteger = 0;
        bool VBoolean;
        char VChar;
        long double VExtended;
        const ShortString* VString;
        const void* VPointer;
        const char* VPChar;
        TObject* VObject;
        TClass VClass;
        wchar_t VWideChar;
        const wchar_t* VPWideChar;
        const AnsiString* VAnsiString;
        std::int64_t VCurrency;
        const Variant* VVariant;
        void* VInterface;
        const WideString* VWideString;
        std::int64_t VInt64;
    };

    TVarRec() = default;
    TVarRec(std::int32_t v) : VType(vtInteger), VInteger(v) {}
    TVarRec(bool v) : VType(vtBoolean), VBoolean(v) {}
    TVarRec(char v) : VType(vtChar), VChar(v) {}
    TVarRec(double v) : VType(vtExtended), VExtended(v) {}
    TVarRec(long double v) : VType(vtExtended), VExtended(v) {}
    TVarRec(const ShortString& v) : VType(vtString), VString(&v) {}
    TVarRec(const void* v) : VType(vtPointer), VPointer(v) {}
    TVarRec(const char* v) : VType(vtPChar), VPChar(v) {}
    TVarRec(TObject* v) : VType(vtObject), VObject(v) {}
    TVarRec(TClass v) : VType(vtClass), VClass(v) {}
    TVarRec(wchar_t v) : VType(vtWideChar), VWideChar(v) {}
    TVarRec(const wchar_t* v) : VType(vtPWideChar), VPWideChar(v) {}
    TVarRec(const AnsiString& v) : VType(vtAnsiString), VAnsiString(&v) {}
    TVarRec(const Variant& v) : VType(vtVariant), VVariant(&v) {}
    TVarRec(const WideString& v) : VType(vtWideString), VWideString(&v) {}
    TVarRec(std::int64_t v) : VType(vtInt64), VInt64(v) {}

    // Kinds that have no C++ type of their own here.
    static TVarRec Currency(std::int64_t tenThousandths) {
        TVarRec r;
        r.VType = vtCurrency;
        r.VCurrency = tenThousandths;
        return r;
    }
    static TVarRec Interface(void* unknown) {
        TVarRec r;
        r.VType = vtInterface;
        r.VInterface = unknown;
        return r;
    }
};

// The parameter type of a function taking an open array.
using TVarRecList = std::initializer_list<TVarRec>;
// The same values held elsewhere (a vector or an array of TVarRec).
using TVarRecSpan = std::span<const TVarRec>;
