#pragma once
// The application: its title, its forms (the first one made becomes the main form), the message
// loop that runs until the main form closes, keyboard shortcuts, and the exception display that
// shows what escapes a window procedure, an event or a timer.
#include "classlib/ui/Form.h"
#include <exception>
#include <memory>
#include <utility>

using TExceptionEvent = TEvent<TObject*, const std::exception_ptr&>;

class TApplication : public TComponent {
    ZL_CLASS(TApplication)
public:
    // The first application made becomes the global Application and the exception display.
    explicit TApplication(TComponent* owner = nullptr);
    ~TApplication() override;

    void Initialize();
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& title);
    // The application's own hidden window, made on first use.
    HWND Handle();

    TCustomForm* MainForm() const { return FMainForm; }

    // Makes a form of class T owned by the application, stores it in reference before its
    // layout is read and OnCreate runs (so handlers may use it), and makes the first one the
    // main form.
    template <class T, class... Args>
    void CreateForm(T*& reference, Args&&... args) {
        std::unique_ptr<T> form(new T(this, std::forward<Args>(args)...));
        reference = form.get();
        try {
            form->AfterConstruction();
        } catch (...) {
            reference = nullptr;
            throw;
        }
        form.release();
        if (!FMainForm) SetMainForm(reference);
    }

    // Shows the main form and handles messages until the application is terminated (the main
    // form closed).
    void Run();
    // Handles the messages waiting now, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Lets Run start again after a Terminate (tests run several loops).
    void ResetTerminated() { FTerminated = false; }

    // What reaches the message loop: OnException if assigned, otherwise ShowException.
    void HandleException(std::exception_ptr error);
    // A message box with the error icon, the title as caption and the message, with a full
    // stop appended when it does not end in one.
    void ShowException(std::exception_ptr error);
    // A modal message box owned by the active window, through the message-box hook.
    int MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags);

    bool ShowMainForm = true;
    TExceptionEvent OnException;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void SetMainForm(TCustomForm* form);
    bool ProcessMessage(MSG& msg);
    bool PreTranslate(MSG& msg);

    AnsiString FTitle;
    HWND FHandle = nullptr;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FInstalledHandler = false;
};

extern TApplication* Application;
