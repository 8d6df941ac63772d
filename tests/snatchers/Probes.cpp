#include "Probes.h"

namespace snatchers_test {

std::string Entry(const std::string& who, UINT msg) {
    const char* names[] = {"A", "B", "C"};
    if (msg >= MsgA && msg <= MsgC) return who + ":" + names[msg - MsgA];
    if (msg == WM_DESTROY) return who + ":destroy";
    return who + ":" + std::to_string(msg);
}

Log& WindowLog() {
    static Log log;
    return log;
}

namespace {

LRESULT CALLBACK RecordingWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (Recorded(msg)) WindowLog().push_back(Entry("wnd", msg));
    if (msg >= MsgA && msg <= MsgC) return WindowAnswer(msg);
    return DefWindowProcA(wnd, msg, wp, lp);
}

const char* ClassName() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SnatchersTestWindow";
        RegisterClassA(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

}  // namespace

WNDPROC TestWindowProc() { return RecordingWindowProc; }

HWND CreateTestWindow() {
    HWND wnd = CreateWindowExA(0, ClassName(), "test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(wnd, nullptr) << "no window: is there an X display?";
    return wnd;
}

}  // namespace snatchers_test
