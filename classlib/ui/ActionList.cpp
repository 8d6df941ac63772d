#include "classlib/ui/ActionList.h"
#include "classlib/core/Exceptions.h"

#include <algorithm>

// ---------------------------------------------------------------- TActionClient
TActionClient::~TActionClient() { LinkAction(nullptr, false); }

void TActionClient::LinkAction(TAction* action, bool checkDefaults) {
    if (action == FAction) return;
    if (FAction) std::erase(FAction->FClients, this);
    FAction = action;
    if (FAction) {
        FAction->FClients.push_back(this);
        ActionChanged(FAction, checkDefaults);
    }
}

// ---------------------------------------------------------------- TAction
TClass TAction::StaticClass() {
    static const TClassInfo info = ClassBuilder<TAction, TComponent>("TAction")
        .Property<&TAction::Caption, &TAction::SetCaption>("Caption")
        .Property<&TAction::Category, &TAction::SetCategory>("Category")
        .Property<&TAction::Enabled, &TAction::SetEnabled>("Enabled").Default(true)
        .Property<&TAction::ShortCut, &TAction::SetShortCut>("ShortCut").Default(0)
        .Property<&TAction::OnExecute>("OnExecute")
        .Build();
    return &info;
}

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction() {
    // Clients forget the action before it goes; they keep the state it gave them.
    for (TActionClient* client : std::vector<TActionClient*>(FClients)) client->FAction = nullptr;
    FClients.clear();
    SetActionList(nullptr);
}

void TAction::SetCaption(const AnsiString& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    NotifyClients();
}

void TAction::SetShortCut(TShortCut shortCut) {
    if (shortCut == FShortCut) return;
    FShortCut = shortCut;
    NotifyClients();
}

void TAction::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    NotifyClients();
}

void TAction::NotifyClients() {
    // A client may unlink itself while it is told; walk a copy.
    for (TActionClient* client : std::vector<TActionClient*>(FClients))
        if (client->FAction == this) client->ActionChanged(this, false);
}

void TAction::SetActionList(TActionList* list) {
    if (list == FActionList) return;
    if (FActionList) std::erase(FActionList->FActions, this);
    FActionList = list;
    if (FActionList) FActionList->FActions.push_back(this);
}

int TAction::Index() const {
    if (!FActionList) return -1;
    auto& actions = FActionList->FActions;
    return static_cast<int>(std::find(actions.begin(), actions.end(), this) - actions.begin());
}

bool TAction::Execute() {
    if (IsDesigning() || !FEnabled || !OnExecute) return false;
    OnExecute(this);
    return true;
}

TComponent* TAction::GetParentComponent() const { return FActionList; }

void TAction::SetParentComponent(TComponent* parent) {
    if (auto* list = dynamic_cast<TActionList*>(parent)) SetActionList(list);
}

// ---------------------------------------------------------------- TActionList
TClass TActionList::StaticClass() {
    static const TClassInfo info = ClassBuilder<TActionList, TComponent>("TActionList").Build();
    return &info;
}

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
    for (TAction* action : FActions) action->FActionList = nullptr;
}

TAction* TActionList::Actions(int index) const {
    if (index < 0 || index >= ActionCount())
        throw EListError("リストのインデックスが範囲を超えています (" + IntToStr(index) + ")");
    return FActions[static_cast<std::size_t>(index)];
}

bool TActionList::IsShortCut(TShortCut shortCut) {
    if (shortCut == 0) return false;
    for (TAction* action : FActions)
        if (action->ShortCut() == shortCut) return action->Execute();
    return false;
}
