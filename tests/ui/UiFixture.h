#pragma once
// What the window tests share: an application with a recording message-box hook, a pump that
// runs the real message loop until something happened, and the test form read from its layout
// resource. Each test ends with no window procedure left behind.
#include "classlib/core/Exceptions.h"
#include "classlib/core/ObjectInstance.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Button.h"
#include "classlib/ui/DateTimePicker.h"
#include "classlib/ui/GroupBox.h"
#include "classlib/ui/Label.h"
#include "classlib/ui/MessageBox.h"
#include "classlib/ui/Menu.h"
#include "classlib/ui/Timer.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A form with the published fields, handlers and counters the tests look at.
class TTestForm : public TForm {
    ZL_CLASS(TTestForm)
public:
    explicit TTestForm(TComponent* owner) : TForm(owner) {}

    TGroupBox* GroupBox1 = nullptr;
    TLabel* NowLabel = nullptr;
    TBitBtn* ZeroResetBitBtn = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TDateTimePicker* DatePicker = nullptr;
    TDateTimePicker* TimePicker = nullptr;
    TBitBtn* AdjustBitBtn = nullptr;
    TBitBtn* AdjustTimeBitBtn = nullptr;
    TTimer* Timer1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* N4 = nullptr;
    TMenuItem* S1 = nullptr;
    TMenuItem* N7 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction* AdjustAction = nullptr;
    TAction* AdjustTimeAction = nullptr;
    TAction* ZeroResetAction = nullptr;
    TAction* ExitAction = nullptr;
    TAction* AdjustDoneAction = nullptr;

    // What the handlers did, in order.
    std::vector<std::string> Log;
    int Ticks = 0;
    bool CreatedWithComponents = false;
    TCloseAction CloseAnswer = caHide;
    // Set to make the next command handler raise this message.
    std::string RaiseMessage;

    void FormCreate(TObject*) { CreatedWithComponents = GroupBox1 && Timer1 && AdjustAction; }
    void FormClose(TObject*, TCloseAction& action) {
        Log.push_back("Close");
        if (CloseAnswer != caHide) action = CloseAnswer;
    }
    void Timer1Timer(TObject*) { ++Ticks; }
    void AdjustActionExecute(TObject*) { Run("Adjust"); }
    void AdjustTimeActionExecute(TObject*) { Run("AdjustTime"); }
    void ZeroResetActionExecute(TObject*) { Run("ZeroReset"); }
    void ExitActionExecute(TObject*) { Run("Exit"); Close(); }
    void AdjustDoneActionExecute(TObject*) { Run("AdjustDone"); }

private:
    void Run(const char* name) {
        Log.push_back(name);
        if (!RaiseMessage.empty()) {
            std::string message = std::move(RaiseMessage);
            RaiseMessage.clear();
            throw Exception(message);
        }
    }
};

struct RecordedBox {
    AnsiString Text;
    AnsiString Caption;
    UINT Flags = 0;
};

class UiTest : public testing::Test {
protected:
    void SetUp() override {
        FInstancesBefore = ObjectInstanceCount();
        FPreviousHook = SetMessageBoxHook([this](HWND, const AnsiString& text, const AnsiString& caption, UINT flags) {
            Boxes.push_back({text, caption, flags});
            return BoxAnswer;
        });
        App = std::make_unique<TApplication>();
        App->SetTitle("テストアプリ");
    }

    void TearDown() override {
        App.reset();
        SetMessageBoxHook(std::move(FPreviousHook));
        EXPECT_EQ(ObjectInstanceCount(), FInstancesBefore) << "window procedures left behind";
    }

    TTestForm* MakeTestForm() {
        TTestForm* form = nullptr;
        App->CreateForm(form);
        return form;
    }

    // Runs the application's message loop until the condition holds or the time is up.
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
        DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > timeoutMs) return false;
            App->ProcessMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        return true;
    }
    void Pump() { App->ProcessMessages(); }

    std::unique_ptr<TApplication> App;
    std::vector<RecordedBox> Boxes;
    int BoxAnswer = IDOK;

private:
    int FInstancesBefore = 0;
    TMessageBoxHook FPreviousHook;
};

// The test form read from its layout and shown, the application's main form.
class ShownFormTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Form = MakeTestForm();
        Form->Show();
        ASSERT_TRUE(Form->HandleAllocated());
    }

    TTestForm* Form = nullptr;
};

// The window's bounds relative to its parent's client area.
inline TRect WindowBounds(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r);
}

inline std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}
