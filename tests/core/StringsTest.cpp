// Integer text conversions, the locale comparison and the code-page conversions.
#include "classlib/core/Exceptions.h"
#include "classlib/core/Strings.h"

#include <gtest/gtest.h>

TEST(StrToInt, AcceptsDecimalAndHexWithinThirtyTwoBits) {
    struct Case { const char* Text; std::int32_t Value; };
    const Case cases[] = {
        {"0", 0}, {"42", 42}, {"-42", -42}, {"+7", 7},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
        {"0x1F", 31}, {"0X1f", 31}, {"0x0", 0}, {"0x7FFFFFFF", 2147483647},
        {"0xFFFFFFFF", -1}, {"0x80000000", INT32_MIN}, {"00000000012", 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(StrToInt(c.Text), c.Value);
    }
}

TEST(StrToInt, RefusesEverythingElseWithTheConversionError) {
    const char* cases[] = {"2147483648", "-2147483649", "99999999999999999999", "0x", "0x100000000",
                           "0x1G", "", "-", "12a", " 12", "12 ", "1.5", "$1F", "-0x1", "x1F"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_THROW(StrToInt(text), EConvertError);
        std::int32_t v = 77;
        EXPECT_FALSE(TryStrToInt(text, v));
    }
}

TEST(Strings, IntToStrCoversTheWholeRange) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-5), "-5");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
}

TEST(Strings, AnsiCompareStrIsCaseSensitiveAndSigned) {
    EXPECT_EQ(AnsiCompareStr("abc", "abc"), 0);
    EXPECT_NE(AnsiCompareStr("abc", "ABC"), 0);
    EXPECT_LT(AnsiCompareStr("abc", "abd"), 0);
    EXPECT_GT(AnsiCompareStr("abd", "abc"), 0);
    EXPECT_LT(AnsiCompareStr("", "a"), 0);
}

TEST(Strings, SameTextAsciiIgnoresOnlyAsciiCase) {
    EXPECT_TRUE(SameTextAscii("Caption", "cAPTION"));
    EXPECT_FALSE(SameTextAscii("Caption", "Captio"));
    EXPECT_FALSE(SameTextAscii("\xC4", "\xE4"));  // Latin-1 letters are not ASCII letters
}

TEST(Strings, ShiftJisAndUtf8RoundTrip) {
    const std::string utf8 = reinterpret_cast<const char*>(u8"日付 Zelvano");
    const AnsiString sjis = Utf8ToAnsi(utf8);
    EXPECT_EQ(sjis, "日付 Zelvano");  // the program's own literals are Shift-JIS
    EXPECT_EQ(AnsiToUtf8(sjis), utf8);
    EXPECT_EQ(FromWide(ToWide(sjis)), sjis);
}
