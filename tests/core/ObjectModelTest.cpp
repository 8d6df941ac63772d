// The object model: type information, ownership, names, removal notices and events.
#include "TestClasses.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/Variant.h"

#include <gtest/gtest.h>

namespace {

enum TLevel { lvLow, lvHigh };

// One published property of each kind that C++ types map to.
class TKinds : public TPersistent {
    ZL_CLASS(TKinds)
public:
    int Int = 0;
    char Char = 0;
    TLevel Level = lvLow;
    bool Flag = false;
    double Float = 0;
    TSet<TLevel> Levels;
    TObject* Object = nullptr;
    TNotifyEvent Event;
    wchar_t WChar = 0;
    AnsiString LString;
    WideString WString;
    Variant Var;
    std::int64_t Int64 = 0;
};

TClass TKinds::StaticClass() {
    static const TClassInfo info = ClassBuilder<TKinds, TPersistent>("TKinds")
        .Property<&TKinds::Int>("Int").Property<&TKinds::Char>("Char").Property<&TKinds::Level>("Level")
        .Property<&TKinds::Flag>("Flag").Property<&TKinds::Float>("Float").Property<&TKinds::Levels>("Levels")
        .Property<&TKinds::Object>("Object").Property<&TKinds::Event>("Event").Property<&TKinds::WChar>("WChar")
        .Property<&TKinds::LString>("LString").Property<&TKinds::WString>("WString").Property<&TKinds::Var>("Var")
        .Property<&TKinds::Int64>("Int64")
        .Build();
    return &info;
}

}  // namespace

TEST(TypeInfo, KindCodesFollowTheKindsTable) {
    struct Case { const char* Name; int Code; };
    const Case cases[] = {{"Int", 1}, {"Char", 2}, {"Level", 3}, {"Flag", 3}, {"Float", 4}, {"Levels", 6},
                          {"Object", 7}, {"Event", 8}, {"WChar", 9}, {"LString", 10}, {"WString", 11},
                          {"Var", 12}, {"Int64", 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const TPropInfo* p = TKinds::StaticClass()->FindProperty(c.Name);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->Kind, c.Code);
    }
    // Tag is pointer-sized in C++ but an integer to reflection.
    EXPECT_EQ(TComponent::StaticClass()->FindProperty("Tag")->Kind, tkInteger);
    EXPECT_EQ(TComponent::StaticClass()->FindProperty("Name")->Kind, tkLString);
}

// Integer reads and writes by name go through the 32-bit accessors, which only the kinds of
// 32-bit ordinals have; they must see the same values as the general ones.
TEST(TypeInfo, ThirtyTwoBitAccessorsAgreeWithTheGeneralOnes) {
    TKinds k;
    k.Int = -7;
    k.Char = 'Z';
    k.Level = lvHigh;
    k.Flag = true;
    k.Levels = {lvLow, lvHigh};
    TClass c = TKinds::StaticClass();
    for (const char* name : {"Int", "Char", "Level", "Flag", "Levels"}) {
        SCOPED_TRACE(name);
        const TPropInfo* p = c->FindProperty(name);
        ASSERT_NE(p->GetOrd32, nullptr);
        ASSERT_NE(p->SetOrd32, nullptr);
        EXPECT_EQ(p->GetOrd32(&k), static_cast<std::int32_t>(p->GetOrd(&k)));
        const std::intptr_t before = p->GetOrd(&k);
        p->SetOrd32(&k, 0);
        EXPECT_EQ(p->GetOrd(&k), 0);
        p->SetOrd(&k, before);
    }
    for (const char* name : {"Float", "Object", "Event", "WChar", "LString", "Int64"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(c->FindProperty(name)->GetOrd32, nullptr);
        EXPECT_EQ(c->FindProperty(name)->SetOrd32, nullptr);
    }
    // Tag is declared an integer but is pointer-sized: where that is 64 bits, only the general
    // accessors serve it.
    EXPECT_EQ(TComponent::StaticClass()->FindProperty("Tag")->GetOrd32 != nullptr, sizeof(std::intptr_t) == 4);
}

TEST(TypeInfo, LookupIgnoresAsciiCaseAndSearchesAncestors) {
    TClass widget = TTestWidget::StaticClass();
    EXPECT_EQ(widget->FindProperty("caption"), widget->FindProperty("CAPTION"));
    ASSERT_NE(widget->FindProperty("caption"), nullptr);
    EXPECT_EQ(widget->FindProperty("caption")->Name, "Caption");
    // Declared by TComponent, found through TTestWidget.
    const TPropInfo* tag = widget->FindProperty("tAG");
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag, TComponent::StaticClass()->FindProperty("Tag"));
    EXPECT_EQ(widget->FindProperty("Captio"), nullptr);
    EXPECT_EQ(widget->FindProperty("Caption "), nullptr);
    EXPECT_NE(TTestForm::StaticClass()->FindMethod("widgetclick"), nullptr);
    EXPECT_NE(TTestForm::StaticClass()->FindField("WIDGET1"), nullptr);
    EXPECT_EQ(TTestForm::StaticClass()->FindMethod("Widget1"), nullptr);

    auto all = widget->AllProperties();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[0]->Name, "Name");  // ancestors' first
}

TEST(TypeInfo, ClassesKnowTheirNameParentAndRegistry) {
    TTestWidget w(nullptr);
    EXPECT_EQ(w.ClassName(), "TTestWidget");
    EXPECT_EQ(w.ClassType()->Parent, TComponent::StaticClass());
    EXPECT_TRUE(w.InheritsFrom(TPersistent::StaticClass()));
    EXPECT_FALSE(w.InheritsFrom(TTestForm::StaticClass()));
    EXPECT_EQ(GetClass("ttestwidget"), TTestWidget::StaticClass());
    EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
    EXPECT_THROW(FindClass("TNoSuchClass"), EPropertyError);
    EXPECT_NE(GetClass("TComponent"), nullptr);
    EXPECT_EQ(TPersistent::StaticClass()->Create, nullptr);

    std::unique_ptr<TComponent> made(TTestWidget::StaticClass()->Create(nullptr));
    EXPECT_EQ(made->ClassType(), TTestWidget::StaticClass());
}

TEST(TypeInfo, AccessorsReadAndWriteThroughFieldsAndMethods) {
    TTestWidget w(nullptr);
    TClass c = w.ClassType();
    c->FindProperty("Caption")->SetStr(&w, "OK");
    EXPECT_EQ(w.Caption(), "OK");
    c->FindProperty("Left")->SetOrd(&w, -3);
    EXPECT_EQ(c->FindProperty("left")->GetOrd(&w), -3);
    c->FindProperty("Tag")->SetOrd(&w, 9);
    EXPECT_EQ(w.Tag(), 9);
    EXPECT_EQ(c->FindProperty("Font")->SetOrd, nullptr);  // read-only
    EXPECT_EQ(reinterpret_cast<TObject*>(c->FindProperty("Font")->GetOrd(&w)), w.Font.get());
    c->FindProperty("Shades")->SetOrd(&w, 5);
    EXPECT_TRUE(w.Shades.Contains(shRed) && w.Shades.Contains(shBlue) && !w.Shades.Contains(shGreen));
}

TEST(Events, BoundMethodsCallTheirObjectAndCarryTheirSignature) {
    TTestForm form(nullptr);
    TNotifyEvent e = TNotifyEvent::Bind<&TTestForm::WidgetClick>(&form);
    e(&form);
    ASSERT_EQ(form.Clicks.size(), 1u);
    EXPECT_EQ(e.Method().Data, &form);
    EXPECT_EQ(SignatureOfCode(e.Method().Code), TNotifyEvent::Signature());
    EXPECT_NE(TNotifyEvent::Signature(), TEvent<int>::Signature());
    const TMethodInfo* m = TTestForm::StaticClass()->FindMethod("ValueChanged");
    EXPECT_EQ(m->Signature, TEvent<int>::Signature());
    TNotifyEvent none;
    none(&form);  // unassigned: nothing happens
    EXPECT_FALSE(none.Assigned());
}

// ---------------------------------------------------------------- components
class Components : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(TTestWidget::Live, 0); }
    void TearDown() override { EXPECT_EQ(TTestWidget::Live, 0) << "widgets leaked"; }
};

TEST_F(Components, FreeingTheOwnerFreesItsComponentsAndNotifiesTheOthers) {
    TTestWidget outsider(nullptr);
    {
        auto owner = std::make_unique<TTestForm>(nullptr);
        auto* a = new TTestWidget(owner.get());
        auto* b = new TTestWidget(owner.get());
        auto* grandchild = new TTestWidget(a);
        EXPECT_EQ(TTestWidget::Live, 4);
        ASSERT_EQ(owner->ComponentCount(), 2);
        EXPECT_EQ(a->Owner(), owner.get());
        EXPECT_EQ(owner->Components(1), b);
        EXPECT_THROW(owner->Components(2), EListError);
        // b joined after a and the grandchild joined a, not the owner: b heard of nothing.
        ASSERT_EQ(b->Notices.size(), 0u);
        outsider.SetBuddy(a);
        b->SetBuddy(a);
        (void)grandchild;
        owner.reset();
    }
    EXPECT_EQ(TTestWidget::Live, 1);
    EXPECT_EQ(outsider.Buddy, nullptr);  // told through the free notification
    ASSERT_FALSE(outsider.Notices.empty());
    EXPECT_EQ(outsider.Notices.back().second, opRemove);
}

TEST_F(Components, SiblingsHearOfInsertionAndRemoval) {
    TTestForm owner(nullptr);
    auto* a = new TTestWidget(&owner);
    auto* b = new TTestWidget(&owner);
    ASSERT_EQ(a->Notices.size(), 1u);
    EXPECT_EQ(a->Notices[0], std::make_pair(static_cast<TComponent*>(b), opInsert));
    a->SetBuddy(b);
    delete b;
    EXPECT_EQ(a->Buddy, nullptr);
    EXPECT_EQ(a->Notices.back(), std::make_pair(static_cast<TComponent*>(b), opRemove));
    EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST_F(Components, FreeNotificationWorksAcrossOwnersAndCanBeWithdrawn) {
    TTestForm formA(nullptr), formB(nullptr);
    auto* a = new TTestWidget(&formA);
    auto* b = new TTestWidget(&formB);
    a->SetBuddy(b);
    a->SetBuddy(nullptr);  // withdraws the request
    a->Notices.clear();
    delete b;
    EXPECT_TRUE(a->Notices.empty());

    auto* c = new TTestWidget(&formB);
    a->SetBuddy(c);
    delete c;
    EXPECT_EQ(a->Buddy, nullptr);
    // The request is gone with c: a's destruction must not touch freed memory.
}

TEST_F(Components, DestroyingStateReachesEverythingOwned) {
    struct Probe : TTestWidget {
        using TTestWidget::TTestWidget;
        unsigned* Seen = nullptr;
        ~Probe() override { if (Seen) *Seen = ComponentState(); }
    };
    unsigned state = 0;
    {
        TTestForm owner(nullptr);
        auto* p = new Probe(&owner);
        p->Seen = &state;
    }
    EXPECT_TRUE(state & csDestroying);
}

TEST_F(Components, NamesMustBeIdentifiersAndUniqueIgnoringCase) {
    TTestForm owner(nullptr);
    auto* a = new TTestWidget(&owner);
    auto* b = new TTestWidget(&owner);
    a->SetName("Button1");
    const char* invalid[] = {"1Button", "Button 1", "Bu-tton", "ボタン", "a.b"};
    for (const char* name : invalid) {
        SCOPED_TRACE(name);
        EXPECT_THROW(b->SetName(name), EComponentError);
        EXPECT_EQ(b->Name(), "");
    }
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    b->SetName("_Button2");
    a->SetName("button1");  // renaming itself with another case is no clash
    EXPECT_EQ(owner.FindComponent("BUTTON1"), a);
    EXPECT_EQ(owner.FindComponent("_button2"), b);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    b->SetName("");
    EXPECT_EQ(owner.FindComponent("_button2"), nullptr);
    // A named component cannot join an owner that already has that name.
    TTestForm other(nullptr);
    auto* c = new TTestWidget(&other);
    c->SetName("Button1");
    EXPECT_THROW(owner.InsertComponent(c), EComponentError);
    EXPECT_EQ(c->Owner(), &other);
}

TEST_F(Components, StateFlagsAndDesigning) {
    TTestForm owner(nullptr);
    auto* a = new TTestWidget(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(a->IsDesigning());
    owner.SetDesigning(false, false);
    EXPECT_FALSE(owner.IsDesigning());
    EXPECT_TRUE(a->IsDesigning());
    a->BeginLoading();
    EXPECT_EQ(a->ComponentState() & (csLoading | csReading), csLoading | csReading);
    a->EndReading();
    EXPECT_EQ(a->ComponentState() & (csLoading | csReading), unsigned(csLoading));
    a->Loaded();
    EXPECT_FALSE(a->IsLoading());
}

TEST(Persistent, AssignWithoutKnowledgeRaises) {
    TTestFont a, b;
    b.Height = 20;
    a.Assign(&b);
    EXPECT_EQ(a.Height, 20);
    TTestPlain plain;
    EXPECT_THROW(a.Assign(&plain), EConvertError);
    EXPECT_THROW(a.Assign(nullptr), EConvertError);
    EXPECT_EQ(a.GetOwner(), nullptr);
}
