#pragma once
// Owners for the handles of the windowing and drawing system: each frees its handle with the
// matching function when it goes out of scope.
#include <windows.h>
#include <memory>
#include <type_traits>

struct GdiObjectDeleter {
    void operator()(void* object) const { if (object) DeleteObject(static_cast<HGDIOBJ>(object)); }
};
template <class H>
using UniqueGdiObject = std::unique_ptr<std::remove_pointer_t<H>, GdiObjectDeleter>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniquePen = UniqueGdiObject<HPEN>;

struct MenuDeleter {
    void operator()(HMENU menu) const { if (menu) DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

struct MemoryDcDeleter {
    void operator()(HDC dc) const { if (dc) DeleteDC(dc); }
};
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : FWindow(window), FDc(GetDC(window)) {}
    ~WindowDc() { if (FDc) ReleaseDC(FWindow, FDc); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return FDc; }
private:
    HWND FWindow;
    HDC FDc;
};

// The device context of one WM_PAINT, from BeginPaint to EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) : FWindow(window) { FDc = BeginPaint(window, &FPaint); }
    ~PaintDc() { EndPaint(FWindow, &FPaint); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return FDc; }
    const PAINTSTRUCT& Info() const { return FPaint; }
private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDc = nullptr;
};

// Selects an object into a device context and puts the previous one back at the end of scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : FDc(dc), FOld(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() { if (FOld) SelectObject(FDc, FOld); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
private:
    HDC FDc;
    HGDIOBJ FOld;
};

struct WindowDeleter {
    void operator()(HWND window) const { if (window) DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;
