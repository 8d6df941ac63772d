// Pictures of the window in its two states, for a person to look at: saved as BMP files into
// the folder named by ZL_SCREENSHOT_DIR (nothing is saved without it).
#include "app/MainWindowFixture.h"
#include <cstdlib>
#include <fstream>

namespace {

// Copies what the screen shows of the window into a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = (w * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + stride * h;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), stride * h);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out.good();
}

TEST_F(MainWindowTest, PicturesOfBothStates) {
    const char* folder = std::getenv("ZL_SCREENSHOT_DIR");
    if (!folder) GTEST_SKIP() << "ZL_SCREENSHOT_DIR not set";
    TZLVFm* form = Make();
    SetWindowPos(form->Handle(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    Pump(600);
    EXPECT_TRUE(SaveWindowPicture(form->Handle(), std::string(folder) + "\\normal.bmp"));
    SetPickers(form, At(2001, 2, 3, 0, 0, 0), At(1899, 12, 30, 4, 5, 6));
    PressKey(form, VK_F12);
    Pump(600);
    EXPECT_TRUE(SaveWindowPicture(form->Handle(), std::string(folder) + "\\shifted.bmp"));
}

}  // namespace
