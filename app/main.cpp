// Zelvano's entry point: the application titled "Zelvano", its main window on the real local
// clock, and the message loop until that window closes.
#include "app/ZLVForm.h"
#include "classlib/ui/Application.h"
#include <exception>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The clock outlives the application, which frees the window that uses it.
    TSystemClock clock;
    TApplication application;
    try {
        Application->Initialize();
        Application->SetTitle("Zelvano");
        Application->CreateForm(ZLVFm, clock);
        Application->Run();
    } catch (...) {
        application.ShowException(std::current_exception());
    }
    return 0;
}
