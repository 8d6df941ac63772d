#include "classlib/ui/Font.h"
#include "classlib/core/Strings.h"

#include <algorithm>

TClass TFont::StaticClass() {
    static const TClassInfo info = ClassBuilder<TFont, TPersistent>("TFont")
        .Property<&TFont::Charset, &TFont::SetCharset>("Charset").Default(DEFAULT_CHARSET)
        .Property<&TFont::Color, &TFont::SetColor>("Color").Default(clWindowText)
        .Property<&TFont::Height, &TFont::SetHeight>("Height")
        .Property<&TFont::Name, &TFont::SetName>("Name")
        .Property<&TFont::Style, &TFont::SetStyle>("Style")
            .Enum({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}).Default(TFontStyles{})
        .Build();
    return &info;
}

// The face and size a Japanese system gives its dialogs, used until a layout says otherwise.
TFont::TFont()
    : FName("ＭＳ Ｐゴシック"), FHeight(-12), FColor(clWindowText), FCharset(DEFAULT_CHARSET) {}

void TFont::SetName(const AnsiString& name) {
    if (name == FName) return;
    FName = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

HFONT TFont::Handle() const {
    if (!FHandle) {
        LOGFONTW lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = FStyle.Contains(fsItalic);
        lf.lfUnderline = FStyle.Contains(fsUnderline);
        lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
        lf.lfCharSet = static_cast<BYTE>(FCharset);
        lf.lfQuality = DEFAULT_QUALITY;
        WideString face = ToWide(FName);
        face.resize(std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
        std::copy(face.begin(), face.end(), lf.lfFaceName);
        FHandle.reset(CreateFontIndirectW(&lf));
    }
    return FHandle.get();
}

bool TFont::SameAs(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle &&
           FColor == other.FColor && FCharset == other.FCharset;
}

void TFont::Assign(TPersistent* source) {
    if (auto* font = dynamic_cast<TFont*>(source)) {
        if (SameAs(*font)) return;
        FName = font->FName;
        FHeight = font->FHeight;
        FStyle = font->FStyle;
        FColor = font->FColor;
        FCharset = font->FCharset;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TFont::Changed() {
    UniqueFont previous = std::move(FHandle);
    OnChange(this);
}
