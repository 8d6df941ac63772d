// Reading and writing published properties, events and methods by name; creating components
// from a class; listing a component's properties as a designer shows them.
#include "Catools.h"

#include "classlib/core/Exceptions.h"

#include <cmath>
#include <wrl/client.h>
#include <string_view>
#include <utility>

namespace Ovk {

namespace {

// ---------------------------------------------------------------- messages
// Three messages name the class and the name as the caller wrote it:
// クラス"<class>"のプロパティ"<name>"が取得できません.
const char* const kClassPrefix = "クラス\"";
const char* const kPropertyPiece = "\"のプロパティ\"";
const char* const kMethodPiece = "\"のメソッド\"";
const char* const kNotFoundEnd = "\"が取得できません.";
const char* const kNotEventEnd = "\"はイベント型ではありません.";

[[noreturn]] void RaiseNamed(const TObject* object, const char* piece, const AnsiString& name, const char* ending) {
    throw Exception(kClassPrefix + object->ClassName() + piece + name + ending);
}

// Names the declared property; there is no closing bracket.
[[noreturn]] void RaiseUnsupported(const TObject* object, const TPropInfo& prop) {
    throw Exception("このプロパティは扱えません. [" + object->ClassName() + "::" + prop.Name);
}

[[noreturn]] void RaiseNoObject() {
    throw Exception("オブジェクトが指定されていません.");
}

// ---------------------------------------------------------------- lookup
const TPropInfo* FindProp(const TObject* object, std::string_view name) {
    return object ? object->ClassType()->FindProperty(name) : nullptr;
}

[[noreturn, gnu::cold, gnu::noinline]] void RaiseNoProperty(const TObject* object, const AnsiString& name) {
    if (!object) RaiseNoObject();
    RaiseNamed(object, kPropertyPiece, name, kNotFoundEnd);
}

inline const TPropInfo& FindPropOrFail(const TObject* object, const AnsiString& name) {
    const TPropInfo* prop = FindProp(object, name);
    if (!prop) [[unlikely]] RaiseNoProperty(object, name);
    return *prop;
}

const TPropInfo& FindEventOrFail(const TObject* object, const AnsiString& name) {
    const TPropInfo& prop = FindPropOrFail(object, name);
    if (prop.Kind != tkMethod) RaiseNamed(object, kPropertyPiece, name, kNotEventEnd);
    return prop;
}

// Published methods are looked up by at most 255 bytes of their name.
const TMethodInfo* FindMethodInfo(const TObject* object, const AnsiString& name) {
    if (!object) return nullptr;
    return object->ClassType()->FindMethod(std::string_view(name).substr(0, 255));
}

// Accessors that a property of a supported kind lacks (read-only or write-only declarations, or a
// kind declared against the accessors) are refused rather than called.
[[noreturn, gnu::cold, gnu::noinline]] void RaiseAccess(const TObject* object, const AnsiString& name, const char* ending) {
    throw Exception(kClassPrefix + object->ClassName() + kPropertyPiece + name + ending);
}

template <class Accessor>
inline Accessor Readable(Accessor accessor, const TObject* object, const AnsiString& name) {
    if (!accessor) [[unlikely]] RaiseAccess(object, name, "\"は読み出せません.");
    return accessor;
}

template <class Accessor>
inline Accessor Writable(Accessor accessor, const TObject* object, const AnsiString& name) {
    if (!accessor) [[unlikely]] RaiseAccess(object, name, "\"は書き込めません.");
    return accessor;
}

// The low 32 bits of the value truncated toward zero to a 64-bit integer. A value that has no
// 64-bit truncation (infinite, not a number, 2^63 or more) is refused instead of being cast.
std::int32_t TruncToInt32(double value, const TObject* object, const AnsiString& name) {
    const double t = std::trunc(value);
    if (!(t >= -9223372036854775808.0 && t < 9223372036854775808.0))
        throw EConvertError(kClassPrefix + object->ClassName() + kPropertyPiece + name + "\"の値は整数に変換できません.");
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(t))));
}

// A class property takes no object (0) or a live object of its declared class; anything else
// would install a pointer to nothing or to an object of the wrong type.
std::intptr_t CheckedReference(const TPropInfo& prop, std::intptr_t address, const TObject* object, const AnsiString& name) {
    if (address == 0) return 0;
    const void* target = reinterpret_cast<const void*>(address);
    TClass declared = prop.PropClass();
    if (!TObject::IsLiveObject(target) ||
        (declared && !static_cast<const TObject*>(target)->InheritsFrom(declared)))
        throw Exception(kClassPrefix + object->ClassName() + kPropertyPiece + name +
                        "\"に設定できるオブジェクトではありません.");
    return address;
}

}  // namespace

// ---------------------------------------------------------------- components
TComponent* CreateComponent(TClass componentClass, TComponent* owner) {
    if (!componentClass || !componentClass->Create)
        throw Exception(kClassPrefix + AnsiString(componentClass ? componentClass->Name : "") +
                        "\"はコンポーネントではありません.");
    return componentClass->Create(owner);
}

void GetProperties(TComponent* component, IFormDesigner* designer, TGetStrProc proc) {
    const Microsoft::WRL::ComPtr<IFormDesigner> hold(designer);  // one reference while the properties are listed
    TDesignerSelectionList selection;
    selection.Add(component);
    GetComponentProperties(selection, PropertyTypeKinds(), designer,
                           [&proc](TPropertyEditor& editor) { proc(editor.GetName()); });
}

// ---------------------------------------------------------------- published members
bool ObjectHasProperty(const TObject* object, const AnsiString& name) {
    return FindProp(object, name) != nullptr;
}

bool ObjectHasEvent(const TObject* object, const AnsiString& name) {
    const TPropInfo* prop = FindProp(object, name);
    return prop && prop->Kind == tkMethod;
}

bool ObjectHasMethod(const TObject* object, const AnsiString& name) {
    return FindMethodInfo(object, name) != nullptr;
}

namespace Detail {

Variant GetPropertyOther(const TObject* object, const AnsiString& name, const TPropInfo* found) {
    if (!found) RaiseNoProperty(object, name);
    const TPropInfo& prop = *found;
    switch (prop.Kind) {
    case tkInteger: case tkChar: case tkEnumeration: case tkSet:
        return Variant(static_cast<std::int32_t>(Readable(prop.GetOrd, object, name)(object)));
    case tkClass:
        return Variant::FromPointerInt(Readable(prop.GetOrd, object, name)(object));
    case tkFloat:
        return Variant(TruncToInt32(Readable(prop.GetFloat, object, name)(object), object, name));
    case tkString: case tkLString: case tkWString:
        return Variant(Readable(prop.GetStr, object, name)(object));
    default:
        RaiseUnsupported(object, prop);
    }
}

void SetPropertyOther(TObject* object, const AnsiString& name, const TPropInfo* found, const Variant& value) {
    if (!found) RaiseNoProperty(object, name);
    const TPropInfo& prop = *found;
    switch (prop.Kind) {
    case tkInteger: case tkChar: case tkEnumeration: case tkSet:
        Writable(prop.SetOrd, object, name)(object, value.AsInteger());
        break;
    case tkClass: {
        auto setter = Writable(prop.SetOrd, object, name);
        setter(object, CheckedReference(prop, value.AsPointerInt(), object, name));
        break;
    }
    case tkFloat:
        Writable(prop.SetFloat, object, name)(object, value.AsDouble());
        break;
    case tkString: case tkLString: case tkWString: {
        auto setter = Writable(prop.SetStr, object, name);
        if (const AnsiString* text = value.StringValue()) setter(object, *text);  // no copy on the way
        else setter(object, value.AsString());
        break;
    }
    default:
        RaiseUnsupported(object, prop);
    }
}

}  // namespace Detail

TMethod GetEvent(const TObject* object, const AnsiString& name) {
    const TPropInfo& prop = FindEventOrFail(object, name);
    return Readable(prop.GetMethod, object, name)(object);
}

void SetEvent(TObject* object, const AnsiString& name, const TMethod& value) {
    const TPropInfo& prop = FindEventOrFail(object, name);
    auto setter = Writable(prop.SetMethod, object, name);
    // The event calls its handler with the arguments of its own signature; a method made for
    // another signature would be called with the wrong arguments.
    if (value.Code && (!prop.Signature || SignatureOfCode(value.Code) != prop.Signature))
        throw Exception(kClassPrefix + object->ClassName() + kPropertyPiece + name +
                        "\"には型の異なるメソッドを設定できません.");
    setter(object, value);
}

TMethod GetMethod(TObject* object, const AnsiString& name) {
    if (!object) RaiseNoObject();
    const TMethodInfo* method = FindMethodInfo(object, name);
    if (!method) RaiseNamed(object, kMethodPiece, name, kNotFoundEnd);
    return TMethod{method->Code, object};
}

}  // namespace Ovk
