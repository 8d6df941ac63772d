// The snatcher user base, bound to snatchers and to controls over a real form.
#include "Forms.h"

#include "classlib/core/Exceptions.h"

using namespace Ovk;
using namespace snatchers_test;

namespace {

// A snatcher user that handles MsgA (and WM_DESTROY when asked), records its calls as
// "<name>:..." and its activations as "<name>:on(<handle>)" / "<name>:off(<handle>)".
class TProbeUser : public TSnatcherUser {
public:
    TProbeUser(TComponent* owner, std::string name, bool handlesDestroy = false)
        : TSnatcherUser(owner), Name(std::move(name)), HandlesDestroy(handlesDestroy) {}
    ~TProbeUser() override { SetActive(false); }

    std::string Name;
    bool HandlesDestroy;
    bool HandledFlag = false;
    std::function<void()> OnA;  // runs inside the MsgA handler
    std::vector<std::pair<bool, HWND>> Activations;
    // What the WM_DESTROY handler saw of the component's state.
    bool ActiveAtDestroy = true;
    bool BoundAtDestroy = true;

    using TSnatcherUser::GetDispatcher;
    using TSnatcherUser::GetHandle;

    void HandleA(TObject*, TMessage& m, bool& handled) {
        WindowLog().push_back(Entry(Name, m.Msg));
        handled = HandledFlag;
        if (OnA) OnA();
    }
    void HandleDestroy(TObject*, TMessage& m, bool&) {
        WindowLog().push_back(Entry(Name, m.Msg));
        ActiveAtDestroy = Active();
        BoundAtDestroy = MessageSnatcher() || Control();
    }

protected:
    void DefineHandlers() override {
        DefineHandler(MsgA, TMessageEvent::Bind<&TProbeUser::HandleA>(this));
        if (HandlesDestroy) DefineHandler(WM_DESTROY, TMessageEvent::Bind<&TProbeUser::HandleDestroy>(this));
    }
    void DoActivate(bool value) override {
        Activations.push_back({value, GetHandle()});
        TSnatcherUser::DoActivate(value);
    }
};

class SnatcherUserTest : public FormTest {
protected:
    // A user made as a form file makes it: properties set while loading, then Loaded.
    TProbeUser* LoadUser(const std::string& name, TCustomMessageSnatcher* snatcher, TWinControl* control,
                         bool active, bool handlesDestroy = false) {
        auto* user = new TProbeUser(Form.get(), name, handlesDestroy);
        user->BeginLoading();
        if (snatcher) user->SetSnatcher(snatcher);
        if (control) user->SetControl(control);
        user->SetActive(active);
        user->EndReading();
        user->Loaded();
        return user;
    }
    TControlMessageSnatcher* SnatcherOnBox() {
        auto* s = new TControlMessageSnatcher(Form.get());
        s->SetControl(Box);
        return s;
    }
    void SendA(TWinControl* c) {
        WindowLog().clear();
        SendMessageA(c->Handle(), MsgA, 0, 0);
    }
};

TEST_F(SnatcherUserTest, ActivationAndBindingErrors) {
    TProbeUser* user = LoadUser("u", nullptr, nullptr, false);
    try {
        user->SetActive(true);
        ADD_FAILURE() << "activated without binding";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "MessageSnatcher か Control を設定して下さい.");
    }
    EXPECT_FALSE(user->Active());
    EXPECT_TRUE(user->Activations.empty());

    // A control whose window cannot be made (it has no parent): the component stays off.
    TWinControl orphan(nullptr);
    user->SetControl(&orphan);
    EXPECT_THROW(user->SetActive(true), Exception);
    EXPECT_FALSE(user->Active());
    EXPECT_TRUE(user->Activations.empty());
    user->SetControl(nullptr);

    TControlMessageSnatcher* snatcher = SnatcherOnBox();
    user->SetControl(Box);
    user->SetActive(true);
    user->SetActive(true);  // no change: DoActivate is not called again
    EXPECT_EQ(user->Activations.size(), 1u);
    for (auto set : {+[](TProbeUser* u, TControlMessageSnatcher* s, TWinControl*) { u->SetSnatcher(s); },
                     +[](TProbeUser* u, TControlMessageSnatcher*, TWinControl* c) { u->SetControl(c); },
                     +[](TProbeUser* u, TControlMessageSnatcher*, TWinControl*) { u->SetControl(nullptr); }}) {
        try {
            set(user, snatcher, Box);
            ADD_FAILURE() << "rebound while active";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "コンポーネントがアクティブです.");
        }
        EXPECT_EQ(user->Control(), Box);
    }
    user->SetActive(false);

    // One binding at a time.
    user->SetSnatcher(snatcher);
    EXPECT_EQ(user->Control(), nullptr);
    user->SetControl(Box);
    EXPECT_EQ(user->MessageSnatcher(), nullptr);
    user->SetSnatcher(nullptr);
    EXPECT_EQ(user->Control(), nullptr);
}

TEST_F(SnatcherUserTest, LoadedActiveWithoutBindingCallsDoActivateWithoutWindow) {
    TProbeUser* user = LoadUser("u", nullptr, nullptr, true);
    EXPECT_TRUE(user->Active());
    EXPECT_EQ(user->Activations, (std::vector<std::pair<bool, HWND>>{{true, nullptr}}));
}

// Several users share a snatcher; switching one off withdraws its handlers and destroy hook only.
TEST_F(SnatcherUserTest, SnatcherBindingRegistersWhileActive) {
    TControlMessageSnatcher* snatcher = SnatcherOnBox();
    TProbeUser* u1 = LoadUser("u1", snatcher, nullptr, true);
    TProbeUser* u2 = LoadUser("u2", nullptr, nullptr, false);
    u2->SetSnatcher(snatcher);
    u2->SetActive(true);
    EXPECT_EQ(u2->Activations, (std::vector<std::pair<bool, HWND>>{{true, Box->Handle()}}));
    SendA(Box);
    EXPECT_EQ(WindowLog(), (Log{"u1:A", "u2:A"}));

    u1->SetActive(false);
    SendA(Box);
    EXPECT_EQ(WindowLog(), (Log{"u2:A"}));
    EXPECT_EQ(snatcher->Dispatcher()->HandlerCount(MsgA), 1);
    EXPECT_EQ(snatcher->Dispatcher()->HandlerCount(WM_DESTROY), 1);
}

// WM_DESTROY of the bound window, for both kinds of binding: DoActivate(false) once while the
// window is still there, the component inactive and unbound, a derived destroy handler after
// the hook, and the previous procedure still gets WM_DESTROY.
TEST_F(SnatcherUserTest, DestroyOfTheBoundWindow) {
    for (bool viaSnatcher : {true, false}) {
        SCOPED_TRACE(viaSnatcher);
        WatchPreviousProcedure(Box->Handle());
        TControlMessageSnatcher* snatcher = viaSnatcher ? SnatcherOnBox() : nullptr;
        TProbeUser* user = LoadUser("u", snatcher, viaSnatcher ? nullptr : Box, true, true);
        const HWND wnd = Box->Handle();
        WindowLog().clear();
        Box->DestroyHandle();
        EXPECT_EQ(user->Activations, (std::vector<std::pair<bool, HWND>>{{true, wnd}, {false, wnd}}));
        EXPECT_FALSE(user->Active());
        EXPECT_EQ(user->MessageSnatcher(), nullptr);
        EXPECT_EQ(user->Control(), nullptr);
        EXPECT_FALSE(user->ActiveAtDestroy);
        EXPECT_FALSE(user->BoundAtDestroy);
        EXPECT_EQ(WindowLog(), (Log{"u:destroy", "wnd:destroy"}));
        delete user;
        delete snatcher;
    }
}

TEST_F(SnatcherUserTest, ControlBindingLoadedActiveSubclassesTheControl) {
    TProbeUser* user = LoadUser("u", nullptr, Box, true);
    ASSERT_TRUE(Box->HandleAllocated());
    SendA(Box);
    EXPECT_EQ(WindowLog(), (Log{"u:A"}));
    user->SetActive(false);
    SendA(Box);
    EXPECT_EQ(WindowLog(), Log{});
}

// Switched on only after loading, and on and off again: the handlers run once per message.
TEST_F(SnatcherUserTest, ControlBindingSwitchedOnAfterLoadingRegistersOnce) {
    TProbeUser* user = LoadUser("u", nullptr, Box, false);
    for (int round = 0; round < 3; ++round) {
        user->SetActive(true);
        SendA(Box);
        EXPECT_EQ(WindowLog(), (Log{"u:A"})) << round;
        EXPECT_EQ(user->GetDispatcher()->HandlerCount(MsgA), 1);
        EXPECT_EQ(user->GetDispatcher()->HandlerCount(WM_DESTROY), 1);
        user->SetActive(false);
    }
    // Also after the window was destroyed and made again, with the binding set anew.
    user->SetActive(true);
    Box->RecreateWnd();
    EXPECT_FALSE(user->Active());
    user->SetControl(Box);
    user->SetActive(true);
    SendA(Box);
    EXPECT_EQ(WindowLog(), (Log{"u:A"}));
}

// No registration outlives the component, and binding again does not double them.
TEST_F(SnatcherUserTest, RegistrationsInASnatcherNeverOutliveTheUser) {
    TControlMessageSnatcher* snatcher = SnatcherOnBox();
    TMessageEventDispatcher* d = snatcher->Dispatcher();
    TProbeUser* user = LoadUser("u", snatcher, nullptr, true, true);

    // The window goes; the snatcher gets another one. The inactive user hears nothing of it.
    Box->DestroyHandle();
    snatcher->SetControl(Box);
    SendA(Box);
    EXPECT_EQ(WindowLog(), Log{});
    EXPECT_EQ(d->HandlerCount(MsgA), 0);

    // Bound to the same snatcher again: one registration of each.
    user->SetSnatcher(snatcher);
    user->SetActive(true);
    EXPECT_EQ(d->HandlerCount(MsgA), 1);
    EXPECT_EQ(d->HandlerCount(WM_DESTROY), 2);  // the hook and the user's own destroy handler
    SendA(Box);
    EXPECT_EQ(WindowLog(), (Log{"u:A"}));

    // Destroyed while active, or after the destroy hook: nothing is left in the dispatcher.
    delete user;
    EXPECT_EQ(d->HandlerCount(MsgA), 0);
    EXPECT_EQ(d->HandlerCount(WM_DESTROY), 0);
    TProbeUser* later = LoadUser("later", snatcher, nullptr, true, true);
    Box->DestroyHandle();
    delete later;
    EXPECT_EQ(d->HandlerCount(WM_DESTROY), 0);
    delete snatcher;  // its WM_DESTROY reaches no one
}

// What the destroy hook leaves in a snatcher's dispatcher cannot reach the component once it is
// bound elsewhere: the window of the snatcher's next control goes, the component stays on.
TEST_F(SnatcherUserTest, LeftoversInAnEarlierSnatcherDoNotReachTheUser) {
    TControlMessageSnatcher* snatcher = SnatcherOnBox();
    TProbeUser* user = LoadUser("u", snatcher, nullptr, true, true);
    Box->DestroyHandle();
    ASSERT_FALSE(user->Active());

    auto* ctrl = new TWinControl(Form.get());
    ctrl->SetParent(Form.get());
    user->SetControl(ctrl);
    user->SetActive(true);
    EXPECT_EQ(snatcher->Dispatcher()->HandlerCount(WM_DESTROY), 0);
    snatcher->SetControl(Box);
    Box->DestroyHandle();
    EXPECT_TRUE(user->Active());
    EXPECT_EQ(user->Control(), ctrl);
    SendA(ctrl);
    EXPECT_EQ(WindowLog(), (Log{"u:A"}));
}

// An owner other than the form frees the user before the control: the control is already marked
// as being destroyed, so the user's subclass leaves its procedure in place, but the window lives
// on until the control goes and must not reach the released procedure then.
TEST_F(SnatcherUserTest, UserFreedBeforeItsDyingControl) {
    auto* owner = new TComponent(nullptr);
    auto* ctrl = new TWinControl(owner);
    ctrl->SetParent(Form.get());
    TProbeUser* user = new TProbeUser(owner, "u");  // freed first: owners free the last one first
    user->Loaded();
    user->SetControl(ctrl);
    user->SetActive(true);
    const HWND wnd = ctrl->Handle();
    delete owner;
    EXPECT_FALSE(IsWindow(wnd));
}

// The snatcher or control of the binding goes away: the binding is cleared, active or not.
TEST_F(SnatcherUserTest, BindingIsClearedWhenItsComponentGoes) {
    struct Case { bool viaSnatcher, active; };
    for (Case c : {Case{true, true}, Case{true, false}, Case{false, false}, Case{false, true}}) {
        SCOPED_TRACE(testing::Message() << c.viaSnatcher << c.active);
        auto* ctrl = new TWinControl(Form.get());
        ctrl->SetParent(Form.get());
        TControlMessageSnatcher* snatcher = nullptr;
        if (c.viaSnatcher) {
            snatcher = new TControlMessageSnatcher(Form.get());
            snatcher->SetControl(ctrl);
        }
        TProbeUser* user = LoadUser("u", snatcher, c.viaSnatcher ? nullptr : ctrl, c.active);
        if (c.viaSnatcher) delete snatcher;
        else delete ctrl;
        EXPECT_FALSE(user->Active());
        EXPECT_EQ(user->MessageSnatcher(), nullptr);
        EXPECT_EQ(user->Control(), nullptr);
        EXPECT_EQ(user->GetHandle(), nullptr);
        if (c.viaSnatcher) delete ctrl;
        delete user;
    }
}

// A user that switches itself off from within its own handler: the other users of the snatcher
// still get the message, and a control-bound user's control still gets it too.
TEST_F(SnatcherUserTest, UserSwitchedOffInsideItsOwnHandler) {
    TControlMessageSnatcher* snatcher = SnatcherOnBox();
    TProbeUser* quitter = LoadUser("quitter", snatcher, nullptr, true);
    TProbeUser* stayer = LoadUser("stayer", snatcher, nullptr, true);
    quitter->OnA = [&] { quitter->SetActive(false); };
    SendA(Box);
    EXPECT_EQ(WindowLog(), (Log{"quitter:A", "stayer:A"}));
    SendA(Box);
    EXPECT_EQ(WindowLog(), (Log{"stayer:A"}));
    EXPECT_FALSE(quitter->Active());
    EXPECT_TRUE(stayer->Active());

    auto* ctrl = new TWinControl(Form.get());
    ctrl->SetParent(Form.get());
    WatchPreviousProcedure(ctrl->Handle());
    TProbeUser* own = LoadUser("own", nullptr, ctrl, true);
    own->OnA = [&] { own->SetActive(false); };
    SendA(ctrl);
    EXPECT_EQ(WindowLog(), (Log{"own:A", "wnd:A"}));
    SendA(ctrl);
    EXPECT_EQ(WindowLog(), (Log{"wnd:A"}));
}

}  // namespace
