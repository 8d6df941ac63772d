#pragma once
// The base of the components that react to the messages of a window without being that window.
#include "MessageSnatchers.h"

#include <vector>

namespace Ovk {

// A snatcher user is bound either to a message snatcher, whose window it then shares with other
// users, or directly to a windowed control, whose window it then subclasses itself. A derived
// component defines which messages it handles (DefineHandlers) and what else happens when it is
// switched on or off (DoActivate); the base keeps the handlers registered while the component is
// active and notices when the bound window, snatcher or control goes away.
//
// Derived classes whose DoActivate or SetActive does work of its own call SetActive(false) at the
// start of their destructor, while their parts still exist (C++ reaches only the base's
// overrides from the base's destructor).
class TSnatcherUser : public TComponent {
    ZL_CLASS(TSnatcherUser)
public:
    explicit TSnatcherUser(TComponent* AOwner);
    ~TSnatcherUser() override;

    bool Active() const { return FActive; }
    // Switching on needs a binding (outside loading); switching off withdraws the handlers from
    // a snatcher, or gives the control's window back.
    virtual void SetActive(bool Value);
    TCustomMessageSnatcher* MessageSnatcher() const { return FMessageSnatcher; }
    // Binds to a snatcher (or to nothing) and forgets the control; only while inactive.
    void SetSnatcher(TCustomMessageSnatcher* Value);
    TWinControl* Control() const { return FControl; }
    // Binds to a control (or to nothing) and forgets the snatcher; only while inactive.
    void SetControl(TWinControl* Value);

    // Defines the handlers and, for a component loaded active, registers them and switches on.
    void Loaded() override;

protected:
    // Called after every change of the activation, once handlers and subclass are in place or
    // gone; during DoActivate(false) from the destroy hook GetHandle() is still the dying window.
    virtual void DoActivate(bool Value);
    // Called once, from Loaded: DefineHandler for each message the component handles.
    virtual void DefineHandlers() = 0;

    void DefineHandler(int Msg, TMessageEvent Handler);
    void ClearHandlerList();
    // Raises "コンポーネントがアクティブです." while active outside loading.
    void CheckActive();

    // The bound window: the snatcher's (0 while it has none) or the control's (made if needed).
    HWND GetHandle();
    TWindowSubclass* GetSubclass();
    TMessageEventDispatcher* GetDispatcher();

    // Registers the destroy hook and then each definition with D (not while loading); withdraws
    // them again.
    void AddHandlers(TMessageEventDispatcher* D);
    void DeleteHandlers(TMessageEventDispatcher* D);
    // Registered for WM_DESTROY wherever the component registers: the bound window (or the
    // snatcher) is going, so the component switches off and forgets its binding. Handled stays
    // as it is, so the window's previous procedure still gets WM_DESTROY.
    void DestroyHandler(TObject* Sender, TMessage& Message, bool& Handled);

    // The snatcher or control of the binding is going away: the binding is cleared.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    struct THandlerDefinition {
        int Msg;
        TMessageEvent Handler;
    };

    // Registers with the snatcher's dispatcher, after withdrawing whatever an earlier binding
    // left there, so that nothing is registered twice.
    void Join(TCustomMessageSnatcher* Snatcher);
    // Withdraws this component's registrations from the snatcher it joined, if any.
    void Leave();
    // Registers the definitions with the private dispatcher exactly once, however often the
    // component is switched on.
    void RegisterOwn();
    // Registers the handlers where the messages come from: the bound snatcher's dispatcher, or
    // the own one over a subclass of the bound control. On failure the component is left off.
    void Attach();
    void Bind(TCustomMessageSnatcher* Snatcher, TWinControl* Control);
    // Asks for, or gives up, the removal notice of a component this one refers to.
    void Watch(TComponent* Component);
    void Unwatch(TComponent* Component);

    std::vector<THandlerDefinition> FHandlerList;
    std::unique_ptr<TWindowSubclass> FSubclass;
    std::unique_ptr<TMessageEventDispatcher> FDispatcher;
    bool FActive = false;
    TCustomMessageSnatcher* FMessageSnatcher = nullptr;
    TWinControl* FControl = nullptr;
    // The snatcher whose dispatcher holds this component's registrations. It outlasts the
    // binding after the destroy hook (the hook's own registration stays until its dispatch is
    // over), and is watched, so it never points at a snatcher that is gone.
    TCustomMessageSnatcher* FJoined = nullptr;
};

}  // namespace Ovk
