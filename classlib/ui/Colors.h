#pragma once
// Colours: an RGB value (red in the low byte) or, with the high bit set, one of the system's
// colours by its index (COLOR_BTNFACE, ...), resolved when drawn so that it follows the theme.
#include <cstdint>
#include <windows.h>

using TColor = std::int32_t;

constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(index));
}

constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);

constexpr TColor clBlack = 0x000000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clTeal = 0x808000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;

// A system colour is its GetSysColor index with the top bit set.
constexpr bool IsSystemColor(TColor color) { return (static_cast<std::uint32_t>(color) & 0x80000000u) != 0; }
constexpr int SystemColorIndex(TColor color) { return static_cast<int>(static_cast<std::uint32_t>(color) & 0xFF); }

// The RGB value to draw with: system colours are looked up now.
inline COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
    return static_cast<COLORREF>(static_cast<std::uint32_t>(color) & 0x00FFFFFF);
}
