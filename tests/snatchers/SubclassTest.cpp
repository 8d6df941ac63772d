// The window subclass and the message event dispatcher over a real window of a test class.
#include "Probes.h"

#include "classlib/core/Exceptions.h"

#include <algorithm>
#include <array>
#include <memory>

using namespace Ovk;
using namespace snatchers_test;

namespace {

// A window, a subclass on it and a dispatcher behind the subclass, as the snatchers pair them.
class SubclassFixture : public SnatcherTest {
protected:
    void SetUp() override {
        SnatcherTest::SetUp();
        Wnd = CreateTestWindow();
        ASSERT_NE(Wnd, nullptr);
        Subclass = std::make_unique<TWindowSubclass>();
        Dispatcher = std::make_unique<TMessageEventDispatcher>();
        Subclass->SetOnMessage(TMessageEvent::Bind<&TMessageEventDispatcher::DispatchEvent>(Dispatcher.get()));
        Subclass->SetHandle(Wnd);
    }
    void TearDown() override {
        if (IsWindow(Wnd)) DestroyWindow(Wnd);
        Subclass.reset();
        Dispatcher.reset();
        SnatcherTest::TearDown();
    }
    static Probe MakeProbe(const std::string& name, bool handled = false) {
        Probe p;
        p.Name = name;
        p.Calls = &WindowLog();
        p.SetHandled = handled;
        return p;
    }
    LRESULT Send(UINT msg) { return SendMessageA(Wnd, msg, 0, 0); }

    HWND Wnd = nullptr;
    std::unique_ptr<TWindowSubclass> Subclass;
    std::unique_ptr<TMessageEventDispatcher> Dispatcher;
};

TEST_F(SubclassFixture, MessageWithoutHandlersReachesThePreviousProcedure) {
    EXPECT_EQ(Send(MsgA), WindowAnswer(MsgA));
    EXPECT_EQ(WindowLog(), (Log{"wnd:A"}));
    EXPECT_NE(GetWindowLongPtrA(Wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(TestWindowProc()));
}

// Every handler runs in registration order; any Handled keeps the message from the previous
// procedure, and the result is what the handlers left.
TEST_F(SubclassFixture, HandledStopsThePreviousProcedureButNotTheOtherHandlers) {
    struct Case { bool firstHandles, secondHandles; Log expected; LRESULT result; };
    const Case cases[] = {
        {false, false, {"first:A", "second:A", "wnd:A"}, WindowAnswer(MsgA)},
        {true, false, {"first:A", "second:A"}, 7},
        {false, true, {"first:A", "second:A"}, 7},
        {true, true, {"first:A", "second:A"}, 7},
    };
    for (const Case& c : cases) {
        TMessageEventDispatcher dispatcher;
        Subclass->SetOnMessage(TMessageEvent::Bind<&TMessageEventDispatcher::DispatchEvent>(&dispatcher));
        Probe first = MakeProbe("first", c.firstHandles), second = MakeProbe("second", c.secondHandles);
        first.Then = [](TMessage& m) { m.Result = 7; };
        dispatcher.AddHandler(MsgA, first.Event());
        dispatcher.AddHandler(MsgA, second.Event());
        WindowLog().clear();
        EXPECT_EQ(Send(MsgA), c.result) << c.firstHandles << c.secondHandles;
        EXPECT_EQ(WindowLog(), c.expected) << c.firstHandles << c.secondHandles;
        // Handlers are told the dispatcher is the sender, not the subclass that called it.
        EXPECT_EQ(first.Senders, (std::vector<TObject*>{&dispatcher}));
        Subclass->SetOnMessage({});
    }
}

TEST_F(SubclassFixture, SameHandlerTwiceRunsTwiceAndOneDeleteRemovesBoth) {
    Probe p = MakeProbe("p"), other = MakeProbe("other");
    Dispatcher->AddHandler(MsgA, p.Event());
    Dispatcher->AddHandler(MsgA, other.Event());
    Dispatcher->AddHandler(MsgA, p.Event());
    Send(MsgA);
    EXPECT_EQ(WindowLog(), (Log{"p:A", "other:A", "p:A", "wnd:A"}));

    Dispatcher->DeleteHandler(MsgA, p.Event());
    WindowLog().clear();
    Send(MsgA);
    EXPECT_EQ(WindowLog(), (Log{"other:A", "wnd:A"}));
    EXPECT_EQ(Dispatcher->HandlerCount(MsgA), 1);
}

TEST_F(SubclassFixture, DeleteHandlerOfUnknownHandlerOrMessageChangesNothing) {
    Probe p = MakeProbe("p"), stranger = MakeProbe("stranger");
    Dispatcher->AddHandler(MsgA, p.Event());
    Dispatcher->DeleteHandler(MsgA, stranger.Event());  // never added
    Dispatcher->DeleteHandler(MsgC, p.Event());         // message never seen
    // Same object, other method: not equal.
    Dispatcher->DeleteHandler(MsgA, TMessageEvent::Bind<&TMessageEventDispatcher::DispatchEvent>(
                                        reinterpret_cast<TMessageEventDispatcher*>(&p)));
    EXPECT_EQ(Dispatcher->HandlerCount(MsgA), 1);
    EXPECT_EQ(Dispatcher->HandlerCount(MsgC), 0);
    Send(MsgA);
    EXPECT_EQ(WindowLog(), (Log{"p:A", "wnd:A"}));
}

TEST_F(SubclassFixture, HandlersSeeOnlyTheirOwnMessage) {
    Probe a = MakeProbe("a", true), b = MakeProbe("b", true);
    Dispatcher->AddHandler(MsgA, a.Event());
    Dispatcher->AddHandler(MsgB, b.Event());
    Send(MsgA);
    Send(MsgB);
    Send(MsgC);
    EXPECT_EQ(WindowLog(), (Log{"a:A", "b:B", "wnd:C"}));
}

// WM_DESTROY: handlers first, then the subclass lets go of the window, then the previous
// procedure gets the message with the window's handle, unless a handler handled it.
TEST_F(SubclassFixture, DestroyRunsHandlersThenRemovesThenCallsThePreviousProcedure) {
    for (bool handled : {false, true}) {
        SCOPED_TRACE(handled);
        if (!IsWindow(Wnd)) { Wnd = CreateTestWindow(); ASSERT_NE(Wnd, nullptr); }
        Subclass->SetHandle(Wnd);
        WindowLog().clear();
        HWND wnd = Wnd;
        bool subclassedDuringHandler = false;
        Probe p = MakeProbe("p", handled);
        p.Then = [&](TMessage&) {
            subclassedDuringHandler = Subclass->Handle() == wnd &&
                GetWindowLongPtrA(wnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(TestWindowProc());
        };
        TMessageEventDispatcher dispatcher;
        Subclass->SetOnMessage(TMessageEvent::Bind<&TMessageEventDispatcher::DispatchEvent>(&dispatcher));
        dispatcher.AddHandler(WM_DESTROY, p.Event());
        DestroyWindow(wnd);
        EXPECT_TRUE(subclassedDuringHandler);
        EXPECT_EQ(Subclass->Handle(), nullptr);
        if (handled) EXPECT_EQ(WindowLog(), (Log{"p:destroy"}));
        else EXPECT_EQ(WindowLog(), (Log{"p:destroy", "wnd:destroy"}));
        Subclass->SetOnMessage({});
    }
}

TEST_F(SubclassFixture, PreviousProcedureIsBackWhenDestroyReachesIt) {
    // A second subclass below the one under test stands in for "the previous procedure" and
    // looks at the window when WM_DESTROY reaches it.
    Subclass->SetHandle(nullptr);
    HWND wnd = Wnd;
    TWindowSubclass below;
    Probe look = MakeProbe("below");
    LONG_PTR procAtDestroy = 0;
    look.Then = [&](TMessage& m) { if (m.Msg == WM_DESTROY) procAtDestroy = GetWindowLongPtrA(wnd, GWLP_WNDPROC); };
    below.SetOnMessage(look.Event());
    below.SetHandle(wnd);
    const LONG_PTR belowProc = GetWindowLongPtrA(wnd, GWLP_WNDPROC);
    Subclass->SetHandle(wnd);
    Probe p = MakeProbe("p");
    Dispatcher->AddHandler(WM_DESTROY, p.Event());

    DestroyWindow(wnd);
    EXPECT_EQ(WindowLog(), (Log{"p:destroy", "below:destroy", "wnd:destroy"}));
    EXPECT_EQ(procAtDestroy, belowProc);
    EXPECT_EQ(below.Handle(), nullptr);
}

TEST_F(SubclassFixture, RemovalLeavesTheSubclassIdleAndTheWindowAsItWas) {
    const LONG_PTR original = reinterpret_cast<LONG_PTR>(TestWindowProc());
    EXPECT_NE(GetWindowLongPtrA(Wnd, GWLP_WNDPROC), original);
    Subclass->SetHandle(nullptr);
    EXPECT_EQ(Subclass->Handle(), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(Wnd, GWLP_WNDPROC), original);
    Subclass->UnSubclass();  // idle: nothing happens
    EXPECT_EQ(GetWindowLongPtrA(Wnd, GWLP_WNDPROC), original);

    // Destroying a bound subclass puts the previous procedure back first.
    Subclass->SetHandle(Wnd);
    Subclass.reset();
    EXPECT_EQ(GetWindowLongPtrA(Wnd, GWLP_WNDPROC), original);
    EXPECT_EQ(SendMessageA(Wnd, MsgA, 0, 0), WindowAnswer(MsgA));
}

TEST_F(SubclassFixture, SetWindowProcReturnsThePreviousProcedureOrZero) {
    Subclass->SetHandle(nullptr);
    const LONG_PTR original = reinterpret_cast<LONG_PTR>(TestWindowProc());
    EXPECT_EQ(SetWindowProc(Wnd, DefWindowProcA), original);
    EXPECT_EQ(SetWindowProc(Wnd, TestWindowProc()), reinterpret_cast<LONG_PTR>(DefWindowProcA));
    EXPECT_EQ(SetWindowProc(reinterpret_cast<HWND>(0x7654), DefWindowProcA), 0);
}

// Three subclasses on one window, removed in each of the six orders: after every removal the
// remaining ones still see the message, latest first, and the window's own procedure ends the
// chain; at the end the window has its own procedure back and works without the subclasses.
TEST_F(SubclassFixture, ThreeSubclassesRemovedInAnyOrderKeepTheChainWhole) {
    Subclass->SetHandle(nullptr);
    const LONG_PTR original = reinterpret_cast<LONG_PTR>(TestWindowProc());
    std::array<int, 3> order{0, 1, 2};
    do {
        SCOPED_TRACE(testing::Message() << order[0] << order[1] << order[2]);
        std::array<Probe, 3> probes{MakeProbe("s0"), MakeProbe("s1"), MakeProbe("s2")};
        std::array<std::unique_ptr<TWindowSubclass>, 3> subs;
        for (int i = 0; i < 3; ++i) {
            subs[i] = std::make_unique<TWindowSubclass>();
            subs[i]->SetOnMessage(probes[i].Event());
            subs[i]->SetHandle(Wnd);
        }
        const std::array<std::string, 3> names{"s0", "s1", "s2"};
        std::vector<int> left{2, 1, 0};  // the order in which a message passes them
        for (int victim : order) {
            subs[victim]->UnSubclass();
            std::erase(left, victim);
            // Releasing the removed procedure at once: a chain that still led there would crash.
            subs[victim].reset();
            WindowLog().clear();
            EXPECT_EQ(SendMessageA(Wnd, MsgA, 0, 0), WindowAnswer(MsgA));
            Log expected;
            for (int i : left) expected.push_back(Entry(names[i], MsgA));
            expected.push_back("wnd:A");
            EXPECT_EQ(WindowLog(), expected) << "after removing s" << victim;
        }
        EXPECT_EQ(GetWindowLongPtrA(Wnd, GWLP_WNDPROC), original);
    } while (std::next_permutation(order.begin(), order.end()));
}

// A subclass of another kind installed above one of ours, which it calls as its previous
// procedure: removing ours first does what it always did, it puts its own predecessor back
// (the foreign one is cut out), and no released procedure stays reachable.
TEST_F(SubclassFixture, ForeignProcedureAboveIsCutOutWhenOursIsRemovedFirst) {
    static WNDPROC foreignPrev = nullptr;
    struct Foreign {
        static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
            if (m == MsgA) WindowLog().push_back("foreign:A");
            return CallWindowProcA(foreignPrev, w, m, wp, lp);
        }
    };
    foreignPrev = reinterpret_cast<WNDPROC>(SetWindowProc(Wnd, &Foreign::Proc));
    Subclass.reset();
    EXPECT_EQ(GetWindowLongPtrA(Wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(TestWindowProc()));
    EXPECT_EQ(SendMessageA(Wnd, MsgA, 0, 0), WindowAnswer(MsgA));
    EXPECT_EQ(WindowLog(), (Log{"wnd:A"}));
}

// ---------------------------------------------------------------- changes during a dispatch
TEST_F(SubclassFixture, HandlerAddedDuringDispatchRunsFromTheNextMessageOn) {
    Probe late = MakeProbe("late");
    Probe adder = MakeProbe("adder");
    adder.Then = [&](TMessage&) { Dispatcher->AddHandler(MsgA, late.Event()); adder.Then = nullptr; };
    Dispatcher->AddHandler(MsgA, adder.Event());
    Send(MsgA);
    Send(MsgA);
    EXPECT_EQ(WindowLog(), (Log{"adder:A", "wnd:A", "adder:A", "late:A", "wnd:A"}));
}

TEST_F(SubclassFixture, HandlerWithdrawnDuringDispatchDoesNotRunIfItsTurnHasNotCome) {
    Probe first = MakeProbe("first"), second = MakeProbe("second"), third = MakeProbe("third");
    // The second withdraws the first (already run), itself (running) and the third (not yet).
    second.Then = [&](TMessage&) {
        Dispatcher->DeleteHandler(MsgA, first.Event());
        Dispatcher->DeleteHandler(MsgA, second.Event());
        Dispatcher->DeleteHandler(MsgA, third.Event());
    };
    for (Probe* p : {&first, &second, &third}) Dispatcher->AddHandler(MsgA, p->Event());
    Send(MsgA);
    Send(MsgA);
    EXPECT_EQ(WindowLog(), (Log{"first:A", "second:A", "wnd:A", "wnd:A"}));
    EXPECT_EQ(Dispatcher->HandlerCount(MsgA), 0);
}

TEST_F(SubclassFixture, HandlerWithdrawnAndAddedAgainDuringDispatchWaitsForTheNextMessage) {
    Probe first = MakeProbe("first"), second = MakeProbe("second");
    first.Then = [&](TMessage&) {
        Dispatcher->DeleteHandler(MsgA, second.Event());
        Dispatcher->AddHandler(MsgA, second.Event());
        first.Then = nullptr;
    };
    Dispatcher->AddHandler(MsgA, first.Event());
    Dispatcher->AddHandler(MsgA, second.Event());
    Send(MsgA);
    Send(MsgA);
    EXPECT_EQ(WindowLog(), (Log{"first:A", "wnd:A", "first:A", "second:A", "wnd:A"}));
}

// A handler that sends a message to its own window: the inner message runs its own dispatch,
// with its own Handled flag, and the outer one resumes where it was.
TEST_F(SubclassFixture, NestedDispatchOnTheSameWindow) {
    Probe outer = MakeProbe("outer"), inner = MakeProbe("inner", true), last = MakeProbe("last");
    int depth = 0;
    outer.Then = [&](TMessage& m) {
        if (m.Msg == MsgA && depth++ == 0) {
            EXPECT_EQ(SendMessageA(Wnd, MsgA, 0, 0), WindowAnswer(MsgA));  // runs A's handlers again
            EXPECT_EQ(SendMessageA(Wnd, MsgB, 0, 0), 0);                   // handled inside
            // While nested walks were going on, withdrawals were deferred; now the outer walk
            // withdraws the last handler, which has not run in it yet.
            Dispatcher->DeleteHandler(MsgA, last.Event());
        }
    };
    Dispatcher->AddHandler(MsgA, outer.Event());
    Dispatcher->AddHandler(MsgB, inner.Event());
    Dispatcher->AddHandler(MsgA, last.Event());
    EXPECT_EQ(Send(MsgA), WindowAnswer(MsgA));
    EXPECT_EQ(WindowLog(), (Log{"outer:A", "outer:A", "last:A", "wnd:A", "inner:B", "wnd:A"}));
    EXPECT_EQ(Dispatcher->HandlerCount(MsgA), 1);
}

// A handler that destroys the subclass and its dispatcher while they are dispatching its message:
// the message still goes on to the window's own procedure, and the window works afterwards.
TEST_F(SubclassFixture, HandlerMayDestroyTheSubclassAndDispatcherServingIt) {
    Probe killer = MakeProbe("killer"), after = MakeProbe("after");
    killer.Then = [&](TMessage&) { Subclass.reset(); Dispatcher.reset(); };
    Dispatcher->AddHandler(MsgA, killer.Event());
    Dispatcher->AddHandler(MsgA, after.Event());
    EXPECT_EQ(Send(MsgA), WindowAnswer(MsgA));
    EXPECT_EQ(Send(MsgA), WindowAnswer(MsgA));
    EXPECT_EQ(WindowLog(), (Log{"killer:A", "wnd:A", "wnd:A"}));
    EXPECT_EQ(GetWindowLongPtrA(Wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(TestWindowProc()));
}

// An exception from a handler ends the message where it is: the later handlers and the previous
// procedure are skipped and the exception reaches the application's handler. The dispatcher is
// whole afterwards (a withdrawal takes effect at once).
TEST_F(SubclassFixture, ExceptionFromHandlerEndsTheMessage) {
    std::vector<AnsiString> shown;
    SetExceptionHandler([&](std::exception_ptr e) { shown.push_back(ExceptionMessage(e)); });
    Probe thrower = MakeProbe("thrower"), after = MakeProbe("after");
    thrower.Then = [](TMessage&) { throw Exception("boom"); };
    Dispatcher->AddHandler(MsgA, thrower.Event());
    Dispatcher->AddHandler(MsgA, after.Event());
    EXPECT_EQ(Send(MsgA), 0);
    SetExceptionHandler(nullptr);
    EXPECT_EQ(shown, (std::vector<AnsiString>{"boom"}));
    EXPECT_EQ(WindowLog(), (Log{"thrower:A"}));

    Dispatcher->DeleteHandler(MsgA, thrower.Event());
    EXPECT_EQ(Dispatcher->HandlerCount(MsgA), 1);
    WindowLog().clear();
    Send(MsgA);
    EXPECT_EQ(WindowLog(), (Log{"after:A", "wnd:A"}));
}

}  // namespace
