#include "classlib/ui/Form.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopedFlag.h"
#include "classlib/core/FormFile.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/ControlClasses.h"
#include "classlib/ui/Menu.h"

// ---------------------------------------------------------------- TCustomForm
TClass TCustomForm::StaticClass() {
    static const TClassInfo info = ClassBuilder<TCustomForm, TWinControl>("TCustomForm").Build();
    return &info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    StoreBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
    Destroying();
    // The window goes first, while the controls on it are whole; then the components, while
    // the form is still whole for their removal notices.
    DestroyHandle();
    if (FMenu) FMenu->FForm = nullptr;
    DestroyComponents();
}

void TCustomForm::AfterConstruction() {
    RegisterControlClasses();
    // The layout of the class itself, or of the nearest ancestor that has one.
    for (TClass cls = ClassType(); cls && cls != TForm::StaticClass() && cls != TCustomForm::StaticClass();
         cls = cls->Parent) {
        HMODULE module = GetModuleHandleW(nullptr);
        HRSRC resource = FindResourceW(module, ToWide(cls->Name).c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
        if (!resource) continue;
        HGLOBAL loaded = LoadResource(module, resource);
        const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        if (!data) break;
        ReadLayout(std::string_view(data, SizeofResource(module, resource)));
        DoCreate();
        if (Visible()) ShowNow();
        return;
    }
    if (ClassType() != TForm::StaticClass() && ClassType() != TCustomForm::StaticClass())
        throw Exception("リソース " + ClassName() + " が見つかりません");
    DoCreate();
}

void TCustomForm::AfterConstruction(std::string_view layoutText) {
    RegisterControlClasses();
    ReadLayout(layoutText);
    DoCreate();
    if (Visible()) ShowNow();
}

void TCustomForm::ReadLayout(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte-order mark
    ReadComponentText(this, text);
}

void TCustomForm::DoCreate() { OnCreate(this); }

void TCustomForm::SetName(const AnsiString& name) {
    // A second form made from the same layout under the same owner takes the next free name
    // (MyForm_1, MyForm_2, ...) instead of failing.
    AnsiString unique = name;
    if (IsLoading() && Owner() && !name.empty()) {
        for (int n = 1; Owner()->FindComponent(unique) && Owner()->FindComponent(unique) != this; ++n)
            unique = name + "_" + IntToStr(n);
    }
    TWinControl::SetName(unique);
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    if (FClientSizeSet) SetClientWidth(FClientWidth);  // the outer size for the final border
}

// ---- window
void TCustomForm::WindowStyles(DWORD& style, DWORD& exStyle) const {
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    exStyle = 0;
    switch (FBorderStyle) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: style |= WS_POPUP | WS_CAPTION; exStyle |= WS_EX_DLGMODALFRAME; break;
    case bsToolWindow: style |= WS_CAPTION; exStyle |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; exStyle |= WS_EX_TOOLWINDOW; break;
    }
    if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
        style |= WS_SYSMENU;
        bool framed = FBorderStyle == bsSingle || FBorderStyle == bsSizeable;
        if (framed && FBorderIcons.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
        if (framed && FBorderIcons.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
        if (FBorderIcons.Contains(biHelp) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
            exStyle |= WS_EX_CONTEXTHELP;
    }
    if (!Enabled()) style |= WS_DISABLED;
    if (FFormStyle == fsStayOnTop) exStyle |= WS_EX_TOPMOST;
}

TRect TCustomForm::OuterForClient(int width, int height) const {
    DWORD style, exStyle;
    WindowStyles(style, exStyle);
    RECT r{0, 0, width, height};
    AdjustWindowRectExForDpi(&r, style, FMenu != nullptr, exStyle, static_cast<UINT>(FPixelsPerInch));
    return TRect(r);
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = L"ZlForm";
    params.OwnClass = true;
    WindowStyles(params.Style, params.ExStyle);
    params.WndParent = nullptr;
    params.Menu = FMenu ? FMenu->Handle() : nullptr;
    TRect bounds = StoredBounds();
    if (FClientSizeSet) {
        TRect outer = OuterForClient(FClientWidth, FClientHeight);
        params.Width = outer.Width();
        params.Height = outer.Height();
    }
    if (FPositionSet || FPosition == poDesigned) return;
    switch (FPosition) {
    case poDefault:
    case poDefaultPosOnly:
        params.X = CW_USEDEFAULT;
        params.Y = CW_USEDEFAULT;
        break;
    case poDefaultSizeOnly:
        params.X = bounds.Left;
        params.Y = bounds.Top;
        break;
    default: {
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        params.X = work.left + (work.right - work.left - params.Width) / 2;
        params.Y = work.top + (work.bottom - work.top - params.Height) / 2;
        break;
    }
    }
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = Handle();
    if (FMenu) FMenu->FForm = this;
    // Layout values are for 96 dots per inch; a window on a denser screen scales them.
    UINT dpi = GetDpiForWindow(window);
    if (dpi && static_cast<int>(dpi) != FPixelsPerInch) ApplyDpi(static_cast<int>(dpi));
    FitClientSize();
    if (FFormStyle == fsMDIForm) {
        CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
        RECT r;
        GetClientRect(window, &r);
        FClientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                        WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                                        0, 0, r.right, r.bottom, window, nullptr, GetModuleHandleW(nullptr), &ccs);
        if (!FClientHandle) throw Exception("MDI クライアントウィンドウを作成できません");
    }
}

void TCustomForm::DestroyWnd() {
    // The menu belongs to its TMainMenu: take it off before the window would destroy it.
    ::SetMenu(Handle(), nullptr);
    TWinControl::DestroyWnd();
}

void TCustomForm::HandleCreated() {
    if (Visible() && !IsLoading()) ShowNow();
}

void TCustomForm::PositionNeeded() const {
    if (!HandleAllocated() && !FPositionSet && FPosition != poDesigned && !IsLoading() && !IsDestroying())
        const_cast<TCustomForm*>(this)->HandleNeeded();
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    TRect old = StoredBounds();
    if (!IsLoading()) {
        if (left != old.Left || top != old.Top) FPositionSet = true;
        if (width != old.Width() || height != old.Height()) FClientSizeSet = false;
    }
    TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::FitClientSize() {
    if (!FClientSizeSet || !HandleAllocated() || IsIconic(Handle())) return;
    RECT r;
    GetClientRect(Handle(), &r);
    int dw = FClientWidth - r.right;
    int dh = FClientHeight - r.bottom;
    if (dw || dh)
        SetWindowPos(Handle(), nullptr, 0, 0, Width() + dw, Height() + dh,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TCustomForm::ClientWidth() const {
    if (HandleAllocated()) {
        RECT r;
        GetClientRect(const_cast<TCustomForm*>(this)->Handle(), &r);
        return r.right;
    }
    if (FClientSizeSet) return FClientWidth;
    return Width() - OuterForClient(0, 0).Width();
}

int TCustomForm::ClientHeight() const {
    if (HandleAllocated()) {
        RECT r;
        GetClientRect(const_cast<TCustomForm*>(this)->Handle(), &r);
        return r.bottom;
    }
    if (FClientSizeSet) return FClientHeight;
    return Height() - OuterForClient(0, 0).Height();
}

void TCustomForm::SetClientWidth(int width) {
    if (!FClientSizeSet) FClientHeight = ClientHeight();
    FClientWidth = width;
    FClientSizeSet = true;
    if (HandleAllocated()) {
        FitClientSize();
    } else {
        TRect bounds = StoredBounds();
        TRect outer = OuterForClient(FClientWidth, FClientHeight);
        StoreBounds(bounds.Left, bounds.Top, outer.Width(), outer.Height());
    }
}

void TCustomForm::SetClientHeight(int height) {
    if (!FClientSizeSet) FClientWidth = ClientWidth();
    FClientSizeSet = true;
    FClientHeight = height;
    SetClientWidth(FClientWidth);
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    if (style == FFormStyle) return;
    FFormStyle = style;
    RecreateWnd();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == FBorderIcons) return;
    FBorderIcons = icons;
    RecreateWnd();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == FMenu) return;
    if (FMenu) FMenu->FForm = nullptr;
    FMenu = menu;
    if (FMenu) {
        FMenu->FreeNotification(this);
        FMenu->FForm = this;
    }
    MenuChanged();
}

void TCustomForm::MenuChanged() {
    if (!HandleAllocated()) return;
    ::SetMenu(Handle(), FMenu ? FMenu->Handle() : nullptr);
    DrawMenuBar(Handle());
    FitClientSize();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    FActiveControl = control;
    if (!control) return;
    control->FreeNotification(this);
    if (!IsLoading() && Showing() && control->Visible() && control->Enabled()) control->SetFocus();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FMenu) {
        if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
        FMenu = nullptr;
    }
    if (component == FActiveControl) FActiveControl = nullptr;
}

// ---- showing and closing
void TCustomForm::VisibleChanged() {
    if (IsLoading()) return;  // the layout's Visible takes effect once the form is made
    if (!Visible()) {
        if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
        return;
    }
    if (!HandleAllocated()) {
        HandleNeeded();  // shows the window once it and its children exist
        return;
    }
    CreateChildHandles();
    ShowNow();
}

void TCustomForm::ShowNow() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    if (FActiveControl && FActiveControl->Visible() && FActiveControl->Enabled()) FActiveControl->SetFocus();
    UpdateWindow(Handle());
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) { OnClose(this, action); }

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    TCloseAction action = FFormStyle == fsMDIChild ? caMinimize : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: if (HandleAllocated()) ShowWindow(Handle(), SW_MINIMIZE); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release() {
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

bool TCustomForm::IsShortCut(TShortCut shortCut) {
    if (shortCut == 0) return false;
    if (FMenu && FMenu->IsShortCut(shortCut)) return true;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TActionList*>(Components(i)); list && list->IsShortCut(shortCut))
            return true;
    return false;
}

// ---- scaling
void TCustomForm::ApplyDpi(int dpi) {
    int old = FPixelsPerInch;
    FPixelsPerInch = dpi;
    ChangeScale(dpi, old);
}

void TCustomForm::ChangeScale(int multiplier, int divisor) {
    if (multiplier == divisor) return;
    auto scale = [&](int v) { return MulDiv(v, multiplier, divisor); };
    Font()->SetHeight(scale(Font()->Height()));
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(multiplier, divisor);
    if (FClientSizeSet) {
        FClientWidth = scale(FClientWidth);
        FClientHeight = scale(FClientHeight);
        FitClientSize();
    } else {
        TRect b = StoredBounds();
        TWinControl::SetBounds(b.Left, b.Top, scale(b.Width()), scale(b.Height()));
    }
}

// ---- messages
void TCustomForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_COMMAND:
        // Menu commands (and accelerators) come without a control.
        if (message.LParam == 0 && HIWORD(message.WParam) <= 1 && FMenu &&
            FMenu->DispatchCommand(LOWORD(message.WParam)))
            return;
        break;
    case WM_SIZE:
        if (FClientSizeSet && !FScaling && message.WParam != SIZE_MINIMIZED) {
            FClientWidth = LOWORD(message.LParam);
            FClientHeight = HIWORD(message.LParam);
        }
        break;
    case WM_DPICHANGED: {
        // The client size is the scaled one; the sizes the window passes through on the way
        // there must not overwrite it.
        {
            const ScopedFlag scaling(FScaling);
            ApplyDpi(LOWORD(message.WParam));
            const auto* suggested = reinterpret_cast<const RECT*>(message.LParam);
            if (suggested)
                SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                             suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        FitClientSize();
        message.Result = 0;
        return;
    }
    case WM_SETFOCUS:
        if (FActiveControl && FActiveControl != this && FActiveControl->HandleAllocated() &&
            IsWindowVisible(FActiveControl->Handle())) {
            ::SetFocus(FActiveControl->Handle());
            return;
        }
        break;
    case WM_DESTROY:
        ::SetMenu(Handle(), nullptr);
        FClientHandle = nullptr;
        break;
    case CM_RELEASE:
        delete this;  // the owner's list forgets the form as it goes
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

void TCustomForm::DefaultHandler(TMessage& message) {
    if (FFormStyle == fsMDIForm && HandleAllocated())
        message.Result = DefFrameProcW(Handle(), FClientHandle, message.Msg, message.WParam, message.LParam);
    else
        TWinControl::DefaultHandler(message);
}

// ---------------------------------------------------------------- TForm
TClass TForm::StaticClass() {
    static const TClassInfo info = ClassBuilder<TForm, TCustomForm>("TForm")
        .Property<&TCustomForm::ActiveControl, &TCustomForm::SetActiveControl>("ActiveControl")
        .Property<&TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons>("BorderIcons")
            .Enum({"biSystemMenu", "biMinimize", "biMaximize", "biHelp"})
            .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize})
        .Property<&TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle>("BorderStyle")
            .Enum({"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"})
            .Default(bsSizeable)
        .Property<&TCustomForm::ClientHeight, &TCustomForm::SetClientHeight>("ClientHeight")
        .Property<&TCustomForm::ClientWidth, &TCustomForm::SetClientWidth>("ClientWidth")
        .Property<&TCustomForm::FormStyle, &TCustomForm::SetFormStyle>("FormStyle")
            .Enum({"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}).Default(fsNormal)
        .Property<&TCustomForm::Menu, &TCustomForm::SetMenu>("Menu")
        .Property<&TCustomForm::Position, &TCustomForm::SetPosition>("Position")
            .Enum({"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                   "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"})
            .Default(poDesigned)
        .Property<&TCustomForm::OnClose>("OnClose")
        .Property<&TCustomForm::OnCloseQuery>("OnCloseQuery")
        .Property<&TCustomForm::OnCreate>("OnCreate")
        .Build();
    return &info;
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}
