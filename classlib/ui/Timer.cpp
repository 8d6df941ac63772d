#include "classlib/ui/Timer.h"
#include "classlib/ui/WindowClass.h"
#include "classlib/core/Exceptions.h"

TClass TTimer::StaticClass() {
    static const TClassInfo info = ClassBuilder<TTimer, TComponent>("TTimer")
        .Property<&TTimer::Enabled, &TTimer::SetEnabled>("Enabled").Default(true)
        .Property<&TTimer::Interval, &TTimer::SetInterval>("Interval").Default(1000)
        .Property<&TTimer::OnTimer>("OnTimer")
        .Build();
    return &info;
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), FInstance(MakeObjectInstance(TWndMethod::Bind<&TTimer::WndProc>(this))) {
    try {
        UpdateTimer();
    } catch (...) {
        Release();  // no destructor runs for an object whose constructor raised
        throw;
    }
}

TTimer::~TTimer() { Release(); }

void TTimer::Release() {
    if (FWindow) {
        if (FRunning) KillTimer(FWindow.get(), 1);
        // The window's last messages need no timer: give them to the default procedure.
        SetWindowLongPtrW(FWindow.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
        FWindow.reset();
    }
    FreeObjectInstance(FInstance);
    FInstance = nullptr;
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned interval) {
    if (interval == FInterval) return;
    FInterval = interval;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (FRunning) {
        KillTimer(FWindow.get(), 1);
        FRunning = false;
    }
    if (!FEnabled || FInterval == 0 || IsLoading() || IsDesigning()) return;
    if (!FWindow) {
        RegisterOwnClass(L"ZlTimer");
        FWindow.reset(CreateWindowExW(0, L"ZlTimer", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
        if (!FWindow) throw Exception("タイマーのウィンドウを作成できません");
        SetWindowLongPtrW(FWindow.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FInstance));
    }
    if (!SetTimer(FWindow.get(), 1, FInterval, nullptr)) throw Exception("タイマーが足りません");
    FRunning = true;
}

void TTimer::WndProc(TMessage& message) {
    if (message.Msg == WM_TIMER) {
        // A timer put into the design state after it started stays passive.
        if (!IsDesigning()) OnTimer(this);
        return;
    }
    message.Result = DefWindowProcW(FWindow.get(), message.Msg, message.WParam, message.LParam);
}
