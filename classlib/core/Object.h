#pragma once
// The object model's root and its run-time type information.
//
// Every class that takes part in reflection declares ZL_CLASS(Self) at the top of its body (it
// leaves the access at private) and registers its published properties, events and methods in its
// .cpp with a few readable lines. Being inside a member function, the builder may name private
// fields and protected accessors:
//
//   TClass TButton::StaticClass() {
//       static const TClassInfo info = ClassBuilder<TButton, TWinControl>("TButton")
//           .Property<&TButton::GetCaption, &TButton::SetCaption>("Caption")
//           .Property<&TButton::FDefault>("Default").Default(false)
//           .Property<&TButton::FOnClick>("OnClick")
//           .Method<&TButton::Click>("Click")
//           .Build();
//       return &info;
//   }
//   ZL_REGISTER_CLASS(TButton)    // makes the class known to the registry (form files)
//
// The kind code of each property is deduced from its C++ type (see KindOf below) and can be
// overridden with .Kind(...). Lookups by name ignore ASCII case and search the class first, then
// its ancestors.
#include "NameTable.h"
#include "Strings.h"
// <windows.h> defines RegisterClass as a macro for RegisterClassA/W, which would rename the class
// registry's function in some files and not in others. It is included here once, before the
// registry is declared, and the macro removed: window classes are registered with RegisterClassW.
#include <windows.h>
#undef RegisterClass
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

class TObject;
class TComponent;
struct TClassInfo;
using TClass = const TClassInfo*;

// ---------------------------------------------------------------- kinds of published properties
enum TTypeKind : std::uint8_t {
    tkUnknown = 0, tkInteger = 1, tkChar = 2, tkEnumeration = 3, tkFloat = 4, tkString = 5,
    tkSet = 6, tkClass = 7, tkMethod = 8, tkWChar = 9, tkLString = 10, tkWString = 11,
    tkVariant = 12, tkArray = 13, tkRecord = 14, tkInterface = 15, tkInt64 = 16, tkDynArray = 17
};

// The kinds whose values are 32-bit ordinals: numbers, characters, enumerations and sets.
constexpr bool IsPlainOrdinal(TTypeKind kind) {
    return kind == tkInteger || kind == tkChar || kind == tkEnumeration || kind == tkSet;
}

// ---------------------------------------------------------------- bound methods
// The raw form of an event: the code that identifies the method and the object it is called on.
struct TMethod {
    void* Code = nullptr;
    void* Data = nullptr;
    friend bool operator==(const TMethod&, const TMethod&) = default;
};

// Identifies the parameter list of an event type; compared by address.
struct TEventSignature {
    const char* Description;
};

// Remembers which signature a method's code was made for, so that an event set by name from a
// method of another signature is refused instead of being called with the wrong arguments.
void RegisterMethodCode(const void* code, const TEventSignature* signature);
const TEventSignature* SignatureOfCode(const void* code);

template <class... Args>
class TEvent {
public:
    using Thunk = void (*)(void*, Args...);

    TEvent() = default;
    explicit TEvent(const TMethod& m) : FMethod(m) {}

    static const TEventSignature* Signature() {
        static const TEventSignature sig{__PRETTY_FUNCTION__};
        return &sig;
    }

    // Binds a member function of C (taking Args...) to an object: TEvent::Bind<&C::Handler>(obj).
    template <auto M, class C>
    static TEvent Bind(C* object) {
        static const bool registered = (RegisterMethodCode(CodeOf<M>(), Signature()), true);
        (void)registered;
        return TEvent(TMethod{CodeOf<M>(), static_cast<void*>(object)});
    }

    // The code address that stands for member function M (a plain function calling it).
    template <auto M>
    static void* CodeOf() {
        return reinterpret_cast<void*>(&CallMember<M>);
    }

    explicit operator bool() const { return FMethod.Code != nullptr; }
    bool Assigned() const { return FMethod.Code != nullptr; }
    void operator()(Args... args) const {
        if (FMethod.Code) reinterpret_cast<Thunk>(FMethod.Code)(FMethod.Data, args...);
    }
    const TMethod& Method() const { return FMethod; }
    friend bool operator==(const TEvent&, const TEvent&) = default;

private:
    template <auto M>
    static void CallMember(void* self, Args... args) {
        using C = typename MemberClass<decltype(M)>::type;
        (static_cast<C*>(self)->*M)(args...);
    }
    template <class F> struct MemberClass;
    template <class C, class R, class... P> struct MemberClass<R (C::*)(P...)> { using type = C; };

    TMethod FMethod;
};

using TNotifyEvent = TEvent<TObject*>;

// ---------------------------------------------------------------- sets
// A set of enumeration values stored as a bit mask (bit n for ordinal n).
template <class E>
struct TSet {
    std::uint32_t Bits = 0;
    TSet() = default;
    TSet(std::initializer_list<E> items) { for (E e : items) Include(e); }
    bool Contains(E e) const { return Bits & (1u << static_cast<unsigned>(e)); }
    TSet& Include(E e) { Bits |= 1u << static_cast<unsigned>(e); return *this; }
    TSet& Exclude(E e) { Bits &= ~(1u << static_cast<unsigned>(e)); return *this; }
    friend bool operator==(const TSet&, const TSet&) = default;
};

// ---------------------------------------------------------------- published members
struct TPropInfo {
    AnsiString Name;
    TTypeKind Kind = tkUnknown;
    // Kind tkClass: the declared class of the referenced object (resolved lazily, so that classes
    // may refer to each other).
    TClass (*PropClassFn)() = nullptr;
    // Kind tkMethod: the parameter list the event expects.
    const TEventSignature* Signature = nullptr;
    // Kinds tkEnumeration and tkSet: the names of the ordinals, for form files.
    std::vector<const char*> EnumNames;

    // Accessors; those that fit the kind are set, a missing setter means read-only.
    // Ordinal kinds (1, 2, 3, 6, 7, 9, 16): the value, the char code, the ordinal, the bit mask
    // or the object's address.
    std::intptr_t (*GetOrd)(const TObject*) = nullptr;
    // Kinds of 32-bit ordinals (IsPlainOrdinal), when the C++ type fits 32 bits: the same value as
    // GetOrd and SetOrd in 32 bits. They pass what the getter returns and the setter takes, so an
    // integer read or written by name goes straight to the accessor.
    std::int32_t (*GetOrd32)(const TObject*) = nullptr;
    void (*SetOrd32)(TObject*, std::int32_t) = nullptr;
    void (*SetOrd)(TObject*, std::intptr_t) = nullptr;
    double (*GetFloat)(const TObject*) = nullptr;
    void (*SetFloat)(TObject*, double) = nullptr;
    AnsiString (*GetStr)(const TObject*) = nullptr;
    void (*SetStr)(TObject*, const AnsiString&) = nullptr;
    TMethod (*GetMethod)(const TObject*) = nullptr;
    void (*SetMethod)(TObject*, const TMethod&) = nullptr;

    // The declared default (ordinal kinds) and whether the value is stored in form files.
    bool HasDefault = false;
    std::intptr_t Default = 0;
    bool Stored = true;

    TClass PropClass() const { return PropClassFn ? PropClassFn() : nullptr; }
    bool Readable() const { return GetOrd || GetFloat || GetStr || GetMethod; }
    bool Writable() const { return SetOrd || SetFloat || SetStr || SetMethod; }
};

struct TMethodInfo {
    AnsiString Name;
    void* Code = nullptr;
    const TEventSignature* Signature = nullptr;
};

// A published field: a component reference of the root of a form file, bound by name when the
// form is read (the form's Button1 field receives the component named Button1).
struct TFieldInfo {
    AnsiString Name;
    TClass (*FieldClassFn)() = nullptr;
    void (*Set)(TObject* self, TObject* value) = nullptr;
    TObject* (*Get)(const TObject* self) = nullptr;
};

struct TClassInfo {
    const char* Name = "";
    TClass Parent = nullptr;
    std::vector<TPropInfo> Properties;  // own published properties, in declaration order
    std::vector<TMethodInfo> Methods;   // own published methods
    std::vector<TFieldInfo> Fields;     // own published fields
    // The virtual constructor taking an owner; null for classes that are not components.
    TComponent* (*Create)(TComponent* owner) = nullptr;

    bool InheritsFrom(TClass ancestor) const;
    // Name lookups ignoring ASCII case: the class's own members first, then each ancestor's.
    // The property lookup is inline: it is the whole cost of reading a property by name besides
    // the accessor itself.
    const TPropInfo* FindProperty(std::string_view name) const {
        if (!FIndexed) BuildIndex();
        return FPropertyIndex.Find(name);
    }
    const TMethodInfo* FindMethod(std::string_view name) const;
    const TFieldInfo* FindField(std::string_view name) const;
    // Every published property of the class and its ancestors, ancestors' first.
    std::vector<const TPropInfo*> AllProperties() const;

private:
    // Built on the first lookup, once the class and its ancestors are complete; they point into
    // the member lists above, so a class information is never copied after its first lookup.
    mutable bool FIndexed = false;
    mutable NameTable<const TPropInfo*> FPropertyIndex;
    mutable NameTable<const TMethodInfo*> FMethodIndex;
    void BuildIndex() const;
};

// ---------------------------------------------------------------- the class registry
void RegisterClass(TClass cls);
// The registered class of that name (ASCII case ignored), or null.
TClass GetClass(std::string_view name);
// As GetClass, but raises EPropertyError naming the class when it is not registered.
TClass FindClass(std::string_view name);

// ---------------------------------------------------------------- the root object
class TObject {
public:
    TObject();
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject();

    static TClass StaticClass();
    virtual TClass ClassType() const { return StaticClass(); }
    AnsiString ClassName() const { return ClassType()->Name; }
    bool InheritsFrom(TClass cls) const { return ClassType()->InheritsFrom(cls); }

    // True while an object lives at that address (its constructor has run, its destructor not).
    // Lets reflection refuse an integer that is no object's address.
    static bool IsLiveObject(const void* address);
};

// ClassType keeps the class information's address once built: it is called on every access by
// name, and StaticClass carries the frame of the builder.
#define ZL_CLASS(Self)                                              \
public:                                                             \
    static TClass StaticClass();                                    \
    TClass ClassType() const override {                             \
        static const TClass cls = StaticClass();                    \
        return cls;                                                 \
    }                                                               \
private:

#include "TypeInfoBuilder.h"
