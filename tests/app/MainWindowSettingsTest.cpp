// The window position in "ZLV.ini" beside the executable: read at start, written at close, and
// the confirmation before closing while the clock is shifted.
#include "app/MainWindowFixture.h"

namespace {

// Remembers where the system put the window before the settings file is read.
class TProbeFm : public TZLVFm {
    ZL_CLASS(TProbeFm)
public:
    using TZLVFm::TZLVFm;
    int SystemTop = 0, SystemLeft = 0;

protected:
    void DoCreate() override {
        SystemTop = Top();
        SystemLeft = Left();
        TZLVFm::DoCreate();
    }
};

TClass TProbeFm::StaticClass() {
    static const TClassInfo info = ClassBuilder<TProbeFm, TZLVFm>("TProbeFm").Build();
    return &info;
}

int ReadKey(const AnsiString& path, const char* key) {
    return static_cast<int>(GetPrivateProfileIntA("ZLVSetting", key, -99999, path.c_str()));
}

TEST_F(MainWindowTest, SettingsFileAtStart) {
    struct Case { const char* name; std::string contents; int top, left; };  // -1: where the system put it
    const Case cases[] = {
        {"both keys", "[ZLVSetting]\r\nTop=40\r\nLeft=150\r\n", 40, 150},
        {"top not a number", "[ZLVSetting]\r\nTop=abc\r\nLeft=150\r\n", -1, 150},
        {"left not a number", "[ZLVSetting]\r\nTop=40\r\nLeft=1.5\r\n", 40, -1},
        {"other section", "[Other]\r\nTop=40\r\nLeft=150\r\n", -1, -1},
        {"on no monitor", "[ZLVSetting]\r\nTop=-30000\r\nLeft=30000\r\n", -1, -1},
        {"binary junk", std::string("\xFF\xFE\0[ZLVSetting\r\n=\x81", 16), -1, -1},
        {"empty", "", -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteSettings(c.contents);
        TProbeFm* form = Make<TProbeFm>(clock);
        EXPECT_EQ(form->Top(), c.top < 0 ? form->SystemTop : c.top);
        EXPECT_EQ(form->Left(), c.left < 0 ? form->SystemLeft : c.left);
        RECT r;
        GetWindowRect(form->Handle(), &r);
        EXPECT_EQ(r.top, form->Top());
        EXPECT_EQ(r.left, form->Left());
        // Reading never writes.
        EXPECT_EQ(ReadSettings(), c.contents);
        delete form;
    }
}

TEST_F(MainWindowTest, FirstCloseCreatesTheSettingsFile) {
    TZLVFm* form = Make();
    EXPECT_EQ(form->IniFileName(), iniPath);
    EXPECT_EQ(ReadSettings(), "(none)");  // nothing is created at start
    SetWindowPos(form->Handle(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ChooseMenu(form, form->Exit1);
    EXPECT_TRUE(app->Terminated());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ReadKey(iniPath, "Top"), 77);
    EXPECT_EQ(ReadKey(iniPath, "Left"), 123);
}

TEST_F(MainWindowTest, ClosingMinimizedKeepsTheNormalPosition) {
    TZLVFm* form = Make();
    SetWindowPos(form->Handle(), nullptr, 101, 61, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(form->Handle(), SW_MINIMIZE);
    Pump();
    CloseWindow(form);
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(ReadKey(iniPath, "Top"), 61);
    EXPECT_EQ(ReadKey(iniPath, "Left"), 101);
}

TEST_F(MainWindowTest, ClosingWhileShiftedAsks) {
    const std::string before = "[ZLVSetting]\r\nTop=40\r\nLeft=150\r\n";
    WriteSettings(before);
    TZLVFm* form = Make();
    SetPickers(form, At(2020, 1, 1, 0, 0, 0), At(1899, 12, 30, 1, 0, 0));
    PressKey(form, VK_F12);
    SetWindowPos(form->Handle(), nullptr, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    answer = IDNO;
    CloseWindow(form);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "時刻が変更されたままです。終了してもよろしいですか？");
    EXPECT_EQ(boxes[0].Caption, "終了確認");
    EXPECT_EQ(boxes[0].Flags, 68u);
    EXPECT_FALSE(app->Terminated());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(ReadSettings(), before);
    EXPECT_EQ(form->NowLabel->Font()->Color(), clRed);
    EXPECT_EQ(form->TrueLabel->Font()->Color(), clBlue);

    answer = IDYES;
    ChooseMenu(form, form->Exit1);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(ReadKey(iniPath, "Top"), 70);
    EXPECT_EQ(ReadKey(iniPath, "Left"), 60);
    // The clock stays where it was shifted.
    EXPECT_NEAR(clock.PeekDateTime(), At(2020, 1, 1, 1, 0, 0), OneMs);
}

TEST_F(MainWindowTest, UnwritableSettingsFileStillCloses) {
    // A folder in the file's place: it cannot be read as settings nor replaced by a file.
    ASSERT_TRUE(CreateDirectoryA(iniPath.c_str(), nullptr));
    TZLVFm* form = Make();
    CloseWindow(form);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, iniPath + " に書き込めません.");
    EXPECT_EQ(boxes[0].Caption, "Zelvano");
    EXPECT_EQ(boxes[0].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(app->Terminated());
    const DWORD attributes = GetFileAttributesA(iniPath.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace
