// A form read from its layout resource: windows, bounds, texts, fonts and pickers.
#include "UiFixture.h"
#include <commctrl.h>

namespace {

using FormLayoutTest = ShownFormTest;

TEST_F(FormLayoutTest, ComponentsAreBoundAndOnCreateRunsAfterwards) {
    EXPECT_TRUE(Form->CreatedWithComponents);
    EXPECT_EQ(App->MainForm(), Form);
    EXPECT_EQ(Form->ComponentCount(), 22);
    EXPECT_EQ(Form->Menu(), Form->MainMenu1);
    EXPECT_EQ(Form->AdjustBitBtn->Parent(), Form->GroupBox3);
    EXPECT_EQ(Form->AdjustAction->ActionList(), Form->ActionList1);
    EXPECT_EQ(Form->N3->ParentItem(), Form->N1);
}

TEST_F(FormLayoutTest, WindowsHaveTheLayoutBoundsInsideTheirParents) {
    struct Case { TWinControl* Control; TWinControl* Parent; TRect Bounds; };
    const Case cases[] = {
        {Form->GroupBox1, Form, Bounds(8, 8, 265, 105)},
        {Form->NowLabel, Form->GroupBox1, Bounds(13, 32, 238, 27)},
        {Form->ZeroResetBitBtn, Form->GroupBox1, Bounds(136, 72, 121, 25)},
        {Form->GroupBox3, Form, Bounds(8, 264, 265, 169)},
        {Form->DatePicker, Form->GroupBox3, Bounds(29, 24, 209, 32)},
        {Form->TimePicker, Form->GroupBox3, Bounds(27, 64, 209, 61)},
        {Form->AdjustBitBtn, Form->GroupBox3, Bounds(8, 136, 75, 25)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Control->Name());
        ASSERT_TRUE(c.Control->HandleAllocated());
        EXPECT_TRUE(IsWindowVisible(c.Control->Handle()));
        EXPECT_EQ(GetAncestor(c.Control->Handle(), GA_PARENT), c.Parent->Handle());
        EXPECT_EQ(WindowBounds(c.Control->Handle()), c.Bounds);
        EXPECT_EQ(c.Control->BoundsRect(), c.Bounds);
    }
    RECT client;
    GetClientRect(Form->Handle(), &client);
    EXPECT_EQ(client.right, 282);
    EXPECT_EQ(client.bottom, 439);
}

TEST_F(FormLayoutTest, FormWindowHasTheBorderAndIconsOfTheLayout) {
    LONG_PTR style = GetWindowLongPtrW(Form->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(GetMenu(Form->Handle()), Form->MainMenu1->Handle());
}

TEST_F(FormLayoutTest, JapaneseCaptionsReadBackIntactThroughTheUnicodeWindowText) {
    struct Case { TWinControl* Control; const wchar_t* Wide; const char* Ansi; };
    const Case cases[] = {
        {Form, L"時計テスト", "時計テスト"},
        {Form->GroupBox1, L"現在のシステム時刻", "現在のシステム時刻"},
        {Form->NowLabel, L"00/00/00 00:00:00", "00/00/00 00:00:00"},
        {Form->ZeroResetBitBtn, L"ゼロリセット", "ゼロリセット"},
        {Form->AdjustBitBtn, L"修\u3000正", "修　正"},  // the button's own caption, not its action's
        {Form->AdjustTimeBitBtn, L"修正前の時刻に戻す", "修正前の時刻に戻す"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Control->Name());
        EXPECT_EQ(WindowText(c.Control->Handle()), c.Wide);
        EXPECT_EQ(c.Control->Caption(), c.Ansi);
    }
    Form->NowLabel->SetCaption("12/03/04 05:06:07");
    EXPECT_EQ(WindowText(Form->NowLabel->Handle()), L"12/03/04 05:06:07");
}

TEST_F(FormLayoutTest, FontsReachTheWindowsWithHeightFaceWeightAndCharacterSet) {
    struct Case { TWinControl* Control; int Height; const wchar_t* Face; LONG Weight; TColor Color; };
    const Case cases[] = {
        {Form->GroupBox1, -12, L"ＭＳ Ｐゴシック", FW_NORMAL, clWindowText},  // the form's, inherited
        {Form->NowLabel, -27, L"ＭＳ ゴシック", FW_NORMAL, clWindowText},
        {Form->DatePicker, -24, L"ＭＳ Ｐゴシック", FW_NORMAL, clWindowText},
        {Form->AdjustBitBtn, -16, L"ＭＳ 明朝", FW_BOLD, clRed},
        {Form->AdjustTimeBitBtn, -16, L"ＭＳ 明朝", FW_BOLD, clTeal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Control->Name());
        auto font = reinterpret_cast<HFONT>(SendMessageW(c.Control->Handle(), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        LOGFONTW lf{};
        ASSERT_TRUE(GetObjectW(font, sizeof(lf), &lf));
        EXPECT_EQ(lf.lfHeight, c.Height);
        EXPECT_STREQ(lf.lfFaceName, c.Face);
        EXPECT_EQ(lf.lfWeight, c.Weight);
        EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(c.Control->Font()->Color(), c.Color);
    }
    EXPECT_TRUE(Form->GroupBox1->ParentFont());
    EXPECT_FALSE(Form->NowLabel->ParentFont());
}

TEST_F(FormLayoutTest, PickersAreTheCommonControlWithTheirKindsAndHoldADateTime) {
    wchar_t cls[64] = {};
    GetClassNameW(Form->DatePicker->Handle(), cls, 64);
    EXPECT_STREQ(cls, DATETIMEPICK_CLASSW);

    LONG_PTR date = GetWindowLongPtrW(Form->DatePicker->Handle(), GWL_STYLE);
    EXPECT_EQ(date & DTS_LONGDATEFORMAT, DTS_LONGDATEFORMAT);
    EXPECT_FALSE(date & (DTS_RIGHTALIGN | DTS_APPCANPARSE | DTS_UPDOWN));
    LONG_PTR time = GetWindowLongPtrW(Form->TimePicker->Handle(), GWL_STYLE);
    EXPECT_EQ(time & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
    EXPECT_FALSE(time & DTS_APPCANPARSE);

    const TDateTime value = EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0);
    Form->DatePicker->SetDateTime(value);
    SYSTEMTIME st{};
    ASSERT_EQ(SendMessageW(Form->DatePicker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wMonth, 2);
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wHour, 13);
    EXPECT_EQ(st.wMinute, 45);
    EXPECT_NEAR(Form->DatePicker->DateTime(), value, 1.0 / MSecsPerDay);
    EXPECT_DOUBLE_EQ(Form->DatePicker->Date(), EncodeDate(2024, 2, 29));

    // The value survives a new window.
    Form->DatePicker->RecreateWnd();
    EXPECT_NEAR(Form->DatePicker->DateTime(), value, 1.0 / MSecsPerDay);

    Form->TimePicker->SetTime(EncodeTime(6, 7, 8, 0));
    EXPECT_NEAR(Form->TimePicker->Time(), EncodeTime(6, 7, 8, 0), 1.0 / MSecsPerDay);
}

TEST_F(FormLayoutTest, ExplicitPositionMovesTheWindowTheSystemPlaced) {
    Form->SetTop(200);
    Form->SetLeft(150);
    RECT r;
    GetWindowRect(Form->Handle(), &r);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(Form->Left(), 150);
    EXPECT_EQ(Form->Top(), 200);
}

TEST_F(FormLayoutTest, NewPixelDensityScalesBoundsAndFontsOfTheWholeForm) {
    // The system suggests the window at twice its size.
    RECT suggested;
    GetWindowRect(Form->Handle(), &suggested);
    suggested.right = suggested.left + 2 * (suggested.right - suggested.left);
    suggested.bottom = suggested.top + 2 * (suggested.bottom - suggested.top);
    SendMessageW(Form->Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(Form->PixelsPerInch(), 192);
    EXPECT_EQ(WindowBounds(Form->AdjustBitBtn->Handle()), Bounds(16, 272, 150, 50));
    EXPECT_EQ(Form->NowLabel->Font()->Height(), -54);
    EXPECT_EQ(Form->GroupBox1->Font()->Height(), -24);  // inherited from the form, scaled once
    RECT client;
    GetClientRect(Form->Handle(), &client);
    EXPECT_EQ(client.right, 564);
    EXPECT_EQ(client.bottom, 878);
}

}  // namespace

namespace {

// Not part of the run: keeps the test form on the screen (ZL_SHOW_SECONDS, 10 by default) so
// that it can be looked at or captured. Run with --gtest_also_run_disabled_tests.
TEST_F(FormLayoutTest, DISABLED_ShowForALook) {
    char seconds[16] = "10";
    GetEnvironmentVariableA("ZL_SHOW_SECONDS", seconds, sizeof(seconds));
    Form->DatePicker->SetDateTime(EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0));
    Form->TimePicker->SetDateTime(EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0));
    DWORD until = GetTickCount() + 1000u * static_cast<DWORD>(atoi(seconds));
    PumpUntil([&] { return GetTickCount() > until; }, 1000u * 3600u);
}

}  // namespace
