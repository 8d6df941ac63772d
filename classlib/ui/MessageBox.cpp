#include "classlib/ui/MessageBox.h"

namespace {

TMessageBoxHook& CurrentHook() {
    static TMessageBoxHook hook;
    return hook;
}

}  // namespace

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook) {
    TMessageBoxHook previous = std::move(CurrentHook());
    CurrentHook() = std::move(hook);
    return previous;
}

int ShowMessageBox(HWND owner, const AnsiString& text, const AnsiString& caption, UINT flags) {
    if (CurrentHook()) return CurrentHook()(owner, text, caption, flags);
    return MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(), flags);
}
