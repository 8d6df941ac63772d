#include "SnatcherUser.h"

#include "classlib/core/Exceptions.h"
#include "classlib/ui/WinControl.h"

namespace Ovk {

TClass TSnatcherUser::StaticClass() {
    static const TClassInfo info = ClassBuilder<TSnatcherUser, TComponent>("TSnatcherUser")
        .Property<&TSnatcherUser::Active, &TSnatcherUser::SetActive>("Active").Default(false)
        .Property<&TSnatcherUser::MessageSnatcher, &TSnatcherUser::SetSnatcher>("MessageSnatcher")
        .Property<&TSnatcherUser::Control, &TSnatcherUser::SetControl>("Control")
        .Build();
    return &info;
}

TSnatcherUser::TSnatcherUser(TComponent* AOwner)
    : TComponent(AOwner),
      FSubclass(std::make_unique<TWindowSubclass>()),
      FDispatcher(std::make_unique<TMessageEventDispatcher>()) {
    FSubclass->SetOnMessage(TMessageEvent::Bind<&TMessageEventDispatcher::DispatchEvent>(FDispatcher.get()));
}

TSnatcherUser::~TSnatcherUser() {
    try {
        SetActive(false);
    } catch (...) {
        HandleException(std::current_exception());
    }
    Leave();
    FHandlerList.clear();
    FSubclass.reset();
    FDispatcher.reset();
}

// ---------------------------------------------------------------- definitions and registration
void TSnatcherUser::DefineHandler(int Msg, TMessageEvent Handler) { FHandlerList.push_back({Msg, Handler}); }

void TSnatcherUser::ClearHandlerList() { FHandlerList.clear(); }

void TSnatcherUser::AddHandlers(TMessageEventDispatcher* D) {
    if (IsLoading()) return;
    D->AddHandler(WM_DESTROY, TMessageEvent::Bind<&TSnatcherUser::DestroyHandler>(this));
    for (const THandlerDefinition& d : FHandlerList) D->AddHandler(static_cast<unsigned>(d.Msg), d.Handler);
}

void TSnatcherUser::DeleteHandlers(TMessageEventDispatcher* D) {
    for (const THandlerDefinition& d : FHandlerList) D->DeleteHandler(static_cast<unsigned>(d.Msg), d.Handler);
    D->DeleteHandler(WM_DESTROY, TMessageEvent::Bind<&TSnatcherUser::DestroyHandler>(this));
}

void TSnatcherUser::Join(TCustomMessageSnatcher* Snatcher) {
    Leave();
    AddHandlers(Snatcher->Dispatcher());
    FJoined = Snatcher;
    Watch(Snatcher);
}

void TSnatcherUser::Leave() {
    if (!FJoined) return;
    TCustomMessageSnatcher* joined = FJoined;
    DeleteHandlers(joined->Dispatcher());
    FJoined = nullptr;
    Unwatch(joined);
}

void TSnatcherUser::RegisterOwn() {
    // The private dispatcher serves this component alone: withdrawing first leaves exactly one
    // registration of each definition (two for a pair defined twice), as loading active does.
    DeleteHandlers(FDispatcher.get());
    AddHandlers(FDispatcher.get());
}

// ---------------------------------------------------------------- activation
void TSnatcherUser::CheckActive() {
    if (FActive && !IsLoading()) throw Exception("コンポーネントがアクティブです.");
}

void TSnatcherUser::SetActive(bool Value) {
    if (Value == FActive) return;
    if (IsLoading()) {
        FActive = Value;
        return;
    }
    if (Value && !FMessageSnatcher && !FControl) throw Exception("MessageSnatcher か Control を設定して下さい.");
    FActive = Value;
    if (Value) {
        Attach();
    } else {
        if (FMessageSnatcher) Leave();
        FSubclass->SetWinControl(nullptr);
    }
    DoActivate(FActive);
}

void TSnatcherUser::DoActivate(bool) {}

void TSnatcherUser::Loaded() {
    TComponent::Loaded();
    DefineHandlers();
    if (!FActive) return;
    Attach();
    DoActivate(FActive);
}

void TSnatcherUser::Attach() {
    try {
        if (FMessageSnatcher) {
            Join(FMessageSnatcher);
        } else if (FControl) {
            RegisterOwn();
            FSubclass->SetWinControl(FControl);  // makes the control's window, which may fail
        }
    } catch (...) {
        // Not switched on: nothing stays registered or subclassed.
        FActive = false;
        Leave();
        DeleteHandlers(FDispatcher.get());
        FSubclass->SetWinControl(nullptr);
        throw;
    }
}

void TSnatcherUser::DestroyHandler(TObject* Sender, TMessage&, bool&) {
    // A hook left behind in a snatcher this component is no longer bound to (the registrations
    // for WM_DESTROY stay there after the hook has run, see below) has nothing to end.
    if (Sender != GetDispatcher()) return;
    if (FActive) {
        FActive = false;
        DoActivate(false);
    }
    // The snatcher outlives its window and may be given another: the handlers of this now
    // inactive component leave its dispatcher at once. Those for WM_DESTROY, this hook among
    // them, stay until the dispatch of this WM_DESTROY is over (a derived destroy handler still
    // runs after the hook); Leave withdraws them on the next binding or activation, or at the
    // end, and the snatcher's removal notice clears FJoined.
    if (FJoined && Sender == FJoined->Dispatcher())
        for (const THandlerDefinition& d : FHandlerList)
            if (d.Msg != WM_DESTROY) FJoined->Dispatcher()->DeleteHandler(static_cast<unsigned>(d.Msg), d.Handler);
    TCustomMessageSnatcher* snatcher = FMessageSnatcher;
    TWinControl* control = FControl;
    FMessageSnatcher = nullptr;
    FControl = nullptr;
    Unwatch(snatcher);
    Unwatch(control);
}

// ---------------------------------------------------------------- binding
void TSnatcherUser::SetSnatcher(TCustomMessageSnatcher* Value) {
    CheckActive();
    Bind(Value, nullptr);
}

void TSnatcherUser::SetControl(TWinControl* Value) {
    CheckActive();
    Bind(nullptr, Value);
}

void TSnatcherUser::Bind(TCustomMessageSnatcher* Snatcher, TWinControl* Control) {
    // What is left registered in another snatcher would reach the component through that
    // snatcher's windows.
    if (FJoined && FJoined != Snatcher) Leave();
    TCustomMessageSnatcher* oldSnatcher = FMessageSnatcher;
    TWinControl* oldControl = FControl;
    FMessageSnatcher = Snatcher;
    FControl = Control;
    Watch(Snatcher);
    Watch(Control);
    Unwatch(oldSnatcher);
    Unwatch(oldControl);
}

void TSnatcherUser::Watch(TComponent* Component) {
    if (Component) Component->FreeNotification(this);
}

void TSnatcherUser::Unwatch(TComponent* Component) {
    if (Component && Component != FMessageSnatcher && Component != FControl && Component != FJoined)
        Component->RemoveFreeNotification(this);
}

void TSnatcherUser::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) {
        // The snatcher's dispatcher, and whatever was registered in it, went with it.
        if (AComponent == FJoined) FJoined = nullptr;
        if (AComponent == FMessageSnatcher || AComponent == FControl) {
            // Normally the destroy hook has done this already, when the window went. The binding
            // is cleared before DoActivate: the component going away may be half destroyed.
            const bool wasActive = FActive;
            FActive = false;
            FMessageSnatcher = nullptr;
            FControl = nullptr;
            if (wasActive) {
                FSubclass->SetWinControl(nullptr);
                DoActivate(false);
            }
        }
    }
    TComponent::Notification(AComponent, Operation);
}

// ---------------------------------------------------------------- what the handlers work on
HWND TSnatcherUser::GetHandle() {
    if (FMessageSnatcher) return FMessageSnatcher->Subclass()->Handle();
    if (FControl) {
        // A control on its way out gets no new window.
        if (FControl->IsDestroying() && !FControl->HandleAllocated()) return nullptr;
        return FControl->Handle();
    }
    return nullptr;
}

TWindowSubclass* TSnatcherUser::GetSubclass() {
    if (FMessageSnatcher) return FMessageSnatcher->Subclass();
    if (FControl) return FSubclass.get();
    return nullptr;
}

TMessageEventDispatcher* TSnatcherUser::GetDispatcher() {
    if (FMessageSnatcher) return FMessageSnatcher->Dispatcher();
    if (FControl) return FDispatcher.get();
    return nullptr;
}

}  // namespace Ovk
