#pragma once
// A fresh folder under the system's temporary folder, removed with what it holds at the end.
#include "classlib/core/Strings.h"
#include <windows.h>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const AnsiString& Root() const { return FRoot; }
    AnsiString Path(const AnsiString& name) const { return FRoot + "\\" + name; }

private:
    AnsiString FRoot;
};
