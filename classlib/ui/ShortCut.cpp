#include "classlib/ui/ShortCut.h"

TShortCut ShortCutFromMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return 0;
    auto key = static_cast<WORD>(msg.wParam);
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return 0;
    TShortCut modifiers = 0;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= scShift;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= scCtrl;
    if ((msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29))) || GetKeyState(VK_MENU) < 0)
        modifiers |= scAlt;
    return ShortCut(key, modifiers);
}

namespace {

AnsiString KeyName(unsigned key) {
    if (key >= VK_F1 && key <= VK_F24) {
        AnsiString name = "F";
        name += IntToStr(key - VK_F1 + 1);
        return name;
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return AnsiString(1, static_cast<char>(key));
    switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    default: return "";
    }
}

}  // namespace

AnsiString ShortCutToText(TShortCut shortCut) {
    AnsiString name = KeyName(shortCut & 0xFF);
    if (name.empty()) return "";
    AnsiString text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}
