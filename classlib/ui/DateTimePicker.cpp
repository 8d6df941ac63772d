#include "classlib/ui/DateTimePicker.h"
#include "classlib/core/Exceptions.h"

#include <cmath>
#include <commctrl.h>

TClass TDateTimePicker::StaticClass() {
    static const TClassInfo info = ClassBuilder<TDateTimePicker, TWinControl>("TDateTimePicker")
        .Property<&TDateTimePicker::CalAlignment, &TDateTimePicker::SetCalAlignment>("CalAlignment")
            .Enum({"dtaLeft", "dtaRight"}).Default(dtaLeft)
        .Property<&TDateTimePicker::Date, &TDateTimePicker::SetDate>("Date")
        .Property<&TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat>("DateFormat")
            .Enum({"dfShort", "dfLong"}).Default(dfShort)
        .Property<&TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode>("DateMode")
            .Enum({"dmComboBox", "dmUpDown"}).Default(dmComboBox)
        .Property<&TDateTimePicker::Kind, &TDateTimePicker::SetKind>("Kind")
            .Enum({"dtkDate", "dtkTime"}).Default(dtkDate)
        .Property<&TDateTimePicker::ParseInput, &TDateTimePicker::SetParseInput>("ParseInput").Default(false)
        .Property<&TDateTimePicker::Time, &TDateTimePicker::SetTime>("Time")
        .Property<&TDateTimePicker::OnChange>("OnChange")
        .Build();
    return &info;
}

namespace {

// Date-times before 1899-12-30 are negative with the time of day still counting forward, so
// the parts are split and joined on their absolute values.
double DatePart(TDateTime value) { return std::trunc(value); }
double TimePart(TDateTime value) { return std::fabs(value - std::trunc(value)); }
TDateTime Join(double date, double time) { return date >= 0 ? date + time : date - time; }

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FDateTime = SystemTimeToDateTime(now);
    SetTabStop(true);
    SetColor(clWindow);
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = DATETIMEPICK_CLASSW;
    params.OwnClass = false;
    if (FKind == dtkTime) {
        params.Style |= DTS_TIMEFORMAT;  // the time fields, with up-down arrows
    } else {
        params.Style |= FDateFormat == dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT;
        if (FDateMode == dmUpDown) params.Style |= DTS_UPDOWN;
        if (FCalAlignment == dtaRight) params.Style |= DTS_RIGHTALIGN;
    }
    if (FParseInput) params.Style |= DTS_APPCANPARSE;
}

void TDateTimePicker::CreateWnd() {
    TWinControl::CreateWnd();
    SYSTEMTIME st = DateTimeToSystemTime(FDateTime);
    SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

void TDateTimePicker::DestroyWnd() {
    FDateTime = DateTime();
    TWinControl::DestroyWnd();
}

TDateTime TDateTimePicker::DateTime() const {
    if (!HandleAllocated()) return FDateTime;
    SYSTEMTIME st{};
    HWND window = const_cast<TDateTimePicker*>(this)->Handle();
    if (SendMessageW(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return FDateTime;
    return SystemTimeToDateTime(st);
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    SYSTEMTIME st = DateTimeToSystemTime(value);  // raises for a value outside the calendar
    FDateTime = value;
    if (HandleAllocated() &&
        !SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)))
        throw EDateConvertError();
}

TDateTime TDateTimePicker::Date() const { return DatePart(DateTime()); }
void TDateTimePicker::SetDate(TDateTime date) { SetDateTime(Join(DatePart(date), TimePart(DateTime()))); }
TDateTime TDateTimePicker::Time() const { return TimePart(DateTime()); }
void TDateTimePicker::SetTime(TDateTime time) { SetDateTime(Join(DatePart(DateTime()), TimePart(time))); }

void TDateTimePicker::StyleChanged() { RecreateWnd(); }

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (kind == FKind) return;
    FKind = kind;
    StyleChanged();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat format) {
    if (format == FDateFormat) return;
    FDateFormat = format;
    StyleChanged();
}

void TDateTimePicker::SetCalAlignment(TDTCalAlignment alignment) {
    if (alignment == FCalAlignment) return;
    FCalAlignment = alignment;
    StyleChanged();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode) {
    if (mode == FDateMode) return;
    FDateMode = mode;
    StyleChanged();
}

void TDateTimePicker::SetParseInput(bool parseInput) {
    if (parseInput == FParseInput) return;
    FParseInput = parseInput;
    StyleChanged();
}

void TDateTimePicker::WndProc(TMessage& message) {
    if (message.Msg == CN_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        if (header->code == DTN_DATETIMECHANGE) {
            const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(header);
            if (change->dwFlags == GDT_VALID) FDateTime = SystemTimeToDateTime(change->st);
            OnChange(this);
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
