#include "WindowSubclass.h"

#include "classlib/ui/Controls.h"

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

// A WindowProc call in progress. If a handler destroys the subclass, the destructor leaves here
// what the call still needs to pass the message on.
struct TWindowSubclass::TCall {
    TCall* Outer;
    bool SubclassGone = false;
    WNDPROC PrevProc = nullptr;
    HWND PrevWindow = nullptr;
};

TWindowSubclass::TWindowSubclass()
    : FNewProc(MakeObjectInstance(TWndMethod::Bind<&TWindowSubclass::WindowProc>(this))) {}

TWindowSubclass::~TWindowSubclass() {
    UnSubclass();
    for (TCall* call = FCalls; call; call = call->Outer) {
        call->SubclassGone = true;
        call->PrevProc = FPrevProc;
        call->PrevWindow = FPrevWindow;
    }
    FreeObjectInstance(FNewProc);
}

void TWindowSubclass::Install(HWND Handle) {
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
    auto& windows = Installed();
    auto entry = windows.find(FHandle);
    std::vector<TWindowSubclass*>* mine = entry == windows.end() ? nullptr : &entry->second;

    if (!FWinControl || !FWinControl->IsDestroying()) {
        // A subclass of this library installed later that calls this one as its previous
        // procedure takes over this one's predecessor; otherwise the window gets it back.
        TWindowSubclass* later = nullptr;
        if (mine && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(FHandle, GWLP_WNDPROC)) != FNewProc)
            for (TWindowSubclass* s : *mine)
                if (s != this && s->FPrevProc == FNewProc) later = s;
        if (later)
            later->FPrevProc = FPrevProc;
        else
            SetWindowProc(FHandle, FPrevProc);
    }
    if (mine) {
        std::erase(*mine, this);
        if (mine->empty()) windows.erase(entry);
    }
    FHandle = nullptr;
    FWinControl = nullptr;
}

// The call record lives on this stack frame; it is linked to the object only while the frame
// exists: the scope unlinks it, or the destructor, if the event destroys the object, leaves it
// marked and linked to nothing that lives on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
void TWindowSubclass::WindowProc(TMessage& Message) {
    struct CallScope {
        TWindowSubclass* Self;
        TCall Call;
        explicit CallScope(TWindowSubclass* self) : Self(self), Call{self->FCalls} { Self->FCalls = &Call; }
        ~CallScope() {
            if (!Call.SubclassGone) Self->FCalls = Call.Outer;
        }
    } scope(this);

    bool handled = false;
    if (FOnMessage) FOnMessage(this, Message, handled);
    if (scope.Call.SubclassGone) {
        if (!handled)
            Message.Result = CallWindowProcA(scope.Call.PrevProc, scope.Call.PrevWindow, Message.Msg,
                                             Message.WParam, Message.LParam);
        return;
    }
    if (Message.Msg == WM_DESTROY) UnSubclass();
    CallOldProc(Message, handled);
}
#pragma GCC diagnostic pop

void TWindowSubclass::CallOldProc(TMessage& Message, bool& Handled) {
    if (Handled) return;
    Message.Result = CallWindowProcA(FPrevProc, FPrevWindow, Message.Msg, Message.WParam, Message.LParam);
    Handled = true;
}

}  // namespace Ovk
