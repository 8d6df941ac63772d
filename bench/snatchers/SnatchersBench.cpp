// Prints, measured side by side in one run (median of several rounds, rounds interleaved):
//  - a message sent to a subclassed window, with no handler for it and with one handler, as a
//    ratio to the same message sent to a window without subclass (goal: at most 2);
//  - the dispatch of a message with one handler when the dispatcher holds 1,000 message numbers,
//    as a ratio to a dispatcher holding one (goal: flat, about 1).
#include "bench/Harness.h"
#include "ovk/Snatchers.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace Ovk;

namespace {

constexpr UINT Msg = WM_APP + 7;
constexpr int Rounds = 15;

using bench::Now;

// Nanoseconds per call of body, median over the rounds; the candidates are measured in turn
// within each round so that they see the same machine state.
std::vector<double> MeasureSideBySide(const std::vector<std::function<void()>>& bodies, int callsPerRound) {
    std::vector<std::vector<double>> samples(bodies.size());
    for (int round = 0; round < Rounds; ++round)
        for (std::size_t i = 0; i < bodies.size(); ++i) {
            const double start = Now();
            for (int n = 0; n < callsPerRound; ++n) bodies[i]();
            samples[i].push_back((Now() - start) * 1e9 / callsPerRound);
        }
    std::vector<double> medians;
    for (auto& s : samples) {
        std::sort(s.begin(), s.end());
        medians.push_back(s[s.size() / 2]);
    }
    return medians;
}

LRESULT CALLBACK PlainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == Msg) return 1;
    return DefWindowProcA(wnd, msg, wp, lp);
}

HWND MakeWindow() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SnatchersBench";
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExA(0, "SnatchersBench", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

struct Handler {
    int Calls = 0;
    void Handle(TObject*, TMessage&, bool&) { ++Calls; }
};

// A window with a subclass whose messages go to a dispatcher, as a snatcher user binds a control.
struct Snatched {
    HWND Wnd = MakeWindow();
    TMessageEventDispatcher Dispatcher;
    TWindowSubclass Subclass;
    Snatched() {
        Subclass.SetOnMessage(TMessageEvent::Bind<&TMessageEventDispatcher::DispatchEvent>(&Dispatcher));
        Subclass.SetHandle(Wnd);
    }
    ~Snatched() { DestroyWindow(Wnd); }
};

}  // namespace

int main() {
    HWND plain = MakeWindow();
    Snatched empty, withHandler;
    Handler handler;
    withHandler.Dispatcher.AddHandler(Msg, TMessageEvent::Bind<&Handler::Handle>(&handler));
    if (!plain || !empty.Wnd || !withHandler.Wnd) {
        std::printf("no window: is there an X display?\n");
        return 1;
    }

    const auto send = MeasureSideBySide({[&] { SendMessageA(plain, Msg, 0, 0); },
                                         [&] { SendMessageA(empty.Wnd, Msg, 0, 0); },
                                         [&] { SendMessageA(withHandler.Wnd, Msg, 0, 0); }},
                                        20000);
    std::printf("message to a window without subclass:        %8.1f ns\n", send[0]);
    std::printf("through subclass and dispatcher, no handler: %8.1f ns  ratio %.2f (goal <= 2)\n", send[1], send[1] / send[0]);
    std::printf("through subclass and dispatcher, 1 handler:  %8.1f ns  ratio %.2f (goal <= 2)\n", send[2], send[2] / send[0]);

    // Finding the handlers: one message number registered, against 1,000.
    TMessageEventDispatcher few, many;
    Handler h;
    few.AddHandler(Msg, TMessageEvent::Bind<&Handler::Handle>(&h));
    for (UINT m = 0; m < 1000; ++m) many.AddHandler(WM_APP + 1000 + m * 7, TMessageEvent::Bind<&Handler::Handle>(&h));
    many.AddHandler(Msg, TMessageEvent::Bind<&Handler::Handle>(&h));
    TMessage message{Msg, 0, 0, 0};
    bool handled = false;
    const auto lookup = MeasureSideBySide({[&] { few.DispatchEvent(nullptr, message, handled); },
                                           [&] { many.DispatchEvent(nullptr, message, handled); }},
                                          200000);
    std::printf("dispatch, 1 message number registered:      %8.1f ns\n", lookup[0]);
    std::printf("dispatch, 1,000 message numbers registered: %8.1f ns  ratio %.2f (goal: flat)\n", lookup[1], lookup[1] / lookup[0]);
    DestroyWindow(plain);
    return 0;
}
