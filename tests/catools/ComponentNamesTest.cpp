// Fresh component names, the natural order of names and sorting string lists by it.
#include "Gadgets.h"
#include "RaiseCheck.h"
#include "classlib/core/StringList.h"
#include "ovk/Catools.h"

#include <vector>

using namespace Ovk;

namespace {

TComponent* Named(TComponent* owner, const char* name) {
    auto* c = new TGadget(owner);
    c->SetName(name);
    return c;
}

TEST(FindUniqueNameTest, TakesTheFirstFreeNumberIgnoringAsciiCase) {
    TComponent owner(nullptr);
    EXPECT_EQ("Button1", FindUniqueName(&owner, "Button"));
    Named(&owner, "Button2");
    EXPECT_EQ("Button1", FindUniqueName(&owner, "Button"));  // not one past the highest
    Named(&owner, "BUTTON1");
    EXPECT_EQ("Button3", FindUniqueName(&owner, "Button"));
    Named(&owner, "button3");
    EXPECT_EQ("Button4", FindUniqueName(&owner, "Button"));
    EXPECT_EQ("Edit1", FindUniqueName(&owner, "Edit"));

    // Only the owner's own components count, not those of its components.
    TComponent* inner = Named(&owner, "Panel1");
    Named(inner, "Label1");
    EXPECT_EQ("Label1", FindUniqueName(&owner, "Label"));
}

TEST(FirstNumPosTest, FindsTheFirstAsciiDigit) {
    const struct { const char* text; int pos; } cases[] = {
        {"Edit12", 5}, {"3D", 1}, {"Caption", 0}, {"", 0}, {"a_b9", 4},
        {"ボタン１", 0},   // a full-width digit is not a digit
        {"ボタン1", 7},    // after three double-byte characters
    };
    for (const auto& c : cases) EXPECT_EQ(c.pos, FirstNumPos(c.text)) << c.text;
}

TEST(CompareComponentNamesTest, NumbersCompareByValueAfterEqualWords) {
    const struct { const char* a; const char* b; int expected; } cases[] = {
        {"Button2", "Button10", -1}, {"Button10", "Button9", 1}, {"Button02", "Button2", 0},
        {"Button7", "Button7", 0},   {"Item0x1F", "Item31", 0},  {"Item0x1F", "Item30", 1},
        {"7", "10", -1},             // no word at all
        {"Button2", "Edit1", -1},    // words differ: the locale decides
        {"Edit10", "Button2", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, CompareComponentNames(c.a, c.b)) << c.a << " " << c.b;
        EXPECT_EQ(-c.expected, CompareComponentNames(c.b, c.a)) << c.b << " " << c.a;
    }
}

TEST(CompareComponentNamesTest, OtherwiseTheLocaleComparesTheWholeNames) {
    // Digits at other positions, a name without digits, tails that are no number, tails beyond
    // 32 bits: all of them the whole names by the user's locale.
    const struct { const char* a; const char* b; } cases[] = {
        {"Button10", "Edit2"}, {"Button", "Button1"}, {"Label1a", "Label1b"},
        {"Label2a", "Label10a"},  // numerically 2 < 10, but these tails are not numbers
        {"Item4294967296", "Item5"}, {"Item99999999999", "Item2"}, {"Item0x123456789", "Item0x2"},
        {"b1", "B1"},  // the words differ in case only: the locale tells them apart
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiCompareStr(c.a, c.b), CompareComponentNames(c.a, c.b)) << c.a << " " << c.b;
        EXPECT_EQ(AnsiCompareStr(c.b, c.a), CompareComponentNames(c.b, c.a)) << c.b << " " << c.a;
    }
    EXPECT_EQ(1, CompareComponentNames("Label2a", "Label10a"));
    EXPECT_NE(0, CompareComponentNames("b1", "B1"));
}

// A string list that counts its exchanges and the reads of its strings.
class TCountingList : public TStringList {
public:
    void Exchange(int a, int b) override {
        Exchanges.emplace_back(a, b);
        TStringList::Exchange(a, b);
    }
    AnsiString Get(int index) const override {
        AnsiString s = TStringList::Get(index);
        ++Reads;  // only reads that found an entry
        return s;
    }
    std::vector<std::pair<int, int>> Exchanges;
    mutable int Reads = 0;
};

std::vector<AnsiString> StringsOf(const TStrings& list) {
    std::vector<AnsiString> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
    return out;
}

int ByLength(const AnsiString& a, const AnsiString& b) {
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

TEST(SortStringsTest, SortsByComponentNamesKeepingObjects) {
    TComponent owner(nullptr);
    TStringList list;
    for (const char* name : {"Button10", "Button2", "Button1", "Edit3", "Button02"})
        list.AddObject(name, Named(&owner, name));
    SortStrings(&list, 0, list.Count() - 1, CompareComponentNames);

    ASSERT_EQ(5, list.Count());
    EXPECT_EQ("Button1", list.Strings(0));
    EXPECT_TRUE((list.Strings(1) == "Button2" && list.Strings(2) == "Button02") ||
                (list.Strings(1) == "Button02" && list.Strings(2) == "Button2"));  // equal: any order
    EXPECT_EQ("Button10", list.Strings(3));
    EXPECT_EQ("Edit3", list.Strings(4));
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.Strings(i), static_cast<TComponent*>(list.Objects(i))->Name());
}

TEST(SortStringsTest, SortsOnlyTheRangeWithAnyComparison) {
    TStringList list;
    for (const char* s : {"zzzz", "ccc", "a", "bb", "dddddd", "e", "ffff"}) list.Add(s);
    SortStrings(&list, 1, 5, ByLength);
    EXPECT_EQ((std::vector<AnsiString>{"zzzz", "a", "e", "bb", "ccc", "dddddd", "ffff"}), StringsOf(list))
        << "entries 0 and 6 stay";
    // Already sorted, reverse sorted, all equal: each ends sorted.
    for (std::vector<const char*> input : {std::vector<const char*>{"a", "bb", "ccc", "dddd"},
                                           {"dddd", "ccc", "bb", "a"}, {"x", "y", "z"}}) {
        TStringList l;
        for (const char* s : input) l.Add(s);
        SortStrings(&l, 0, l.Count() - 1, ByLength);
        for (int i = 1; i < l.Count(); ++i) EXPECT_LE(l.Strings(i - 1).size(), l.Strings(i).size());
    }
}

TEST(SortStringsTest, ASingleEntryIsExchangedWithItselfOnce) {
    TCountingList list;
    list.Add("b");
    list.Add("a");
    SortStrings(&list, 1, 1, CompareComponentNames);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 1}}), list.Exchanges);
    EXPECT_EQ((std::vector<AnsiString>{"b", "a"}), StringsOf(list));
}

TEST(SortStringsTest, RangesOutsideTheListRaiseBeforeAnyEntryIsTouched) {
    const struct { int first, last; } cases[] = {{0, 3}, {-1, 1}, {2, 1}, {1, 0}, {0, -1}, {3, 3}};
    for (const auto& c : cases) {
        TCountingList list;
        for (const char* s : {"c", "b", "a"}) list.Add(s);
        list.Reads = 0;
        EXPECT_THROW(SortStrings(&list, c.first, c.last, CompareComponentNames), EListError)
            << c.first << ".." << c.last;
        EXPECT_EQ(0, list.Reads);
        EXPECT_TRUE(list.Exchanges.empty());
        EXPECT_EQ((std::vector<AnsiString>{"c", "b", "a"}), StringsOf(list));
    }
    TStringList empty;
    EXPECT_THROW(SortStrings(&empty, 0, 0, CompareComponentNames), EListError);
    EXPECT_THROW(SortStrings(&empty, 0, -1, CompareComponentNames), EListError);
}

TEST(SortStringsTest, ErrorsOfTheComparisonPassThrough) {
    TStringList list;
    for (const char* s : {"b", "a", "c"}) list.Add(s);
    auto raising = +[](const AnsiString&, const AnsiString&) -> int { throw Exception("比較できません."); };
    EXPECT_RAISES(SortStrings(&list, 0, 2, raising), Exception, "比較できません.");
}

}  // namespace
