#include "classlib/ui/Label.h"

TClass TLabel::StaticClass() {
    static const TClassInfo info = ClassBuilder<TLabel, TWinControl>("TLabel").Build();
    return &info;
}

TLabel::TLabel(TComponent* owner) : TWinControl(owner) {}

void TLabel::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = L"STATIC";
    params.OwnClass = false;
    params.Style |= SS_LEFT;
}

void TLabel::WndProc(TMessage& message) {
    // The static control keeps its old text on screen when its background is not erased: a
    // new caption repaints the whole label.
    if (message.Msg == WM_SETTEXT) {
        TWinControl::WndProc(message);
        InvalidateRect(Handle(), nullptr, TRUE);
        return;
    }
    TWinControl::WndProc(message);
}
