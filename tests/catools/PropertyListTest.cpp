// Listing a component's properties as a form designer's inspector shows them.
#include "Gadgets.h"
#include "RaiseCheck.h"
#include "ovk/Catools.h"

#include <vector>

using namespace Ovk;

namespace {

// A designer that only counts its references.
struct TCountingDesigner : IFormDesigner {
    int Refs = 1;  // the designer's own
    unsigned long AddRef() override { return static_cast<unsigned long>(++Refs); }
    unsigned long Release() override { return static_cast<unsigned long>(--Refs); }
    TComponent* GetRoot() override { return nullptr; }
    void Modified() override {}
};

class TNameCollector : public TObject {
public:
    void Add(const AnsiString& name) {
        Names.push_back(name);
        if (Designer) RefsSeen.push_back(Designer->Refs);
        if (name == FailAt) throw Exception("集めきれません.");
    }
    std::vector<AnsiString> Names;
    std::vector<int> RefsSeen;
    AnsiString FailAt;
    TCountingDesigner* Designer = nullptr;
};

// Read-write properties of every kind that has an editor, the read-only class property Link,
// and the inherited Name and Tag; not the events, not the read-only Serial, not Broken (its value
// cannot be read), not Matrix (no editor for arrays).
const std::vector<AnsiString> kGadgetList = {"Big", "Buddy", "Caption", "Count", "Enabled", "Letter", "Link",
                                             "Name", "Ratio", "Shade", "Shades", "Tag", "Title", "Wide"};

TEST(GetPropertiesTest, ListsReadableWritablePropertiesInNameOrderWithoutEvents) {
    TGadget gadget(nullptr);
    TNameCollector names;
    GetProperties(&gadget, nullptr, TGetStrProc::Bind<&TNameCollector::Add>(&names));
    EXPECT_EQ(kGadgetList, names.Names);

    // The descendant's own property joins the list in its place.
    TFancyGadget fancy(nullptr);
    TNameCollector fancyNames;
    GetProperties(&fancy, nullptr, TGetStrProc::Bind<&TNameCollector::Add>(&fancyNames));
    std::vector<AnsiString> expected = kGadgetList;
    expected.insert(expected.begin() + 6, "Level");
    EXPECT_EQ(expected, fancyNames.Names);
}

TEST(GetPropertiesTest, HoldsTheDesignerForTheCallAndReleasesItAlsoOnErrors) {
    TGadget gadget(nullptr);
    TCountingDesigner designer;
    TNameCollector names;
    names.Designer = &designer;
    GetProperties(&gadget, &designer, TGetStrProc::Bind<&TNameCollector::Add>(&names));
    EXPECT_EQ(kGadgetList, names.Names);
    EXPECT_EQ(std::vector<int>(kGadgetList.size(), 2), names.RefsSeen);
    EXPECT_EQ(1, designer.Refs);

    TNameCollector failing;
    failing.FailAt = "Count";
    EXPECT_RAISES(GetProperties(&gadget, &designer, TGetStrProc::Bind<&TNameCollector::Add>(&failing)), Exception,
                  "集めきれません.");
    EXPECT_EQ((std::vector<AnsiString>{"Big", "Buddy", "Caption", "Count"}), failing.Names);
    EXPECT_EQ(1, designer.Refs);
}

TEST(GetPropertiesTest, ASelectionShowsThePropertiesAllItsComponentsShare) {
    TGadget gadget(nullptr);
    TFancyGadget fancy(nullptr);
    TComponent plain(nullptr);
    TDesignerSelectionList selection;
    selection.Add(&fancy);
    selection.Add(&gadget);
    std::vector<AnsiString> seen;
    GetComponentProperties(selection, AllTypeKinds(), nullptr,
                           [&](TPropertyEditor& editor) { seen.push_back(editor.GetName()); });
    // Events are listed under the full filter; Level is TFancyGadget's alone.
    std::vector<AnsiString> expected = kGadgetList;
    expected.insert(expected.begin() + 8, {"OnChange", "OnCount"});
    EXPECT_EQ(expected, seen);

    selection.Add(&plain);
    seen.clear();
    GetComponentProperties(selection, PropertyTypeKinds(), nullptr,
                           [&](TPropertyEditor& editor) { seen.push_back(editor.GetName()); });
    EXPECT_EQ((std::vector<AnsiString>{"Name", "Tag"}), seen);
}

}  // namespace
