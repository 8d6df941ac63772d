#pragma once
// Design-time services: the form designer interface, the list of components selected in a
// designer, and the enumeration of the properties that a designer's inspector shows for them,
// one property editor per property.
#include "Component.h"
#include <functional>
#include <memory>
#include <vector>

// A property set of kinds (bit n for kind code n).
using TTypeKinds = TSet<TTypeKind>;
// Every kind, and every kind but events (what an inspector's property page shows).
TTypeKinds AllTypeKinds();
TTypeKinds PropertyTypeKinds();

// A bound method taking a string (the callback of name enumerations).
using TGetStrProc = TEvent<const AnsiString&>;

// The form designer that hosts the components being designed. It lives by its reference count:
// the designer holds one reference, and each user holds one while it works with it.
class IFormDesigner {
public:
    virtual unsigned long AddRef() = 0;
    virtual unsigned long Release() = 0;
    // The form (root component) being designed.
    virtual TComponent* GetRoot() = 0;
    // Tells the designer that a designed component changed (so that it is saved).
    virtual void Modified() = 0;

protected:
    ~IFormDesigner() = default;  // released, never deleted through the interface
};

// The components selected in a designer, in the order they were selected. It does not own them.
class TDesignerSelectionList {
public:
    int Add(TPersistent* item);
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError for an index outside the list.
    TPersistent* Items(int index) const;
    bool Contains(const TPersistent* item) const;

private:
    std::vector<TPersistent*> FItems;
};

// Edits one published property of the selected components; what the inspector's line shows.
class TPropertyEditor {
public:
    TPropertyEditor(const TDesignerSelectionList& selection, const TPropInfo& prop, IFormDesigner* designer);

    const AnsiString& GetName() const { return FProp->Name; }
    TTypeKind GetKind() const { return FProp->Kind; }
    const TPropInfo& PropInfo() const { return *FProp; }
    IFormDesigner* Designer() const { return FDesigner; }
    int PropCount() const { return FSelection->Count(); }
    TPersistent* GetComponent(int index) const { return FSelection->Items(index); }

    // Whether the value of every selected component can be read now (its getter does not raise).
    bool ValueAvailable() const;

private:
    const TDesignerSelectionList* FSelection;
    const TPropInfo* FProp;
    IFormDesigner* FDesigner;
};

using TGetPropEditProc = std::function<void(TPropertyEditor& editor)>;

// Hands proc one editor for each published property that every selected component has (same
// name and kind), in order of property name (ASCII case ignored). A property is listed only when
// its kind is in filter, there is an editor for its kind, it can be read, it can be written (a
// class property need only be readable) and its value is available. The editors live for the
// call of proc only.
void GetComponentProperties(const TDesignerSelectionList& selection, TTypeKinds filter,
                            IFormDesigner* designer, const TGetPropEditProc& proc);
