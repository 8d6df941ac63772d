#pragma once
// Actions: named commands with a caption, a category, a shortcut, an enabled state and a
// handler. Buttons and menu items linked to an action follow its state and run it when used.
#include "classlib/core/Component.h"
#include "classlib/ui/ShortCut.h"
#include <vector>

class TAction;
class TActionList;

// The client side of an action link, a base of controls and menu items.
class TActionClient {
public:
    TActionClient(const TActionClient&) = delete;
    TActionClient& operator=(const TActionClient&) = delete;

protected:
    TActionClient() = default;
    ~TActionClient();
    TAction* LinkedAction() const { return FAction; }
    // Links to the action (or to none). Linking copies the action's state into the client at
    // once: while the client is being loaded only into what its layout left at the default.
    void LinkAction(TAction* action, bool checkDefaults);
    // The action's caption, shortcut or enabled state changed, or the link was just made.
    virtual void ActionChanged(TAction* action, bool checkDefaults) = 0;

private:
    friend class TAction;
    TAction* FAction = nullptr;
};

class TAction : public TComponent {
    ZL_CLASS(TAction)
public:
    explicit TAction(TComponent* owner);
    ~TAction() override;

    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    const AnsiString& Category() const { return FCategory; }
    void SetCategory(const AnsiString& category) { FCategory = category; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut shortCut);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* list);
    // The position in its action list, -1 without one.
    int Index() const;

    // Runs OnExecute with the action as sender when the action is enabled and not being
    // designed; true when a handler ran.
    virtual bool Execute();

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    TNotifyEvent OnExecute;

private:
    friend class TActionClient;
    friend class TActionList;
    void NotifyClients();

    AnsiString FCaption;
    AnsiString FCategory;
    TShortCut FShortCut = 0;
    bool FEnabled = true;
    TActionList* FActionList = nullptr;
    std::vector<TActionClient*> FClients;
};

class TActionList : public TComponent {
    ZL_CLASS(TActionList)
public:
    explicit TActionList(TComponent* owner);
    ~TActionList() override;

    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TAction* Actions(int index) const;

    // Looks for the first action carrying the shortcut and runs it; true when it ran.
    bool IsShortCut(TShortCut shortCut);

private:
    friend class TAction;
    std::vector<TAction*> FActions;
};
