// Actions reached through buttons, menu items and shortcut keys, and their enabled state.
#include "UiFixture.h"

namespace {

class ActionTest : public ShownFormTest {
protected:
    // The menu bar entry at the given positions, as the system holds it.
    HMENU SubMenu(int top) { return GetSubMenu(GetMenu(Form->Handle()), top); }
    std::wstring MenuText(HMENU menu, int position) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
        return text;
    }
    bool MenuEnabled(HMENU menu, int position) {
        return !(GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    }
    void PostKey(UINT msg, WPARAM key, LPARAM flags = 0) {
        PostMessageW(Form->AdjustBitBtn->Handle(), msg, key, flags | 1);
        Pump();
    }

};

TEST_F(ActionTest, ButtonClickRunsItsAction) {
    SendMessageW(Form->AdjustBitBtn->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(Form->Log, std::vector<std::string>{"Adjust"});
}

TEST_F(ActionTest, MenuCommandRunsTheActionOfItsItem) {
    // "修正(&F)" > first item (AdjustAction), chosen the way the menu bar reports it.
    UINT id = GetMenuItemID(SubMenu(0), 0);
    ASSERT_EQ(id, Form->N3->Command());
    PostMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump();
    EXPECT_EQ(Form->Log, std::vector<std::string>{"Adjust"});
}

TEST_F(ActionTest, MenuItemsShowTheirActionsCaptionAndShortcut) {
    EXPECT_EQ(MenuText(GetMenu(Form->Handle()), 0), L"修正(&F)");
    EXPECT_EQ(MenuText(SubMenu(0), 0), L"修正\tF12");
    EXPECT_EQ(MenuText(SubMenu(0), 1), L"修正前の時刻に戻す\tF11");
    EXPECT_EQ(MenuText(GetMenu(Form->Handle()), 2), L"終了(&Q)");
}

TEST_F(ActionTest, ShortcutKeysResolveThroughTheMenuThenTheActionList) {
    struct Case {
        const char* Name;
        UINT Msg;
        WPARAM Key;
        LPARAM Flags;
        bool PutBackEnabled;
        std::vector<std::string> Expected;
    };
    const Case cases[] = {
        {"F12 runs the item that carries it", WM_KEYDOWN, VK_F12, 0, false, {"Adjust"}},
        // F11 is on the put-back item first and on zero reset later in menu order: the first
        // item takes the key even while disabled, so zero reset never runs from it.
        {"F11 stops at the disabled put-back item", WM_KEYDOWN, VK_F11, 0, false, {}},
        {"F11 runs put-back once it is enabled", WM_KEYDOWN, VK_F11, 0, true, {"AdjustTime"}},
        // Alt+Enter is on no menu item, only on an action of the action list.
        {"Alt+Enter reaches the action list", WM_SYSKEYDOWN, VK_RETURN, 1 << 29, true, {"AdjustDone"}},
        {"Enter without Alt is no shortcut", WM_KEYDOWN, VK_RETURN, 0, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Form->Log.clear();
        Form->AdjustTimeAction->SetEnabled(c.PutBackEnabled);
        Form->AdjustDoneAction->SetEnabled(true);
        PostKey(c.Msg, c.Key, c.Flags);
        EXPECT_EQ(Form->Log, c.Expected);
    }
}

TEST_F(ActionTest, DisablingAnActionDisablesItsButtonAndMenuItem) {
    ASSERT_TRUE(IsWindowEnabled(Form->AdjustBitBtn->Handle()));
    ASSERT_TRUE(MenuEnabled(SubMenu(0), 0));
    EXPECT_FALSE(IsWindowEnabled(Form->AdjustTimeBitBtn->Handle()));  // disabled in the layout
    EXPECT_FALSE(MenuEnabled(SubMenu(0), 1));

    Form->AdjustAction->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Form->AdjustBitBtn->Handle()));
    EXPECT_FALSE(MenuEnabled(SubMenu(0), 0));
    EXPECT_FALSE(Form->N3->Enabled());
    // Nothing reaches the handler of a disabled action, by any path.
    PostMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(Form->N3->Command(), 0), 0);
    PostKey(WM_KEYDOWN, VK_F12);
    EXPECT_FALSE(Form->AdjustAction->Execute());
    EXPECT_TRUE(Form->Log.empty());

    Form->AdjustAction->SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(Form->AdjustBitBtn->Handle()));
    EXPECT_TRUE(MenuEnabled(SubMenu(0), 0));
}

TEST_F(ActionTest, FreedActionLeavesItsClientsUnlinked) {
    delete Form->AdjustTimeAction;
    EXPECT_EQ(Form->AdjustTimeBitBtn->Action(), nullptr);
    EXPECT_EQ(Form->N4->Action(), nullptr);
    EXPECT_EQ(Form->ActionList1->ActionCount(), 4);
    // The clients keep the state the action gave them last.
    EXPECT_FALSE(Form->AdjustTimeBitBtn->Enabled());
    EXPECT_FALSE(Form->N4->Enabled());
}

}  // namespace
