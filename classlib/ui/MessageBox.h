#pragma once
// Modal message boxes. All of them go through one hook, so that tests can record the text,
// caption and flags and give an answer instead of a person.
#include "classlib/core/Strings.h"
#include <functional>
#include <windows.h>

// Gets the owner window, the text and caption (Shift-JIS) and the MB_ flags; returns the
// button's ID (IDOK, IDYES, IDNO, ...).
using TMessageBoxHook = std::function<int(HWND owner, const AnsiString& text,
                                          const AnsiString& caption, UINT flags)>;

// Installs a hook (an empty one puts back the real message box) and returns the previous one.
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook);

// Shows the box through the hook; the real one is MessageBoxW with the texts converted from
// Shift-JIS, so they read right under any system locale.
int ShowMessageBox(HWND owner, const AnsiString& text, const AnsiString& caption, UINT flags);
