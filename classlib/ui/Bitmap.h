#pragma once
// A bitmap holding a GDI bitmap handle, which it owns from the moment it is given one.
#include "classlib/core/Component.h"
#include "classlib/ui/GdiHandles.h"

class TBitmap : public TPersistent {
    ZL_CLASS(TBitmap)
public:
    TBitmap() = default;
    // Takes ownership of the handle.
    explicit TBitmap(HBITMAP handle);

    HBITMAP Handle() const { return FHandle.get(); }
    // Takes ownership of the handle; the previous one is deleted.
    void SetHandle(HBITMAP handle);
    // Gives the handle up to the caller, who deletes it.
    HBITMAP ReleaseHandle();
    bool Empty() const { return !FHandle; }
    int Width() const;
    int Height() const;
    // Makes a new device-compatible bitmap of that size (black).
    void SetSize(int width, int height);
    void Assign(TPersistent* source) override;

private:
    UniqueBitmap FHandle;
};
