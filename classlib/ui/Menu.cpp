#include "classlib/ui/Menu.h"
#include "classlib/core/Exceptions.h"
#include "classlib/ui/Form.h"

#include <algorithm>
#include <set>

namespace {

// Command numbers of WM_COMMAND, unique among the live menu items. They start above the
// dialog buttons' numbers (IDOK, IDCANCEL, ...) that a form may also receive.
constexpr WORD FirstCommand = 100;
constexpr WORD LastCommand = 0xEFFF;

std::set<WORD>& UsedCommands() {
    static std::set<WORD> used;
    return used;
}

WORD AllocateCommand() {
    static WORD next = FirstCommand;
    auto& used = UsedCommands();
    if (used.size() >= LastCommand - FirstCommand + 1u) throw Exception("メニューのコマンド番号が足りません");
    while (used.count(next)) next = next == LastCommand ? FirstCommand : static_cast<WORD>(next + 1);
    used.insert(next);
    return next;
}

}  // namespace

// ---------------------------------------------------------------- TMenuItem
TClass TMenuItem::StaticClass() {
    static const TClassInfo info = ClassBuilder<TMenuItem, TComponent>("TMenuItem")
        .Property<&TMenuItem::Action, &TMenuItem::SetAction>("Action")
        .Property<&TMenuItem::Caption, &TMenuItem::SetCaption>("Caption")
        .Property<&TMenuItem::Enabled, &TMenuItem::SetEnabled>("Enabled").Default(true)
        .Property<&TMenuItem::ShortCut, &TMenuItem::SetShortCut>("ShortCut").Default(0)
        .Property<&TMenuItem::OnClick>("OnClick")
        .Build();
    return &info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
    LinkAction(nullptr, false);
    for (TMenuItem* item : FItems) item->FParent = nullptr;
    FItems.clear();
    if (FParent) FParent->Remove(this);
    UsedCommands().erase(FCommand);
}

void TMenuItem::SetCaption(const AnsiString& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut == FShortCut) return;
    FShortCut = shortCut;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    Changed();
}

void TMenuItem::ActionChanged(TAction* action, bool checkDefaults) {
    // While a layout is read, what it gave the item itself wins over the action's.
    if (!checkDefaults || FCaption.empty() || FCaption == Name()) SetCaption(action->Caption());
    if (!checkDefaults || FShortCut == 0) SetShortCut(action->ShortCut());
    if (!checkDefaults || FEnabled) SetEnabled(action->Enabled());
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("リストのインデックスが範囲を超えています (" + IntToStr(index) + ")");
    return FItems[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item) throw EListError("メニュー項目を自分の下に入れることはできません");
    if (item->FParent) item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    StructureChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParent = nullptr;
    StructureChanged();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMainMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->FParent) item = item->FParent;
    return item->FMenu;
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    if (TAction* action = LinkedAction()) {
        if (!IsDesigning()) action->Execute();
        return;
    }
    OnClick(this);
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
    for (TMenuItem* item : FItems) {
        if (item->FShortCut == shortCut) return item;
        if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
    }
    return nullptr;
}

TMenuItem* TMenuItem::FindCommand(WORD command) {
    for (TMenuItem* item : FItems) {
        if (item->FCommand == command) return item;
        if (TMenuItem* found = item->FindCommand(command)) return found;
    }
    return nullptr;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMainMenu*>(parent)) menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
}

void TMenuItem::Changed() {
    if (TMainMenu* menu = GetParentMenu()) menu->ItemChanged(this);
}

void TMenuItem::StructureChanged() {
    if (TMainMenu* menu = GetParentMenu()) menu->Rebuild();
}

namespace {

// The entry's text: the caption, and after a tab the shortcut the menu shows at the right.
WideString EntryText(const AnsiString& caption, TShortCut shortCut) {
    AnsiString text = caption;
    if (AnsiString keys = ShortCutToText(shortCut); !keys.empty()) text += "\t" + keys;
    return ToWide(text);
}

void FillEntry(MENUITEMINFOW& info, WideString& text, const AnsiString& caption, TShortCut shortCut, bool enabled) {
    info.cbSize = sizeof(info);
    info.fMask |= MIIM_FTYPE | MIIM_STATE;
    if (caption == "-") {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask |= MIIM_STRING;
        info.fType = MFT_STRING;
        text = EntryText(caption, shortCut);
        info.dwTypeData = text.data();
    }
    info.fState = enabled ? MFS_ENABLED : MFS_DISABLED;
}

}  // namespace

void TMenuItem::AppendTo(HMENU menu) {
    MENUITEMINFOW info{};
    WideString text;
    info.fMask = MIIM_ID;
    info.wID = FCommand;
    FillEntry(info, text, FCaption, FShortCut, FEnabled);
    UniqueMenu sub;  // owned here until the menu it is inserted into takes it
    if (!FItems.empty()) {
        sub.reset(CreatePopupMenu());
        if (!sub) throw Exception("メニューを作成できません");
        FillSubMenu(sub.get());
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = sub.get();
    }
    if (!InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info))
        throw Exception("メニューを作成できません");
    sub.release();
}

void TMenuItem::FillSubMenu(HMENU menu) {
    for (TMenuItem* item : FItems) item->AppendTo(menu);
}

// ---------------------------------------------------------------- TMainMenu
TClass TMainMenu::StaticClass() {
    static const TClassInfo info = ClassBuilder<TMainMenu, TComponent>("TMainMenu").Build();
    return &info;
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), FItems(std::make_unique<TMenuItem>(nullptr)) {
    FItems->FMenu = this;
}

TMainMenu::~TMainMenu() {
    // Off the form's window before the menu handle goes.
    if (FForm) FForm->SetMenu(nullptr);
    FItems->FMenu = nullptr;
}

HMENU TMainMenu::Handle() {
    if (!FHandle) {
        FHandle.reset(CreateMenu());
        if (!FHandle) throw Exception("メニューを作成できません");
        FItems->FillSubMenu(FHandle.get());
    }
    return FHandle.get();
}

namespace {

HMENU MenuHolding(HMENU bar, const TMenuItem* parent) {
    const TMenuItem* grand = parent->ParentItem();
    if (!grand) return bar;
    HMENU menu = MenuHolding(bar, grand);
    return menu ? GetSubMenu(menu, grand->IndexOf(parent)) : nullptr;
}

}  // namespace

void TMainMenu::ItemChanged(TMenuItem* item) {
    if (!FHandle || !item->FParent) return;
    HMENU menu = MenuHolding(FHandle.get(), item->FParent);
    if (!menu) return;
    MENUITEMINFOW info{};
    WideString text;
    FillEntry(info, text, item->FCaption, item->FShortCut, item->FEnabled);
    SetMenuItemInfoW(menu, static_cast<UINT>(item->FParent->IndexOf(item)), TRUE, &info);
    if (FForm && FForm->HandleAllocated()) DrawMenuBar(FForm->Handle());
}

void TMainMenu::Rebuild() {
    if (!FHandle) return;
    UniqueMenu previous = std::move(FHandle);
    Handle();
    if (FForm) FForm->MenuChanged();
}

bool TMainMenu::DispatchCommand(WORD command) {
    TMenuItem* item = FItems->FindCommand(command);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMainMenu::IsShortCut(TShortCut shortCut) {
    if (shortCut == 0) return false;
    TMenuItem* item = FItems->FindShortCut(shortCut);
    if (!item) return false;
    item->Click();
    return true;
}
