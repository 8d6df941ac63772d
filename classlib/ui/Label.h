#pragma once
// A label: one line of static text in the label's font and font colour.
#include "classlib/ui/WinControl.h"

class TLabel : public TWinControl {
    ZL_CLASS(TLabel)
public:
    explicit TLabel(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
};
