// The window as it opens: its frame, the controls of the layout, the menu and the start state.
#include "app/MainWindowFixture.h"
#include "classlib/ui/GroupBox.h"

namespace {

TEST_F(MainWindowTest, FrameAndMenuBar) {
    TZLVFm* form = Make();
    EXPECT_EQ(WindowText(form), "Zelvano");
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 282);
    EXPECT_EQ(client.bottom, 439);
    const LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));

    HMENU bar = GetMenu(form->Handle());
    ASSERT_NE(bar, nullptr);
    const char* const entries[] = {"修正(&F)", "修正値(&V)", "システム時計(&S)", "終了(&Q)"};
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    for (int i = 0; i < 4; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(bar, i, text, 64, MF_BYPOSITION);
        EXPECT_EQ(FromWide(text), entries[i]);
    }
    // Items linked to actions show the action's caption and shortcut.
    struct Item { TMenuItem* item; TAction* action; };
    const Item items[] = {{form->N3, form->AdjustAction}, {form->N4, form->AdjustTimeAction},
                          {form->N8, form->AdjustDoneAction}, {form->N5, form->NowTimeAction},
                          {form->N6, form->TrueTimeAction}, {form->N7, form->ZeroResetAction},
                          {form->Exit1, form->ExitAction}};
    for (const Item& i : items) EXPECT_EQ(i.item->Action(), i.action) << i.item->Name();
    wchar_t text[64] = {};
    GetMenuStringW(bar, form->N3->Command(), text, 64, MF_BYCOMMAND);
    EXPECT_EQ(FromWide(text), "修正\tF12");
    GetMenuStringW(bar, form->N8->Command(), text, 64, MF_BYCOMMAND);
    EXPECT_EQ(FromWide(text), "修正時刻を確定する\tAlt+Enter");
}

TEST_F(MainWindowTest, ControlsOfTheLayout) {
    TZLVFm* form = Make();
    struct Expected {
        TWinControl* control; TWinControl* parent; const char* caption;
        int left, top, width, height, tabOrder;
        const char* font; int fontHeight; TColor color; bool bold; TAction* action;
    };
    const char* pgothic = "ＭＳ Ｐゴシック";
    const char* gothic = "ＭＳ ゴシック";
    const char* mincho = "ＭＳ 明朝";
    const Expected table[] = {
        {form->GroupBox1, form, "現在のシステム時刻", 8, 8, 265, 105, 0, pgothic, -12, clWindowText, false, nullptr},
        {form->NowLabel, form->GroupBox1, "00/00/00 00:00:00", 13, 32, 238, 27, -1, gothic, -27, clWindowText, false, nullptr},
        {form->ZeroResetBitBtn, form->GroupBox1, "ゼロリセット", 136, 72, 121, 25, 0, pgothic, -12, clWindowText, false, form->ZeroResetAction},
        {form->GroupBox2, form, "変更前の時刻（本来の時刻）", 8, 120, 265, 137, 1, pgothic, -12, clWindowText, false, nullptr},
        {form->TrueLabel, form->GroupBox2, "00/00/00 00:00:00", 13, 32, 238, 27, -1, gothic, -27, clWindowText, false, nullptr},
        {form->AdjustTimeBitBtn, form->GroupBox2, "修正前の時刻に戻す", 44, 72, 177, 25, 0, mincho, -16, clRed, true, form->AdjustTimeAction},
        {form->BitBtn1, form->GroupBox2, "修正時刻を確定する", 44, 104, 177, 25, 1, mincho, -16, clTeal, true, form->AdjustDoneAction},
        {form->GroupBox3, form, "修正値", 8, 264, 265, 169, 2, pgothic, -12, clWindowText, false, nullptr},
        {form->DatePicker, form->GroupBox3, nullptr, 29, 24, 209, 32, 0, pgothic, -24, clWindowText, false, nullptr},
        {form->TimePicker, form->GroupBox3, nullptr, 27, 64, 209, 61, 1, pgothic, -53, clWindowText, false, nullptr},
        {form->AdjustBitBtn, form->GroupBox3, "修　正", 8, 136, 75, 25, 2, mincho, -16, clRed, true, form->AdjustAction},
        {form->NowTimeBitBtn, form->GroupBox3, "現在時刻", 96, 136, 75, 25, 3, pgothic, -12, clWindowText, false, form->NowTimeAction},
        {form->TrueTimeBitBtn, form->GroupBox3, "本来時刻", 184, 136, 75, 25, 4, pgothic, -12, clWindowText, false, form->TrueTimeAction},
    };
    for (const Expected& e : table) {
        ASSERT_NE(e.control, nullptr);
        SCOPED_TRACE(e.control->Name());
        EXPECT_EQ(e.control->Parent(), e.parent);
        if (e.caption) {
            EXPECT_EQ(WindowText(e.control), e.caption);
        }
        EXPECT_EQ(e.control->Left(), e.left);
        EXPECT_EQ(e.control->Top(), e.top);
        EXPECT_EQ(e.control->Width(), e.width);
        EXPECT_EQ(e.control->Height(), e.height);
        if (e.tabOrder >= 0) {
            EXPECT_EQ(e.control->TabOrder(), e.tabOrder);
        }
        EXPECT_EQ(e.control->Font()->Name(), e.font);
        EXPECT_EQ(e.control->Font()->Height(), e.fontHeight);
        EXPECT_EQ(e.control->Font()->Charset(), SHIFTJIS_CHARSET);
        EXPECT_EQ(e.control->Font()->Color(), e.color);
        EXPECT_EQ(e.control->Font()->Style().Contains(fsBold), e.bold);
        EXPECT_EQ(e.control->Action(), e.action);
    }
    EXPECT_EQ(form->DatePicker->Kind(), dtkDate);
    EXPECT_EQ(form->DatePicker->DateFormat(), dfLong);
    EXPECT_EQ(form->DatePicker->CalAlignment(), dtaLeft);
    EXPECT_FALSE(form->DatePicker->ParseInput());
    EXPECT_EQ(form->TimePicker->Kind(), dtkTime);
    EXPECT_EQ(form->TimePicker->DateMode(), dmUpDown);
    EXPECT_FALSE(form->TimePicker->ParseInput());
}

TEST_F(MainWindowTest, ActionsOfTheLayout) {
    TZLVFm* form = Make();
    struct Expected { TAction* action; const char* caption; const char* category; };
    const Expected table[] = {
        {form->AdjustAction, "修正", "修正"},
        {form->NowTimeAction, "現在時刻", "修正値"},
        {form->TrueTimeAction, "本来時刻", "修正値"},
        {form->AdjustTimeAction, "修正前の時刻に戻す", "修正"},
        {form->ZeroResetAction, "ゼロリセット", "システム時計"},
        {form->ExitAction, "終了(&Q)", ""},
        {form->AdjustDoneAction, "修正時刻を確定する", "修正"},
    };
    ASSERT_EQ(form->ActionList1->ActionCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(form->ActionList1->Actions(i), table[i].action);
        EXPECT_EQ(table[i].action->Caption(), table[i].caption);
        EXPECT_EQ(table[i].action->Category(), table[i].category);
    }
    EXPECT_EQ(form->AdjustAction->ShortCut(), ShortCut(VK_F12));
    EXPECT_EQ(form->AdjustDoneAction->ShortCut(), ShortCut(VK_RETURN, scAlt));
}

TEST_F(MainWindowTest, StartsInTheNormalStateShowingNow) {
    TZLVFm* form = Make();
    // Until the first tick the labels show their layout caption.
    EXPECT_EQ(WindowText(form->NowLabel), "00/00/00 00:00:00");
    EXPECT_EQ(form->ClockOffset(), 0.0);
    EXPECT_TRUE(clock.Writes.empty());
    EXPECT_NEAR(form->DatePicker->DateTime(), At(2024, 5, 10, 0, 0, 0), OneMs);
    EXPECT_NEAR(form->TimePicker->DateTime(), At(1899, 12, 30, 12, 34, 10, 250), OneMs);
    EXPECT_FALSE(form->AdjustTimeAction->Enabled());
    EXPECT_FALSE(form->AdjustDoneAction->Enabled());
    EXPECT_TRUE(form->ZeroResetAction->Enabled());
    EXPECT_FALSE(IsWindowEnabled(form->AdjustTimeBitBtn->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->ZeroResetBitBtn->Handle()));
    EXPECT_FALSE(MenuItemEnabled(form, form->N4));
    EXPECT_TRUE(MenuItemEnabled(form, form->N7));
}

}  // namespace
