#pragma once
// The window classes of the library's own windows.
#include <windows.h>

// Registers a window class of the library's own once per process (raising Exception when the
// system refuses). Its procedure is the system's default: each window gets its object's
// procedure right after creation.
void RegisterOwnClass(const wchar_t* name, UINT style = 0);
