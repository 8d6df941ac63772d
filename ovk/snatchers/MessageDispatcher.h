#pragma once
// The message event and the dispatcher that keeps, per message number, the handlers to call.
#include "classlib/core/CallFrames.h"
#include "classlib/core/ObjectInstance.h"

#include <functional>
#include <unordered_map>
#include <vector>

namespace Ovk {

// A message handler: called as handler(Sender, Message, Handled). Every message handler of the
// library has this type.
using TMessageEvent = TEvent<TObject*, TMessage&, bool&>;

// Per message number, the handlers in the order of their registration. The same handler may be
// registered several times and then runs as often.
//
// The lists may change while they are being walked (a component switched on or off from within
// its own handler, a handler that sends a message to the same window): a handler added during a
// dispatch first runs in the next one, a handler withdrawn during a dispatch before its turn
// does not run, and the dispatcher may even be destroyed by one of its handlers.
class TMessageEventDispatcher : public TObject {
    ZL_CLASS(TMessageEventDispatcher)
public:
    TMessageEventDispatcher() = default;
    ~TMessageEventDispatcher() override;

    void AddHandler(unsigned int Msg, TMessageEvent Handler);
    // Withdraws every registration of Handler (same object and method) for Msg.
    void DeleteHandler(unsigned int Msg, TMessageEvent Handler);
    // Calls every handler of Message.Msg with the dispatcher as Sender, each with a fresh flag;
    // Handled becomes true when any of them set its flag and is never made false.
    void DispatchEvent(TObject* Sender, TMessage& Message, bool& Handled);

    // For a handler that holds something every handler of the message may still read (a drop
    // block, for one): Action runs when the dispatch calling the handler ends, after the last
    // handler of the message or when one raises, and also when a handler destroyed the
    // dispatcher. An exception from Action goes to the exception display. Returns false, and
    // keeps nothing, when no dispatch is in progress.
    bool RunAfterDispatch(std::function<void()> Action);

    // How many registrations Msg has now.
    int HandlerCount(unsigned int Msg) const;

private:
    struct THandlerList {
        // Entries withdrawn while the list is walked are blanked, not erased, so that the walks
        // keep their places; the list is compacted when the last walk ends.
        std::vector<TMessageEvent> Items;
        int Walks = 0;
        bool HasBlanks = false;
        void Compact();
    };
    // A dispatch in progress, with what is to run when it ends. The destructor marks them all, so
    // that a dispatch whose handler destroyed the dispatcher leaves without touching it again.
    struct TWalk : TCallFrame {
        std::vector<std::function<void()>> After;  // RunAfterDispatch, in the order asked
        void RunAfter();
    };

    // Entries are made on registration only: messages that nobody handles (a window receives
    // many, and other processes may send any number) leave no trace.
    std::unordered_map<unsigned int, THandlerList> FHandlers;
    TCallFrames<TWalk> FWalks;
};

}  // namespace Ovk
