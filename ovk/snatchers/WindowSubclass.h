#pragma once
// Taking over the window procedure of one window and handing its messages to an event first.
#include "MessageDispatcher.h"
#include "classlib/core/CallFrames.h"

class TWinControl;

namespace Ovk {

// Replaces the window procedure of Handle with Proc and returns the previous one as an integer;
// 0 when the platform refuses (an invalid handle, for instance).
LONG_PTR SetWindowProc(HWND Handle, WNDPROC Proc);

// One replacement window procedure, bound to this object, installed on one window at a time.
// Each message goes to OnMessage first; unless that marks it handled, the window's previous
// procedure then gets it. On WM_DESTROY the subclass removes itself between the two.
//
// Several subclasses on one window may be removed in any order: one that is not the window's
// current procedure hands its predecessor to the subclass installed after it instead of putting
// it back on the window, so the chain stays whole and no released procedure stays reachable.
// Removal in reverse order of installation simply puts back each previous procedure.
class TWindowSubclass : public TObject {
    ZL_CLASS(TWindowSubclass)
public:
    TWindowSubclass();
    ~TWindowSubclass() override;

    HWND Handle() const { return FHandle; }
    void SetHandle(HWND Handle);
    TWinControl* WinControl() const { return FWinControl; }
    // Asks the control for its window handle, which creates the window if it has none yet.
    void SetWinControl(TWinControl* Control);
    const TMessageEvent& OnMessage() const { return FOnMessage; }
    void SetOnMessage(TMessageEvent Value) { FOnMessage = Value; }

    // Puts the previous procedure back, except on a control that is being destroyed (its window
    // goes with it); either way the subclass is idle afterwards. Does nothing when idle.
    void UnSubclass();
    // The entry of every message of the subclassed window.
    void WindowProc(TMessage& Message);
    // Unless Handled is already true: the previous procedure handles the message, its result
    // goes into Message.Result, and Handled becomes true.
    void CallOldProc(TMessage& Message, bool& Handled);

private:
    // A WindowProc call in progress. If a handler destroys the subclass, the destructor leaves here
    // what the call still needs to pass the message on.
    struct TCall : TCallFrame {
        WNDPROC PrevProc = nullptr;
        HWND PrevWindow = nullptr;
    };
    void Install(HWND Handle);
    // Takes this subclass's procedure out of the window's chain.
    void Unlink(HWND Handle);
    // Drops the window from the record of installed subclasses.
    void Forget(HWND Handle);
    void ReleaseLeftProcedure();

    WNDPROC FPrevProc = nullptr;
    WNDPROC FNewProc = nullptr;
    HWND FHandle = nullptr;
    TWinControl* FWinControl = nullptr;
    TMessageEvent FOnMessage;
    // The window FPrevProc belongs to. Kept after removal: WM_DESTROY, and messages that reach a
    // procedure left in place on a dying control, still go on to the previous procedure with the
    // handle of the window they were sent to.
    HWND FPrevWindow = nullptr;
    // A dying control's window on which UnSubclass left the procedure in place; 0 once the
    // window is gone or the procedure has been taken out.
    HWND FLeftOn = nullptr;
    TCallFrames<TCall> FCalls;  // WindowProc calls in progress
};

}  // namespace Ovk
