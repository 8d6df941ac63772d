#pragma once
// The object-instance service: turns a bound method taking a window message record into a real
// window procedure, and releases it again.
#include "Object.h"
#include <windows.h>

// The window message record. On 64-bit Windows the parameters and the result are pointer-sized.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TWndMethod = TEvent<TMessage&>;

// A window procedure that packs Msg, WParam and LParam into a TMessage with Result 0, calls the
// method and returns Result. An exception that escapes the method goes to HandleException and
// the procedure returns 0. The procedure lives in executable memory until FreeObjectInstance.
WNDPROC MakeObjectInstance(TWndMethod method);
void FreeObjectInstance(WNDPROC procedure);
// How many procedures are alive now (tests expect none left at the end).
int ObjectInstanceCount();
