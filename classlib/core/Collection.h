#pragma once
// Collections: ordered lists of like items that a component publishes as one property (columns,
// message items, format items). The collection owns its items.
#include "Component.h"
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
    ZL_CLASS(TCollectionItem)
public:
    // Joins the collection (appended at its end) when one is given.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (or out of any, with null).
    void SetCollection(TCollection* collection);
    int Index() const;
    void SetIndex(int index);
    int ID() const { return FID; }

    // The name the designer shows; the item's class name unless a subclass knows better.
    virtual AnsiString GetDisplayName() const;
    // Tells the collection that the item changed; subclasses that keep a name store it first.
    virtual void SetDisplayName(const AnsiString& value);
    AnsiString DisplayName() const { return GetDisplayName(); }

    TPersistent* GetOwner() const override;

protected:
    // Tells the collection of a change of this item (or of all items).
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
    ZL_CLASS(TCollection)
public:
    using TItemFactory = TCollectionItem* (*)(TCollection* collection);

    // The item class and how to make one: TCollection(TMyItem::StaticClass(), ItemFactory<TMyItem>()).
    TCollection(TClass itemClass, TItemFactory factory);
    ~TCollection() override;

    template <class Item>
    static TItemFactory ItemFactory() {
        return [](TCollection* c) -> TCollectionItem* { return new Item(c); };
    }

    TClass ItemClass() const { return FItemClass; }
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError for an index outside the collection.
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;

    // Changes between BeginUpdate and EndUpdate are told once, at the end, as a change of all.
    void BeginUpdate();
    void EndUpdate();

    // Empties this collection and adds one item per item of the source, Assign'ed from it.
    void Assign(TPersistent* source) override;

protected:
    // Told of a change of one item, or of all items when item is null.
    virtual void Update(TCollectionItem* item) { (void)item; }
    // Told of an item that joined (opInsert) or is leaving (opRemove).
    virtual void Notify(TCollectionItem* item, TOperation operation) { (void)item; (void)operation; }
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    TClass FItemClass;
    TItemFactory FFactory;
    std::vector<TCollectionItem*> FItems;  // owned: freed by Delete, Clear and the destructor
    int FNextID = 0;
    int FUpdateCount = 0;
};

// A collection that names the persistent object holding it as its owner, so that the designer
// and form files can address it as a property of that object.
class TOwnedCollection : public TCollection {
    ZL_CLASS(TOwnedCollection)
public:
    TOwnedCollection(TPersistent* owner, TClass itemClass, TItemFactory factory)
        : TCollection(itemClass, factory), FOwner(owner) {}
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};
