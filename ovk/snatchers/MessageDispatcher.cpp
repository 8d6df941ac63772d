#include "MessageDispatcher.h"

#include "classlib/core/Exceptions.h"

#include <algorithm>

namespace Ovk {

TClass TMessageEventDispatcher::StaticClass() {
    static const TClassInfo info = ClassBuilder<TMessageEventDispatcher, TObject>("TMessageEventDispatcher").Build();
    return &info;
}

// Runs when the walk is over; the walk lives on the stack of the dispatch, so that it outlasts a
// dispatcher destroyed by a handler.
void TMessageEventDispatcher::TWalk::RunAfter() {
    for (std::function<void()>& action : After) {
        try {
            action();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
}

TMessageEventDispatcher::~TMessageEventDispatcher() { FWalks.MarkObjectGone(); }

void TMessageEventDispatcher::THandlerList::Compact() {
    std::erase_if(Items, [](const TMessageEvent& e) { return !e; });
    HasBlanks = false;
}

void TMessageEventDispatcher::AddHandler(unsigned int Msg, TMessageEvent Handler) {
    FHandlers[Msg].Items.push_back(Handler);
}

void TMessageEventDispatcher::DeleteHandler(unsigned int Msg, TMessageEvent Handler) {
    auto it = FHandlers.find(Msg);
    if (it == FHandlers.end()) return;
    THandlerList& list = it->second;
    if (list.Walks == 0) {
        std::erase(list.Items, Handler);
        return;
    }
    for (TMessageEvent& e : list.Items)
        if (e == Handler) {
            e = TMessageEvent();
            list.HasBlanks = true;
        }
}

bool TMessageEventDispatcher::RunAfterDispatch(std::function<void()> Action) {
    // The innermost walk is the one calling the handler: a dispatch that a handler starts has
    // ended by the time that handler goes on.
    if (!FWalks.Innermost()) return false;
    FWalks.Innermost()->After.push_back(std::move(Action));
    return true;
}

int TMessageEventDispatcher::HandlerCount(unsigned int Msg) const {
    auto it = FHandlers.find(Msg);
    if (it == FHandlers.end()) return 0;
    return static_cast<int>(std::count_if(it->second.Items.begin(), it->second.Items.end(),
                                          [](const TMessageEvent& e) { return bool(e); }));
}

void TMessageEventDispatcher::DispatchEvent(TObject*, TMessage& Message, bool& Handled) {
    auto found = FHandlers.find(Message.Msg);
    if (found == FHandlers.end() || found->second.Items.empty()) return;
    // The map's nodes stay where they are when other entries are added, so the list may be held
    // by reference across the handlers' calls.
    THandlerList& list = found->second;

    // Ends the walk however the loop is left (an exception from a handler included): the list's
    // walk count, unless a handler destroyed the dispatcher, list and all; then what was asked to
    // run after the dispatch.
    struct WalkScope {
        THandlerList& List;
        TCallFrames<TWalk>::Scope Walk;
        WalkScope(TMessageEventDispatcher* self, THandlerList& list) : List(list), Walk(self->FWalks) { ++List.Walks; }
        ~WalkScope() {
            if (!Walk.ObjectGone() && --List.Walks == 0 && List.HasBlanks) List.Compact();
            Walk.End();
            Walk.Call.RunAfter();
        }
    } scope(this, list);

    // Handlers appended during the walk lie beyond this count and wait for the next message.
    const std::size_t count = list.Items.size();
    for (std::size_t i = 0; i < count; ++i) {
        const TMessageEvent handler = list.Items[i];  // a copy: the list may grow during the call
        if (!handler) continue;
        bool flag = false;
        handler(this, Message, flag);
        Handled = Handled || flag;
        if (scope.Walk.ObjectGone()) return;
    }
}

}  // namespace Ovk
