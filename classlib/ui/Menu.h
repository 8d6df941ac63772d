#pragma once
// Menus: a tree of menu items under a main menu, shown as the menu bar of the form that uses it.
// Items linked to an action show its caption and shortcut, follow its enabled state and run it.
#include "classlib/core/Component.h"
#include "classlib/ui/ActionList.h"
#include "classlib/ui/GdiHandles.h"
#include <vector>

class TMainMenu;
class TCustomForm;

class TMenuItem : public TComponent, protected TActionClient {
    ZL_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut shortCut);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    TAction* Action() const { return LinkedAction(); }
    void SetAction(TAction* action) { LinkAction(action, IsLoading()); }

    // Sub-items, in menu order.
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* ParentItem() const { return FParent; }
    // The main menu the item belongs to, or null.
    TMainMenu* GetParentMenu() const;

    // The command number of the item in WM_COMMAND.
    WORD Command() const { return FCommand; }
    // Runs the linked action, or OnClick when there is none; nothing while disabled.
    virtual void Click();

    // The first item in menu order (depth first) carrying the shortcut, or null.
    TMenuItem* FindShortCut(TShortCut shortCut);
    TMenuItem* FindCommand(WORD command);

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    TNotifyEvent OnClick;

protected:
    void ActionChanged(TAction* action, bool checkDefaults) override;

private:
    friend class TMainMenu;
    void Changed();
    void StructureChanged();
    void AppendTo(HMENU menu);
    void FillSubMenu(HMENU menu);

    AnsiString FCaption;
    TShortCut FShortCut = 0;
    bool FEnabled = true;
    WORD FCommand = 0;
    TMenuItem* FParent = nullptr;
    TMainMenu* FMenu = nullptr;  // set on the root item of a main menu
    std::vector<TMenuItem*> FItems;
};

class TMainMenu : public TComponent {
    ZL_CLASS(TMainMenu)
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    // The root item; its sub-items are the entries of the menu bar.
    TMenuItem* Items() const { return FItems.get(); }
    // The menu bar's handle, made on first use and again after the items change.
    HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    // Runs the item with that command number; false when no item has it.
    bool DispatchCommand(WORD command);
    // The first item in menu order that carries the shortcut runs (if enabled); true when one
    // carries it.
    bool IsShortCut(TShortCut shortCut);

    TCustomForm* Form() const { return FForm; }

private:
    friend class TMenuItem;
    friend class TCustomForm;
    void ItemChanged(TMenuItem* item);
    void Rebuild();

    std::unique_ptr<TMenuItem> FItems;
    UniqueMenu FHandle;
    TCustomForm* FForm = nullptr;  // the form showing the menu bar
};
