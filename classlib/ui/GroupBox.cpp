#include "classlib/ui/GroupBox.h"

TClass TGroupBox::StaticClass() {
    static const TClassInfo info = ClassBuilder<TGroupBox, TWinControl>("TGroupBox").Build();
    return &info;
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {}

void TGroupBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = L"ZlGroupBox";
    params.OwnClass = true;
    params.ClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    params.Style |= WS_CLIPCHILDREN;
    // Tab moves into the controls inside the box.
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TGroupBox::TextChanged() {
    TWinControl::TextChanged();
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TGroupBox::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    SelectedObject font(dc, Font()->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);

    // An etched frame whose top edge runs through the middle of the caption.
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    WideString text = ToWide(Caption());
    if (text.empty()) return;
    RECT textRect{8, 0, client.right - 8, metrics.tmHeight};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_CALCRECT);
    RECT back{textRect.left - 2, textRect.top, textRect.right + 2, textRect.bottom};
    FillRect(dc, &back, ColorBrush());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ColorToRGB(Font()->Color()) : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE);
}

void TGroupBox::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        PaintDc paint(Handle());
        Paint(paint.Get());
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
