#include "classlib/ui/Bitmap.h"
#include "classlib/core/Exceptions.h"

TClass TBitmap::StaticClass() {
    static const TClassInfo info = ClassBuilder<TBitmap, TPersistent>("TBitmap").Build();
    return &info;
}

TBitmap::TBitmap(HBITMAP handle) : FHandle(handle) {}

void TBitmap::SetHandle(HBITMAP handle) {
    if (handle != FHandle.get()) FHandle.reset(handle);
}

HBITMAP TBitmap::ReleaseHandle() { return FHandle.release(); }

int TBitmap::Width() const {
    BITMAP info{};
    return FHandle && GetObjectW(FHandle.get(), sizeof(info), &info) ? info.bmWidth : 0;
}

int TBitmap::Height() const {
    BITMAP info{};
    return FHandle && GetObjectW(FHandle.get(), sizeof(info), &info) ? info.bmHeight : 0;
}

void TBitmap::SetSize(int width, int height) {
    WindowDc screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), width, height);
    if (!bitmap) throw Exception("ビットマップを作成できません");
    FHandle.reset(bitmap);
}

void TBitmap::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBitmap*>(source)) {
        if (other == this) return;
        if (other->Empty()) {
            FHandle.reset();
            return;
        }
        HBITMAP copy = static_cast<HBITMAP>(CopyImage(other->Handle(), IMAGE_BITMAP, 0, 0, 0));
        if (!copy) throw Exception("ビットマップを作成できません");
        FHandle.reset(copy);
        return;
    }
    TPersistent::Assign(source);
}
