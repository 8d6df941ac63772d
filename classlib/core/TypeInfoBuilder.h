#pragma once
// Builds a class's run-time type information from member pointers (see Object.h for its use).
// Included by Object.h; not meant to be included on its own.
#include <type_traits>

template <class T> struct IsEvent : std::false_type {};
template <class... A> struct IsEvent<TEvent<A...>> : std::true_type {};
template <class T> struct IsSet : std::false_type {};
template <class E> struct IsSet<TSet<E>> : std::true_type {};

// Kinds of types that the core does not know (Variant, ...) are declared by specialising this.
template <class T> struct TypeKindOf { static constexpr TTypeKind value = tkUnknown; };

template <class T>
constexpr TTypeKind KindOf() {
    if constexpr (std::is_same_v<T, bool>) return tkEnumeration;
    else if constexpr (std::is_same_v<T, char>) return tkChar;
    else if constexpr (std::is_same_v<T, wchar_t>) return tkWChar;
    else if constexpr (std::is_enum_v<T>) return tkEnumeration;
    else if constexpr (std::is_integral_v<T> && sizeof(T) == 8) return tkInt64;
    else if constexpr (std::is_integral_v<T>) return tkInteger;
    else if constexpr (std::is_floating_point_v<T>) return tkFloat;
    else if constexpr (std::is_same_v<T, AnsiString>) return tkLString;
    else if constexpr (std::is_same_v<T, WideString>) return tkWString;
    else if constexpr (IsSet<T>::value) return tkSet;
    else if constexpr (IsEvent<T>::value) return tkMethod;
    else if constexpr (std::is_pointer_v<T> && std::is_base_of_v<TObject, std::remove_cv_t<std::remove_pointer_t<T>>>)
        return tkClass;
    else return TypeKindOf<T>::value;
}

namespace typeinfo_detail {

// What a member pointer is: a field, a getter or a setter, of which class and value type.
template <class M> struct Member;
template <class C, class T> struct Member<T C::*> {
    using Class = C; using Value = T; static constexpr bool IsField = true;
};
template <class C, class R> struct Member<R (C::*)() const> {
    using Class = C; using Value = std::decay_t<R>; static constexpr bool IsField = false;
};
template <class C, class R> struct Member<R (C::*)()> {
    using Class = C; using Value = std::decay_t<R>; static constexpr bool IsField = false;
};
template <class C, class A> struct Member<void (C::*)(A)> {
    using Class = C; using Value = std::decay_t<A>; static constexpr bool IsField = false;
};

template <auto G>
auto Read(const TObject* o) {
    using M = Member<decltype(G)>;
    auto* self = static_cast<const typename M::Class*>(o);
    if constexpr (M::IsField) return typename M::Value(self->*G);
    else return typename M::Value((const_cast<typename M::Class*>(self)->*G)());
}

template <auto S, class V>
void Write(TObject* o, V value) {
    using M = Member<decltype(S)>;
    auto* self = static_cast<typename M::Class*>(o);
    if constexpr (M::IsField) self->*S = value;
    else (self->*S)(value);
}

template <class T>
std::intptr_t ToOrd(const T& v) {
    if constexpr (IsSet<T>::value) return static_cast<std::intptr_t>(v.Bits);
    else if constexpr (std::is_pointer_v<T>) return reinterpret_cast<std::intptr_t>(static_cast<const TObject*>(v));
    else if constexpr (std::is_enum_v<T>) return static_cast<std::intptr_t>(v);
    else return static_cast<std::intptr_t>(v);
}

template <class T>
T FromOrd(std::intptr_t v) {
    if constexpr (IsSet<T>::value) { T s; s.Bits = static_cast<std::uint32_t>(v); return s; }
    else if constexpr (std::is_pointer_v<T>) return static_cast<T>(reinterpret_cast<TObject*>(v));
    else if constexpr (std::is_same_v<T, bool>) return v != 0;
    else return static_cast<T>(v);
}

template <class T>
constexpr bool IsOrdinal() {
    constexpr TTypeKind k = KindOf<T>();
    return k == tkInteger || k == tkChar || k == tkEnumeration || k == tkSet || k == tkClass ||
           k == tkWChar || k == tkInt64;
}

template <auto A, auto B>
constexpr bool SameMember() {
    if constexpr (std::is_same_v<decltype(A), decltype(B)>) return A == B;
    else return false;
}

template <class F> struct MethodArgs;
template <class C, class... P> struct MethodArgs<void (C::*)(P...)> { using Event = TEvent<P...>; };

}  // namespace typeinfo_detail

template <class C, class Parent>
class ClassBuilder {
public:
    explicit ClassBuilder(const char* name) {
        FInfo.Name = name;
        FInfo.Parent = Parent::StaticClass();
        if constexpr (std::is_base_of_v<TComponent, C> && std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>)
            FInfo.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    }

    // A read-write property through a field or a getter/setter pair, or read-only through a getter.
    template <auto G, auto S = G>
    ClassBuilder& Property(const char* name) {
        using namespace typeinfo_detail;
        using T = typename Member<decltype(G)>::Value;
        constexpr bool readOnly = !Member<decltype(G)>::IsField && SameMember<G, S>();
        TPropInfo p;
        p.Name = name;
        p.Kind = KindOf<T>();
        if constexpr (IsOrdinal<T>()) {
            p.GetOrd = [](const TObject* o) { return ToOrd<T>(Read<G>(o)); };
            if constexpr (IsPlainOrdinal(KindOf<T>()) && sizeof(T) <= 4) {
                p.GetOrd32 = [](const TObject* o) { return static_cast<std::int32_t>(ToOrd<T>(Read<G>(o))); };
                if constexpr (!readOnly) p.SetOrd32 = [](TObject* o, std::int32_t v) { Write<S, T>(o, FromOrd<T>(v)); };
            }
            if constexpr (!readOnly) p.SetOrd = [](TObject* o, std::intptr_t v) { Write<S, T>(o, FromOrd<T>(v)); };
            if constexpr (std::is_pointer_v<T>)
                p.PropClassFn = [] { return std::remove_cv_t<std::remove_pointer_t<T>>::StaticClass(); };
        } else if constexpr (std::is_floating_point_v<T>) {
            p.GetFloat = [](const TObject* o) { return static_cast<double>(Read<G>(o)); };
            if constexpr (!readOnly) p.SetFloat = [](TObject* o, double v) { Write<S, T>(o, static_cast<T>(v)); };
        } else if constexpr (std::is_same_v<T, AnsiString>) {
            p.GetStr = [](const TObject* o) { return Read<G>(o); };
            if constexpr (!readOnly) p.SetStr = [](TObject* o, const AnsiString& v) { Write<S, const AnsiString&>(o, v); };
        } else if constexpr (std::is_same_v<T, WideString>) {
            p.GetStr = [](const TObject* o) { return FromWide(Read<G>(o), 0); };
            if constexpr (!readOnly) p.SetStr = [](TObject* o, const AnsiString& v) { Write<S, WideString>(o, ToWide(v, 0)); };
        } else if constexpr (IsEvent<T>::value) {
            p.Signature = T::Signature();
            p.GetMethod = [](const TObject* o) { return Read<G>(o).Method(); };
            if constexpr (!readOnly) p.SetMethod = [](TObject* o, const TMethod& m) { Write<S, T>(o, T(m)); };
        }
        if constexpr (std::is_same_v<T, bool>) p.EnumNames = {"False", "True"};
        FInfo.Properties.push_back(std::move(p));
        return *this;
    }

    // Modifiers of the property declared last.
    template <class V>
    ClassBuilder& Default(V value) {
        Last().HasDefault = true;
        Last().Default = typeinfo_detail::ToOrd<V>(value);
        return *this;
    }
    ClassBuilder& NotStored() { Last().Stored = false; return *this; }
    // A kind other than a plain ordinal takes the value through GetOrd only.
    ClassBuilder& Kind(TTypeKind kind) {
        Last().Kind = kind;
        if (!IsPlainOrdinal(kind)) {
            Last().GetOrd32 = nullptr;
            Last().SetOrd32 = nullptr;
        }
        return *this;
    }
    ClassBuilder& Enum(std::initializer_list<const char*> names) { Last().EnumNames = names; return *this; }

    // A published method, callable as an event handler of the matching signature.
    template <auto M>
    ClassBuilder& Method(const char* name) {
        using Event = typename typeinfo_detail::MethodArgs<decltype(M)>::Event;
        void* code = Event::template CodeOf<M>();
        RegisterMethodCode(code, Event::Signature());
        FInfo.Methods.push_back(TMethodInfo{name, code, Event::Signature()});
        return *this;
    }

    // A published field holding a component of the form, bound by name when the form is read.
    template <auto F>
    ClassBuilder& Field(const char* name) {
        using T = typename typeinfo_detail::Member<decltype(F)>::Value;
        using Target = std::remove_pointer_t<T>;
        TFieldInfo f;
        f.Name = name;
        f.FieldClassFn = [] { return Target::StaticClass(); };
        f.Set = [](TObject* self, TObject* value) {
            static_cast<typename typeinfo_detail::Member<decltype(F)>::Class*>(self)->*F = dynamic_cast<T>(value);
        };
        f.Get = [](const TObject* self) -> TObject* {
            return static_cast<const typename typeinfo_detail::Member<decltype(F)>::Class*>(self)->*F;
        };
        FInfo.Fields.push_back(std::move(f));
        return *this;
    }

    TClassInfo Build() { return std::move(FInfo); }

private:
    TPropInfo& Last() { return FInfo.Properties.back(); }
    TClassInfo FInfo;
};

#define ZL_REGISTER_CLASS(Self) \
    static const bool Self##_Registered = (RegisterClass(Self::StaticClass()), true);
