#pragma once
// A group box: a framed area with a caption that holds other controls. It is a window of the
// library's own (painted here), so that it can be the parent of controls, take dropped files
// and receive mouse messages like any other window.
#include "classlib/ui/WinControl.h"

class TGroupBox : public TWinControl {
    ZL_CLASS(TGroupBox)
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void TextChanged() override;

private:
    void Paint(HDC dc);
};
