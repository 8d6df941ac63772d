#include "classlib/ui/Application.h"
#include "classlib/ui/WindowClass.h"
#include "classlib/core/Exceptions.h"
#include "classlib/ui/MessageBox.h"

TApplication* Application = nullptr;

TClass TApplication::StaticClass() {
    static const TClassInfo info = ClassBuilder<TApplication, TComponent>("TApplication").Build();
    return &info;
}

namespace {

// The executable's name without folder and extension, the title until one is set.
AnsiString ModuleTitle() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    WideString name(path);
    if (auto slash = name.find_last_of(L"\\/"); slash != WideString::npos) name.erase(0, slash + 1);
    if (auto dot = name.find_last_of(L'.'); dot != WideString::npos) name.erase(dot);
    return FromWide(name);
}

}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner), FTitle(ModuleTitle()) {
    if (!Application) {
        Application = this;
        SetExceptionHandler([this](std::exception_ptr error) { HandleException(error); });
        FInstalledHandler = true;
    }
}

TApplication::~TApplication() {
    // The forms go while the application (their owner and exception display) is still whole.
    Destroying();
    DestroyComponents();
    if (FHandle) DestroyWindow(FHandle);
    if (FInstalledHandler) SetExceptionHandler(nullptr);
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {}

void TApplication::SetTitle(const AnsiString& title) {
    FTitle = title;
    if (FHandle) SetWindowTextW(FHandle, ToWide(title).c_str());
}

HWND TApplication::Handle() {
    if (!FHandle) {
        RegisterOwnClass(L"ZlApplication");
        FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, L"ZlApplication", ToWide(FTitle).c_str(), WS_POPUP,
                                  0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!FHandle) throw Exception("ウィンドウを作成できません (TApplication)");
    }
    return FHandle;
}

void TApplication::SetMainForm(TCustomForm* form) {
    FMainForm = form;
    if (form) form->FreeNotification(this);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FMainForm) {
        // The main form went away (freed by its close action, say): nothing is left to run.
        FMainForm = nullptr;
        Terminate();
    }
}

void TApplication::Run() {
    if (FMainForm && ShowMainForm) {
        try {
            FMainForm->Show();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
    while (!FTerminated) HandleMessage();
}

void TApplication::Terminate() {
    FTerminated = true;
    // Wake a loop waiting for messages so that it sees the flag.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(msg);
}

void TApplication::HandleMessage() {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(msg);
    else WaitMessage();
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    // Nothing raised here may leave: the loop goes on after the display has shown it.
    try {
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    } catch (...) {
        HandleException(std::current_exception());
    }
    return true;
}

bool TApplication::PreTranslate(MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        // Keyboard shortcuts of the form that has the keyboard (else the main form's), before
        // the focused control sees the key.
        TCustomForm* form = nullptr;
        if (msg.hwnd) form = dynamic_cast<TCustomForm*>(FindControl(GetAncestor(msg.hwnd, GA_ROOT)));
        if (!form) form = FMainForm;
        if (form && form->IsShortCut(ShortCutFromMessage(msg))) return true;
        // Tab moves between the controls of a form.
        if (form && msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && form->HandleAllocated() &&
            IsDialogMessageW(form->Handle(), &msg))
            return true;
    }
    if (FMainForm && FMainForm->FormStyle() == fsMDIForm && FMainForm->ClientHandle() &&
        TranslateMDISysAccel(FMainForm->ClientHandle(), &msg))
        return true;
    return false;
}

void TApplication::HandleException(std::exception_ptr error) {
    if (OnException) OnException(this, error);
    else ShowException(error);
}

void TApplication::ShowException(std::exception_ptr error) {
    AnsiString text = ExceptionMessage(error);
    if (text.empty() || text.back() != '.') text += '.';
    MessageBox(text, FTitle, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags) {
    HWND owner = GetActiveWindow();
    if (!owner && FMainForm && FMainForm->HandleAllocated()) owner = FMainForm->Handle();
    return ShowMessageBox(owner, text, caption, flags);
}
