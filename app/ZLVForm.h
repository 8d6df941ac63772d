#pragma once
// Zelvano's main window: the system clock and the true time side by side, the target date and
// time in two pickers, and the commands that shift the clock, put it back or accept the shift.
// The layout is the form file ZLVForm.form, compiled into the program as a resource.
#include "app/ClockShifter.h"
#include "classlib/ui/Form.h"

class TGroupBox;
class TLabel;
class TBitBtn;
class TTimer;
class TDateTimePicker;
class TMainMenu;
class TMenuItem;
class TActionList;
class TAction;
namespace Ovk {
class TFileDrop;
}

class TZLVFm : public TForm {
    ZL_CLASS(TZLVFm)
public:
    // clock: the local clock the commands read and write (the real one in the program).
    TZLVFm(TComponent* owner, IClock& clock);
    ~TZLVFm() override;

    // Components of the layout, bound by name when it is read.
    TGroupBox* GroupBox1 = nullptr;
    TLabel* NowLabel = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TLabel* TrueLabel = nullptr;
    TBitBtn* AdjustTimeBitBtn = nullptr;
    TBitBtn* ZeroResetBitBtn = nullptr;
    TBitBtn* AdjustBitBtn = nullptr;
    TBitBtn* NowTimeBitBtn = nullptr;
    TBitBtn* TrueTimeBitBtn = nullptr;
    TTimer* Timer1 = nullptr;
    TDateTimePicker* DatePicker = nullptr;
    TDateTimePicker* TimePicker = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction* AdjustAction = nullptr;
    TAction* NowTimeAction = nullptr;
    TAction* TrueTimeAction = nullptr;
    TAction* AdjustTimeAction = nullptr;
    TAction* ZeroResetAction = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* S1 = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* N4 = nullptr;
    TMenuItem* N5 = nullptr;
    TMenuItem* N6 = nullptr;
    TMenuItem* N7 = nullptr;
    TAction* ExitAction = nullptr;
    TMenuItem* Exit1 = nullptr;
    TAction* AdjustDoneAction = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TMenuItem* N8 = nullptr;
    Ovk::TFileDrop* FileDrop = nullptr;

    // Handlers named in the layout.
    void FormCreate(TObject* sender);
    void Timer1Timer(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void ZeroResetActionExecute(TObject* sender);
    void AdjustTimeActionExecute(TObject* sender);
    void AdjustActionExecute(TObject* sender);
    void NowTimeActionExecute(TObject* sender);
    void TrueTimeActionExecute(TObject* sender);
    void ExitActionExecute(TObject* sender);
    void AdjustDoneActionExecute(TObject* sender);
    // A file dropped onto the target-time group: its last-write time goes into the pickers.
    void FileDropDropFiles(TObject* sender);

    // Days the clock stands behind the true time; 0 exactly when the clock is not shifted.
    TDateTime ClockOffset() const { return FShifter.ClockOffset(); }
    // The settings file: "ZLV.ini" in the executable's folder.
    const AnsiString& IniFileName() const { return FIniFileName; }

private:
    TDateTime GetPickerDateTime() const;
    void SetPickerDateTime(TDateTime value);
    void WriteLocalClock(TDateTime value) { FShifter.WriteLocalClock(value); }

    void EnterNormalState();
    void EnterShiftedState();
    void ReadPosition();
    void WritePosition();
    void ShowTime(TLabel* label, TDateTime value);

    TClockShifter FShifter;
    AnsiString FIniFileName;
};

// The main window, once the entry point has made it.
extern TZLVFm* ZLVFm;
