#pragma once
// Points and rectangles in pixels, with the field names the library's callers use.
#include <windows.h>

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    TRect() = default;
    TRect(int left, int top, int right, int bottom) : Left(left), Top(top), Right(right), Bottom(bottom) {}
    TRect(const RECT& r) : Left(r.left), Top(r.top), Right(r.right), Bottom(r.bottom) {}

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    operator RECT() const { return RECT{Left, Top, Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Bounds(int left, int top, int width, int height) {
    return TRect(left, top, left + width, top + height);
}
