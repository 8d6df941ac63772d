#include "app/ZLVForm.h"
#include "app/FileTime.h"
#include "classlib/core/IniFile.h"
#include "classlib/ui/ActionList.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Button.h"
#include "classlib/ui/DateTimePicker.h"
#include "classlib/ui/GroupBox.h"
#include "classlib/ui/Label.h"
#include "classlib/ui/Menu.h"
#include "classlib/ui/Timer.h"
#include "ovk/Snatchers.h"

TZLVFm* ZLVFm = nullptr;

TClass TZLVFm::StaticClass() {
    static const TClassInfo info = ClassBuilder<TZLVFm, TForm>("TZLVFm")
        .Field<&TZLVFm::GroupBox1>("GroupBox1")
        .Field<&TZLVFm::NowLabel>("NowLabel")
        .Field<&TZLVFm::GroupBox3>("GroupBox3")
        .Field<&TZLVFm::GroupBox2>("GroupBox2")
        .Field<&TZLVFm::TrueLabel>("TrueLabel")
        .Field<&TZLVFm::AdjustTimeBitBtn>("AdjustTimeBitBtn")
        .Field<&TZLVFm::ZeroResetBitBtn>("ZeroResetBitBtn")
        .Field<&TZLVFm::AdjustBitBtn>("AdjustBitBtn")
        .Field<&TZLVFm::NowTimeBitBtn>("NowTimeBitBtn")
        .Field<&TZLVFm::TrueTimeBitBtn>("TrueTimeBitBtn")
        .Field<&TZLVFm::Timer1>("Timer1")
        .Field<&TZLVFm::DatePicker>("DatePicker")
        .Field<&TZLVFm::TimePicker>("TimePicker")
        .Field<&TZLVFm::MainMenu1>("MainMenu1")
        .Field<&TZLVFm::ActionList1>("ActionList1")
        .Field<&TZLVFm::AdjustAction>("AdjustAction")
        .Field<&TZLVFm::NowTimeAction>("NowTimeAction")
        .Field<&TZLVFm::TrueTimeAction>("TrueTimeAction")
        .Field<&TZLVFm::AdjustTimeAction>("AdjustTimeAction")
        .Field<&TZLVFm::ZeroResetAction>("ZeroResetAction")
        .Field<&TZLVFm::N1>("N1")
        .Field<&TZLVFm::N2>("N2")
        .Field<&TZLVFm::S1>("S1")
        .Field<&TZLVFm::N3>("N3")
        .Field<&TZLVFm::N4>("N4")
        .Field<&TZLVFm::N5>("N5")
        .Field<&TZLVFm::N6>("N6")
        .Field<&TZLVFm::N7>("N7")
        .Field<&TZLVFm::ExitAction>("ExitAction")
        .Field<&TZLVFm::Exit1>("Exit1")
        .Field<&TZLVFm::AdjustDoneAction>("AdjustDoneAction")
        .Field<&TZLVFm::BitBtn1>("BitBtn1")
        .Field<&TZLVFm::N8>("N8")
        .Field<&TZLVFm::FileDrop>("FileDrop")
        .Method<&TZLVFm::FormCreate>("FormCreate")
        .Method<&TZLVFm::Timer1Timer>("Timer1Timer")
        .Method<&TZLVFm::FormClose>("FormClose")
        .Method<&TZLVFm::ZeroResetActionExecute>("ZeroResetActionExecute")
        .Method<&TZLVFm::AdjustTimeActionExecute>("AdjustTimeActionExecute")
        .Method<&TZLVFm::AdjustActionExecute>("AdjustActionExecute")
        .Method<&TZLVFm::NowTimeActionExecute>("NowTimeActionExecute")
        .Method<&TZLVFm::TrueTimeActionExecute>("TrueTimeActionExecute")
        .Method<&TZLVFm::ExitActionExecute>("ExitActionExecute")
        .Method<&TZLVFm::AdjustDoneActionExecute>("AdjustDoneActionExecute")
        .Method<&TZLVFm::FileDropDropFiles>("FileDropDropFiles")
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TZLVFm)

namespace {

const char* const SettingsSection = "ZLVSetting";
constexpr TShortCut F11 = ShortCut(VK_F11);

// The folder of the running executable, with its trailing delimiter.
AnsiString ExecutableFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of("\\/") + 1);
}

bool IsFile(const AnsiString& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TZLVFm::TZLVFm(TComponent* owner, IClock& clock)
    : TForm(owner), FShifter(clock), FIniFileName(ExecutableFolder() + "ZLV.ini") {}

TZLVFm::~TZLVFm() {
    if (ZLVFm == this) ZLVFm = nullptr;
}

// ---------------------------------------------------------------- pickers and clock
TDateTime TZLVFm::GetPickerDateTime() const {
    return CombinePickerValues(DatePicker->DateTime(), TimePicker->DateTime());
}

void TZLVFm::SetPickerDateTime(TDateTime value) {
    // Each picker keeps only its part, so that editing one never carries a stale part of the
    // other into the target.
    DatePicker->SetDateTime(PickerDateOf(value));
    TimePicker->SetDateTime(PickerTimeOf(value));
}

// ---------------------------------------------------------------- states
void TZLVFm::EnterNormalState() {
    AdjustTimeAction->SetEnabled(false);
    AdjustDoneAction->SetEnabled(false);
    ZeroResetAction->SetEnabled(true);
    // F11 belongs to the enabled one of put back and zero reset: the first menu item carrying
    // a shortcut takes the key even while disabled.
    AdjustTimeAction->SetShortCut(0);
    ZeroResetAction->SetShortCut(F11);
    TrueLabel->Font()->SetColor(clWindowText);
    NowLabel->Font()->SetColor(clWindowText);
}

void TZLVFm::EnterShiftedState() {
    AdjustTimeAction->SetEnabled(true);
    AdjustDoneAction->SetEnabled(true);
    ZeroResetAction->SetEnabled(false);
    ZeroResetAction->SetShortCut(0);
    AdjustTimeAction->SetShortCut(F11);
    TrueLabel->Font()->SetColor(clBlue);
    NowLabel->Font()->SetColor(clRed);
}

// ---------------------------------------------------------------- start, ticks and close
void TZLVFm::FormCreate(TObject*) {
    ReadPosition();
    AdjustDoneActionExecute(this);
}

void TZLVFm::ReadPosition() {
    if (!IsFile(FIniFileName)) return;
    // A settings file that cannot be read leaves the window where the system put it.
    try {
        TIniFile ini(FIniFileName);
        const int top = ini.ReadInteger(SettingsSection, "Top", Top());
        const int left = ini.ReadInteger(SettingsSection, "Left", Left());
        // A position saved on a monitor that is no longer there would put the window where
        // nobody can reach it: then the system's position stays.
        const RECT saved{left, top, left + Width(), top + Height()};
        if (MonitorFromRect(&saved, MONITOR_DEFAULTTONULL)) SetBounds(left, top, Width(), Height());
    } catch (const Exception&) {
    }
}

void TZLVFm::WritePosition() {
    TIniFile ini(FIniFileName);
    ini.WriteInteger(SettingsSection, "Top", Top());
    ini.WriteInteger(SettingsSection, "Left", Left());
}

void TZLVFm::ShowTime(TLabel* label, TDateTime value) {
    // Only a changed text is set, so that the label repaints once a second, not at every tick.
    const AnsiString text = FormatDateTime("yy/mm/dd hh:nn:ss", value);
    if (label->Caption() != text) label->SetCaption(text);
}

void TZLVFm::Timer1Timer(TObject*) {
    // One reading for both labels, so that they never show times a second apart off the offset.
    const TDateTime now = FShifter.Now();
    ShowTime(NowLabel, now);
    ShowTime(TrueLabel, now + FShifter.ClockOffset());
}

void TZLVFm::FormClose(TObject*, TCloseAction& action) {
    if (FShifter.IsShifted() &&
        Application->MessageBox("時刻が変更されたままです。終了してもよろしいですか？", "終了確認",
                                MB_YESNO | MB_ICONINFORMATION) == IDNO) {
        action = caNone;
        return;
    }
    // An unwritable settings file costs the position, never the close.
    try {
        WritePosition();
    } catch (const Exception&) {
        Application->ShowException(std::current_exception());
    }
}

// ---------------------------------------------------------------- commands
void TZLVFm::AdjustActionExecute(TObject*) {
    FShifter.Shift(GetPickerDateTime());
    EnterShiftedState();
}

void TZLVFm::AdjustTimeActionExecute(TObject* sender) {
    FShifter.PutBack();
    AdjustDoneActionExecute(sender);
}

void TZLVFm::AdjustDoneActionExecute(TObject*) {
    FShifter.Accept();
    SetPickerDateTime(FShifter.Now());
    EnterNormalState();
}

void TZLVFm::ZeroResetActionExecute(TObject* sender) {
    SetPickerDateTime(FShifter.ZeroResetTarget());
    AdjustActionExecute(sender);
}

void TZLVFm::NowTimeActionExecute(TObject*) { SetPickerDateTime(FShifter.Now()); }

void TZLVFm::TrueTimeActionExecute(TObject*) { SetPickerDateTime(FShifter.TrueTime()); }

void TZLVFm::ExitActionExecute(TObject*) { Close(); }

void TZLVFm::FileDropDropFiles(TObject*) {
    // The first file the shell lists decides; a time that cannot be had (a folder, a file gone,
    // a time outside 1980 to 2107) raises the date conversion error before the pickers change.
    SetPickerDateTime(PackedToDateTime(PackedFileTime(FileDrop->Files()->Strings(0))));
}
