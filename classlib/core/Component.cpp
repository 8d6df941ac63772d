#include "Component.h"
#include "Exceptions.h"

#include <algorithm>

// ---------------------------------------------------------------- TPersistent
TClass TPersistent::StaticClass() {
    static const TClassInfo info = ClassBuilder<TPersistent, TObject>("TPersistent").Build();
    return &info;
}
ZL_REGISTER_CLASS(TPersistent)

void TPersistent::Assign(TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError("nil を " + ClassName() + " に代入できません");
}

void TPersistent::AssignTo(TPersistent* dest) {
    throw EConvertError(ClassName() + " を " + (dest ? dest->ClassName() : AnsiString("nil")) +
                        " に代入できません");
}

void TPersistent::DefineProperties(TFiler* filer) { (void)filer; }

// ---------------------------------------------------------------- TComponent
TClass TComponent::StaticClass() {
    // Tag is pointer-sized, but its kind is the integer's: that is what reflection reads and writes.
    static const TClassInfo info = ClassBuilder<TComponent, TPersistent>("TComponent")
        .Property<&TComponent::Name, &TComponent::SetName>("Name")
        .Property<&TComponent::Tag, &TComponent::SetTag>("Tag").Kind(tkInteger).Default(0)
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TComponent)

namespace {

bool IsIdentifier(std::string_view name) {
    if (name.empty()) return false;
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!letter(name[0])) return false;
    return std::all_of(name.begin() + 1, name.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

template <class T>
void EraseValue(std::vector<T>& v, const T& value) {
    v.erase(std::remove(v.begin(), v.end(), value), v.end());
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Tell everyone who asked; each entry is dropped before the call, so a component that
    // answers by calling back (RemoveFreeNotification, ...) finds consistent lists.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        EraseValue(other->FFreeNotifies, static_cast<TComponent*>(this));
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("リストのインデックスが範囲を超えています (" + IntToStr(index) + ")");
    return FComponents[static_cast<std::size_t>(index)];
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameTextAscii(c->FName, name)) return c;
    return nullptr;
}

void TComponent::SetName(const AnsiString& name) {
    if (name == FName) return;
    if (!name.empty() && !IsIdentifier(name))
        throw EComponentError("'" + name + "' はコンポーネント名として正しくありません");
    if (FOwner && !name.empty()) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this)
            throw EComponentError(name + " という名前のコンポーネントはすでに存在します");
    }
    FName = name;
}

void TComponent::SetState(unsigned flags, bool on) {
    if (on) FState |= flags;
    else FState &= ~flags;
}

void TComponent::SetDesigning(bool designing, bool children) {
    SetState(csDesigning, designing);
    if (children)
        for (TComponent* c : FComponents) c->SetDesigning(designing, true);
}

void TComponent::BeginLoading() { SetState(csLoading | csReading, true); }
void TComponent::EndReading() { SetState(csReading, false); }
void TComponent::Loaded() { SetState(csLoading, false); }

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other) == FFreeNotifies.end())
        FFreeNotifies.push_back(other);
    if (std::find(other->FFreeNotifies.begin(), other->FFreeNotifies.end(), this) == other->FFreeNotifies.end())
        other->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    EraseValue(FFreeNotifies, other);
    EraseValue(other->FFreeNotifies, static_cast<TComponent*>(this));
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->FOwner == this) return;
    if (!component->FName.empty() && FindComponent(component->FName))
        throw EComponentError(component->FName + " という名前のコンポーネントはすでに存在します");
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    NotifyAll(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->FOwner != this) return;
    EraseValue(FComponents, component);
    component->FOwner = nullptr;
    NotifyAll(component, opRemove);
}

void TComponent::DestroyComponents() {
    // Last first; each one leaves the list (and its siblings hear of it) while it is still
    // whole, then it is freed.
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        RemoveComponent(c);
        delete c;
    }
}

void TComponent::Destroying() {
    if (FState & csDestroying) return;
    FState |= csDestroying;
    for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) EraseValue(FFreeNotifies, component);
}

// The owner and every component below it hear of the insertion or removal, except the
// component itself.
void TComponent::NotifyAll(TComponent* component, TOperation operation) {
    if (component != this) Notification(component, operation);
    // Index loop over a copy: a handler may free or insert components.
    std::vector<TComponent*> children = FComponents;
    for (TComponent* c : children)
        if (c != component && std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
            c->NotifyAll(component, operation);
}
