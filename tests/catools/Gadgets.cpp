#include "Gadgets.h"

namespace {
const AnsiString kLongName(255, 'M');
}

AnsiString LongMethodName() { return kLongName; }

TClass TGadget::StaticClass() {
    static const TClassInfo info = ClassBuilder<TGadget, TComponent>("TGadget")
        .Property<&TGadget::GetCaption, &TGadget::SetCaption>("Caption")
        .Property<&TGadget::FEnabled>("Enabled")
        .Property<&TGadget::FRatio>("Ratio")
        .Property<&TGadget::FCount>("Count")
        .Property<&TGadget::FMatrix>("Matrix").Kind(tkArray)
        .Property<&TGadget::FLetter>("Letter")
        .Property<&TGadget::FWide>("Wide")
        .Property<&TGadget::FShade>("Shade").Enum({"shRed", "shGreen", "shBlue"})
        .Property<&TGadget::FShades>("Shades")
        .Property<&TGadget::FBuddy>("Buddy")
        .Property<&TGadget::FTitle>("Title")
        .Property<&TGadget::FBig>("Big")
        .Property<&TGadget::GetBroken>("Broken")
        .Property<&TGadget::GetLink>("Link")
        .Property<&TGadget::GetSerial>("Serial")
        .Property<&TGadget::FOnChange>("OnChange")
        .Property<&TGadget::FOnCount>("OnCount")
        .Method<&TGadget::Changed>("Changed")
        .Method<&TGadget::Counted>("Counted")
        .Method<&TGadget::Changed>(kLongName.c_str())
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TGadget)

TClass TFancyGadget::StaticClass() {
    static const TClassInfo info = ClassBuilder<TFancyGadget, TGadget>("TFancyGadget")
        .Property<&TFancyGadget::FLevel>("Level")
        .Method<&TFancyGadget::Reset>("Reset")
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TFancyGadget)
