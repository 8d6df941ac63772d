#include "app/ClockShifter.h"
#include <cmath>
#include <string_view>

TDateTime CombinePickerValues(TDateTime datePicker, TDateTime timePicker) {
    const TDateTime timeOfDay = timePicker - std::trunc(timePicker);
    return std::trunc(datePicker) + std::fabs(timeOfDay);
}

TDateTime PickerDateOf(TDateTime value) { return std::trunc(value); }

TDateTime PickerTimeOf(TDateTime value) { return value - std::trunc(value); }

AnsiString ClockRefusedMessage(unsigned long errorCode) {
    AnsiString text = "システム時刻を変更できません.";
    char* reason = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, errorCode, 0, reinterpret_cast<char*>(&reason), 0, nullptr);
    AnsiString why;
    if (length && reason) why.assign(reason, length);
    else why.append("(").append(IntToStr(errorCode)).append(")");
    if (reason) LocalFree(reason);
    // The system's texts end in a line break that would leave an empty line in the message box,
    // and in Japanese in a full stop "。" to which the exception display would add its own ".".
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' '))
        why.pop_back();
    if (!why.empty()) {
        const char* last = CharPrevExA(CP_ACP, why.data(), why.data() + why.size(), 0);
        if (std::string_view(last, why.data() + why.size() - last) == "。") why.erase(last - why.data());
    }
    return text + "\n" + why;
}

TDateTime TClockShifter::Now() const { return ::Now(FClock); }

TDateTime TClockShifter::TrueTime() const { return ::Now(FClock) + FClockOffset; }

void TClockShifter::Shift(TDateTime target) {
    const TDateTime now = ::Now(FClock);
    // The sum first: the true time at this moment, of which the target is subtracted.
    const TDateTime offset = (now + FClockOffset) - target;
    WriteLocalClock(target);
    // Only a clock that really moved may carry the new offset; a refused write raised above and
    // left both as they were.
    FClockOffset = offset;
}

void TClockShifter::PutBack() { WriteLocalClock(TrueTime()); }

TDateTime TClockShifter::ZeroResetTarget() const {
    // One reading for both the time and the date, so that a reading just before midnight cannot
    // be paired with the next day's date.
    const SYSTEMTIME st = FClock.GetLocalTime();
    unsigned h = st.wHour, m = st.wMinute;
    TDateTime date = EncodeDate(st.wYear, st.wMonth, st.wDay);
    if (st.wSecond > 30) {
        if (m < 59) {
            ++m;
        } else {
            m = 0;
            if (h < 23) {
                ++h;
            } else {
                h = 0;
                date += 1.0;
            }
        }
    }
    return date + EncodeTime(h, m, 0, 30);
}

void TClockShifter::WriteLocalClock(TDateTime value) {
    const SYSTEMTIME target = DateTimeToSystemTime(value);

    SYSTEMTIME first = FClock.GetLocalTime();
    const TDateTime before = SystemTimeToDateTime(first);
    first.wHour = target.wHour;
    first.wMinute = target.wMinute;
    first.wSecond = target.wSecond;
    first.wMilliseconds = static_cast<WORD>(target.wMilliseconds / 10 * 10);
    if (!FClock.SetLocalTime(first)) throw Exception(ClockRefusedMessage(GetLastError()));

    SYSTEMTIME second = FClock.GetLocalTime();
    second.wYear = target.wYear;
    second.wMonth = target.wMonth;
    second.wDay = target.wDay;
    if (!FClock.SetLocalTime(second)) {
        const DWORD error = GetLastError();
        // The time of day already moved: put the clock back where it was, advanced by the time
        // that has passed since the first write (the clock itself measures it).
        const TDateTime elapsed = ::Now(FClock) - SystemTimeToDateTime(first);
        // Refused as well: the clock keeps the move of its time of day, which the offset then
        // takes up, so that the true time is not lost.
        if (!FClock.SetLocalTime(DateTimeToSystemTime(before + elapsed)))
            FClockOffset -= SystemTimeToDateTime(first) - before;
        throw Exception(ClockRefusedMessage(error));
    }
}
