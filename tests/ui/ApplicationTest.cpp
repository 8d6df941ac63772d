// The application: message loop, closing, the timer and the exception display.
#include "UiFixture.h"

namespace {

class ApplicationTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Form = MakeTestForm();
    }

public:
    void RaisingTick(TObject*) { throw Exception("tick failed"); }

protected:
    TTestForm* Form = nullptr;
};

TEST_F(ApplicationTest, TimerFiresWhileTheLoopRuns) {
    EXPECT_EQ(Form->Timer1->Interval(), 200u);
    ASSERT_TRUE(PumpUntil([&] { return Form->Ticks >= 2; }));
    Form->Timer1->SetEnabled(false);
    int ticks = Form->Ticks;
    Sleep(450);
    Pump();
    EXPECT_EQ(Form->Ticks, ticks);
}

TEST_F(ApplicationTest, CloseActionNoneKeepsTheMainFormOpen) {
    Form->Show();
    Form->CloseAnswer = caNone;
    PostMessageW(Form->Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(Form->Log, std::vector<std::string>{"Close"});
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_FALSE(App->Terminated());

    Form->CloseAnswer = caHide;
    PostMessageW(Form->Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(App->Terminated());
}

TEST_F(ApplicationTest, RunShowsTheMainFormAndEndsWhenItCloses) {
    // The exit command, chosen from the menu bar once the loop runs.
    PostMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(Form->Exit1->Command(), 0), 0);
    App->Run();
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"Exit", "Close"}));
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
}

TEST_F(ApplicationTest, ClosingAFormThatIsNotTheMainOneHidesOrFreesIt) {
    TTestForm* second = nullptr;
    App->CreateForm(second);
    ASSERT_EQ(App->MainForm(), Form);
    second->Show();
    second->Close();
    EXPECT_FALSE(IsWindowVisible(second->Handle()));
    EXPECT_FALSE(App->Terminated());

    second->CloseAnswer = caFree;
    second->Close();
    int before = App->ComponentCount();
    Pump();
    EXPECT_EQ(App->ComponentCount(), before - 1);
}

TEST_F(ApplicationTest, ExceptionsFromHandlersReachTheDisplayAndTheLoopGoesOn) {
    Form->Show();
    struct Case {
        const char* Path;
        std::function<void()> Trigger;
    };
    const Case cases[] = {
        {"button click in a window procedure", [&] { PostMessageW(Form->AdjustBitBtn->Handle(), BM_CLICK, 0, 0); }},
        {"menu command", [&] { PostMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(Form->N3->Command(), 0), 0); }},
        {"shortcut key handled by the loop", [&] { PostMessageW(Form->Handle(), WM_KEYDOWN, VK_F12, 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        Boxes.clear();
        Form->Log.clear();
        Form->RaiseMessage = "時刻を変更できません";
        c.Trigger();
        ASSERT_TRUE(PumpUntil([&] { return !Boxes.empty(); }));
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, "時刻を変更できません.");
        EXPECT_EQ(Boxes[0].Caption, "テストアプリ");
        EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
        // The same command works again afterwards.
        c.Trigger();
        ASSERT_TRUE(PumpUntil([&] { return Form->Log.size() == 2; }));
        EXPECT_EQ(Boxes.size(), 1u);
    }
}

TEST_F(ApplicationTest, TimerExceptionReachesTheDisplayAndTheTimerKeepsRunning) {
    Form->Timer1->OnTimer = TNotifyEvent::Bind<&ApplicationTest::RaisingTick>(this);
    ASSERT_TRUE(PumpUntil([&] { return Boxes.size() >= 2; }));
    EXPECT_EQ(Boxes[0].Text, "tick failed.");
}

TEST_F(ApplicationTest, ExceptionDisplayAppendsAFullStopOnlyWhenMissing) {
    struct Case { const char* Message; const char* Shown; };
    const Case cases[] = {
        {"書き込めません", "書き込めません."},
        {"コンポーネントがアクティブです.", "コンポーネントがアクティブです."},
        {"read error!!", "read error!!."},
        {"", "."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Message);
        Boxes.clear();
        App->ShowException(std::make_exception_ptr(Exception(c.Message)));
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, c.Shown);
    }
}

TEST_F(ApplicationTest, ExceptionOutsideAnyLoopStillGoesToTheInstalledDisplay) {
    HandleException(std::make_exception_ptr(Exception("失敗")));
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "失敗.");
}

}  // namespace
