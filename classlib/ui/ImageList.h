#pragma once
// An image list over the common controls' image list: pictures of one size, drawn by index.
#include "classlib/core/Component.h"
#include "classlib/ui/Colors.h"
#include <commctrl.h>
#include <memory>
#include <type_traits>

class TBitmap;
class TCanvas;

class TImageList : public TComponent {
    ZL_CLASS(TImageList)
public:
    explicit TImageList(TComponent* owner);

    // The size of each picture. Changing it empties the list.
    int Width() const { return FWidth; }
    void SetWidth(int width);
    int Height() const { return FHeight; }
    void SetHeight(int height);

    int Count() const;
    // The common controls' handle, made on first use; owned by the list.
    HIMAGELIST Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    // Adds the pictures of a bitmap (several side by side when it is wider than Width), with an
    // optional monochrome mask; returns the index of the first, or -1.
    int Add(TBitmap* image, TBitmap* mask);
    // Adds with the pixels of one colour made transparent.
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws picture index with its top left corner at (x, y), greyed when not enabled.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);

private:
    struct Deleter {
        void operator()(HIMAGELIST list) const { if (list) ImageList_Destroy(list); }
    };
    void Recreate();

    int FWidth = 16;
    int FHeight = 16;
    std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, Deleter> FHandle;
};
