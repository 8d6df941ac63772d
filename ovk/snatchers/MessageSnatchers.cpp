#include "MessageSnatchers.h"

#include "classlib/core/Exceptions.h"
#include "classlib/ui/Form.h"

namespace Ovk {

// ---------------------------------------------------------------- TCustomMessageSnatcher
TClass TCustomMessageSnatcher::StaticClass() {
    static const TClassInfo info = ClassBuilder<TCustomMessageSnatcher, TComponent>("TCustomMessageSnatcher").Build();
    return &info;
}

TCustomMessageSnatcher::TCustomMessageSnatcher(TComponent* AOwner)
    : TComponent(AOwner),
      FDispatcher(std::make_unique<TMessageEventDispatcher>()),
      FSubclass(std::make_unique<TWindowSubclass>()) {
    FSubclass->SetOnMessage(TMessageEvent::Bind<&TCustomMessageSnatcher::WindowMessageHandler>(this));
}

TCustomMessageSnatcher::~TCustomMessageSnatcher() {
    FCalls.MarkObjectGone();
    TMessage message{WM_DESTROY, 0, 0, 0};
    bool handled = false;
    try {
        FDispatcher->DispatchEvent(this, message, handled);
    } catch (...) {
        // A destructor is no place to stop at; the application shows what a user raised.
        HandleException(std::current_exception());
    }
    FEnabled = false;
    FSubclass.reset();
    FDispatcher.reset();
}

void TCustomMessageSnatcher::WindowMessageHandler(TObject* Sender, TMessage& Message, bool& Handled) {
    if (!FEnabled) return;
    TCallFrames<>::Scope call(FCalls);
    FDispatcher->DispatchEvent(this, Message, Handled);
    if (call.ObjectGone()) return;
    if (!Handled && FOnMessage) FOnMessage(Sender, Message, Handled);
}

// ---------------------------------------------------------------- the three kinds
TClass TFormMessageSnatcher::StaticClass() {
    static const TClassInfo info = ClassBuilder<TFormMessageSnatcher, TCustomMessageSnatcher>("TFormMessageSnatcher")
        .Property<&TCustomMessageSnatcher::Enabled, &TCustomMessageSnatcher::SetEnabled>("Enabled").Default(true)
        .Property<&TCustomMessageSnatcher::OnMessage, &TCustomMessageSnatcher::SetOnMessage>("OnMessage")
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TFormMessageSnatcher)

TFormMessageSnatcher::TFormMessageSnatcher(TComponent* AOwner) : TCustomMessageSnatcher(AOwner) {
    auto* form = dynamic_cast<TCustomForm*>(AOwner);
    if (!form) throw Exception("オーナーがフォームではありません.");
    Subclass()->SetHandle(form->Handle());
}

TClass TMDIFormClientMessageSnatcher::StaticClass() {
    static const TClassInfo info =
        ClassBuilder<TMDIFormClientMessageSnatcher, TCustomMessageSnatcher>("TMDIFormClientMessageSnatcher")
            .Property<&TCustomMessageSnatcher::Enabled, &TCustomMessageSnatcher::SetEnabled>("Enabled").Default(true)
            .Property<&TCustomMessageSnatcher::OnMessage, &TCustomMessageSnatcher::SetOnMessage>("OnMessage")
            .Build();
    return &info;
}
ZL_REGISTER_CLASS(TMDIFormClientMessageSnatcher)

TMDIFormClientMessageSnatcher::TMDIFormClientMessageSnatcher(TComponent* AOwner) : TCustomMessageSnatcher(AOwner) {
    auto* form = dynamic_cast<TForm*>(AOwner);
    if (!form) throw Exception("オーナーがフォームではありません.");
    if (form->FormStyle() != fsMDIForm) throw Exception("フォームは MDIForm ではありません.");
    // The form is not asked to make its windows: without a client window there is nothing to take.
    Subclass()->SetHandle(form->ClientHandle());
}

TClass TControlMessageSnatcher::StaticClass() {
    static const TClassInfo info = ClassBuilder<TControlMessageSnatcher, TCustomMessageSnatcher>("TControlMessageSnatcher")
        .Property<&TCustomMessageSnatcher::Enabled, &TCustomMessageSnatcher::SetEnabled>("Enabled").Default(true)
        .Property<&TCustomMessageSnatcher::OnMessage, &TCustomMessageSnatcher::SetOnMessage>("OnMessage")
        .Property<&TControlMessageSnatcher::Control, &TControlMessageSnatcher::SetControl>("Control")
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TControlMessageSnatcher)

TControlMessageSnatcher::TControlMessageSnatcher(TComponent* AOwner) : TCustomMessageSnatcher(AOwner) {}

void TControlMessageSnatcher::SetControl(TWinControl* Value) {
    Subclass()->SetWinControl(Value);
    TWinControl* previous = FControl;
    FControl = Value;
    if (previous && previous != Value && previous->Owner() != Owner()) previous->RemoveFreeNotification(this);
    // Under a common owner the owner's removal notice reaches this snatcher anyway.
    if (Value && Value->Owner() != Owner()) Value->FreeNotification(this);
}

void TControlMessageSnatcher::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent && AComponent == FControl) SetControl(nullptr);
    TCustomMessageSnatcher::Notification(AComponent, Operation);
}

// ---------------------------------------------------------------- TNotificationProxy
TClass TNotificationProxy::StaticClass() {
    static const TClassInfo info = ClassBuilder<TNotificationProxy, TComponent>("TNotificationProxy").Build();
    return &info;
}

TNotificationProxy::TNotificationProxy() : TComponent(nullptr) {}

void TNotificationProxy::Notification(TComponent* AComponent, TOperation Operation) {
    if (FOnNotification) FOnNotification(AComponent, Operation);
    TComponent::Notification(AComponent, Operation);
}

}  // namespace Ovk
