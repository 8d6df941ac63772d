// Variant casts and their conversion error.
#include "classlib/core/Exceptions.h"
#include "classlib/core/Variant.h"

#include <gtest/gtest.h>
#include <cmath>

TEST(Variant, CastsToInteger) {
    struct Case { Variant V; std::int32_t Expected; };
    const Case cases[] = {
        {Variant(), 0}, {Variant(std::int32_t(-7)), -7}, {Variant(2.5), 2}, {Variant(3.5), 4}, {Variant(-2.5), -2},
        {Variant(true), 1}, {Variant(false), 0}, {Variant("12"), 12}, {Variant("0x1F"), 31},
        {Variant("-2147483648"), INT32_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.V.AsString());
        EXPECT_EQ(c.V.AsInteger(), c.Expected);
    }
}

TEST(Variant, RefusedCastsRaiseTheVariantError) {
    EXPECT_THROW(Variant("abc").AsInteger(), EVariantError);
    EXPECT_THROW(Variant("2147483648").AsInteger(), EVariantError);
    EXPECT_THROW(Variant(3e10).AsInteger(), EVariantError);
    EXPECT_THROW(Variant(std::nan("")).AsInteger(), EVariantError);
    EXPECT_THROW(Variant("1,5").AsDouble(), EVariantError);
    EXPECT_THROW(Variant("").AsDouble(), EVariantError);
    EXPECT_THROW(Variant("maybe").AsBoolean(), EVariantError);
}

TEST(Variant, CastsToDoubleAndString) {
    EXPECT_DOUBLE_EQ(Variant("2.75").AsDouble(), 2.75);
    EXPECT_DOUBLE_EQ(Variant("-1e3").AsDouble(), -1000.0);
    EXPECT_DOUBLE_EQ(Variant(std::int32_t(5)).AsDouble(), 5.0);
    EXPECT_EQ(Variant(std::int32_t(-5)).AsString(), "-5");
    EXPECT_EQ(Variant(0.1).AsString(), "0.1");
    EXPECT_EQ(Variant(true).AsString(), "True");
    EXPECT_EQ(Variant().AsString(), "");
    EXPECT_EQ(Variant("x").VarType(), varString);
    EXPECT_TRUE(Variant().IsEmpty());
}

TEST(Variant, PointerSizedIntegersKeepAddresses) {
    int object = 0;
    auto address = reinterpret_cast<std::intptr_t>(&object);
    EXPECT_EQ(Variant::FromPointerInt(address).AsPointerInt(), address);
    EXPECT_EQ(Variant(Variant::FromPointerInt(address).AsString()).AsPointerInt(), address);
}
