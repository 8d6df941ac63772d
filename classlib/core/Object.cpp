#include "Object.h"
#include "Exceptions.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// Addresses of the objects alive now. The program runs on one thread (the user interface's).
std::unordered_set<const void*>& LiveObjects() {
    static std::unordered_set<const void*> live;
    return live;
}

std::unordered_map<const void*, const TEventSignature*>& MethodCodes() {
    static std::unordered_map<const void*, const TEventSignature*> codes;
    return codes;
}

}  // namespace

// Hashing and equality of names that ignore ASCII case, usable with string_view keys without
// making a lower-cased copy (lookups by name sit on the reflection's fast path).
struct AsciiCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
        std::size_t h = 1469598103934665603ull & SIZE_MAX;
        for (char c : s) h = (h ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
        return h;
    }
};
struct AsciiCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept { return SameTextAscii(a, b); }
};
template <class V>
using NameMap = std::unordered_map<std::string, V, AsciiCaseHash, AsciiCaseEqual>;

namespace {

NameMap<TClass>& Registry() {
    static NameMap<TClass> classes;
    return classes;
}

}  // namespace

// ---------------------------------------------------------------- TObject
TObject::TObject() { LiveObjects().insert(this); }
TObject::~TObject() { LiveObjects().erase(this); }

bool TObject::IsLiveObject(const void* address) {
    return address && LiveObjects().count(address) != 0;
}

TClass TObject::StaticClass() {
    static const TClassInfo info = [] {
        TClassInfo i;
        i.Name = "TObject";
        return i;
    }();
    return &info;
}

// ---------------------------------------------------------------- method codes
void RegisterMethodCode(const void* code, const TEventSignature* signature) {
    MethodCodes()[code] = signature;
}

const TEventSignature* SignatureOfCode(const void* code) {
    auto it = MethodCodes().find(code);
    return it == MethodCodes().end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- class information
// Name indexes over the class and its ancestors that ignore ASCII case; the first declaration
// found walking up from the class wins, so a class's own member hides an ancestor's of the same
// name.
void TClassInfo::BuildIndex() const {
    for (TClass c = this; c; c = c->Parent) {
        for (const TPropInfo& p : c->Properties) FPropertyIndex.Add(p.Name, &p);
        for (const TMethodInfo& m : c->Methods) FMethodIndex.Add(m.Name, &m);
    }
    FIndexed = true;
}

bool TClassInfo::InheritsFrom(TClass ancestor) const {
    for (TClass c = this; c; c = c->Parent)
        if (c == ancestor) return true;
    return false;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
    if (!FIndexed) BuildIndex();
    return FMethodIndex.Find(name);
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const {
    for (TClass c = this; c; c = c->Parent)
        for (const TFieldInfo& f : c->Fields)
            if (SameTextAscii(f.Name, name)) return &f;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
    std::vector<TClass> chain;
    for (TClass c = this; c; c = c->Parent) chain.push_back(c);
    std::vector<const TPropInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->Properties) result.push_back(&p);
    return result;
}

// ---------------------------------------------------------------- the class registry
void RegisterClass(TClass cls) {
    if (cls) Registry()[cls->Name] = cls;
}

TClass GetClass(std::string_view name) {
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}

TClass FindClass(std::string_view name) {
    TClass cls = GetClass(name);
    if (!cls) throw EPropertyError("クラス " + AnsiString(name) + " が見つかりません");
    return cls;
}
