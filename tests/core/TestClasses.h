#pragma once
// Small components and persistent objects that exercise the object model, the type information
// and form files: every kind of published property, a sub-object, a collection, a defined
// property, a reference, events of two signatures, and a record of each Loaded call.
#include "classlib/core/Collection.h"
#include "classlib/core/StringList.h"

#include <memory>
#include <string>
#include <vector>

enum TShade { shRed, shGreen, shBlue };
using TShades = TSet<TShade>;

class TTestFont : public TPersistent {
    ZL_CLASS(TTestFont)
public:
    int Height = -12;
    AnsiString FaceName;
    void Assign(TPersistent* source) override;
};

class TTestItem : public TCollectionItem {
    ZL_CLASS(TTestItem)
public:
    explicit TTestItem(TCollection* collection) : TCollectionItem(collection) {}
    AnsiString Caption;
    int Width = 0;
    TComponent* Target = nullptr;
    AnsiString GetDisplayName() const override { return Caption.empty() ? TCollectionItem::GetDisplayName() : Caption; }
    void SetDisplayName(const AnsiString& value) override { Caption = value; TCollectionItem::SetDisplayName(value); }
    void Assign(TPersistent* source) override;
};

class TTestItems : public TOwnedCollection {
    ZL_CLASS(TTestItems)
public:
    explicit TTestItems(TPersistent* owner)
        : TOwnedCollection(owner, TTestItem::StaticClass(), ItemFactory<TTestItem>()) {}
    std::vector<TCollectionItem*> Updates;  // what Update was told (null: all items)
protected:
    void Update(TCollectionItem* item) override { Updates.push_back(item); }
};

// What a widget saw when its Loaded ran.
struct TLoadedRecord {
    AnsiString Name;
    unsigned State;
    AnsiString Buddy;
    bool ClickAssigned;
    bool FieldBound;
    int ItemCount;
};

class TTestWidget : public TComponent {
    ZL_CLASS(TTestWidget)
public:
    explicit TTestWidget(TComponent* owner);
    ~TTestWidget() override;

    static int Live;                            // widgets alive now
    static std::vector<TLoadedRecord> LoadedLog;

    int Left = 0;
    bool Visible = true;
    TShade Shade = shRed;
    TShades Shades;
    double Ratio = 0;
    char Letter = 0;
    TComponent* Buddy = nullptr;
    TNotifyEvent OnClick;
    TEvent<int> OnValue;
    std::unique_ptr<TTestFont> Font = std::make_unique<TTestFont>();
    std::unique_ptr<TTestItems> Items = std::make_unique<TTestItems>(this);
    std::unique_ptr<TStringList> Names = std::make_unique<TStringList>();
    std::vector<std::pair<TComponent*, TOperation>> Notices;
    int LoadedCount = 0;

    AnsiString Caption() const { return FCaption; }
    void SetCaption(const AnsiString& value) { FCaption = value; }
    void SetBuddy(TComponent* value);

    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* parent) override { FParent = parent; }
    void Loaded() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

private:
    TTestFont* GetFont() const { return Font.get(); }
    TTestItems* GetItems() const { return Items.get(); }
    AnsiString FCaption;
    TComponent* FParent = nullptr;
};

class TTestForm : public TComponent {
    ZL_CLASS(TTestForm)
public:
    explicit TTestForm(TComponent* owner) : TComponent(owner) {}
    TTestWidget* Widget1 = nullptr;  // published field
    TComponent* Label1 = nullptr;    // published field of a base class type
    std::vector<TObject*> Clicks;
    int Values = 0;
    int LoadedCount = 0;
    void WidgetClick(TObject* sender) { Clicks.push_back(sender); }
    void ValueChanged(int value) { Values += value; }
    void Loaded() override { ++LoadedCount; TComponent::Loaded(); }
};

// A class that is registered but is no component (form files must refuse to create it).
class TTestPlain : public TPersistent {
    ZL_CLASS(TTestPlain)
};
