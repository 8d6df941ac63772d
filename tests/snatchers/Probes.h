#pragma once
// What the snatcher tests share: a plain test window that records the messages its own window
// procedure receives, message handlers that record their calls in the same log, and a check that
// no window procedure made by the object-instance service outlives a test.
#include "ovk/Snatchers.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace snatchers_test {

// Messages the tests send; the test window answers each with 1000 + its offset from WM_APP.
constexpr UINT MsgA = WM_APP + 1;
constexpr UINT MsgB = WM_APP + 2;
constexpr UINT MsgC = WM_APP + 3;
constexpr LRESULT WindowAnswer(UINT msg) { return 1000 + static_cast<LRESULT>(msg - WM_APP); }

// Only the messages the tests send, and WM_DESTROY, are recorded: a window gets many others.
inline bool Recorded(UINT msg) { return (msg >= MsgA && msg <= MsgC) || msg == WM_DESTROY; }

// One line per call: "<who>:<message>", with "wnd" for the test window's own procedure.
using Log = std::vector<std::string>;
std::string Entry(const std::string& who, UINT msg);

// The log the test window writes to (one test at a time).
Log& WindowLog();
// The test window class's own procedure, the one every subclass chain ends in.
WNDPROC TestWindowProc();
// A hidden top-level window of the test class; the test fails at once when there is none.
HWND CreateTestWindow();

// A message handler that records its calls and then does what the test asks.
struct Probe {
    Probe() = default;
    Probe(std::string name, Log* calls, bool setHandled = false)
        : Name(std::move(name)), Calls(calls), SetHandled(setHandled) {}

    std::string Name;
    Log* Calls = nullptr;
    bool SetHandled = false;
    std::function<void(TMessage&)> Then;  // runs after the call is recorded
    std::vector<TObject*> Senders;

    void Handle(TObject* Sender, TMessage& Message, bool& Handled) {
        Senders.push_back(Sender);
        if (Calls && Recorded(Message.Msg)) Calls->push_back(Entry(Name, Message.Msg));
        if (SetHandled) Handled = true;
        if (Then) Then(Message);
    }
    Ovk::TMessageEvent Event() { return Ovk::TMessageEvent::Bind<&Probe::Handle>(this); }
};

// Expects that no procedure made by the object-instance service is left at the end of the test.
class SnatcherTest : public testing::Test {
protected:
    void SetUp() override {
        FInstancesBefore = ObjectInstanceCount();
        WindowLog().clear();
    }
    void TearDown() override { EXPECT_EQ(ObjectInstanceCount(), FInstancesBefore) << "window procedures left alive"; }

private:
    int FInstancesBefore = 0;
};

}  // namespace snatchers_test
