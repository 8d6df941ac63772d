#pragma once
// A component with one published property of each kind the serializer carries, and a recorder of
// the component array's events.
#include "classlib/core/Component.h"
#include "ovk/ComponentArray.h"
#include <string>
#include <vector>

class TSample : public TComponent {
    ZL_CLASS(TSample)
public:
    explicit TSample(TComponent* owner) : TComponent(owner) {}
    void Touch(TObject* sender) { LastTouched = sender; }
    TObject* LastTouched = nullptr;
    AnsiString FText;
    bool FFlag = false;
    double FRatio = 0;
    int FCount = 0;
    TComponent* FLink = nullptr;
    TNotifyEvent FOnChange;
};

// Writes down each event of an array as one line: "create Button1 count=0", "add 0 Button1", ...
class TArrayEvents : public TObject {
public:
    void CreatedNew(TObject* sender, TComponent* component);
    void Added(TObject* sender, int index, TComponent* component);
    void Deleted(TObject* sender, int index, TComponent* component);
    void Clicked(TObject* sender);

    // Binds all three events of the array to this recorder.
    void Attach(Ovk::TComponentArray& array);

    std::vector<std::string> Log;
    AnsiString RenameTo;  // Added gives the component this name when set
};
