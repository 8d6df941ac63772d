#pragma once
// TWinControl: a control with a real window, made when its handle is first asked for (together
// with its parents'), destroyed and made again on demand. Its window procedure is an object
// instance bound to the control, so every message passes its WindowProc.
#include "classlib/ui/Control.h"
#include "classlib/ui/GdiHandles.h"
#include <vector>

class TWinControl : public TControl {
    ZL_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window handle, creating the window (and its parents' windows) when there is none.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // Destroys the window; the control keeps its state and makes a new one when asked.
    void DestroyHandle();
    // Destroys the window and makes a new one at once (if it had one).
    void RecreateWnd();
    // True while the window exists and is visible on the screen with all its parents.
    bool Showing() const;

    // Child controls, in the order they were put on this control.
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const;

    // The position among the windowed children of the parent, which Tab follows.
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);

    bool Focused() const;
    virtual void SetFocus();

    void SetParent(TWinControl* parent) override;
    void ChangeScale(int multiplier, int divisor) override;
    AnsiString Caption() const override;

protected:
    struct TCreateParams {
        const wchar_t* WinClassName = L"ZlWindow";
        // A class of the library's own, registered on first use; otherwise a system class
        // (BUTTON, STATIC, a common control).
        bool OwnClass = true;
        UINT ClassStyle = CS_DBLCLKS;
        DWORD Style = 0;
        DWORD ExStyle = 0;
        int X = 0, Y = 0, Width = 0, Height = 0;
        HWND WndParent = nullptr;
        HMENU Menu = nullptr;
        void* Param = nullptr;
    };
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Makes the window and, when it is visible, the windows of its visible children.
    void CreateHandle();
    void CreateChildHandles();
    // Called once a new window and its children's exist (a form shows itself here).
    virtual void HandleCreated() {}

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    void TextChanged() override;
    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void ColorChanged() override;

    // The brush of Color, for backgrounds (owned by the control, or the system's own).
    HBRUSH ColorBrush();
    // Answers a reflected WM_CTLCOLOR...: the font colour on the control's colour.
    void HandleCtlColor(TMessage& message);
    // Reads the window's position back into the bounds.
    void UpdateBoundsFromWindow();
    bool OwnClass() const { return FOwnClass; }

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void MainWndProc(TMessage& message);
    void WindowDestroyed();
    void ArrangeTabOrder();

    HWND FHandle = nullptr;
    WNDPROC FObjectInstance = nullptr;
    WNDPROC FDefWndProc = nullptr;
    bool FOwnClass = false;
    bool FTabStop = false;
    bool FCreatingChildren = false;  // children's windows are being made: their order is set once, after
    int FTabOrderWanted = -1;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    UniqueBrush FBrush;
    TColor FBrushColor = 0;
};

// The library's control whose window this is, or null.
TWinControl* FindControl(HWND window);
