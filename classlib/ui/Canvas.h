#pragma once
// A canvas over a device context: a font, a brush and the drawing operations the library uses.
// The device context belongs to whoever gave it; the canvas puts the context's state back when
// it is destroyed or given another one.
#include "classlib/ui/Font.h"
#include "classlib/ui/Geometry.h"
#include <memory>

class TBitmap;

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TPersistent {
    ZL_CLASS(TBrush)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);
    // The GDI brush, made on demand and owned here; null for bsClear.
    HBRUSH Handle() const;
    void Assign(TPersistent* source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    mutable UniqueBrush FHandle;
};

class TCanvas : public TPersistent {
    ZL_CLASS(TCanvas)
public:
    explicit TCanvas(HDC dc = nullptr);
    ~TCanvas() override;

    HDC Handle() const { return FHandle; }
    void SetHandle(HDC dc);

    TFont* Font() const { return FFont.get(); }
    TBrush* Brush() const { return FBrush.get(); }

    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void TextOut(int x, int y, const AnsiString& text);
    // Text clipped to the rectangle, starting at (x, y).
    void TextRect(const TRect& rect, int x, int y, const AnsiString& text);
    TPoint TextExtent(const AnsiString& text);
    int TextWidth(const AnsiString& text) { return TextExtent(text).X; }
    int TextHeight(const AnsiString& text) { return TextExtent(text).Y; }
    // Copies the bitmap with its top left corner at (x, y).
    void Draw(int x, int y, TBitmap* bitmap);

private:
    void Prepare(bool withBrush);
    void FontChange(TObject* sender);

    HDC FHandle = nullptr;
    int FSavedState = 0;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBrush> FBrush;
};
