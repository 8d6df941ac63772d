#pragma once
// Small components with one published property of each kind, for the reflection tests.
#include "classlib/core/Component.h"
#include "classlib/core/Exceptions.h"
#include <cstdint>

enum TShade { shRed, shGreen, shBlue };

class TGadget : public TComponent {
    ZL_CLASS(TGadget)
public:
    explicit TGadget(TComponent* owner) : TComponent(owner) {}

    AnsiString GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& value) { FCaption = value; ++CaptionWrites; }
    int GetBroken() const { throw Exception("壊れています."); }
    TComponent* GetLink() const { return FLink; }
    int GetSerial() const { return 7; }

    // Published methods: one of the OnChange signature, one of the OnCount signature.
    void Changed(TObject* sender) { LastSender = sender; ++ChangedCalls; }
    void Counted(TObject* sender, int count) { LastSender = sender; LastCount = count; }

    AnsiString FCaption;
    int CaptionWrites = 0;
    bool FEnabled = false;
    double FRatio = 0;
    int FCount = 0;
    int FMatrix = 0;
    char FLetter = 'A';
    wchar_t FWide = L'x';
    TShade FShade = shRed;
    TSet<TShade> FShades;
    TGadget* FBuddy = nullptr;
    TComponent* FLink = nullptr;
    WideString FTitle;
    std::int64_t FBig = 0;
    TNotifyEvent FOnChange;
    TEvent<TObject*, int> FOnCount;

    TObject* LastSender = nullptr;
    int LastCount = 0;
    int ChangedCalls = 0;
};

// Adds its own properties below TGadget's, so that lookups go through an ancestor.
class TFancyGadget : public TGadget {
    ZL_CLASS(TFancyGadget)
public:
    explicit TFancyGadget(TComponent* owner) : TGadget(owner) {}
    int FLevel = 0;
    void Reset(TObject*) { FLevel = 0; }
};

// A method name as long as names get (255 bytes) and one longer than that.
AnsiString LongMethodName();
