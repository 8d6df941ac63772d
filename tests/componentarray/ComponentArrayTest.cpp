// The component array on real forms, buttons and group boxes.
#include "Samples.h"
#include "catools/RaiseCheck.h"
#include "classlib/core/FormFile.h"
#include "classlib/ui/Button.h"
#include "classlib/ui/ControlClasses.h"
#include "classlib/ui/Form.h"
#include "classlib/ui/GroupBox.h"
#include "classlib/ui/Label.h"

#include <memory>

using namespace Ovk;

namespace {

struct ComponentArray : testing::Test {
    static void SetUpTestSuite() { RegisterControlClasses(); }

    std::unique_ptr<TForm> form = [] {
        auto f = std::make_unique<TForm>(nullptr);
        f->SetName("Form1");
        return f;
    }();
    TGroupBox* panel = Make<TGroupBox>("Panel1", form.get());
    TComponentArray* array = Make<TComponentArray>("Array1");
    TArrayEvents events;

    template <class T>
    T* Make(const char* name, TWinControl* parent = nullptr) {
        auto* c = new T(form.get());  // owned by the form
        c->SetName(name);
        if constexpr (std::is_base_of_v<TControl, T>) c->SetParent(parent);
        return c;
    }
    TComponent* Element(int index) {
        return static_cast<TComponent*>(static_cast<TObject*>(array->GetElements(index)));
    }
    std::vector<AnsiString> Names() {
        std::vector<AnsiString> names;
        TStringList* items = array->GetItems();
        for (int i = 0; i < items->Count(); ++i) names.push_back(items->Strings(i));
        return names;
    }
};

TEST_F(ComponentArray, CreateNewNamesParentsAnnouncesAndAdds) {
    Make<TButton>("Button1", form.get());  // already on the form: the array takes the next numbers
    array->SetElementClassName("TButton");
    array->SetParent(panel);
    events.Attach(*array);

    TComponent* a = array->CreateNew("");
    TComponent* b = array->CreateNew("");
    EXPECT_EQ("Button2", a->Name());
    EXPECT_EQ("Button3", b->Name());
    EXPECT_EQ(form.get(), a->Owner());
    EXPECT_EQ(TButton::StaticClass(), b->ClassType());
    EXPECT_EQ(panel, static_cast<TControl*>(a)->Parent());
    EXPECT_EQ(panel, static_cast<TControl*>(b)->Parent());
    EXPECT_EQ(0, array->IndexOfElement(a));
    EXPECT_EQ(1, array->IndexOfElement(b));
    // Announced before it is in the array, then added.
    EXPECT_EQ((std::vector<std::string>{"create Button2 count=0", "add 0 Button2", "create Button3 count=1",
                                        "add 1 Button3"}),
              events.Log);

    EXPECT_EQ("OK", array->CreateNew("OK")->Name());
    EXPECT_EQ(3, array->GetElementCount());
}

TEST_F(ComponentArray, ElementsOfAnyClassAreNamedButtonN) {
    array->SetElementClassName("TLabel");
    TComponent* first = array->CreateNew("");
    TComponent* second = array->CreateNew("");
    EXPECT_EQ(TLabel::StaticClass(), first->ClassType());
    EXPECT_EQ("Button1", first->Name());
    EXPECT_EQ("Button2", second->Name());
}

TEST_F(ComponentArray, WithoutParentControlControlsGoOnTheFormOrNowhere) {
    array->SetElementClassName("TButton");
    EXPECT_EQ(form.get(), static_cast<TControl*>(array->CreateNew(""))->Parent());

    TComponent plainOwner(nullptr);
    TComponentArray loose(&plainOwner);
    loose.SetElementClassName("TButton");
    auto* button = static_cast<TControl*>(loose.CreateNew(""));
    EXPECT_EQ(nullptr, button->Parent());
    EXPECT_EQ(&plainOwner, button->Owner());

    // Non-controls simply join.
    loose.SetElementClassName("TSample");
    EXPECT_EQ(TSample::StaticClass(), loose.CreateNew("")->ClassType());
}

TEST_F(ComponentArray, CreateNewNeedsAClassAndAnOwner) {
    const int before = form->ComponentCount();
    array->SetElementClassName("TNoSuchClass");
    EXPECT_RAISES(array->CreateNew(""), Exception, "クラスが決定できません.");
    // Names without objects and no class: the same error, not a null object's class.
    TStringList names;
    names.Add("Ghost1");
    array->SetItems(&names);
    EXPECT_RAISES(array->CreateNew(""), Exception, "クラスが決定できません.");
    EXPECT_EQ(before, form->ComponentCount());

    TComponentArray ownerless(nullptr);
    ownerless.SetElementClassName("TButton");
    EXPECT_RAISES(ownerless.CreateNew(""), Exception, "オーナーのないコンポーネント配列ではこの操作はできません.");
    EXPECT_RAISES(ownerless.UpdateElements(), Exception, "オーナーのないコンポーネント配列ではこの操作はできません.");
}

// Registered only once the array already holds its name.
class TLateSample : public TSample {
    ZL_CLASS(TLateSample)
public:
    using TSample::TSample;
};
TClass TLateSample::StaticClass() {
    static const TClassInfo info = ClassBuilder<TLateSample, TSample>("TLateSample").Build();
    return &info;
}

TEST_F(ComponentArray, AFirstEntryWithoutObjectLeavesTheClassToElementClassName) {
    array->SetElementClassName("TLateSample");
    TStringList names;
    names.Add("Ghost1");
    array->SetItems(&names);
    RegisterClass(TLateSample::StaticClass());
    EXPECT_EQ(TLateSample::StaticClass(), array->CreateNew("")->ClassType());
}

TEST_F(ComponentArray, NamingErrorsLeaveTheComponentWithTheOwnerOnly) {
    array->SetElementClassName("TButton");
    Make<TButton>("Taken");
    const int before = form->ComponentCount();
    EXPECT_THROW(array->CreateNew("Taken"), EComponentError);
    EXPECT_THROW(array->CreateNew("not a name"), EComponentError);
    EXPECT_EQ(before + 2, form->ComponentCount());
    EXPECT_EQ(0, array->GetElementCount());
}

TEST_F(ComponentArray, ChangingTheElementClassForgetsTheElements) {
    array->SetElementClassName("TButton");
    TComponent* a = array->CreateNew("");
    array->CreateNew("");
    array->SetElementClassName("TButton");  // the same: kept
    EXPECT_EQ(2, array->GetElementCount());
    array->SetElementClassName("TLabel");
    EXPECT_EQ(0, array->GetElementCount());
    EXPECT_EQ(a, form->FindComponent("Button1"));  // forgotten, not freed

    array->Add(a);
    array->SetElementClassType(TLabel::StaticClass());  // the same class as the name: kept
    EXPECT_EQ(1, array->GetElementCount());
    array->SetElementClassType(TButton::StaticClass());
    EXPECT_EQ("TButton", array->ElementClassName());
    EXPECT_EQ(0, array->GetElementCount());
}

TEST_F(ComponentArray, ChangingTheParentForgetsElementsOnOtherParents) {
    TGroupBox* second = Make<TGroupBox>("Panel2", form.get());
    array->SetElementClassName("TButton");
    array->SetParent(panel);
    TComponent* onFirst = array->CreateNew("");
    array->SetParent(second);
    TComponent* onSecond = array->CreateNew("");
    array->Add(Make<TSample>("Sample1"));  // not a control

    array->SetParent(second);
    EXPECT_EQ((std::vector<AnsiString>{"Button2"}), Names());
    EXPECT_EQ(0, array->IndexOfElement(onSecond));
    EXPECT_EQ(-1, array->IndexOfElement(onFirst));

    // None left: the name is cleared, the class stays for CreateNew.
    array->SetParent(panel);
    EXPECT_EQ(0, array->GetElementCount());
    EXPECT_EQ("", array->ElementClassName());
    EXPECT_EQ(TButton::StaticClass(), array->CreateNew("")->ClassType());
}

TEST_F(ComponentArray, SetsPropertiesAndEventsOnEveryElement) {
    array->SetElementClassName("TButton");
    for (int i = 0; i < 3; ++i) array->CreateNew("");
    array->SetPropertyAutoInc("Tag", 10, 5);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(10 + 5 * i, Element(i)->Tag());
    array->SetProperty("caption", Variant("x"));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Variant("x"), array->GetElements(i)->GetProperties("Caption"));

    // The counter wraps in 32 bits instead of overflowing.
    array->SetPropertyAutoInc("Tag", 2147483647, 1);
    EXPECT_EQ(-2147483647 - 1, array->GetElements(1)->GetProperties("Tag").AsInteger());

    auto* target = Make<TSample>("Target");
    array->SetEvent("OnClick", target, "touch");
    for (int i = 0; i < 3; ++i) {
        auto* button = static_cast<TControl*>(Element(i));
        button->OnClick(button);
        EXPECT_EQ(button, target->LastTouched);
    }
}

TEST_F(ComponentArray, ElementsLackingThePropertyStopTheLoop) {
    array->SetElementClassName("TButton");
    TComponent* button = array->CreateNew("");
    array->Add(Make<TSample>("Sample1"));
    EXPECT_RAISES(array->SetProperty("Caption", Variant("x")), Exception,
                  "クラス\"TSample\"のプロパティ\"Caption\"が取得できません.");
    EXPECT_EQ(Variant("x"), GetProperty(button, "Caption"));  // the element before it changed

    // A target without the method: nothing changes.
    const TMethod before = GetEvent(button, "OnClick");
    EXPECT_RAISES(array->SetEvent("OnClick", button, "Missing"), Exception,
                  "クラス\"TButton\"のメソッド\"Missing\"が取得できません.");
    EXPECT_EQ(before, GetEvent(button, "OnClick"));
}

TEST_F(ComponentArray, DeleteTellsAndReturnsTheComponent) {
    array->SetElementClassName("TButton");
    array->CreateNew("");
    TComponent* second = array->CreateNew("");
    events.Attach(*array);

    TComponent* gone = array->Delete(0);
    EXPECT_EQ(form->FindComponent("Button1"), gone);  // still exists
    EXPECT_EQ((std::vector<std::string>{"delete 0 Button1"}), events.Log);
    EXPECT_EQ(0, array->IndexOfElement(second));
    EXPECT_THROW(array->Delete(1), EListError);
    EXPECT_THROW(array->GetElements(5), EListError);

    TStringList names;
    names.Add("NoObject");
    array->SetItems(&names);
    EXPECT_RAISES(array->Delete(0), Exception, "配列にコンポーネントが格納されていません.");
    EXPECT_EQ(1, array->GetElementCount());  // nothing removed
}

TEST_F(ComponentArray, AddTakesTheNameAnOnAddHandlerGives) {
    events.Attach(*array);
    events.RenameTo = "Renamed";
    array->Add(Make<TSample>("Sample1"));
    EXPECT_EQ((std::vector<AnsiString>{"Renamed"}), Names());

    // Renaming an element shows at the next read of the names.
    events.RenameTo.clear();
    form->FindComponent("Renamed")->SetName("Again");
    EXPECT_EQ((std::vector<AnsiString>{"Again"}), Names());
    array->SetElementCount(7);
    SetProperty(array, "ElementCount", Variant(9));
    EXPECT_EQ(1, GetProperty(array, "ElementCount").AsInteger());
}

TEST_F(ComponentArray, FreedElementsAndParentsAreForgotten) {
    array->SetElementClassName("TButton");
    array->SetParent(panel);
    TComponent* a = array->CreateNew("");
    array->CreateNew("");
    events.Attach(*array);

    delete a;
    EXPECT_EQ((std::vector<AnsiString>{"Button2"}), Names());
    EXPECT_TRUE(events.Log.empty());  // no OnDelete

    // Components of another owner are watched as well, and so is a parent of another owner.
    TComponent elsewhere(nullptr);
    auto* foreign = new TSample(&elsewhere);
    foreign->SetName("Foreign");
    array->Add(foreign);
    auto otherPanel = std::make_unique<TGroupBox>(nullptr);
    array->Add(otherPanel.get());
    EXPECT_EQ(3, array->GetElementCount());
    delete foreign;
    EXPECT_EQ((std::vector<AnsiString>{"Button2", ""}), Names());
    TStringList copy;  // a copy assigned back keeps the watch
    copy.Assign(array->GetItems());
    array->SetItems(&copy);
    otherPanel.reset();
    EXPECT_EQ((std::vector<AnsiString>{"Button2"}), Names());

    auto lonePanel = std::make_unique<TGroupBox>(nullptr);
    array->SetParent(lonePanel.get());
    lonePanel.reset();
    EXPECT_EQ(nullptr, array->ParentControl());

    delete panel;  // the parent of the remaining button, owned by the form
    EXPECT_EQ(nullptr, array->ParentControl());
}

TEST_F(ComponentArray, ItemsTravelThroughTheFormFile) {
    array->SetParent(panel);  // set on an empty array, the parent clears the class name: first
    array->SetElementClassName("TButton");
    array->CreateNew("");
    array->CreateNew("");
    TComponentArray* empty = Make<TComponentArray>("Array2");
    (void)empty;
    const std::string text = WriteComponentText(form.get());
    EXPECT_NE(std::string::npos, text.find("Items = \"Button1\\r\\nButton2\\r\\n\"")) << text;
    EXPECT_EQ(1u, [&] {  // only the array with elements writes Items; ElementCount never
        std::size_t n = 0;
        for (std::size_t p = text.find("Items ="); p != std::string::npos; p = text.find("Items =", p + 1)) ++n;
        return n;
    }());
    EXPECT_EQ(std::string::npos, text.find("ElementCount")) << text;

    // Read back into a new form, with a name that no component bears any longer.
    std::string changed = text;
    changed.replace(changed.find("Button1\\r\\n"), 7, "Missing");
    auto copy = std::make_unique<TForm>(nullptr);
    ReadComponentText(copy.get(), changed);
    auto* read = static_cast<TComponentArray*>(copy->FindComponent("Array1"));
    ASSERT_NE(nullptr, read);
    ASSERT_EQ(1, read->GetElementCount());
    EXPECT_EQ(static_cast<TObject*>(copy->FindComponent("Button2")), static_cast<TObject*>(read->GetElements(0)));
    EXPECT_EQ("TButton", read->ElementClassName());
    EXPECT_EQ(copy->FindComponent("Panel1"), read->ParentControl());
    EXPECT_EQ(TButton::StaticClass(), read->ElementClassType());
}

}  // namespace
