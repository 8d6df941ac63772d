#include "Collection.h"
#include "Exceptions.h"
#include "UpdateScope.h"

#include <algorithm>

TClass TCollectionItem::StaticClass() {
    static const TClassInfo info = ClassBuilder<TCollectionItem, TPersistent>("TCollectionItem").Build();
    return &info;
}
TClass TCollection::StaticClass() {
    static const TClassInfo info = ClassBuilder<TCollection, TPersistent>("TCollection").Build();
    return &info;
}
TClass TOwnedCollection::StaticClass() {
    static const TClassInfo info = ClassBuilder<TOwnedCollection, TCollection>("TOwnedCollection").Build();
    return &info;
}

// ---------------------------------------------------------------- TCollectionItem
TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == FCollection) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    int current = Index();
    if (current < 0 || index == current) return;
    auto& items = FCollection->FItems;
    index = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

AnsiString TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const AnsiString& value) {
    (void)value;
    Changed(false);
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

void TCollectionItem::Changed(bool allItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

// ---------------------------------------------------------------- TCollection
TCollection::TCollection(TClass itemClass, TItemFactory factory) : FItemClass(itemClass), FFactory(factory) {}

TCollection::~TCollection() {
    FUpdateCount = 1;  // no change notices while being torn down
    Clear();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("リストのインデックスが範囲を超えています (" + IntToStr(index) + ")");
    return FItems[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add() {
    // The item's constructor joins it to this collection.
    TCollectionItem* item = FFactory(this);
    Changed();
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    delete Items(index);  // leaves through the item's destructor
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    UpdateScope update(*this);
    while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == id) return item;
    return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCollection*>(source)) {
        if (other == this) return;
        UpdateScope update(*this);
        Clear();
        for (TCollectionItem* item : other->FItems) Add()->Assign(item);
        return;
    }
    TPersistent::Assign(source);
}

void TCollection::InsertItem(TCollectionItem* item) {
    FItems.push_back(item);
    item->FCollection = this;
    item->FID = FNextID++;
    Notify(item, opInsert);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, opRemove);
    FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
    item->FCollection = nullptr;
    Changed();
}
