// The commands through the window's keys, menu items and buttons, the two window states, the
// ticking labels, and a clock that refuses to be set.
#include "app/MainWindowFixture.h"
#include "classlib/ui/GroupBox.h"

namespace {

void ExpectNormalState(TZLVFm* form) {
    EXPECT_FALSE(form->AdjustTimeAction->Enabled());
    EXPECT_FALSE(form->AdjustDoneAction->Enabled());
    EXPECT_TRUE(form->ZeroResetAction->Enabled());
    EXPECT_FALSE(IsWindowEnabled(form->AdjustTimeBitBtn->Handle()));
    EXPECT_FALSE(IsWindowEnabled(form->BitBtn1->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->ZeroResetBitBtn->Handle()));
    EXPECT_EQ(form->TrueLabel->Font()->Color(), clWindowText);
    EXPECT_EQ(form->NowLabel->Font()->Color(), clWindowText);
}

void ExpectShiftedState(TZLVFm* form) {
    EXPECT_TRUE(form->AdjustTimeAction->Enabled());
    EXPECT_TRUE(form->AdjustDoneAction->Enabled());
    EXPECT_FALSE(form->ZeroResetAction->Enabled());
    EXPECT_TRUE(IsWindowEnabled(form->AdjustTimeBitBtn->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->BitBtn1->Handle()));
    EXPECT_FALSE(IsWindowEnabled(form->ZeroResetBitBtn->Handle()));
    EXPECT_EQ(form->TrueLabel->Font()->Color(), clBlue);
    EXPECT_EQ(form->NowLabel->Font()->Color(), clRed);
}

TEST_F(MainWindowTest, ShiftTwiceThenPutBackIgnoringThePickers) {
    TZLVFm* form = Make();
    const TDateTime start = clock.PeekDateTime();
    SetPickers(form, At(2024, 5, 9, 23, 59, 0), At(2000, 1, 1, 8, 30, 0, 500));
    PressKey(form->TimePicker, VK_F12);
    EXPECT_NEAR(clock.PeekDateTime(), At(2024, 5, 9, 8, 30, 0, 500), OneMs);
    EXPECT_NEAR(form->ClockOffset(), start - At(2024, 5, 9, 8, 30, 0, 500), OneMs);
    ExpectShiftedState(form);
    {
        SCOPED_TRACE("menu bar follows the actions");
        EXPECT_TRUE(MenuItemEnabled(form, form->N4));
        EXPECT_TRUE(MenuItemEnabled(form, form->N8));
        EXPECT_FALSE(MenuItemEnabled(form, form->N7));
    }

    // Shift again while shifted, with the button: the true time stays.
    clock.Advance(60000);
    SetPickers(form, At(2030, 1, 2, 0, 0, 0), At(1899, 12, 30, 18, 0, 0));
    ClickButton(form->AdjustBitBtn);
    EXPECT_NEAR(clock.PeekDateTime(), At(2030, 1, 2, 18, 0, 0), OneMs);
    EXPECT_NEAR(clock.PeekDateTime() + form->ClockOffset(), start + 60000 * OneMs, OneMs);

    // Put back (F11 in the shifted state) goes to the true time whatever the pickers show.
    clock.Advance(5000);
    SetPickers(form, At(2011, 3, 3, 0, 0, 0), At(1899, 12, 30, 3, 3, 3));
    PressKey(form, VK_F11);
    EXPECT_NEAR(clock.PeekDateTime(), start + 65000 * OneMs, 10 * OneMs);
    EXPECT_EQ(form->ClockOffset(), 0.0);
    ExpectNormalState(form);
    EXPECT_NEAR(form->DatePicker->DateTime(), At(2024, 5, 10, 0, 0, 0), OneMs);
}

TEST_F(MainWindowTest, F11ZeroResetsInTheNormalState) {
    clock.Set(MakeTime(2024, 5, 10, 12, 59, 45, 300));
    TZLVFm* form = Make();
    PressKey(form, VK_F11);
    EXPECT_TRUE(form->ClockOffset() != 0.0);
    EXPECT_NEAR(clock.PeekDateTime(), At(2024, 5, 10, 13, 0, 0, 30), OneMs / 10);
    EXPECT_NEAR(form->ClockOffset(), -(14 * 1000 + 730) * OneMs, OneMs / 10);
    ExpectShiftedState(form);
    // The offset is the small difference, not zero: closing asks.
    answer = IDNO;
    CloseWindow(form);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(app->Terminated());
}

TEST_F(MainWindowTest, AcceptByEveryRouteKeepsTheShiftedClock) {
    struct Route { const char* name; void (*run)(MainWindowTest&, TZLVFm*); };
    const Route routes[] = {
        {"Alt+Enter", [](MainWindowTest& t, TZLVFm* f) { t.PressKey(f, VK_RETURN, true); }},
        {"menu", [](MainWindowTest& t, TZLVFm* f) { t.ChooseMenu(f, f->N8); }},
        {"button", [](MainWindowTest& t, TZLVFm* f) { t.ClickButton(f->BitBtn1); }},
    };
    TZLVFm* form = Make();
    WORD hour = 6;
    for (const Route& r : routes) {
        SCOPED_TRACE(r.name);
        ++hour;
        SetPickers(form, At(2020, 2, 29, 0, 0, 0), At(1899, 12, 30, hour, 0, 0));
        PressKey(form, VK_F12);
        ASSERT_TRUE(form->AdjustDoneAction->Enabled());
        const size_t writes = clock.Writes.size();
        r.run(*this, form);
        EXPECT_EQ(form->ClockOffset(), 0.0);
        EXPECT_EQ(clock.Writes.size(), writes);
        EXPECT_NEAR(clock.PeekDateTime(), At(2020, 2, 29, hour, 0, 0), OneMs);
        EXPECT_NEAR(form->DatePicker->DateTime(), At(2020, 2, 29, 0, 0, 0), OneMs);
        ExpectNormalState(form);
    }
}

TEST_F(MainWindowTest, DisabledCommandsDoNothing) {
    TZLVFm* form = Make();
    // Put back and accept by their menu items and buttons while not shifted.
    ChooseMenu(form, form->N4);
    ChooseMenu(form, form->N8);
    ClickButton(form->AdjustTimeBitBtn);
    PressKey(form, VK_RETURN, true);
    EXPECT_TRUE(clock.Writes.empty());
    EXPECT_EQ(form->ClockOffset(), 0.0);
    // Zero reset while shifted.
    SetPickers(form, At(2020, 1, 1, 0, 0, 0), At(1899, 12, 30, 1, 0, 0));
    PressKey(form, VK_F12);
    const size_t writes = clock.Writes.size();
    const TDateTime offset = form->ClockOffset();
    ChooseMenu(form, form->N7);
    ClickButton(form->ZeroResetBitBtn);
    EXPECT_EQ(clock.Writes.size(), writes);
    EXPECT_EQ(form->ClockOffset(), offset);
}

TEST_F(MainWindowTest, CurrentAndTrueTimeFillThePickers) {
    TZLVFm* form = Make();
    const TDateTime start = clock.PeekDateTime();
    SetPickers(form, At(2024, 5, 10, 0, 0, 0), At(1899, 12, 30, 10, 34, 10, 250));
    PressKey(form, VK_F12);  // two hours back
    clock.Advance(3000);
    SetPickers(form, At(2001, 1, 1, 0, 0, 0), 0.0);

    ChooseMenu(form, form->N6);  // true time
    EXPECT_NEAR(form->DatePicker->DateTime() + form->TimePicker->DateTime(), start + 3000 * OneMs, OneMs);
    ChooseMenu(form, form->N5);  // current time
    EXPECT_NEAR(form->DatePicker->DateTime() + form->TimePicker->DateTime(), At(2024, 5, 10, 10, 34, 13, 250), OneMs);
    SetPickers(form, At(2001, 1, 1, 0, 0, 0), 0.0);
    ClickButton(form->TrueTimeBitBtn);
    EXPECT_NEAR(form->DatePicker->DateTime() + form->TimePicker->DateTime(), start + 3000 * OneMs, OneMs);
    ClickButton(form->NowTimeBitBtn);
    EXPECT_NEAR(form->DatePicker->DateTime() + form->TimePicker->DateTime(), At(2024, 5, 10, 10, 34, 13, 250), OneMs);
    // Neither touches the clock or the offset.
    EXPECT_EQ(clock.Writes.size(), 2u);
    ExpectShiftedState(form);
}

TEST_F(MainWindowTest, LabelsTickWithTheClockAndTheTrueTime) {
    TZLVFm* form = Make();
    Pump(450);
    EXPECT_EQ(WindowText(form->NowLabel), "24/05/10 12:34:10");
    EXPECT_EQ(WindowText(form->TrueLabel), "24/05/10 12:34:10");
    clock.Advance(1000);
    Pump(450);
    EXPECT_EQ(WindowText(form->NowLabel), "24/05/10 12:34:11");

    SetPickers(form, At(1999, 12, 31, 0, 0, 0), At(1899, 12, 30, 23, 59, 58));
    PressKey(form, VK_F12);
    Pump(450);
    EXPECT_EQ(WindowText(form->NowLabel), "99/12/31 23:59:58");
    EXPECT_EQ(WindowText(form->TrueLabel), "24/05/10 12:34:11");
    clock.Advance(2500);
    Pump(450);
    EXPECT_EQ(WindowText(form->NowLabel), "00/01/01 00:00:00");
    EXPECT_EQ(WindowText(form->TrueLabel), "24/05/10 12:34:13");
}

TEST_F(MainWindowTest, TickRepaintsOnlyTheLabelsAndOnlyOnChange) {
    TZLVFm* form = Make();
    Pump(450);
    HWND watched[] = {form->Handle(), form->GroupBox1->Handle(), form->GroupBox2->Handle(),
                      form->GroupBox3->Handle(), form->NowLabel->Handle(), form->TrueLabel->Handle(),
                      form->DatePicker->Handle(), form->TimePicker->Handle()};
    auto invalid = [](HWND h) { RECT r; return GetUpdateRect(h, &r, FALSE) != 0; };
    for (HWND h : watched) UpdateWindow(h);
    // The same second: nothing to repaint.
    clock.Advance(100);
    form->Timer1Timer(form->Timer1);
    for (HWND h : watched) EXPECT_FALSE(invalid(h));
    // A new second: the two labels and nothing else.
    clock.Advance(1000);
    form->Timer1Timer(form->Timer1);
    for (HWND h : watched) {
        const bool label = h == form->NowLabel->Handle() || h == form->TrueLabel->Handle();
        EXPECT_EQ(invalid(h), label);
    }
}

TEST_F(MainWindowTest, RefusedPutBackLeavesTheShiftedState) {
    TZLVFm* form = Make();
    SetPickers(form, At(2020, 1, 1, 0, 0, 0), At(1899, 12, 30, 1, 0, 0));
    PressKey(form, VK_F12);
    const TDateTime offset = form->ClockOffset();
    // The time of day goes through, the date is refused: the clock is put back where it was.
    clock.RefuseWrites(1, 1, ERROR_ACCESS_DENIED);
    PressKey(form, VK_F11);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "Zelvano");
    EXPECT_EQ(boxes[0].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(boxes[0].Text.rfind("システム時刻を変更できません.\n", 0), 0u);
    EXPECT_EQ(form->ClockOffset(), offset);
    EXPECT_NEAR(clock.PeekDateTime(), At(2020, 1, 1, 1, 0, 0), 20 * OneMs);
    ExpectShiftedState(form);
}

// The real clock's reading with a system that refuses every write, as it does to a user without
// the right to change the time. Tests never write the machine's clock.
class TRefusingSystemClock : public TSystemClock {
public:
    bool SetLocalTime(const SYSTEMTIME&) override {
        SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return false;
    }
};

TEST_F(MainWindowTest, SystemRefusesTheRealClock) {
    TRefusingSystemClock realClock;
    TZLVFm* form = Make<TZLVFm>(realClock);
    SetPickers(form, At(2001, 2, 3, 0, 0, 0), At(1899, 12, 30, 4, 5, 6));
    PressKey(form, VK_F12);
    ClickButton(form->ZeroResetBitBtn);
    ASSERT_EQ(boxes.size(), 2u);
    for (const TShownBox& box : boxes) {
        EXPECT_EQ(box.Caption, "Zelvano");
        EXPECT_EQ(box.Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(box.Text, ClockRefusedMessage(ERROR_PRIVILEGE_NOT_HELD) + ".");
    }
    EXPECT_EQ(form->ClockOffset(), 0.0);
    ExpectNormalState(form);
}

}  // namespace
