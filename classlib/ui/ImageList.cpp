#include "classlib/ui/ImageList.h"
#include "classlib/core/Exceptions.h"
#include "classlib/ui/Bitmap.h"
#include "classlib/ui/Canvas.h"

TClass TImageList::StaticClass() {
    static const TClassInfo info = ClassBuilder<TImageList, TComponent>("TImageList")
        .Property<&TImageList::Height, &TImageList::SetHeight>("Height").Default(16)
        .Property<&TImageList::Width, &TImageList::SetWidth>("Width").Default(16)
        .Build();
    return &info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetWidth(int width) {
    if (width == FWidth) return;
    if (width <= 0) throw Exception("イメージの大きさが正しくありません");
    FWidth = width;
    Recreate();
}

void TImageList::SetHeight(int height) {
    if (height == FHeight) return;
    if (height <= 0) throw Exception("イメージの大きさが正しくありません");
    FHeight = height;
    Recreate();
}

void TImageList::Recreate() {
    if (FHandle) FHandle.reset();
}

HIMAGELIST TImageList::Handle() {
    if (!FHandle) {
        FHandle.reset(ImageList_Create(FWidth, FHeight, ILC_COLOR32 | ILC_MASK, 4, 4));
        if (!FHandle) throw Exception("イメージリストを作成できません");
    }
    return FHandle.get();
}

int TImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle.get()) : 0; }

int TImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty()) return -1;
    return ImageList_Add(Handle(), image->Handle(), mask ? mask->Handle() : nullptr);
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) return -1;
    return ImageList_AddMasked(Handle(), image->Handle(), ColorToRGB(maskColor));
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EListError("リストのインデックスが範囲を超えています (" + IntToStr(index) + ")");
    ImageList_Remove(FHandle.get(), index);
}

void TImageList::Clear() {
    if (FHandle) ImageList_Remove(FHandle.get(), -1);
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    if (!canvas || !canvas->Handle() || index < 0 || index >= Count()) return;
    if (enabled) {
        ImageList_Draw(FHandle.get(), index, canvas->Handle(), x, y, ILD_TRANSPARENT);
        return;
    }
    // The greyed look: the picture blended half with the button face.
    ImageList_DrawEx(FHandle.get(), index, canvas->Handle(), x, y, 0, 0, CLR_NONE,
                     ColorToRGB(clBtnFace), ILD_TRANSPARENT | ILD_BLEND50);
}
