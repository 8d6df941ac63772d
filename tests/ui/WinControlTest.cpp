// Windowed controls made in code: when windows come into being, what happens to them, and the
// WindowProc every message passes.
#include "UiFixture.h"

namespace {

// Puts itself in front of a control's WindowProc, records the messages and chains on.
class TMessageRecorder {
public:
    explicit TMessageRecorder(TControl* control) : FControl(control), FPrevious(control->WindowProc()) {
        control->SetWindowProc(TWndMethod::Bind<&TMessageRecorder::Record>(this));
    }
    ~TMessageRecorder() { FControl->SetWindowProc(FPrevious); }

    void Record(TMessage& message) {
        if (message.Msg >= WM_USER && message.Msg < WM_USER + 100) Seen.push_back(message.Msg);
        if (Reenter && message.Msg == WM_USER + 1) {
            Reenter = false;
            SendMessageW(static_cast<TWinControl*>(FControl)->Handle(), WM_USER + 2, 0, 0);
        }
        if (message.Msg == WM_USER + 3) {
            message.Result = 42;  // answered here, the control never sees it
            return;
        }
        if (Raise && message.Msg == WM_USER + 4) throw Exception("handler failed");
        FPrevious(message);
    }

    std::vector<UINT> Seen;
    bool Reenter = false;
    bool Raise = false;

private:
    TControl* FControl;
    TWndMethod FPrevious;
};

class WinControlTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        App->CreateForm(Form);
        Form->SetBounds(50, 60, 300, 200);
        Box = new TGroupBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 200, 150);
        Button = new TButton(Form);
        Button->SetParent(Box);
        Button->SetBounds(5, 20, 80, 24);
        Button->SetCaption("押す");
    }
    TForm* Form = nullptr;
    TGroupBox* Box = nullptr;
    TButton* Button = nullptr;
};

TEST_F(WinControlTest, AskingForAHandleMakesTheWindowAndItsParents) {
    EXPECT_FALSE(Form->HandleAllocated());
    EXPECT_FALSE(Box->HandleAllocated());
    EXPECT_FALSE(Button->HandleAllocated());
    HWND button = Button->Handle();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(Form->HandleAllocated());
    EXPECT_TRUE(Box->HandleAllocated());
    EXPECT_EQ(GetAncestor(button, GA_PARENT), Box->Handle());
    EXPECT_EQ(GetAncestor(button, GA_ROOT), Form->Handle());
    EXPECT_EQ(FindControl(button), Button);
    EXPECT_EQ(WindowBounds(button), Bounds(5, 20, 80, 24));
    EXPECT_EQ(WindowText(button), L"押す");
}

TEST_F(WinControlTest, ControlWithoutParentWindowCannotMakeOne) {
    auto orphan = std::make_unique<TButton>(nullptr);
    EXPECT_THROW(orphan->Handle(), Exception);
    EXPECT_FALSE(orphan->HandleAllocated());
}

TEST_F(WinControlTest, DestroyedWindowIsMadeAgainWithTheSameState) {
    HWND first = Button->Handle();
    Button->SetCaption("もう一度");
    Button->SetBounds(7, 30, 90, 26);
    Button->DestroyHandle();
    EXPECT_FALSE(Button->HandleAllocated());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(Button->Caption(), "もう一度");

    HWND second = Button->Handle();
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(WindowText(second), L"もう一度");
    EXPECT_EQ(WindowBounds(second), Bounds(7, 30, 90, 26));

    Button->RecreateWnd();
    EXPECT_TRUE(Button->HandleAllocated());
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(WindowText(Button->Handle()), L"もう一度");
}

TEST_F(WinControlTest, ParentWindowTakesItsChildrensWindowsAlong) {
    HWND button = Button->Handle();
    Form->DestroyHandle();
    EXPECT_FALSE(IsWindow(button));
    EXPECT_FALSE(Box->HandleAllocated());
    EXPECT_FALSE(Button->HandleAllocated());
    EXPECT_EQ(FindControl(button), nullptr);
}

TEST_F(WinControlTest, FreedControlTakesItsWindowAndLeavesItsParent) {
    HWND button = Button->Handle();
    delete Button;
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(Box->ControlCount(), 0);
    EXPECT_EQ(Form->FindComponent(""), nullptr);
}

TEST_F(WinControlTest, ShowingAFormMakesTheWindowsOfItsVisibleControls) {
    auto* hidden = new TButton(Form);
    hidden->SetParent(Form);
    hidden->SetVisible(false);
    Form->Show();
    EXPECT_TRUE(Button->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(Button->Handle()));
    EXPECT_FALSE(hidden->HandleAllocated());
    hidden->Show();
    EXPECT_TRUE(hidden->HandleAllocated());
}

TEST_F(WinControlTest, EveryMessagePassesTheWindowProcInFront) {
    HWND button = Button->Handle();
    TMessageRecorder recorder(Button);
    SendMessageW(button, WM_USER + 1, 0, 0);
    EXPECT_EQ(Button->Perform(WM_USER + 5), 0);
    EXPECT_EQ(SendMessageW(button, WM_USER + 3, 0, 0), 42);
    EXPECT_EQ(recorder.Seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 5, WM_USER + 3}));

    // A handler that sends to its own window is entered again before it resumes.
    recorder.Seen.clear();
    recorder.Reenter = true;
    SendMessageW(button, WM_USER + 1, 0, 0);
    EXPECT_EQ(recorder.Seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
}

TEST_F(WinControlTest, ExceptionEscapingAWindowProcIsDisplayedAndTheWindowLivesOn) {
    HWND button = Button->Handle();
    TMessageRecorder recorder(Button);
    recorder.Raise = true;
    EXPECT_EQ(SendMessageW(button, WM_USER + 4, 0, 0), 0);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "handler failed.");
    EXPECT_EQ(SendMessageW(button, WM_USER + 3, 0, 0), 42);
}

TEST_F(WinControlTest, TabOrderIsTheWindowOrderAmongSiblings) {
    auto* second = new TButton(Form);
    second->SetParent(Box);
    second->SetBounds(5, 60, 80, 24);
    second->SetTabOrder(0);
    EXPECT_EQ(second->TabOrder(), 0);
    EXPECT_EQ(Button->TabOrder(), 1);
    Form->Show();
    EXPECT_EQ(GetWindow(Box->Handle(), GW_CHILD), second->Handle());
    EXPECT_EQ(GetWindow(second->Handle(), GW_HWNDNEXT), Button->Handle());
    Button->SetTabOrder(0);
    EXPECT_EQ(GetWindow(Box->Handle(), GW_CHILD), Button->Handle());
}

TEST_F(WinControlTest, MdiFormHasItsClientWindowWhileItsOwnWindowExists) {
    Form->SetFormStyle(fsMDIForm);
    EXPECT_EQ(Form->ClientHandle(), nullptr);  // asking makes no window
    EXPECT_FALSE(Form->HandleAllocated());
    Form->HandleNeeded();
    HWND client = Form->ClientHandle();
    ASSERT_NE(client, nullptr);
    wchar_t cls[32] = {};
    GetClassNameW(client, cls, 32);
    EXPECT_EQ(lstrcmpiW(cls, L"MDICLIENT"), 0) << cls;
    EXPECT_EQ(GetAncestor(client, GA_PARENT), Form->Handle());
    Form->DestroyHandle();
    EXPECT_EQ(Form->ClientHandle(), nullptr);
    EXPECT_FALSE(IsWindow(client));
    Form->SetFormStyle(fsNormal);
    EXPECT_EQ(Form->ClientHandle(), nullptr);
}

TEST_F(WinControlTest, GroupBoxTakesMouseMessagesItself) {
    Form->Show();
    RECT r;
    GetWindowRect(Box->Handle(), &r);
    POINT inside{r.left + 150, r.top + 100};  // in the box, away from the button
    EXPECT_EQ(SendMessageW(Box->Handle(), WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
}

}  // namespace
