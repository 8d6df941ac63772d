#pragma once
// Keyboard shortcuts: a virtual-key code in the low byte with modifier bits above it, as stored
// in form files (F12 is 123, Alt+Enter 32781).
#include "classlib/core/Strings.h"
#include <cstdint>
#include <windows.h>

using TShortCut = std::uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

constexpr TShortCut ShortCut(WORD key, TShortCut modifiers = 0) {
    return static_cast<TShortCut>((key & 0xFF) | modifiers);
}

// The shortcut a key-down message stands for (WM_KEYDOWN or WM_SYSKEYDOWN), with the modifier
// keys held now; 0 for other messages. Alt comes from the message itself (the context bit of
// WM_SYSKEYDOWN), so a posted Alt combination is read the same as a typed one.
TShortCut ShortCutFromMessage(const MSG& msg);

// The text shown beside a menu item: "F12", "Ctrl+S", "Alt+Enter"; "" for 0.
AnsiString ShortCutToText(TShortCut shortCut);
