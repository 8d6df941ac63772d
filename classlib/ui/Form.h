#pragma once
// Forms: top-level windows holding controls, a main menu and non-visual components. A form
// class derived from TForm reads its layout (a form file compiled into the program as an RCDATA
// resource named after the class) when it is made with CreateForm or TApplication::CreateForm.
#include "classlib/ui/WinControl.h"
#include <memory>
#include <string_view>
#include <utility>

class TMainMenu;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

// Posted by Release: the form frees itself once the messages before it are handled.
constexpr UINT CM_RELEASE = WM_APP + 0x3F00;

class TCustomForm : public TWinControl {
    ZL_CLASS(TCustomForm)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // The second step of making a form, once the most derived constructor has run: reads the
    // layout (the resource named after the class, or the given form file text), runs each
    // component's Loaded step, then OnCreate. CreateForm does this.
    void AfterConstruction();
    void AfterConstruction(std::string_view layoutText);

    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle style);
    // The MDI client window of an fsMDIForm while the form's window exists; 0 otherwise. Asking
    // does not create any window.
    HWND ClientHandle() const { return FClientHandle; }

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }

    // Left and Top are the outer top-left corner on the screen. A form placed by the system
    // learns its position when its window is made, so asking for it before makes the window.
    void SetBounds(int left, int top, int width, int height) override;

    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int width);
    void SetClientHeight(int height);

    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu);
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);

    // The pixel density the bounds and fonts are in now (96 until the window says otherwise).
    int PixelsPerInch() const { return FPixelsPerInch; }

    // Asks OnCloseQuery, then OnClose with caHide (caNone keeps the form open); closing the
    // application's main form ends the message loop.
    void Close();
    bool CloseQuery();
    // Frees the form once the messages already queued are handled.
    void Release();

    // The form's keyboard shortcuts: the first item of the main menu (in menu order) that
    // carries the shortcut takes it, enabled or not; otherwise the action lists of the form.
    bool IsShortCut(TShortCut shortCut);

    void Loaded() override;
    void ChangeScale(int multiplier, int divisor) override;
    void SetName(const AnsiString& name) override;

    TNotifyEvent OnCreate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void VisibleChanged() override;
    void HandleCreated() override;
    void PositionNeeded() const override;
    void Notification(TComponent* component, TOperation operation) override;

    virtual void DoCreate();
    virtual void DoClose(TCloseAction& action);

private:
    friend class TMainMenu;
    friend class TWinControl;
    void MenuChanged();
    void ReadLayout(std::string_view text);
    void ApplyDpi(int dpi);
    void FitClientSize();
    TRect OuterForClient(int width, int height) const;
    void ShowNow();
    void WindowStyles(DWORD& style, DWORD& exStyle) const;

    TFormStyle FFormStyle = fsNormal;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    bool FPositionSet = false;
    bool FClientSizeSet = false;
    bool FScaling = false;
    int FClientWidth = 0;
    int FClientHeight = 0;
    int FPixelsPerInch = 96;
    HWND FClientHandle = nullptr;
    TMainMenu* FMenu = nullptr;
    TWinControl* FActiveControl = nullptr;
};

class TForm : public TCustomForm {
    ZL_CLASS(TForm)
public:
    explicit TForm(TComponent* owner);
};

// Makes a form of class T owned by owner (who frees it) and reads its layout resource.
template <class T, class... Args>
T* CreateForm(TComponent* owner, Args&&... args) {
    std::unique_ptr<T> form(new T(owner, std::forward<Args>(args)...));
    form->AfterConstruction();
    return form.release();
}

// Makes a form of class T from a form file text instead of its resource (tests, tools).
template <class T, class... Args>
T* CreateFormFromText(TComponent* owner, std::string_view layoutText, Args&&... args) {
    std::unique_ptr<T> form(new T(owner, std::forward<Args>(args)...));
    form->AfterConstruction(layoutText);
    return form.release();
}
