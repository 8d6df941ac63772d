// Conversions of open-array values to strings, integers and objects.
#include "Gadgets.h"
#include "RaiseCheck.h"
#include "classlib/core/Variant.h"
#include "ovk/Catools.h"

#include <optional>

using namespace Ovk;

namespace {

const char* const kNoString = "値を文字列に変換できませんでした.";
const char* const kNoObject = "値をオブジェクトに変換できませんでした.";

TEST(VarRecTest, ElementsCarryTheTagOfTheirCppType) {
    TGadget gadget(nullptr);
    const AnsiString text = "long";
    const WideString wide = L"w";
    const ShortString shortText("s");
    const Variant v(1);
    const int n = 3;
    const TVarRecList list = {7, true, 'c', 2.5, shortText, static_cast<const void*>(&n), "pc",
                              &gadget, TGadget::StaticClass(), L'A', L"pw", text, TVarRec::Currency(1),
                              v, TVarRec::Interface(nullptr), wide, std::int64_t{5}};
    int expected = vtInteger;
    for (const TVarRec& r : list) EXPECT_EQ(expected++, r.VType);
    EXPECT_EQ(vtInt64 + 1, expected);
}

TEST(VarRecTest, ConversionsFollowTheTag) {
    TGadget gadget(nullptr);
    const AnsiString longText = "-17";
    const ShortString shortText("0x10");
    const WideString wideText = L"\u6642";  // 時
    const Variant v(5);
    const int n = 0;

    // What each conversion makes of each tag; nullopt where it refuses.
    struct Case {
        TVarRec value;
        std::optional<AnsiString> text;
        std::optional<std::int32_t> integer;
        bool object;
    };
    const Case cases[] = {
        {-5, "-5", -5, false},
        {true, "true", 1, false},
        {false, "false", 0, false},
        {'7', "7", 7, false},
        {2.5, std::nullopt, std::nullopt, false},
        {shortText, "0x10", 16, false},
        {static_cast<const void*>(&n), std::nullopt, std::nullopt, true},
        {"42", "42", 42, false},
        {&gadget, std::nullopt, std::nullopt, true},
        {TGadget::StaticClass(), std::nullopt, std::nullopt, false},
        {L'A', "65", 65, false},  // the code, not the character
        {L"123", "123", 123, false},
        {wideText.c_str(), "時", std::nullopt, false},  // the ANSI code page; no number
        {longText, "-17", -17, false},
        {TVarRec::Currency(10000), std::nullopt, std::nullopt, false},
        {v, std::nullopt, std::nullopt, false},
        {TVarRec::Interface(nullptr), std::nullopt, std::nullopt, false},
        {wideText, std::nullopt, std::nullopt, false},
        {std::int64_t{1}, std::nullopt, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tag " << int(c.value.VType));
        if (c.text) EXPECT_EQ(*c.text, VarRecToString(c.value));
        else EXPECT_RAISES(VarRecToString(c.value), Exception, kNoString);

        if (c.integer) EXPECT_EQ(*c.integer, VarRecToInteger(c.value));
        else if (c.text) EXPECT_THROW(VarRecToInteger(c.value), EConvertError);  // a text that is no number
        else EXPECT_RAISES(VarRecToInteger(c.value), Exception, kNoString);

        if (!c.object) EXPECT_RAISES(VarRecToObject(c.value), Exception, kNoObject);
    }
    EXPECT_EQ(&gadget, VarRecToObject(&gadget));
    EXPECT_EQ(reinterpret_cast<const TObject*>(&n), VarRecToObject(static_cast<const void*>(&n)));
}

TEST(VarRecTest, TextsThatAreNoIntegerRaiseTheConversionError) {
    for (TVarRec bad : {TVarRec('x'), TVarRec("12a"), TVarRec(""), TVarRec("2147483648")})
        EXPECT_THROW(VarRecToInteger(bad), EConvertError);
    EXPECT_EQ(2147483647, VarRecToInteger("2147483647"));
    EXPECT_EQ(-1, VarRecToInteger("0xFFFFFFFF"));
}

TEST(VarRecTest, ShortStringsKeepAtMost255Bytes) {
    const ShortString s(AnsiString(300, 'a'));
    EXPECT_EQ(255u, s.Text().size());
    EXPECT_EQ(AnsiString(255, 'a'), VarRecToString(s));
}

}  // namespace
