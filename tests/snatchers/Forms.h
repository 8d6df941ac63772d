#pragma once
// A form with one windowed control on it, for the snatcher and snatcher user tests, and a way to
// watch what reaches a window's previous procedure.
#include "Probes.h"

#include "classlib/ui/Form.h"

#include <memory>

namespace snatchers_test {

// A form that is a TCustomForm but not a TForm.
class TBareForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

class FormTest : public SnatcherTest {
protected:
    void SetUp() override {
        SnatcherTest::SetUp();
        Form = std::make_unique<TForm>(nullptr);
        Box = new TWinControl(Form.get());  // owned and freed by the form
        Box->SetBounds(10, 10, 100, 50);
        Box->SetParent(Form.get());
    }
    void TearDown() override {
        Below.clear();
        Form.reset();
        SnatcherTest::TearDown();
    }

    // Installs a recording subclass on the window before anything else snatches it: what it
    // records ("<name>:..." entries) is what reaches the snatched window's previous procedure.
    void WatchPreviousProcedure(HWND wnd, const std::string& name = "wnd") {
        ASSERT_NE(wnd, nullptr);
        auto probe = std::make_unique<Probe>();
        probe->Name = name;
        probe->Calls = &WindowLog();
        auto sub = std::make_unique<Ovk::TWindowSubclass>();
        sub->SetOnMessage(probe->Event());
        sub->SetHandle(wnd);
        Below.push_back({std::move(probe), std::move(sub)});
    }

    std::unique_ptr<TForm> Form;
    TWinControl* Box = nullptr;

private:
    struct Watcher {
        std::unique_ptr<Probe> P;
        std::unique_ptr<Ovk::TWindowSubclass> S;
    };
    std::vector<Watcher> Below;
};

}  // namespace snatchers_test
