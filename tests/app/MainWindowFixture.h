#pragma once
// A real main window on a simulated clock, with the message-box hook recording every box and
// answering as the test says, and helpers that drive the window with real messages.
#include "app/SimulatedClock.h"
#include "app/ZLVForm.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Button.h"
#include "classlib/ui/DateTimePicker.h"
#include "classlib/ui/Label.h"
#include "classlib/ui/MessageBox.h"
#include "classlib/ui/Menu.h"
#include "classlib/ui/Timer.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

struct TShownBox {
    AnsiString Text, Caption;
    UINT Flags;
};

class MainWindowTest : public testing::Test {
public:
    TSimulatedClock clock{MakeTime(2024, 5, 10, 12, 34, 10, 250)};
    std::unique_ptr<TApplication> app;
    std::vector<TShownBox> boxes;
    int answer = IDYES;
    AnsiString iniPath;

    void SetUp() override {
        FPreviousHook = SetMessageBoxHook([this](HWND, const AnsiString& text, const AnsiString& caption, UINT flags) {
            boxes.push_back({text, caption, flags});
            return answer;
        });
        app = std::make_unique<TApplication>();
        app->SetTitle("Zelvano");
        iniPath = ExecutableFolder() + "ZLV.ini";
        RemoveSettings();
    }

    void TearDown() override {
        app.reset();
        SetMessageBoxHook(FPreviousHook);
        RemoveSettings();
    }

    static AnsiString ExecutableFolder() {
        char path[MAX_PATH];
        const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
        AnsiString s(path, n);
        return s.substr(0, s.find_last_of("\\/") + 1);
    }

    void RemoveSettings() {
        SetFileAttributesA(iniPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(iniPath.c_str());
        RemoveDirectoryA(iniPath.c_str());
    }
    void WriteSettings(const std::string& text) {
        HANDLE h = CreateFileA(iniPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD n;
        WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
        CloseHandle(h);
    }
    std::string ReadSettings() const {
        std::string text;
        HANDLE h = CreateFileA(iniPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "(none)";
        char buffer[4096];
        DWORD n;
        while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n) text.append(buffer, n);
        CloseHandle(h);
        return text;
    }

    // Makes the window as the entry point does (the application's main form) and shows it.
    template <class T = TZLVFm>
    T* Make(IClock& withClock) {
        T* form = nullptr;
        app->CreateForm(form, withClock);
        form->Show();
        EXPECT_TRUE(form->HandleAllocated() && IsWindowVisible(form->Handle()));
        return form;
    }
    TZLVFm* Make() { return Make<TZLVFm>(clock); }

    // Handles the messages that arrive within ms milliseconds (timer ticks included).
    void Pump(DWORD ms = 0) {
        const DWORD start = GetTickCount();
        do {
            app->ProcessMessages();
            if (ms) Sleep(5);
        } while (GetTickCount() - start < ms);
        app->ProcessMessages();
    }
    void PressKey(TWinControl* target, WORD key, bool alt = false) {
        const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
        const LPARAM flags = 1 | (alt ? 1 << 29 : 0);
        PostMessageW(target->Handle(), down, key, flags);
        PostMessageW(target->Handle(), alt ? WM_SYSKEYUP : WM_KEYUP, key, flags | (1u << 30) | (1u << 31));
        Pump();
    }
    void ChooseMenu(TZLVFm* form, TMenuItem* item) {
        PostMessageW(form->Handle(), WM_COMMAND, item->Command(), 0);
        Pump();
    }
    void ClickButton(TBitBtn* button) {
        SendMessageW(button->Handle(), BM_CLICK, 0, 0);
        Pump();
    }
    void CloseWindow(TZLVFm* form) {
        PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
        Pump();
    }
    void SetPickers(TZLVFm* form, TDateTime date, TDateTime time) {
        form->DatePicker->SetDateTime(date);
        form->TimePicker->SetDateTime(time);
    }

    static AnsiString WindowText(TWinControl* control) {
        wchar_t text[256] = {};
        GetWindowTextW(control->Handle(), text, 256);
        return FromWide(text);
    }
    static bool MenuItemEnabled(TZLVFm* form, TMenuItem* item) {
        const UINT state = GetMenuState(GetMenu(form->Handle()), item->Command(), MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
    }

private:
    TMessageBoxHook FPreviousHook;
};

constexpr double OneMs = 1.0 / MSecsPerDay;

inline TDateTime At(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s, WORD ms = 0) {
    return SystemTimeToDateTime(MakeTime(y, mo, d, h, mi, s, ms));
}
