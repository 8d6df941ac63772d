#include "classlib/ui/WindowClass.h"
#include "classlib/core/Exceptions.h"

#include <set>
#include <string>

void RegisterOwnClass(const wchar_t* name, UINT style) {
    static std::set<std::wstring> registered;
    if (registered.count(name)) return;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, L"MAINICON");
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Exception("ウィンドウクラスを登録できません");
    registered.insert(name);
}
