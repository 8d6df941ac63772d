#pragma once
// A font description (face, height in pixels, style, colour, character set) and the GDI font
// made from it on demand. Controls own one each and hear of its changes.
#include "classlib/core/Component.h"
#include "classlib/ui/Colors.h"
#include "classlib/ui/GdiHandles.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

class TFont : public TPersistent {
    ZL_CLASS(TFont)
public:
    TFont();

    const AnsiString& Name() const { return FName; }
    void SetName(const AnsiString& name);
    // Negative: the character height in pixels; positive: the cell height (as LOGFONT).
    int Height() const { return FHeight; }
    void SetHeight(int height);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Charset() const { return FCharset; }
    void SetCharset(int charset);

    // The GDI font, made when first asked for and again after each change; owned by this object.
    HFONT Handle() const;

    void Assign(TPersistent* source) override;
    bool SameAs(const TFont& other) const;

    // Called after every change (the previous GDI font stays valid until the call returns, so a
    // window can switch to the new one first).
    TNotifyEvent OnChange;

private:
    void Changed();

    AnsiString FName;
    int FHeight;
    TFontStyles FStyle;
    TColor FColor;
    int FCharset;
    mutable UniqueFont FHandle;
};
