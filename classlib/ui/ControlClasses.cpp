#include "classlib/ui/ControlClasses.h"
#include "classlib/ui/ActionList.h"
#include "classlib/ui/Button.h"
#include "classlib/ui/DateTimePicker.h"
#include "classlib/ui/Form.h"
#include "classlib/ui/GroupBox.h"
#include "classlib/ui/ImageList.h"
#include "classlib/ui/Label.h"
#include "classlib/ui/Menu.h"
#include "classlib/ui/Timer.h"

// Registration lives here rather than beside each class: a static library only links the
// objects somebody refers to, and a class named only in a form file is referred to by nobody.
void RegisterControlClasses() {
    static const bool registered = [] {
        for (TClass cls : {TControl::StaticClass(), TWinControl::StaticClass(), TCustomForm::StaticClass(),
                           TForm::StaticClass(), TGroupBox::StaticClass(), TLabel::StaticClass(),
                           TButton::StaticClass(), TBitBtn::StaticClass(), TMainMenu::StaticClass(),
                           TMenuItem::StaticClass(), TActionList::StaticClass(), TAction::StaticClass(),
                           TTimer::StaticClass(), TDateTimePicker::StaticClass(), TImageList::StaticClass(),
                           TFont::StaticClass()})
            RegisterClass(cls);
        return true;
    }();
    (void)registered;
}
