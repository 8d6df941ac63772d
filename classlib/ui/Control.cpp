#include "classlib/ui/Control.h"
#include "classlib/ui/WinControl.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopedFlag.h"

TClass TControl::StaticClass() {
    static const TClassInfo info = ClassBuilder<TControl, TComponent>("TControl")
        .Property<&TControl::Left, &TControl::SetLeft>("Left")
        .Property<&TControl::Top, &TControl::SetTop>("Top")
        .Property<&TControl::Width, &TControl::SetWidth>("Width")
        .Property<&TControl::Height, &TControl::SetHeight>("Height")
        .Property<&TControl::Caption, &TControl::SetCaption>("Caption")
        .Property<&TControl::Visible, &TControl::SetVisible>("Visible").Default(true)
        .Property<&TControl::Enabled, &TControl::SetEnabled>("Enabled").Default(true)
        .Property<&TControl::Font, &TControl::SetFont>("Font")
        .Property<&TControl::ParentFont, &TControl::SetParentFont>("ParentFont").Default(true)
        .Property<&TControl::Color, &TControl::SetColor>("Color").Default(clBtnFace)
        .Property<&TControl::Action, &TControl::SetAction>("Action")
        .Property<&TControl::OnClick>("OnClick")
        .Build();
    return &info;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), FFont(std::make_unique<TFont>()),
      FWindowProc(TWndMethod::Bind<&TControl::WndProc>(this)) {
    FFont->OnChange = TNotifyEvent::Bind<&TControl::FontChange>(this);
}

TControl::~TControl() {
    LinkAction(nullptr, false);
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw EComponentError("コントロールを自分自身の親にはできません");
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
    if (FParent && FParentFont) ParentFontChanged();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    StoreBounds(left, top, width, height);
    BoundsChanged();
}

void TControl::StoreBounds(int left, int top, int width, int height) {
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

void TControl::SetCaption(const AnsiString& caption) {
    if (caption == Caption()) return;
    FCaption = caption;
    TextChanged();
}

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    VisibleChanged();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    EnabledChanged();
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == FParentFont) return;
    FParentFont = parentFont;
    if (FParentFont && FParent) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    const ScopedFlag taking(FTakingParentFont);
    FFont->Assign(FParent->Font());
}

void TControl::FontChange(TObject*) {
    // A font set on the control itself is its own from now on; one taken from the parent is not.
    if (!FTakingParentFont) FParentFont = false;
    FontChanged();
}

void TControl::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    ColorChanged();
}

void TControl::ActionChanged(TAction* action, bool checkDefaults) {
    // While a layout is read, what it gave the control itself wins over the action's.
    if (!checkDefaults || FCaption.empty() || FCaption == Name()) SetCaption(action->Caption());
    if (!checkDefaults || FEnabled) SetEnabled(action->Enabled());
}

void TControl::Click() {
    if (TAction* action = LinkedAction()) {
        if (!IsDesigning()) action->Execute();
        return;
    }
    OnClick(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    if (FWindowProc) FWindowProc(message);
    else WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message) { DefaultHandler(message); }

void TControl::DefaultHandler(TMessage& message) { (void)message; }

void TControl::ChangeScale(int multiplier, int divisor) {
    if (multiplier == divisor) return;
    auto scale = [&](int v) { return MulDiv(v, multiplier, divisor); };
    SetBounds(scale(FLeft), scale(FTop), scale(FWidth), scale(FHeight));
    // A font taken from the parent is rescaled there and comes down again.
    if (!FParentFont) FFont->SetHeight(scale(FFont->Height()));
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* control = dynamic_cast<TWinControl*>(parent)) SetParent(control);
}

void TControl::Loaded() { TComponent::Loaded(); }
