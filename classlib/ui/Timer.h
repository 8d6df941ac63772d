#pragma once
// A timer: calls OnTimer every Interval milliseconds while Enabled. It has a hidden
// message-only window of its own; the timer messages pass its object-instance procedure, so an
// exception raised by OnTimer reaches the application's exception display.
#include "classlib/core/Component.h"
#include "classlib/core/ObjectInstance.h"
#include "classlib/ui/GdiHandles.h"

class TTimer : public TComponent {
    ZL_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned interval);

    void Loaded() override;

    TNotifyEvent OnTimer;

private:
    // Starts or stops the system timer to match the settings (never while loading or designing).
    void UpdateTimer();
    void WndProc(TMessage& message);
    // Stops the timer and gives back its window and window procedure.
    void Release();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    bool FRunning = false;
    WNDPROC FInstance = nullptr;
    UniqueWindow FWindow;
};
