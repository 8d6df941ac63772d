// String lists and collections.
#include "TestClasses.h"
#include "classlib/core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

std::vector<AnsiString> Lines(const TStrings& s) {
    std::vector<AnsiString> v;
    for (int i = 0; i < s.Count(); ++i) v.push_back(s.Strings(i));
    return v;
}

}  // namespace

TEST(StringList, TextJoinsWithCrLfAndSplitsAtAnyLineBreak) {
    struct Case { const char* Text; std::vector<AnsiString> Lines; const char* Back; };
    const Case cases[] = {
        {"", {}, ""},
        {"a", {"a"}, "a\r\n"},
        {"a\r\nb\r\n", {"a", "b"}, "a\r\nb\r\n"},
        {"a\nb\rc", {"a", "b", "c"}, "a\r\nb\r\nc\r\n"},
        {"\r\n", {""}, "\r\n"},
        {"a\r\n\r\nb", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
        {"a\n\rb", {"a", "", "b"}, "a\r\n\r\nb\r\n"},  // LF then CR are two breaks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.Text)));
        TStringList list;
        list.AddObject("old", &list);
        list.SetText(c.Text);
        EXPECT_EQ(Lines(list), c.Lines);
        EXPECT_EQ(list.Text(), c.Back);
        for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Objects(i), nullptr);
    }
}

TEST(StringList, EditsKeepStringsAndObjectsTogether) {
    TStringList list;
    TTestFont x, y;
    EXPECT_EQ(list.Add("one"), 0);
    EXPECT_EQ(list.AddObject("two", &x), 1);
    list.AddObject("three", &y);
    list.Exchange(0, 2);
    EXPECT_EQ(Lines(list), (std::vector<AnsiString>{"three", "two", "one"}));
    EXPECT_EQ(list.Objects(0), &y);
    EXPECT_EQ(list.IndexOf("TWO"), 1);  // case ignored
    EXPECT_EQ(list.IndexOf("four"), -1);
    EXPECT_EQ(list.IndexOfObject(&x), 1);
    list.Delete(1);
    EXPECT_EQ(Lines(list), (std::vector<AnsiString>{"three", "one"}));
    EXPECT_EQ(list.Objects(1), nullptr);
    list.Insert(2, "end");
    EXPECT_EQ(list.Strings(2), "end");

    TStringList copy;
    copy.Add("gone");
    copy.Assign(&list);
    EXPECT_EQ(Lines(copy), Lines(list));
    EXPECT_EQ(copy.Objects(0), &y);
    TTestFont font;
    EXPECT_THROW(copy.Assign(&font), EConvertError);
    EXPECT_EQ(Lines(copy), Lines(list));
}

TEST(StringList, IndexesOutsideTheListRaiseTheListError) {
    TStringList list;
    list.Add("a");
    EXPECT_THROW(list.Strings(1), EListError);
    EXPECT_THROW(list.Strings(-1), EListError);
    EXPECT_THROW(list.Objects(1), EListError);
    EXPECT_THROW(list.Delete(1), EListError);
    EXPECT_THROW(list.Exchange(0, 1), EListError);
    EXPECT_THROW(list.Insert(2, "x"), EListError);
    EXPECT_THROW(list.Put(-1, "x"), EListError);
    EXPECT_EQ(list.Count(), 1);
}

TEST(StringList, ChangesAreToldOncePerUpdate) {
    struct Counter {
        int Count = 0;
        void Changed(TObject*) { ++Count; }
    } counter;
    TStringList list;
    list.OnChange = TNotifyEvent::Bind<&Counter::Changed>(&counter);
    list.Add("a");
    EXPECT_EQ(counter.Count, 1);
    list.SetText("a\r\nb\r\nc\r\n");
    EXPECT_EQ(counter.Count, 2);
}

// A change handler that raises at the end of an update: its error reaches the caller (it used to
// end the program from the update's end), and the list is out of its update afterwards.
TEST(StringList, ChangeHandlerThatRaisesAtTheEndOfAnUpdate) {
    struct Raiser {
        int Calls = 0;
        void Changed(TObject*) {
            ++Calls;
            throw Exception("change refused");
        }
    } raiser;
    TStringList source;
    source.Add("x");
    TStringList list;
    list.OnChange = TNotifyEvent::Bind<&Raiser::Changed>(&raiser);
    EXPECT_THROW(list.Assign(&source), Exception);
    EXPECT_THROW(list.SetText("a\r\nb"), Exception);
    EXPECT_THROW(list.InsertObject(0, "c", nullptr), Exception);
    EXPECT_EQ(raiser.Calls, 3);
    EXPECT_EQ(list.Text(), "c\r\na\r\nb\r\n");
    EXPECT_THROW(list.Add("d"), Exception);  // told at once: no update left open
    EXPECT_EQ(raiser.Calls, 4);
}

TEST(Collection, ItemsKnowTheirCollectionAndTheCollectionItsOwner) {
    TTestWidget owner(nullptr);
    TTestItems& items = *owner.Items;
    EXPECT_EQ(items.GetOwner(), &owner);
    EXPECT_EQ(items.ItemClass(), TTestItem::StaticClass());
    auto* first = static_cast<TTestItem*>(items.Add());
    auto* second = static_cast<TTestItem*>(items.Add());
    EXPECT_EQ(first->GetOwner(), &items);
    EXPECT_EQ(first->Collection(), &items);
    EXPECT_EQ(second->Index(), 1);
    EXPECT_NE(first->ID(), second->ID());
    EXPECT_EQ(items.FindItemID(second->ID()), second);
    EXPECT_EQ(first->DisplayName(), "TTestItem");  // the class name until it has one of its own

    items.Updates.clear();
    first->SetDisplayName("Width");
    EXPECT_EQ(first->DisplayName(), "Width");
    EXPECT_EQ(items.Updates, std::vector<TCollectionItem*>{first});

    second->SetIndex(0);
    EXPECT_EQ(items.Items(0), second);
    EXPECT_THROW(items.Items(2), EListError);
    items.Delete(0);
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Items(0), first);
    delete first;  // an item freed on its own leaves the collection
    EXPECT_EQ(items.Count(), 0);
}

TEST(Collection, AssignCopiesItemByItem) {
    TTestWidget a(nullptr), b(nullptr);
    for (const char* caption : {"x", "y"}) static_cast<TTestItem*>(a.Items->Add())->Caption = caption;
    b.Items->Add();
    b.Items->Assign(a.Items.get());
    ASSERT_EQ(b.Items->Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(b.Items->Items(1))->Caption, "y");
    EXPECT_EQ(b.Items->Items(1)->Collection(), b.Items.get());
    EXPECT_THROW(b.Items->Assign(a.Font.get()), EConvertError);
}
