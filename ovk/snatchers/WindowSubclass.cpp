#include "WindowSubclass.h"

#include "classlib/ui/WinControl.h"

#include <algorithm>
#include <unordered_map>

namespace Ovk {

namespace {

// The subclasses of this library installed on each window, in no particular order. Consulted
// only when a subclass is removed, to find the one installed after it.
std::unordered_map<HWND, std::vector<TWindowSubclass*>>& Installed() {
    static std::unordered_map<HWND, std::vector<TWindowSubclass*>> windows;
    return windows;
}

}  // namespace

LONG_PTR SetWindowProc(HWND Handle, WNDPROC Proc) {
    return SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
}

TClass TWindowSubclass::StaticClass() {
    static const TClassInfo info = ClassBuilder<TWindowSubclass, TObject>("TWindowSubclass").Build();
    return &info;
}

TWindowSubclass::TWindowSubclass()
    : FNewProc(MakeObjectInstance(TWndMethod::Bind<&TWindowSubclass::WindowProc>(this))) {}

TWindowSubclass::~TWindowSubclass() {
    UnSubclass();
    ReleaseLeftProcedure();
    FCalls.MarkObjectGone([this](TCall& call) {
        call.PrevProc = FPrevProc;
        call.PrevWindow = FPrevWindow;
    });
    FreeObjectInstance(FNewProc);
}

void TWindowSubclass::Install(HWND Handle) {
    ReleaseLeftProcedure();
    FPrevProc = reinterpret_cast<WNDPROC>(SetWindowProc(Handle, FNewProc));
    FHandle = Handle;
    FPrevWindow = Handle;
    Installed()[Handle].push_back(this);
}

void TWindowSubclass::SetHandle(HWND Handle) {
    UnSubclass();
    if (Handle) Install(Handle);
}

void TWindowSubclass::SetWinControl(TWinControl* Control) {
    UnSubclass();
    if (!Control) return;
    Install(Control->Handle());
    FWinControl = Control;
}

void TWindowSubclass::UnSubclass() {
    if (!FHandle) return;
    if (!FWinControl || !FWinControl->IsDestroying()) {
        Unlink(FHandle);
        Forget(FHandle);
    } else {
        // The control's window is about to go, and the procedure with it. Should the window
        // outlive this object after all, the destructor takes the procedure out.
        FLeftOn = FHandle;
    }
    FHandle = nullptr;
    FWinControl = nullptr;
}

void TWindowSubclass::Unlink(HWND Handle) {
    // A subclass of this library installed later that calls this one as its previous procedure
    // takes over this one's predecessor; otherwise the window gets it back.
    TWindowSubclass* later = nullptr;
    auto entry = Installed().find(Handle);
    if (entry != Installed().end() &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrA(Handle, GWLP_WNDPROC)) != FNewProc)
        for (TWindowSubclass* s : entry->second)
            if (s != this && s->FPrevProc == FNewProc) later = s;
    if (later)
        later->FPrevProc = FPrevProc;
    else
        SetWindowProc(Handle, FPrevProc);
}

void TWindowSubclass::Forget(HWND Handle) {
    auto entry = Installed().find(Handle);
    if (entry == Installed().end()) return;
    std::erase(entry->second, this);
    if (entry->second.empty()) Installed().erase(entry);
}

void TWindowSubclass::ReleaseLeftProcedure() {
    if (!FLeftOn) return;
    if (IsWindow(FLeftOn)) Unlink(FLeftOn);
    Forget(FLeftOn);
    FLeftOn = nullptr;
}

void TWindowSubclass::WindowProc(TMessage& Message) {
    TCallFrames<TCall>::Scope scope(FCalls);

    bool handled = false;
    if (FOnMessage) FOnMessage(this, Message, handled);
    if (scope.ObjectGone()) {
        if (!handled)
            Message.Result = CallWindowProcA(scope.Call.PrevProc, scope.Call.PrevWindow, Message.Msg,
                                             Message.WParam, Message.LParam);
        return;
    }
    if (Message.Msg == WM_DESTROY) UnSubclass();
    CallOldProc(Message, handled);
    // The window's last message: nothing ties this object to it any more.
    if (Message.Msg == WM_NCDESTROY && FLeftOn == FPrevWindow) {
        Forget(FLeftOn);
        FLeftOn = nullptr;
    }
}

void TWindowSubclass::CallOldProc(TMessage& Message, bool& Handled) {
    if (Handled) return;
    Message.Result = CallWindowProcA(FPrevProc, FPrevWindow, Message.Msg, Message.WParam, Message.LParam);
    Handled = true;
}

}  // namespace Ovk
