// TComponentArray: an ordered array of like components of a form, created, named and configured
// together. (The property serializer of this unit is in componentarray/.)
#include "ComponentArray.h"

#include "classlib/core/Exceptions.h"
#include "classlib/ui/Form.h"

namespace Ovk {

TClass TComponentArray::StaticClass() {
    static const TClassInfo info = ClassBuilder<TComponentArray, TComponent>("TComponentArray")
        .Property<&TComponentArray::GetElementCount, &TComponentArray::SetElementCount>("ElementCount")
            .Default(0).NotStored()
        .Property<&TComponentArray::FElementClassName, &TComponentArray::SetElementClassName>("ElementClassName")
        .Property<&TComponentArray::FParentControl, &TComponentArray::SetParent>("ParentControl")
        .Property<&TComponentArray::OnCreateNew>("OnCreateNew")
        .Property<&TComponentArray::OnAdd>("OnAdd")
        .Property<&TComponentArray::OnDelete>("OnDelete")
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TComponentArray)

TComponentArray::TComponentArray(TComponent* owner)
    : TComponent(owner), FItems(std::make_unique<TStringList>()) {}

TComponentArray::~TComponentArray() {
    FItems.reset();  // the elements stay with their owner
}

void TComponentArray::RequireOwner() const {
    if (!Owner()) throw Exception("オーナーのないコンポーネント配列ではこの操作はできません.");
}

void TComponentArray::Watch(TObject* object) {
    // Elements and the parent control usually share the array's owner, which tells the array of
    // their removal; one of another owner would otherwise leave a pointer to nothing.
    if (auto* component = dynamic_cast<TComponent*>(object)) FreeNotification(component);
}

TComponent* TComponentArray::CreateNew(const AnsiString& name) {
    RequireOwner();
    if (!FElementClassType) {
        TObject* first = FItems->Count() > 0 ? FItems->Objects(0) : nullptr;
        // Without an object in the first entry (names assigned, not yet resolved) the class
        // registered under ElementClassName decides, as for an empty array.
        FElementClassType = first ? first->ClassType() : GetClass(FElementClassName);
    }
    if (!FElementClassType) throw Exception("クラスが決定できません.");

    TComponent* component = CreateComponent(FElementClassType, Owner());
    // The literal base name "Button" whatever the class.
    component->SetName(name.empty() ? FindUniqueName(Owner(), "Button") : name);
    if (auto* control = dynamic_cast<TControl*>(component)) {
        TWinControl* parent = FParentControl;
        if (!parent) parent = dynamic_cast<TCustomForm*>(Owner());
        control->SetParent(parent);
    }
    OnCreateNew(this, component);
    Add(component);
    return component;
}

int TComponentArray::Add(TComponent* component) {
    GetItems();
    const int index = FItems->AddObject(component->Name(), component);
    Watch(component);
    if (OnAdd) {
        OnAdd(this, index, component);
        // The handler may have renamed the component (or changed the array).
        GetItems();
        if (index < FItems->Count() && FItems->Objects(index) == component) FItems->Put(index, component->Name());
    }
    return index;
}

TComponent* TComponentArray::Delete(int index) {
    auto* component = dynamic_cast<TComponent*>(FItems->Objects(index));
    if (!component) throw Exception("配列にコンポーネントが格納されていません.");
    FItems->Delete(index);
    OnDelete(this, index, component);
    return component;
}

void TComponentArray::Clear() { FItems->Clear(); }

int TComponentArray::IndexOfElement(const TComponent* component) const { return FItems->IndexOfObject(component); }

void TComponentArray::SetProperty(const AnsiString& propertyName, const Variant& value) {
    const int count = FItems->Count();
    for (int i = 0; i < count; ++i)
        if (auto* component = dynamic_cast<TComponent*>(FItems->Objects(i)))
            Ovk::SetProperty(component, propertyName, value);
}

void TComponentArray::SetPropertyAutoInc(const AnsiString& propertyName, int start, int step) {
    // Counted in 32 bits that wrap around, as the integer properties are.
    std::uint32_t v = static_cast<std::uint32_t>(start);
    const int count = FItems->Count();
    for (int i = 0; i < count; ++i) {
        auto* component = dynamic_cast<TComponent*>(FItems->Objects(i));
        if (!component) continue;  // entries without a component take no value
        Ovk::SetProperty(component, propertyName, Variant(static_cast<std::int32_t>(v)));
        v += static_cast<std::uint32_t>(step);
    }
}

void TComponentArray::SetEvent(const AnsiString& eventName, TObject* target, const AnsiString& methodName) {
    const TMethod method = GetMethod(target, methodName);  // before any element changes
    const int count = FItems->Count();
    for (int i = 0; i < count; ++i)
        if (auto* component = dynamic_cast<TComponent*>(FItems->Objects(i)))
            Ovk::SetEvent(component, eventName, method);
}

void TComponentArray::UpdateElements() {
    RequireOwner();
    for (int i = 0; i < FItems->Count();) {
        if (TComponent* component = Owner()->FindComponent(FItems->Strings(i))) {
            FItems->PutObject(i, component);
            Watch(component);
            ++i;
        } else {
            FItems->Delete(i);
        }
    }
}

void TComponentArray::UpdateStrings() {
    for (int i = 0; i < FItems->Count();) {
        if (auto* component = dynamic_cast<TComponent*>(FItems->Objects(i))) {
            if (FItems->Strings(i) != component->Name()) FItems->Put(i, component->Name());
            ++i;
        } else {
            FItems->Delete(i);
        }
    }
}

ObjectAttributes TComponentArray::GetElements(int index) const {
    return ObjectAttributes(FItems->Objects(index));
}

TStringList* TComponentArray::GetItems() {
    UpdateStrings();
    return FItems.get();
}

void TComponentArray::SetItems(TStrings* list) {
    FItems->Assign(list);
    for (int i = 0; i < FItems->Count(); ++i) Watch(FItems->Objects(i));
}

void TComponentArray::SetElementClassName(const AnsiString& value) {
    if (value == FElementClassName) return;
    FElementClassName = value;
    FElementClassType = GetClass(value);
    if (!IsLoading()) FItems->Clear();
}

void TComponentArray::SetElementClassType(TClass value) {
    if (!value) throw Exception("要素のクラスが指定されていません.");
    if (value == FElementClassType) return;
    FElementClassType = value;
    if (FElementClassName == value->Name) return;
    FElementClassName = value->Name;
    if (!IsLoading()) FItems->Clear();
}

void TComponentArray::SetParent(TWinControl* control) {
    FParentControl = control;
    if (control) Watch(control);
    if (IsLoading()) return;
    for (int i = 0; i < FItems->Count();) {
        auto* element = dynamic_cast<TControl*>(FItems->Objects(i));
        if (element && element->Parent() == control) ++i;
        else FItems->Delete(i);
    }
    if (FItems->Count() == 0) FElementClassName.clear();  // the class itself stays
}

void TComponentArray::DefineProperties(TFiler* filer) {
    filer->DefineProperty("Items", [this](TReader& r) { ReadItems(r); }, [this](TWriter& w) { WriteItems(w); },
                          FItems->Count() > 0);
    TComponent::DefineProperties(filer);
}

void TComponentArray::ReadItems(TReader& reader) { FItems->SetText(reader.ReadString()); }

void TComponentArray::WriteItems(TWriter& writer) {
    UpdateStrings();
    writer.WriteString(FItems->Text());
}

void TComponentArray::Loaded() {
    TComponent::Loaded();
    // The names read become pointers; names that no owned component bears are dropped.
    if (Owner()) UpdateElements();
    else FItems->Clear();
    if (FItems->Count() > 0) FElementClassType = FItems->Objects(0)->ClassType();
}

void TComponentArray::RemoveEntriesOf(const TComponent* component) {
    for (int i = FItems->Count() - 1; i >= 0; --i)
        if (FItems->Objects(i) == component) FItems->Delete(i);
}

void TComponentArray::Notification(TComponent* component, TOperation operation) {
    if (!IsDestroying() && operation == opRemove) {
        if (component == FParentControl) FParentControl = nullptr;
        // Every entry of the component goes, also when it was the parent control or was added
        // twice: no pointer to it may stay.
        if (FItems) RemoveEntriesOf(component);
    }
    TComponent::Notification(component, operation);
}

}  // namespace Ovk
