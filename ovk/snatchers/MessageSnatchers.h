#pragma once
// Message snatchers: components that take over one window so that several snatcher users can
// share its messages, and the removal-notice proxy.
#include "WindowSubclass.h"

#include "classlib/core/CallFrames.h"
#include "classlib/core/Component.h"

#include <memory>

namespace Ovk {

// Holds the machinery: a subclass of the snatched window and the dispatcher its messages go to.
// Messages pass untouched while Enabled is false. OnMessage gets the messages that no registered
// handler took. Which window is snatched is up to the descendant.
class TCustomMessageSnatcher : public TComponent {
    ZL_CLASS(TCustomMessageSnatcher)
public:
    explicit TCustomMessageSnatcher(TComponent* AOwner);
    // Dispatches WM_DESTROY to the registered handlers first (whatever Enabled says), so that
    // every user still bound switches itself off and forgets the snatcher; then gives the window
    // back.
    ~TCustomMessageSnatcher() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    const TMessageEvent& OnMessage() const { return FOnMessage; }
    void SetOnMessage(TMessageEvent Value) { FOnMessage = Value; }

    // Both exist from construction to destruction. Users register their handlers with the
    // dispatcher, read the snatched window from the subclass's Handle (0 while there is none)
    // and call its CallOldProc.
    TMessageEventDispatcher* Dispatcher() const { return FDispatcher.get(); }
    TWindowSubclass* Subclass() const { return FSubclass.get(); }

    // The subclass's OnMessage: every message of the snatched window comes here.
    void WindowMessageHandler(TObject* Sender, TMessage& Message, bool& Handled);

private:
    bool FEnabled = true;
    // WindowMessageHandler calls in progress: one whose handler freed this snatcher touches
    // nothing of it afterwards.
    TCallFrames<> FCalls;
    std::unique_ptr<TMessageEventDispatcher> FDispatcher;
    std::unique_ptr<TWindowSubclass> FSubclass;
    TMessageEvent FOnMessage;
};

// Snatches the window of the form that owns it, from construction on (making the window if the
// form has none yet). Raises when the owner is not a form.
class TFormMessageSnatcher : public TCustomMessageSnatcher {
    ZL_CLASS(TFormMessageSnatcher)
public:
    explicit TFormMessageSnatcher(TComponent* AOwner);
};

// Snatches the MDI client window of the TForm that owns it, if that window exists at
// construction. Raises when the owner is not a TForm or not an MDI form.
class TMDIFormClientMessageSnatcher : public TCustomMessageSnatcher {
    ZL_CLASS(TMDIFormClientMessageSnatcher)
public:
    explicit TMDIFormClientMessageSnatcher(TComponent* AOwner);
};

// Snatches the window of the control named in Control (making it if needed) while Control is
// set; lets go of it when Control changes or the control goes away.
class TControlMessageSnatcher : public TCustomMessageSnatcher {
    ZL_CLASS(TControlMessageSnatcher)
public:
    explicit TControlMessageSnatcher(TComponent* AOwner);

    TWinControl* Control() const { return FControl; }
    void SetControl(TWinControl* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TWinControl* FControl = nullptr;
};

using TNotificationEvent = TEvent<TComponent*, TOperation>;

// An owner-less component that passes the removal notices it receives to OnNotification. Its
// creator asks the components it wants to watch for their removal notice naming the proxy.
class TNotificationProxy : public TComponent {
    ZL_CLASS(TNotificationProxy)
public:
    TNotificationProxy();

    const TNotificationEvent& OnNotification() const { return FOnNotification; }
    void SetOnNotification(TNotificationEvent Value) { FOnNotification = Value; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TNotificationEvent FOnNotification;
};

}  // namespace Ovk
