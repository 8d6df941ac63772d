// The object-instance service: a bound method made into a real window procedure.
#include "UiFixture.h"

namespace {

struct TReceiver {
    TMessage Last;
    int Calls = 0;
    bool Raise = false;
    void Handle(TMessage& message) {
        Last = message;
        ++Calls;
        if (Raise) throw Exception("受け取れません");
        message.Result = static_cast<LRESULT>(message.WParam + message.LParam);
    }
};

// A procedure made for a test, freed at the end also when a check ends the test early.
struct TMadeProcedure {
    WNDPROC Proc;
    ~TMadeProcedure() { FreeObjectInstance(Proc); }
};

class ObjectInstanceTest : public UiTest {};

TEST_F(ObjectInstanceTest, ProcedurePacksTheMessageAndReturnsItsResult) {
    TReceiver receiver;
    int before = ObjectInstanceCount();
    WNDPROC proc = MakeObjectInstance(TWndMethod::Bind<&TReceiver::Handle>(&receiver));
    EXPECT_EQ(ObjectInstanceCount(), before + 1);

    // Full pointer-sized parameters arrive unchanged.
    const WPARAM w = static_cast<WPARAM>(0x12345678u);
    const LPARAM l = static_cast<LPARAM>(-5);
    EXPECT_EQ(CallWindowProcW(proc, nullptr, WM_USER + 7, w, l), static_cast<LRESULT>(w + l));
    EXPECT_EQ(receiver.Last.Msg, WM_USER + 7u);
    EXPECT_EQ(receiver.Last.WParam, w);
    EXPECT_EQ(receiver.Last.LParam, l);
    EXPECT_EQ(receiver.Last.Result, 0);  // the record starts with Result 0

    FreeObjectInstance(proc);
    EXPECT_EQ(ObjectInstanceCount(), before);
}

TEST_F(ObjectInstanceTest, ProcedureServesARealWindow) {
    TReceiver receiver;
    const TMadeProcedure made{MakeObjectInstance(TWndMethod::Bind<&TReceiver::Handle>(&receiver))};
    const WNDPROC proc = made.Proc;
    UniqueWindow window(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    EXPECT_EQ(SendMessageW(window.get(), WM_USER, 2, 3), 5);
    EXPECT_EQ(receiver.Calls, 1);
    SetWindowLongPtrW(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
}

TEST_F(ObjectInstanceTest, ExceptionGoesToTheDisplayAndTheProcedureAnswersZero) {
    TReceiver receiver;
    receiver.Raise = true;
    const TMadeProcedure made{MakeObjectInstance(TWndMethod::Bind<&TReceiver::Handle>(&receiver))};
    EXPECT_EQ(CallWindowProcW(made.Proc, nullptr, WM_USER, 2, 3), 0);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "受け取れません.");
}

}  // namespace
