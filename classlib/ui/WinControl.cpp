#include "classlib/ui/WinControl.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopedFlag.h"
#include "classlib/ui/Form.h"
#include "classlib/ui/WindowClass.h"

#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>

namespace {

// The library's controls by window handle, for reflecting notifications to their senders.
std::unordered_map<HWND, TWinControl*>& ControlMap() {
    static std::unordered_map<HWND, TWinControl*> map;
    return map;
}

bool IsReflectedColorMessage(UINT msg) {
    return msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT ||
           msg == WM_CTLCOLORLISTBOX;
}

TCustomForm* ParentForm(TControl* control) {
    while (control && control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

}  // namespace

TWinControl* FindControl(HWND window) {
    auto it = ControlMap().find(window);
    return it == ControlMap().end() ? nullptr : it->second;
}

TClass TWinControl::StaticClass() {
    static const TClassInfo info = ClassBuilder<TWinControl, TControl>("TWinControl")
        .Property<&TWinControl::TabOrder, &TWinControl::SetTabOrder>("TabOrder").Default(-1)
        .Property<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop").Default(false)
        .Build();
    return &info;
}

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner), FObjectInstance(MakeObjectInstance(TWndMethod::Bind<&TWinControl::MainWndProc>(this))) {}

TWinControl::~TWinControl() {
    // Whoever watches the window (a subclass) can tell that the control itself is going.
    Destroying();
    DestroyHandle();
    for (TControl* child : std::vector<TControl*>(FControls)) child->SetParent(nullptr);
    FreeObjectInstance(FObjectInstance);
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded() {
    if (FHandle) return;
    if (Parent()) {
        Parent()->HandleNeeded();  // may make this window too, as a visible child
        if (FHandle) return;
    }
    CreateHandle();
}

void TWinControl::CreateHandle() {
    CreateWnd();
    if (Visible()) CreateChildHandles();
    HandleCreated();
}

void TWinControl::CreateChildHandles() {
    // Each window made would otherwise reorder all its siblings: one pass at the end does it.
    {
        const ScopedFlag creating(FCreatingChildren);
        for (TWinControl* child : std::vector<TWinControl*>(FTabList)) {
            if (!child->Visible()) continue;
            if (!child->FHandle) child->CreateHandle();
            else child->CreateChildHandles();
        }
    }
    ArrangeTabOrder();
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (FTabStop) params.Style |= WS_TABSTOP;
    TRect bounds = StoredBounds();
    params.X = bounds.Left;
    params.Y = bounds.Top;
    params.Width = bounds.Width();
    params.Height = bounds.Height();
    if (Parent()) params.WndParent = Parent()->FHandle;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw Exception("コントロール '" + Name() + "' には親ウィンドウがありません");
    if (params.OwnClass) RegisterOwnClass(params.WinClassName, params.ClassStyle);
    HWND window = CreateWindowExW(params.ExStyle, params.WinClassName, ToWide(TControl::Caption()).c_str(),
                                  params.Style, params.X, params.Y, params.Width, params.Height,
                                  params.WndParent, params.Menu, GetModuleHandleW(nullptr), params.Param);
    if (!window) throw Exception("ウィンドウを作成できません (" + ClassName() + ")");
    FHandle = window;
    FOwnClass = params.OwnClass;
    ControlMap()[window] = this;
    FDefWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance)));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
    UpdateBoundsFromWindow();
    if (Parent() && !Parent()->FCreatingChildren) Parent()->ArrangeTabOrder();
}

void TWinControl::DestroyHandle() {
    if (FHandle) DestroyWnd();
}

void TWinControl::DestroyWnd() {
    StoreCaption(Caption());
    DestroyWindow(FHandle);
    // The window's last message normally clears the handle; if a procedure in front of ours
    // swallowed it, do it here so that no stale handle stays behind.
    if (FHandle && !IsWindow(FHandle)) WindowDestroyed();
}

void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::WindowDestroyed() {
    ControlMap().erase(FHandle);
    FHandle = nullptr;
    FDefWndProc = nullptr;
    for (TWinControl* child : FTabList)
        if (child->FHandle && !IsWindow(child->FHandle)) child->WindowDestroyed();
}

bool TWinControl::Showing() const { return FHandle && IsWindowVisible(FHandle); }

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("リストのインデックスが範囲を超えています (" + IntToStr(index) + ")");
    return FControls[static_cast<std::size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
    FControls.push_back(control);
    control->FParent = this;
    if (auto* child = dynamic_cast<TWinControl*>(control)) {
        int wanted = child->FTabOrderWanted;
        if (wanted >= 0 && wanted < static_cast<int>(FTabList.size()))
            FTabList.insert(FTabList.begin() + wanted, child);
        else
            FTabList.push_back(child);
        if (!child->FHandle && child->Visible() && Showing()) child->HandleNeeded();
    }
}

void TWinControl::RemoveControl(TControl* control) {
    std::erase(FControls, control);
    std::erase(FTabList, static_cast<TWinControl*>(dynamic_cast<TWinControl*>(control)));
    control->FParent = nullptr;
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (FHandle && !(parent && parent->FHandle)) DestroyHandle();
    TControl::SetParent(parent);
    if (FHandle && parent) {
        ::SetParent(FHandle, parent->FHandle);
        parent->ArrangeTabOrder();
    }
}

int TWinControl::TabOrder() const {
    if (!Parent()) return FTabOrderWanted;
    auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    FTabOrderWanted = order;
    if (!Parent() || order < 0) return;
    auto& list = Parent()->FTabList;
    std::erase(list, this);
    list.insert(list.begin() + std::min<std::size_t>(static_cast<std::size_t>(order), list.size()), this);
    if (Parent()->FHandle) Parent()->ArrangeTabOrder();
}

void TWinControl::ArrangeTabOrder() {
    // The window order among siblings is the order Tab follows.
    HWND previous = HWND_TOP;
    for (TWinControl* child : FTabList) {
        if (!child->FHandle) continue;
        SetWindowPos(child->FHandle, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = child->FHandle;
    }
}

void TWinControl::SetTabStop(bool tabStop) {
    if (tabStop == FTabStop) return;
    FTabStop = tabStop;
    if (FHandle) {
        LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
        SetWindowLongPtrW(FHandle, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

AnsiString TWinControl::Caption() const {
    if (!FHandle) return TControl::Caption();
    int length = GetWindowTextLengthW(FHandle);
    WideString text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(FHandle, text.data(), length + 1)));
    return FromWide(text);
}

void TWinControl::TextChanged() {
    if (FHandle) SetWindowTextW(FHandle, ToWide(TControl::Caption()).c_str());
}

void TWinControl::BoundsChanged() {
    if (!FHandle) return;
    TRect bounds = StoredBounds();
    SetWindowPos(FHandle, nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::VisibleChanged() {
    if (FHandle) {
        if (Visible()) CreateChildHandles();
        ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
    } else if (Visible() && Parent() && Parent()->Showing()) {
        HandleNeeded();
    }
}

void TWinControl::EnabledChanged() {
    if (FHandle) EnableWindow(FHandle, Enabled());
}

void TWinControl::FontChanged() {
    if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    for (TControl* child : std::vector<TControl*>(FControls)) child->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::ChangeScale(int multiplier, int divisor) {
    if (multiplier == divisor) return;
    TControl::ChangeScale(multiplier, divisor);
    for (TControl* child : std::vector<TControl*>(FControls)) child->ChangeScale(multiplier, divisor);
}

HBRUSH TWinControl::ColorBrush() {
    if (IsSystemColor(Color())) return GetSysColorBrush(SystemColorIndex(Color()));
    if (!FBrush || FBrushColor != Color()) {
        FBrush.reset(CreateSolidBrush(ColorToRGB(Color())));
        FBrushColor = Color();
    }
    return FBrush.get();
}

void TWinControl::HandleCtlColor(TMessage& message) {
    auto dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    message.Result = reinterpret_cast<LRESULT>(ColorBrush());
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!FHandle || IsIconic(FHandle)) return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetAncestor(FHandle, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
    StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TWinControl::MainWndProc(TMessage& message) {
    auto dispatch = [&] {
        if (WindowProc()) WindowProc()(message);
        else WndProc(message);
    };
    if (message.Msg != WM_NCDESTROY) {
        dispatch();
        return;
    }
    // The window's last message: forget the handle also when a handler raises.
    try {
        dispatch();
    } catch (...) {
        WindowDestroyed();
        throw;
    }
    WindowDestroyed();
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_COMMAND:
        if (TWinControl* sender = FindControl(reinterpret_cast<HWND>(message.LParam)); sender && sender != this) {
            message.Result = sender->Perform(CN_COMMAND, message.WParam, message.LParam);
            return;
        }
        break;
    case WM_NOTIFY:
        if (auto* header = reinterpret_cast<NMHDR*>(message.LParam)) {
            if (TWinControl* sender = FindControl(header->hwndFrom); sender && sender != this) {
                message.Result = sender->Perform(CN_NOTIFY, message.WParam, message.LParam);
                return;
            }
        }
        break;
    case WM_DRAWITEM:
        if (auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam); item && item->CtlType != ODT_MENU) {
            if (TWinControl* sender = FindControl(item->hwndItem); sender && sender != this) {
                message.Result = sender->Perform(CN_DRAWITEM, message.WParam, message.LParam);
                return;
            }
        }
        break;
    case WM_ERASEBKGND:
        if (FOwnClass) {
            RECT r;
            GetClientRect(FHandle, &r);
            FillRect(reinterpret_cast<HDC>(message.WParam), &r, ColorBrush());
            message.Result = 1;
            return;
        }
        break;
    case WM_GETFONT:
        // The library's own window classes keep no font: the control's is the answer.
        if (FOwnClass) {
            message.Result = reinterpret_cast<LRESULT>(Font()->Handle());
            return;
        }
        break;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        UpdateBoundsFromWindow();
        return;
    case WM_SETFOCUS:
        if (TCustomForm* form = ParentForm(this); form && form != this) form->FActiveControl = this;
        break;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
        HandleCtlColor(message);
        return;
    default:
        if (IsReflectedColorMessage(message.Msg)) {
            if (TWinControl* sender = FindControl(reinterpret_cast<HWND>(message.LParam)); sender && sender != this) {
                message.Result = sender->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
                return;
            }
        } else if (message.Msg >= CN_BASE && message.Msg <= CN_LAST) {
            return;  // a reflected notification this control does not handle
        }
        break;
    }
    TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (FHandle && FDefWndProc)
        message.Result = CallWindowProcW(FDefWndProc, FHandle, message.Msg, message.WParam, message.LParam);
}
