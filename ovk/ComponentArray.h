#pragma once
// Arrays of like components (TComponentArray) and a serializer of chosen published properties of
// a form's components (TPropertySerializer).
#include "ovk/Catools.h"
#include "classlib/core/StringList.h"
#include <memory>

class TStream;
class TWinControl;

namespace Ovk {

// ---------------------------------------------------------------- component array
using TCreateNewEvent = TEvent<TObject* /*Sender*/, TComponent* /*AComponent*/>;
using TElementEvent = TEvent<TObject* /*Sender*/, int /*Index*/, TComponent* /*AComponent*/>;

// Gathers components of one class (typically controls on one parent) into an ordered array, to
// create, name and configure them together. The elements belong to the array's owner, not to
// the array; the array keeps each element's name (what the form file stores) and a pointer to
// it, and forgets an element when it is freed.
class TComponentArray : public TComponent {
    ZL_CLASS(TComponentArray)
public:
    explicit TComponentArray(TComponent* owner);
    ~TComponentArray() override;

    // Creates a component of the element class owned by the array's owner, names it (name, or
    // the first free ButtonN), puts a control on the parent control (or on the owner when that
    // is a form), announces it with OnCreateNew and adds it.
    TComponent* CreateNew(const AnsiString& name);
    int Add(TComponent* component);
    // Forgets the element at index (OnDelete tells) and returns it; it is not freed.
    TComponent* Delete(int index);
    void Clear();
    int IndexOfElement(const TComponent* component) const;

    // Sets a property or an event on every element in order; an element lacking it stops the
    // loop with Catools' message, the elements before it already changed.
    void SetProperty(const AnsiString& propertyName, const Variant& value);
    void SetPropertyAutoInc(const AnsiString& propertyName, int start, int step);
    void SetEvent(const AnsiString& eventName, TObject* target, const AnsiString& methodName);

    // Finds the owner's components of the entries' names (dropping names nobody bears), and
    // refreshes the names from the components (dropping entries without one).
    void UpdateElements();
    void UpdateStrings();

    int GetElementCount() const { return FItems->Count(); }
    void SetElementCount(int) {}
    ObjectAttributes GetElements(int index) const;
    TStringList* GetItems();
    void SetItems(TStrings* list);

    const AnsiString& ElementClassName() const { return FElementClassName; }
    void SetElementClassName(const AnsiString& value);
    TClass ElementClassType() const { return FElementClassType; }
    void SetElementClassType(TClass value);
    TWinControl* ParentControl() const { return FParentControl; }
    void SetParent(TWinControl* control);

    TCreateNewEvent OnCreateNew;
    TElementEvent OnAdd;
    TElementEvent OnDelete;

protected:
    void DefineProperties(TFiler* filer) override;
    void ReadItems(TReader& reader);
    void WriteItems(TWriter& writer);
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void RequireOwner() const;
    // Asks to be told when the component goes, whoever owns it.
    void Watch(TObject* object);
    void RemoveEntriesOf(const TComponent* component);

    std::unique_ptr<TStringList> FItems;
    TWinControl* FParentControl = nullptr;
    AnsiString FElementClassName;
    TClass FElementClassType = nullptr;
};

// ---------------------------------------------------------------- property serializer
// Called with (component name, property name) for each pair of a property list.
using TComponentPropertyProc = TEvent<const AnsiString& /*ComponentName*/, const AnsiString& /*PropertyName*/>;

// Lines naming components, each followed by TAB-prefixed lines naming their properties.
class TComponentPropertyList : public TStringList {
    ZL_CLASS(TComponentPropertyList)
public:
    // Calls proc for each property line with the current component name (empty before the first
    // component line). An empty line raises ERangeError before its pair.
    void GetComponentProperties(TComponentPropertyProc proc) const;
};

// One pass over a stream: the owner whose components the list names and the stream. Neither is
// owned. Strings are stored as a count byte (length + 1, 1 to 127), the bytes and a zero byte.
class TComponentPropertyFiler {
public:
    TComponentPropertyFiler(TComponent* owner, TStream* stream) : FOwner(owner), FStream(stream) {}
    virtual ~TComponentPropertyFiler() = default;
    TComponentPropertyFiler(const TComponentPropertyFiler&) = delete;
    TComponentPropertyFiler& operator=(const TComponentPropertyFiler&) = delete;

    virtual void TransferProperty(ObjectAttributes& object, const AnsiString& componentName,
                                  const AnsiString& propertyName) = 0;
    // Raises Exception for a string of 127 bytes or more, writing nothing.
    void WriteStr(const AnsiString& s);
    // Raises "read error!!" for a count of 0 or above 127 and EReadError when the stream ends.
    AnsiString ReadStr();

protected:
    TComponent* FOwner;
    TStream* FStream;
};

class TComponentPropertyWriter : public TComponentPropertyFiler {
public:
    using TComponentPropertyFiler::TComponentPropertyFiler;
    // Writes the two names, then the value as text.
    void TransferProperty(ObjectAttributes& object, const AnsiString& componentName,
                          const AnsiString& propertyName) override;
};

class TComponentPropertyReader : public TComponentPropertyFiler {
public:
    using TComponentPropertyFiler::TComponentPropertyFiler;
    // Checks the two names against the pair and stores the value.
    void TransferProperty(ObjectAttributes& object, const AnsiString& componentName,
                          const AnsiString& propertyName) override;
};

// Saves chosen published properties of the owner's components to a stream or file and loads them
// back. Items lists them (stored with the form as "Items").
class TPropertySerializer : public TComponent {
    ZL_CLASS(TPropertySerializer)
public:
    explicit TPropertySerializer(TComponent* owner);
    ~TPropertySerializer() override;

    TComponentPropertyList* Items() const { return FItems.get(); }

    // At the stream's position; the stream stays the caller's.
    void SaveToStream(TStream& stream);
    void LoadFromStream(TStream& stream);
    void SaveToFile(const AnsiString& fileName);
    void LoadFromFile(const AnsiString& fileName);

protected:
    void DefineProperties(TFiler* filer) override;
    void ReadItems(TReader& reader);
    void WriteItems(TWriter& writer);

private:
    void Pass(TComponentPropertyFiler& filer);

    std::unique_ptr<TComponentPropertyList> FItems;
};

}  // namespace Ovk
