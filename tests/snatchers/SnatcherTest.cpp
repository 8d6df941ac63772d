// The message snatchers over a real form and control.
#include "Forms.h"

#include "classlib/core/Exceptions.h"

using namespace Ovk;
using namespace snatchers_test;

namespace {

using MessageSnatcherTest = FormTest;

// The path of a message through an enabled or disabled snatcher: registered handlers, then
// OnMessage for what they did not take, then the previous procedure for what nobody handled.
TEST_F(MessageSnatcherTest, HandlersThenOnMessageThenThePreviousProcedure) {
    struct Case {
        bool enabled, handlerHandles, onMessageAssigned, onMessageHandles;
        Log expected;
    };
    const Case cases[] = {
        {true, false, false, false, {"h1:A", "h2:A", "wnd:A"}},
        {true, false, true, false, {"h1:A", "h2:A", "on:A", "wnd:A"}},
        {true, false, true, true, {"h1:A", "h2:A", "on:A"}},
        {true, true, true, false, {"h1:A", "h2:A"}},
        {false, true, true, true, {"wnd:A"}},
    };
    WatchPreviousProcedure(Form->Handle());
    TFormMessageSnatcher* snatcher = new TFormMessageSnatcher(Form.get());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enabled << c.handlerHandles << c.onMessageAssigned << c.onMessageHandles);
        TMessageEventDispatcher* d = snatcher->Dispatcher();
        Probe h1{"h1", &WindowLog(), c.handlerHandles}, h2{"h2", &WindowLog()}, on{"on", &WindowLog(), c.onMessageHandles};
        d->AddHandler(MsgA, h1.Event());
        d->AddHandler(MsgA, h2.Event());
        snatcher->SetEnabled(c.enabled);
        snatcher->SetOnMessage(c.onMessageAssigned ? on.Event() : TMessageEvent());
        WindowLog().clear();
        SendMessageA(Form->Handle(), MsgA, 0, 0);
        EXPECT_EQ(WindowLog(), c.expected);
        if (!on.Senders.empty()) {
            EXPECT_EQ(on.Senders[0], snatcher->Subclass());
        }
        d->DeleteHandler(MsgA, h1.Event());
        d->DeleteHandler(MsgA, h2.Event());
        snatcher->SetOnMessage({});
    }
}

TEST_F(MessageSnatcherTest, FormSnatcherMakesAndTakesTheFormWindow) {
    ASSERT_FALSE(Form->HandleAllocated());
    TFormMessageSnatcher* snatcher = new TFormMessageSnatcher(Form.get());
    ASSERT_TRUE(Form->HandleAllocated());
    EXPECT_EQ(snatcher->Subclass()->Handle(), Form->Handle());
    EXPECT_EQ(snatcher->Owner(), Form.get());

    // A form that is no TForm is a form all the same.
    TBareForm bare(nullptr);
    TFormMessageSnatcher onBare(&bare);
    EXPECT_EQ(onBare.Subclass()->Handle(), bare.Handle());
}

TEST_F(MessageSnatcherTest, OwnerErrors) {
    TComponent notAForm(nullptr);
    TBareForm bare(nullptr);
    TForm normal(nullptr);
    struct Case {
        const char* what;
        TComponent* owner;
        bool mdi;
        const char* message;
    };
    const Case cases[] = {
        {"form snatcher, no owner", nullptr, false, "オーナーがフォームではありません."},
        {"form snatcher, component", &notAForm, false, "オーナーがフォームではありません."},
        {"MDI snatcher, component", &notAForm, true, "オーナーがフォームではありません."},
        {"MDI snatcher, TCustomForm", &bare, true, "オーナーがフォームではありません."},
        {"MDI snatcher, normal form", &normal, true, "フォームは MDIForm ではありません."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = c.owner ? c.owner->ComponentCount() : 0;
        try {
            if (c.mdi) new TMDIFormClientMessageSnatcher(c.owner);
            else new TFormMessageSnatcher(c.owner);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        // No snatcher results: nothing is left with the owner.
        if (c.owner) {
            EXPECT_EQ(c.owner->ComponentCount(), before);
        }
    }
}

TEST_F(MessageSnatcherTest, MdiClientSnatcherTakesTheClientWindowOnlyIfItExists) {
    Form->SetFormStyle(fsMDIForm);
    // No window yet: nothing is made, nothing is taken.
    auto* early = new TMDIFormClientMessageSnatcher(Form.get());
    EXPECT_FALSE(Form->HandleAllocated());
    EXPECT_EQ(early->Subclass()->Handle(), nullptr);

    Form->HandleNeeded();
    ASSERT_NE(Form->ClientHandle(), nullptr);
    auto* snatcher = new TMDIFormClientMessageSnatcher(Form.get());
    EXPECT_EQ(snatcher->Subclass()->Handle(), Form->ClientHandle());
    Probe p{"client", &WindowLog(), true};
    snatcher->Dispatcher()->AddHandler(MsgB, p.Event());
    SendMessageA(Form->ClientHandle(), MsgB, 0, 0);
    EXPECT_EQ(WindowLog(), (Log{"client:B"}));
}

TEST_F(MessageSnatcherTest, ControlSnatcherFollowsItsControl) {
    auto* snatcher = new TControlMessageSnatcher(Form.get());
    EXPECT_EQ(snatcher->Subclass()->Handle(), nullptr);
    ASSERT_FALSE(Box->HandleAllocated());
    snatcher->SetControl(Box);  // makes the control's window (and the form's)
    ASSERT_TRUE(Box->HandleAllocated());
    EXPECT_EQ(snatcher->Subclass()->Handle(), Box->Handle());
    EXPECT_EQ(snatcher->Subclass()->WinControl(), Box);

    Probe p{"p", &WindowLog(), true};
    snatcher->Dispatcher()->AddHandler(MsgA, p.Event());
    snatcher->SetControl(Box);  // given back and taken again
    SendMessageA(Box->Handle(), MsgA, 0, 0);
    EXPECT_EQ(WindowLog(), (Log{"p:A"}));

    snatcher->SetControl(nullptr);
    EXPECT_EQ(snatcher->Subclass()->Handle(), nullptr);
    WindowLog().clear();
    SendMessageA(Box->Handle(), MsgA, 0, 0);
    EXPECT_EQ(WindowLog(), Log{});
}

// The control goes away, owned by the snatcher's owner or by another: Control becomes none.
TEST_F(MessageSnatcherTest, ControlDestroyedLeavesTheSnatcherWithoutWindow) {
    for (bool sameOwner : {true, false}) {
        SCOPED_TRACE(sameOwner);
        TComponent otherOwner(nullptr);
        auto* ctrl = new TWinControl(sameOwner ? static_cast<TComponent*>(Form.get()) : &otherOwner);
        ctrl->SetParent(Form.get());
        auto* snatcher = new TControlMessageSnatcher(Form.get());
        snatcher->SetControl(ctrl);
        delete ctrl;
        EXPECT_EQ(snatcher->Control(), nullptr);
        EXPECT_EQ(snatcher->Subclass()->Handle(), nullptr);
        delete snatcher;
    }
}

// A handler frees the snatcher that called it: neither OnMessage nor anything else of the freed
// snatcher is reached, and the window goes on with its previous procedure.
TEST_F(MessageSnatcherTest, HandlerThatFreesItsSnatcher) {
    WatchPreviousProcedure(Form->Handle());
    for (bool handled : {false, true}) {
        SCOPED_TRACE(handled);
        auto* snatcher = new TFormMessageSnatcher(Form.get());
        Probe freeing{"free", &WindowLog(), handled}, later{"later", &WindowLog()}, on{"on", &WindowLog()};
        freeing.Then = [&snatcher](TMessage&) {
            delete snatcher;
            snatcher = nullptr;
        };
        snatcher->Dispatcher()->AddHandler(MsgA, freeing.Event());
        snatcher->Dispatcher()->AddHandler(MsgA, later.Event());
        snatcher->SetOnMessage(on.Event());
        WindowLog().clear();
        SendMessageA(Form->Handle(), MsgA, 0, 0);
        EXPECT_EQ(snatcher, nullptr);
        EXPECT_EQ(WindowLog(), (handled ? Log{"free:A"} : Log{"free:A", "wnd:A"}));
        WindowLog().clear();
        SendMessageA(Form->Handle(), MsgA, 0, 0);
        EXPECT_EQ(WindowLog(), Log{"wnd:A"});
    }
}

TEST_F(MessageSnatcherTest, PublishedProperties) {
    struct Case { TClass cls; std::vector<const char*> names; };
    const Case cases[] = {
        {TFormMessageSnatcher::StaticClass(), {"Enabled", "OnMessage"}},
        {TMDIFormClientMessageSnatcher::StaticClass(), {"Enabled", "OnMessage"}},
        {TControlMessageSnatcher::StaticClass(), {"Enabled", "OnMessage", "Control"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetClass(c.cls->Name), c.cls);
        for (const char* name : c.names) EXPECT_NE(c.cls->FindProperty(name), nullptr) << c.cls->Name << "." << name;
    }
    const TPropInfo* enabled = TControlMessageSnatcher::StaticClass()->FindProperty("Enabled");
    EXPECT_TRUE(enabled->HasDefault);
    EXPECT_EQ(enabled->Default, 1);
}

TEST_F(MessageSnatcherTest, NotificationProxyForwardsRemovalNotices) {
    struct Seen {
        std::vector<std::pair<TComponent*, TOperation>> Calls;
        void On(TComponent* c, TOperation op) { Calls.push_back({c, op}); }
    } seen;
    TNotificationProxy proxy;
    proxy.SetOnNotification(TNotificationEvent::Bind<&Seen::On>(&seen));
    auto* watched = new TComponent(nullptr);
    watched->FreeNotification(&proxy);
    delete watched;
    ASSERT_EQ(seen.Calls.size(), 1u);
    EXPECT_EQ(seen.Calls[0].first, watched);
    EXPECT_EQ(seen.Calls[0].second, opRemove);
}

}  // namespace
