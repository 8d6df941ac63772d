#include "classlib/ui/Canvas.h"
#include "classlib/core/Exceptions.h"
#include "classlib/ui/Bitmap.h"

// ---------------------------------------------------------------- TBrush
TClass TBrush::StaticClass() {
    static const TClassInfo info = ClassBuilder<TBrush, TPersistent>("TBrush")
        .Property<&TBrush::Color, &TBrush::SetColor>("Color").Default(clWhite)
        .Property<&TBrush::Style, &TBrush::SetStyle>("Style").Enum({"bsSolid", "bsClear"}).Default(bsSolid)
        .Build();
    return &info;
}

void TBrush::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    FHandle.reset();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    FHandle.reset();
}

HBRUSH TBrush::Handle() const {
    if (FStyle == bsClear) return nullptr;
    if (!FHandle) FHandle.reset(CreateSolidBrush(ColorToRGB(FColor)));
    return FHandle.get();
}

void TBrush::Assign(TPersistent* source) {
    if (auto* brush = dynamic_cast<TBrush*>(source)) {
        SetColor(brush->FColor);
        SetStyle(brush->FStyle);
        return;
    }
    TPersistent::Assign(source);
}

// ---------------------------------------------------------------- TCanvas
TClass TCanvas::StaticClass() {
    static const TClassInfo info = ClassBuilder<TCanvas, TPersistent>("TCanvas").Build();
    return &info;
}

TCanvas::TCanvas(HDC dc) : FFont(std::make_unique<TFont>()), FBrush(std::make_unique<TBrush>()) {
    FFont->OnChange = TNotifyEvent::Bind<&TCanvas::FontChange>(this);
    SetHandle(dc);
}

// The font's previous GDI object is deleted after this returns: the context must let go of it.
void TCanvas::FontChange(TObject*) {
    if (FHandle) SelectObject(FHandle, FFont->Handle());
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

void TCanvas::SetHandle(HDC dc) {
    if (FHandle && FSavedState) RestoreDC(FHandle, FSavedState);
    FHandle = dc;
    FSavedState = dc ? SaveDC(dc) : 0;
}

void TCanvas::Prepare(bool withBrush) {
    if (!FHandle) throw Exception("キャンバスに描画できません");
    SelectObject(FHandle, FFont->Handle());
    SetTextColor(FHandle, ColorToRGB(FFont->Color()));
    if (withBrush && FBrush->Style() == bsSolid) {
        SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
        SetBkMode(FHandle, OPAQUE);
    } else {
        SetBkMode(FHandle, TRANSPARENT);
    }
}

void TCanvas::FillRect(const TRect& rect) {
    Prepare(true);
    if (HBRUSH brush = FBrush->Handle()) {
        RECT r = rect;
        ::FillRect(FHandle, &r, brush);
    }
}

void TCanvas::FrameRect(const TRect& rect) {
    Prepare(true);
    if (HBRUSH brush = FBrush->Handle()) {
        RECT r = rect;
        ::FrameRect(FHandle, &r, brush);
    }
}

void TCanvas::TextOut(int x, int y, const AnsiString& text) {
    Prepare(true);
    WideString wide = ToWide(text);
    ExtTextOutW(FHandle, x, y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const AnsiString& text) {
    Prepare(true);
    WideString wide = ToWide(text);
    RECT r = rect;
    UINT options = ETO_CLIPPED | (FBrush->Style() == bsSolid ? ETO_OPAQUE : 0);
    ExtTextOutW(FHandle, x, y, options, &r, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

TPoint TCanvas::TextExtent(const AnsiString& text) {
    Prepare(false);
    WideString wide = ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(FHandle, wide.c_str(), static_cast<int>(wide.size()), &size);
    return TPoint{size.cx, size.cy};
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) return;
    Prepare(false);
    UniqueMemoryDc source(CreateCompatibleDC(FHandle));
    SelectedObject selected(source.get(), bitmap->Handle());
    BitBlt(FHandle, x, y, bitmap->Width(), bitmap->Height(), source.get(), 0, 0, SRCCOPY);
}
