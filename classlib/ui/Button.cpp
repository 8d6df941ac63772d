#include "classlib/ui/Button.h"

// ---------------------------------------------------------------- TButton
TClass TButton::StaticClass() {
    static const TClassInfo info = ClassBuilder<TButton, TWinControl>("TButton").Build();
    return &info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = L"BUTTON";
    params.OwnClass = false;
    params.Style |= BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == BN_CLICKED) Click();
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

// ---------------------------------------------------------------- TBitBtn
TClass TBitBtn::StaticClass() {
    static const TClassInfo info = ClassBuilder<TBitBtn, TButton>("TBitBtn").Build();
    return &info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

void TBitBtn::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    params.Style = (params.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& message) {
    if (message.Msg == CN_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
        message.Result = TRUE;
        return;
    }
    TButton::WndProc(message);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pressed = item.itemState & ODS_SELECTED;
    bool disabled = item.itemState & ODS_DISABLED;
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    SelectedObject font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    WideString text = ToWide(Caption());
    RECT textRect = r;
    if (pressed) OffsetRect(&textRect, 1, 1);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (disabled) {
        // The engraved look of disabled text: a light copy under a grey one.
        RECT light = textRect;
        OffsetRect(&light, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &light, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(dc, ColorToRGB(Font()->Color()));
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}
