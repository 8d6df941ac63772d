#pragma once
// Component tools: published properties, events and methods of any object by name, creation of
// components from a class, conversions of open-array values, and component names as people write
// them (a word and a number) with their natural order.
#include "classlib/core/Component.h"
#include "classlib/core/Designer.h"
#include "classlib/core/VarRec.h"
#include "classlib/core/Variant.h"
#include <cstdint>

class TStrings;

namespace Ovk {

// ---------------------------------------------------------------- components and properties
// Creates a component of that class owned by owner through the class's constructor taking an
// owner. Raises Exception when the class is not a component class.
TComponent* CreateComponent(TClass componentClass, TComponent* owner);

// Calls proc with the name of each property that the designer's inspector lists for the
// component (events excluded), in order of property name. designer may be null.
void GetProperties(TComponent* component, IFormDesigner* designer, TGetStrProc proc);

// Conversions of one open-array value; a value of a tag that does not convert raises Exception.
AnsiString VarRecToString(const TVarRec& value);
TObject* VarRecToObject(const TVarRec& value);
// Texts (and characters) are converted as integer texts: EConvertError when they are not one.
std::int32_t VarRecToInteger(const TVarRec& value);

// Whether the object's class (or an ancestor) publishes a property (events included), an event,
// or a method of that name, ASCII case ignored. They never raise.
bool ObjectHasProperty(const TObject* object, const AnsiString& name);
bool ObjectHasEvent(const TObject* object, const AnsiString& name);
bool ObjectHasMethod(const TObject* object, const AnsiString& name);

namespace Detail {
// Everything but a readable or writable plain ordinal (prop is the property found, or null).
Variant GetPropertyOther(const TObject* object, const AnsiString& name, const TPropInfo* prop);
void SetPropertyOther(TObject* object, const AnsiString& name, const TPropInfo* prop, const Variant& value);
}  // namespace Detail

// Reads a published property as an integer or a string variant. Ordinal kinds give their
// ordinal, floats their value truncated toward zero, class properties the referenced object's
// address: a pointer-sized integer variant (varInt64 on 64-bit Windows, varInteger on 32-bit).
// Reading and writing an integer by name is a lookup and a call, so that part is inline.
inline Variant GetProperty(const TObject* object, const AnsiString& name) {
    const TPropInfo* prop = object ? object->ClassType()->FindProperty(name) : nullptr;
    if (prop && prop->GetOrd32) [[likely]]  // only plain ordinals have one
        return Variant(prop->GetOrd32(object));
    return Detail::GetPropertyOther(object, name, prop);
}
// Writes a published property from a variant converted to the property's kind. A class property
// accepts only 0 or the address of a live object of its class.
inline void SetProperty(TObject* object, const AnsiString& name, const Variant& value) {
    const TPropInfo* prop = object ? object->ClassType()->FindProperty(name) : nullptr;
    if (prop && prop->SetOrd32) [[likely]]  // only plain ordinals have one
        prop->SetOrd32(object, value.AsInteger());
    else
        Detail::SetPropertyOther(object, name, prop, value);
}
// The handler of a published event (code and data null when none is set).
TMethod GetEvent(const TObject* object, const AnsiString& name);
// Sets a published event; the method must be one of the event's signature (or null code).
void SetEvent(TObject* object, const AnsiString& name, const TMethod& value);
// A published method of the object bound to it.
TMethod GetMethod(TObject* object, const AnsiString& name);

// Wraps an object pointer (which it does not own) with by-name access to its published members.
class ObjectAttributes {
public:
    ObjectAttributes(TObject* object) : FObject(object) {}
    ~ObjectAttributes() = default;

    Variant GetProperties(const AnsiString& name) const { return GetProperty(FObject, name); }
    TMethod GetEvents(const AnsiString& name) const { return GetEvent(FObject, name); }
    TMethod GetMethods(const AnsiString& name) const { return GetMethod(FObject, name); }
    void SetProperties(const AnsiString& name, const Variant& value) const { SetProperty(FObject, name, value); }
    void SetEvents(const AnsiString& name, const TMethod& value) const { SetEvent(FObject, name, value); }

    // Lets the members of a wrapper returned by value be reached with the arrow.
    ObjectAttributes* operator->() { return this; }
    const ObjectAttributes* operator->() const { return this; }
    operator TObject*() const { return FObject; }

private:
    TObject* FObject;
};

// ---------------------------------------------------------------- component names
// The first of baseName1, baseName2, ... that no component owned directly by owner bears
// (ASCII case ignored).
AnsiString FindUniqueName(const TComponent* owner, const AnsiString& baseName);
// The 1-based position of the first ASCII digit, or 0.
int FirstNumPos(const AnsiString& text);
// -1, 0 or 1. Names whose numbers start at the same position after equal words compare by the
// value of the numbers (Button2 before Button10); anything else by the user's locale.
int CompareComponentNames(const AnsiString& a, const AnsiString& b);

// A comparison of two strings: negative, zero or positive.
using TStringsCompare = int (*)(const AnsiString& a, const AnsiString& b);
// Sorts the entries first..last (both included) of the list in place, each string keeping its
// object. A range outside the list raises the list's index error before any entry is touched.
void SortStrings(TStrings* list, int first, int last, TStringsCompare compare);

}  // namespace Ovk
