// Published properties, events and methods read and written by name.
#include "Gadgets.h"
#include "RaiseCheck.h"
#include "ovk/Catools.h"

#include <limits>
#include <memory>

using namespace Ovk;

namespace {

struct PropertyAccess : testing::Test {
    TComponent form{nullptr};
    TFancyGadget* gadget = new TFancyGadget(&form);  // owned by the form
    TGadget* other = new TGadget(&form);
};

std::intptr_t Address(const void* p) { return reinterpret_cast<std::intptr_t>(p); }

TEST_F(PropertyAccess, NamesIgnoreAsciiCaseAndEventsCountAsProperties) {
    struct Case { const char* name; bool property, event; };
    const Case cases[] = {
        {"Caption", true, false}, {"caption", true, false}, {"CAPTION", true, false},
        {"level", true, false},   // the class's own
        {"tag", true, false},     // an ancestor's (TComponent)
        {"OnChange", true, true}, {"onchange", true, true},
        {"Captio", false, false}, {"Caption ", false, false}, {"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.property, ObjectHasProperty(gadget, c.name)) << c.name;
        EXPECT_EQ(c.event, ObjectHasEvent(gadget, c.name)) << c.name;
    }
    EXPECT_TRUE(ObjectHasMethod(gadget, "changed"));
    EXPECT_TRUE(ObjectHasMethod(gadget, "RESET"));
    EXPECT_FALSE(ObjectHasMethod(gadget, "Caption"));  // a property is not a method
    EXPECT_FALSE(ObjectHasMethod(other, "Reset"));     // the descendant's method
}

TEST_F(PropertyAccess, ReadsEachKindAsIntegerOrString) {
    gadget->FCount = -42;
    gadget->FLetter = 'Z';
    gadget->FEnabled = true;
    gadget->FShade = shBlue;
    gadget->FShades = {shRed, shBlue};
    gadget->SetCaption("OK");
    gadget->FTitle = L"\u6642\u8A08";  // 時計
    gadget->SetTag(9);

    struct Case { const char* name; Variant expected; };
    const Case cases[] = {
        {"Count", Variant(-42)},
        {"Letter", Variant(90)},
        {"Enabled", Variant(1)},  // an integer, not a Boolean
        {"Shade", Variant(2)},
        {"Shades", Variant(5)},   // bits 0 and 2
        {"Caption", Variant("OK")},
        {"Title", Variant("時計")},  // converted to the ANSI code page
        {"Tag", Variant(9)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, GetProperty(gadget, c.name)) << c.name;
}

TEST_F(PropertyAccess, FloatsReadAsIntegersTruncatedTowardZero) {
    const struct { double value; std::int32_t expected; } cases[] = {
        {2.75, 2}, {-2.75, -2}, {0.5, 0}, {-0.5, 0}, {2147483647.9, 2147483647},
        {4294967298.5, 2},          // the low 32 bits of the 64-bit truncation
        {-4294967298.5, -2},
    };
    for (const auto& c : cases) {
        gadget->FRatio = c.value;
        Variant v = GetProperty(gadget, "Ratio");
        EXPECT_EQ(varInteger, v.VarType()) << c.value;
        EXPECT_EQ(c.expected, v.AsInteger()) << c.value;
    }
    // A value without a 64-bit truncation is refused rather than cast.
    for (double bad : {1e30, -1e30, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        gadget->FRatio = bad;
        EXPECT_THROW(GetProperty(gadget, "Ratio"), EConvertError) << bad;
    }
}

TEST_F(PropertyAccess, WritesConvertTheVariantToTheKind) {
    SetProperty(gadget, "count", Variant("12"));
    EXPECT_EQ(12, gadget->FCount);
    SetProperty(gadget, "Count", Variant(2.5));  // the variant's cast rounds to even
    EXPECT_EQ(2, gadget->FCount);
    SetProperty(gadget, "Enabled", Variant(1));
    EXPECT_TRUE(gadget->FEnabled);
    SetProperty(gadget, "Enabled", Variant("0"));
    EXPECT_FALSE(gadget->FEnabled);
    SetProperty(gadget, "Letter", Variant(66));
    EXPECT_EQ('B', gadget->FLetter);
    SetProperty(gadget, "Shades", Variant(3));
    EXPECT_EQ((TSet<TShade>{shRed, shGreen}), gadget->FShades);
    SetProperty(gadget, "Ratio", Variant("2.5"));
    EXPECT_DOUBLE_EQ(2.5, gadget->FRatio);
    SetProperty(gadget, "Ratio", Variant(-7));
    EXPECT_DOUBLE_EQ(-7.0, gadget->FRatio);
    SetProperty(gadget, "Caption", Variant(15));
    EXPECT_EQ("15", gadget->GetCaption());
    EXPECT_EQ(1, gadget->CaptionWrites);  // through the declared setter
    SetProperty(gadget, "Title", Variant("時計"));
    EXPECT_EQ(WideString(L"\u6642\u8A08"), gadget->FTitle);
    SetProperty(gadget, "Level", Variant(3));
    EXPECT_EQ(3, gadget->FLevel);
}

TEST_F(PropertyAccess, TextsThatAreNoNumberRaiseTheVariantError) {
    gadget->FCount = 4;
    EXPECT_THROW(SetProperty(gadget, "Count", Variant("abc")), EVariantError);
    EXPECT_THROW(SetProperty(gadget, "Count", Variant("12x")), EVariantError);
    EXPECT_THROW(SetProperty(gadget, "Ratio", Variant("2,5")), EVariantError);
    EXPECT_THROW(SetProperty(gadget, "Buddy", Variant("abc")), EVariantError);
    EXPECT_EQ(4, gadget->FCount);
}

TEST_F(PropertyAccess, ClassPropertiesTravelAsAddresses) {
    Variant empty = GetProperty(gadget, "Buddy");
    EXPECT_EQ(0, empty.AsPointerInt());

    gadget->FBuddy = other;
    Variant v = GetProperty(gadget, "Buddy");
    // Pointer-sized: the whole address on 64-bit Windows.
    EXPECT_EQ(sizeof(void*) == 8 ? varInt64 : varInteger, v.VarType());
    EXPECT_EQ(Address(other), v.AsPointerInt());

    gadget->FBuddy = nullptr;
    SetProperty(gadget, "Buddy", v);
    EXPECT_EQ(other, gadget->FBuddy);
    // Its decimal text (what a stream carries) sets it back as well.
    gadget->FBuddy = nullptr;
    SetProperty(gadget, "Buddy", Variant(v.AsString()));
    EXPECT_EQ(other, gadget->FBuddy);
    SetProperty(gadget, "Buddy", Variant(0));
    EXPECT_EQ(nullptr, gadget->FBuddy);
}

TEST_F(PropertyAccess, ClassPropertiesRefuseWhatIsNoLiveObjectOfTheirClass) {
    const AnsiString refused = "クラス\"TFancyGadget\"のプロパティ\"Buddy\"に設定できるオブジェクトではありません.";
    gadget->FBuddy = other;

    // An object freed since its address was read.
    auto gone = std::make_unique<TGadget>(nullptr);
    const Variant stale = Variant::FromPointerInt(Address(gone.get()));
    gone.reset();
    EXPECT_RAISES(SetProperty(gadget, "Buddy", stale), Exception, refused);
    // A live object of another class, an address inside an object, and a made-up number.
    EXPECT_RAISES(SetProperty(gadget, "Buddy", Variant::FromPointerInt(Address(&form))), Exception, refused);
    EXPECT_RAISES(SetProperty(gadget, "Buddy", Variant::FromPointerInt(Address(other) + 8)), Exception, refused);
    EXPECT_RAISES(SetProperty(gadget, "Buddy", Variant(12345)), Exception, refused);
    EXPECT_EQ(other, gadget->FBuddy);  // untouched

    // A descendant of the declared class is welcome.
    TFancyGadget fancy(nullptr);
    SetProperty(gadget, "Buddy", Variant::FromPointerInt(Address(&fancy)));
    EXPECT_EQ(&fancy, gadget->FBuddy);
    gadget->FBuddy = nullptr;
}

TEST_F(PropertyAccess, MissingPropertiesNameTheClassAndTheNameAsWritten) {
    const AnsiString missing = "クラス\"TFancyGadget\"のプロパティ\"Colour\"が取得できません.";
    EXPECT_RAISES(GetProperty(gadget, "Colour"), Exception, missing);
    EXPECT_RAISES(SetProperty(gadget, "Colour", Variant(1)), Exception, missing);
    EXPECT_RAISES(GetEvent(gadget, "Colour"), Exception, missing);
    EXPECT_RAISES(SetEvent(gadget, "Colour", TMethod{}), Exception, missing);
    ObjectAttributes attrs(gadget);
    EXPECT_RAISES(attrs.GetProperties("Colour"), Exception, missing);
    EXPECT_RAISES(attrs.SetProperties("Colour", Variant(1)), Exception, missing);
    EXPECT_RAISES(attrs.GetEvents("Colour"), Exception, missing);
    EXPECT_RAISES(attrs.SetEvents("Colour", TMethod{}), Exception, missing);
}

TEST_F(PropertyAccess, UnsupportedKindsNameTheDeclaredProperty) {
    // Wide char, 64-bit integer, array and event kinds; the declared name, no closing bracket.
    const struct { const char* asWritten; const char* declared; } cases[] = {
        {"wide", "Wide"}, {"BIG", "Big"}, {"matrix", "Matrix"}, {"onchange", "OnChange"},
    };
    for (const auto& c : cases) {
        const AnsiString message = AnsiString("このプロパティは扱えません. [TFancyGadget::") + c.declared;
        EXPECT_RAISES(GetProperty(gadget, c.asWritten), Exception, message);
        EXPECT_RAISES(SetProperty(gadget, c.asWritten, Variant(1)), Exception, message);
    }
}

TEST_F(PropertyAccess, ReadOnlyPropertiesAreRefusedNotCalled) {
    EXPECT_EQ(Variant(7), GetProperty(gadget, "Serial"));
    EXPECT_RAISES(SetProperty(gadget, "Serial", Variant(1)), Exception,
                  "クラス\"TFancyGadget\"のプロパティ\"Serial\"は書き込めません.");
    // A getter's own error passes through.
    EXPECT_RAISES(GetProperty(gadget, "Broken"), Exception, "壊れています.");
}

TEST_F(PropertyAccess, EventsAreSetFromPublishedMethodsOfTheirSignature) {
    EXPECT_EQ(TMethod{}, GetEvent(gadget, "OnChange"));

    TMethod changed = GetMethod(other, "CHANGED");
    EXPECT_EQ(static_cast<void*>(other), changed.Data);
    EXPECT_EQ(TNotifyEvent::CodeOf<&TGadget::Changed>(), changed.Code);

    SetEvent(gadget, "onChange", changed);
    EXPECT_EQ(changed, GetEvent(gadget, "OnChange"));
    gadget->FOnChange(gadget);
    EXPECT_EQ(1, other->ChangedCalls);
    EXPECT_EQ(gadget, other->LastSender);

    SetEvent(gadget, "OnCount", GetMethod(other, "Counted"));
    gadget->FOnCount(gadget, 3);
    EXPECT_EQ(3, other->LastCount);

    SetEvent(gadget, "OnChange", TMethod{});  // clearing
    EXPECT_FALSE(gadget->FOnChange.Assigned());
}

TEST_F(PropertyAccess, EventsRefuseMethodsOfAnotherSignature) {
    SetEvent(gadget, "OnChange", GetMethod(other, "Changed"));
    const TMethod before = GetEvent(gadget, "OnChange");
    const AnsiString wrong = "クラス\"TFancyGadget\"のプロパティ\"OnChange\"には型の異なるメソッドを設定できません.";
    // A method of the two-argument signature, and a code address that is no published method.
    EXPECT_RAISES(SetEvent(gadget, "OnChange", GetMethod(other, "Counted")), Exception, wrong);
    int notAMethod = 0;
    EXPECT_RAISES(SetEvent(gadget, "OnChange", (TMethod{&notAMethod, other})), Exception, wrong);
    EXPECT_EQ(before, GetEvent(gadget, "OnChange"));
}

TEST_F(PropertyAccess, NonEventsAndMissingMethods) {
    EXPECT_RAISES(GetEvent(gadget, "caption"), Exception,
                  "クラス\"TFancyGadget\"のプロパティ\"caption\"はイベント型ではありません.");
    EXPECT_RAISES(SetEvent(gadget, "Count", GetMethod(other, "Changed")), Exception,
                  "クラス\"TFancyGadget\"のプロパティ\"Count\"はイベント型ではありません.");
    EXPECT_RAISES(GetMethod(gadget, "Vanish"), Exception, "クラス\"TFancyGadget\"のメソッド\"Vanish\"が取得できません.");
    EXPECT_RAISES(ObjectAttributes(gadget).GetMethods("Vanish"), Exception,
                  "クラス\"TFancyGadget\"のメソッド\"Vanish\"が取得できません.");
}

TEST_F(PropertyAccess, MethodNamesCountTheirFirst255Bytes) {
    const AnsiString longer = LongMethodName() + "Tail";
    EXPECT_TRUE(ObjectHasMethod(gadget, longer));
    EXPECT_EQ(GetMethod(gadget, "Changed").Code, GetMethod(gadget, longer).Code);
    // The message names the whole name as passed.
    const AnsiString other256 = AnsiString(256, 'N');
    EXPECT_FALSE(ObjectHasMethod(gadget, other256));
    EXPECT_RAISES(GetMethod(gadget, other256), Exception, "クラス\"TFancyGadget\"のメソッド\"" + other256 + "\"が取得できません.");
}

TEST_F(PropertyAccess, ObjectAttributesWrapsAPointer) {
    ObjectAttributes attrs = gadget;
    attrs.SetProperties("Caption", Variant("x"));
    EXPECT_EQ(Variant("x"), attrs.GetProperties("caption"));
    attrs.SetEvents("OnChange", attrs.GetMethods("Changed"));
    EXPECT_EQ(static_cast<void*>(gadget), attrs.GetEvents("OnChange").Data);

    // Members of a wrapper returned by value, reached with the arrow; copies share the object.
    auto wrap = [this] { return ObjectAttributes(other); };
    wrap()->SetProperties("Count", Variant(5));
    EXPECT_EQ(5, other->FCount);
    ObjectAttributes copy = attrs;
    EXPECT_EQ(static_cast<TObject*>(gadget), static_cast<TObject*>(copy));
}

TEST(CreateComponentTest, CreatesThroughTheClassConstructorWithTheOwner) {
    TComponent owner(nullptr);
    TComponent* made = CreateComponent(TFancyGadget::StaticClass(), &owner);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(TFancyGadget::StaticClass(), made->ClassType());
    EXPECT_EQ(&owner, made->Owner());
    EXPECT_EQ(1, owner.ComponentCount());

    std::unique_ptr<TComponent> lone(CreateComponent(TGadget::StaticClass(), nullptr));
    EXPECT_EQ(nullptr, lone->Owner());

    EXPECT_RAISES(CreateComponent(TPersistent::StaticClass(), &owner), Exception,
                  "クラス\"TPersistent\"はコンポーネントではありません.");
}

}  // namespace
