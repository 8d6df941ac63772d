// The name table behind member lookups: every spelling of a name in another ASCII case finds it,
// and nothing else does, whatever the name's length (the table reads short, middle and long names
// in different ways).
#include "classlib/core/NameTable.h"

#include <gtest/gtest.h>
#include <cctype>
#include <string>
#include <vector>

namespace {

// A name of that length whose characters all differ from their neighbours: letters and digits.
std::string NameOfLength(std::size_t n, std::size_t seed) {
    static const char chars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += chars[(seed * 7 + i * 13) % (sizeof chars - 1)];
    return s;
}

std::string Flipped(std::string s) {
    for (char& c : s)
        if (std::isalpha(static_cast<unsigned char>(c))) c ^= 0x20;
    return s;
}

}  // namespace

TEST(NameTable, EveryLengthIsFoundInAnyCaseAndAChangedCharacterIsNot) {
    NameTable<int> table;
    std::vector<std::string> names;
    for (std::size_t n = 1; n <= 40; ++n) {
        names.push_back(NameOfLength(n, n));
        table.Add(names.back(), static_cast<int>(n));
    }
    for (std::size_t n = 1; n <= 40; ++n) {
        const std::string& name = names[n - 1];
        SCOPED_TRACE(name);
        EXPECT_EQ(table.Find(name), static_cast<int>(n));
        EXPECT_EQ(table.Find(Flipped(name)), static_cast<int>(n));
        // One character changed at each position: the first, the middle, the last, and every
        // other, since short, middle and long names are read in different pieces.
        for (std::size_t i = 0; i < n; ++i) {
            std::string other = name;
            other[i] = other[i] == '#' ? '$' : '#';
            EXPECT_EQ(table.Find(other), 0) << "changed at " << i;
        }
        EXPECT_EQ(table.Find(name + "x"), 0);
        EXPECT_EQ(table.Find(std::string_view(name).substr(0, n - 1)), 0);
    }
    EXPECT_EQ(table.Find(""), 0);
}

TEST(NameTable, OnlyLettersFoldAndTheFirstDeclarationWins) {
    NameTable<int> table;
    // Characters that differ from a letter-like neighbour only in bit 0x20 are not letters:
    // '@' and '`', '[' and '{', '^' and '~', digits and their control counterparts.
    struct Case { const char* Declared; const char* NotIt; };
    const Case cases[] = {
        {"@x", "`x"}, {"a[b", "a{b"}, {"Mode^1", "Mode~1"}, {"Item0x1F", "Item0x\x11" "F"},
        {"A_long_name_of_twenty@", "A_long_name_of_twenty`"}, {"Head_middle[part]_tail", "Head_middle{part}_tail"},
    };
    int value = 1;
    for (const Case& c : cases) table.Add(c.Declared, value++);
    value = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Declared);
        EXPECT_EQ(table.Find(c.Declared), value++);
        EXPECT_EQ(table.Find(c.NotIt), 0);
    }
    table.Add("CAPTION", 100);
    table.Add("Caption", 200);  // the same name in another case: ignored
    EXPECT_EQ(table.Find("caption"), 100);
}

TEST(NameTable, ManyNamesOfOneFamilyStayDistinct) {
    NameTable<int> table;
    for (int i = 1; i <= 3000; ++i) table.Add("Caption" + std::to_string(i), i);
    for (int i = 1; i <= 3000; ++i) {
        ASSERT_EQ(table.Find("caption" + std::to_string(i)), i);
        ASSERT_EQ(table.Find("Caption" + std::to_string(i) + "0" + "0"), i <= 30 ? i * 100 : 0);
    }
    EXPECT_EQ(table.Find("Caption0"), 0);
    EXPECT_EQ(table.Find("Caption3001"), 0);
}
