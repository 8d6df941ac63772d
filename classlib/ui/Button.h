#pragma once
// Push buttons. TButton is the system's button; TBitBtn is drawn by the library, so that its
// caption shows in its own font colour (a red or teal caption on a button face).
#include "classlib/ui/WinControl.h"

class TButton : public TWinControl {
    ZL_CLASS(TButton)
public:
    explicit TButton(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
};

class TBitBtn : public TButton {
    ZL_CLASS(TBitBtn)
public:
    explicit TBitBtn(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
};
