#pragma once
// TControl: what every visual component placed on a form has (parent, bounds, caption, font,
// colour, visibility, enabled state, action, click event, message handling). The real window
// comes with TWinControl (WinControl.h).
#include "classlib/core/Component.h"
#include "classlib/core/ObjectInstance.h"
#include "classlib/ui/ActionList.h"
#include "classlib/ui/Colors.h"
#include "classlib/ui/Font.h"
#include "classlib/ui/Geometry.h"
#include <memory>

class TWinControl;

// Messages a parent window reflects back to the control that sent the notification
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR..., WM_DRAWITEM), so that each control handles its own.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_LAST = CN_BASE + 0x3FF;

class TControl : public TComponent, protected TActionClient {
    ZL_CLASS(TControl)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    // Bounds in pixels relative to the parent's client area (a form's: on the screen).
    int Left() const { PositionNeeded(); return FLeft; }
    int Top() const { PositionNeeded(); return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int left) { SetBounds(left, FTop, FWidth, FHeight); }
    void SetTop(int top) { SetBounds(FLeft, top, FWidth, FHeight); }
    void SetWidth(int width) { SetBounds(FLeft, FTop, width, FHeight); }
    void SetHeight(int height) { SetBounds(FLeft, FTop, FWidth, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(Left(), Top(), FWidth, FHeight); }

    virtual AnsiString Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

    // The control's own font; while ParentFont is true it follows the parent's. Setting the
    // font (or changing it) makes ParentFont false.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* font) { FFont->Assign(font); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);

    TAction* Action() const { return LinkedAction(); }
    void SetAction(TAction* action) { LinkAction(action, IsLoading()); }

    // Runs the linked action, or OnClick when there is none.
    virtual void Click();

    // Sends a message straight to WindowProc and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The entry for every message of the control. It starts as WndProc; message snatchers put
    // their own method in front and chain to the one they found.
    const TWndMethod& WindowProc() const { return FWindowProc; }
    void SetWindowProc(TWndMethod method) { FWindowProc = method; }

    // Rescales bounds and font from one pixel density to another (96 dots per inch in layouts).
    virtual void ChangeScale(int multiplier, int divisor);

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void Loaded() override;

    TNotifyEvent OnClick;

protected:
    virtual void WndProc(TMessage& message);
    // What happens to a message nobody handled; nothing for a control without a window.
    virtual void DefaultHandler(TMessage& message);

    // Told after the stored value changed, to bring a window (if any) up to date.
    virtual void TextChanged() {}
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void FontChanged() {}
    virtual void ColorChanged() {}
    // The parent's font changed; a control with ParentFont takes it.
    void ParentFontChanged();

    void ActionChanged(TAction* action, bool checkDefaults) override;

    // Sets the bounds fields without telling anyone (the window moved by itself).
    void StoreBounds(int left, int top, int width, int height);
    // The bounds as stored, without asking for a position first.
    TRect StoredBounds() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    // Asked before the position is read: a form placed by the system makes its window here.
    virtual void PositionNeeded() const {}
    void StoreCaption(const AnsiString& caption) { FCaption = caption; }

private:
    friend class TWinControl;
    void FontChange(TObject* sender);

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    AnsiString FCaption;
    bool FVisible = true;
    bool FEnabled = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FTakingParentFont = false;
    TColor FColor = clBtnFace;
    TWndMethod FWindowProc;
};
