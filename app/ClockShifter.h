#pragma once
// The arithmetic of the clock shift: the local clock is moved to a target date-time while the
// true time is kept as an offset from the clock (true time = local clock + offset), so that the
// clock can later be put back or the move accepted.
#include "classlib/core/DateTime.h"
#include "classlib/core/Exceptions.h"

// The date-time shown by a date picker and a time picker: the whole days of the date picker's
// value plus the time of day of the time picker's value; nothing else of either enters it.
TDateTime CombinePickerValues(TDateTime datePicker, TDateTime timePicker);
// What the two pickers keep of a value: its whole days, and its time of day on day 0.
TDateTime PickerDateOf(TDateTime value);
TDateTime PickerTimeOf(TDateTime value);

// The text shown when the system refuses to set the clock: the fixed sentence followed by the
// system's reason for the error code.
AnsiString ClockRefusedMessage(unsigned long errorCode);

class TClockShifter {
public:
    explicit TClockShifter(IClock& clock) : FClock(clock) {}

    // Days that the clock stands behind the true time (negative while it stands ahead).
    TDateTime ClockOffset() const { return FClockOffset; }
    // Exact comparison: any offset left by a command counts, however small.
    bool IsShifted() const { return FClockOffset != 0.0; }

    // One fresh reading of the local clock, and one reading plus the offset.
    TDateTime Now() const;
    TDateTime TrueTime() const;

    // Moves the clock to target, keeping the true time where it is.
    void Shift(TDateTime target);
    // Writes the true time into the clock. The offset is left for Accept to clear.
    void PutBack();
    // Takes the clock as it stands as the true time.
    void Accept() { FClockOffset = 0.0; }
    // The nearest whole minute (plus 30 ms) to the clock's reading: seconds over 30 go up to the
    // next minute, across the hour and midnight into the next day.
    TDateTime ZeroResetTarget() const;

    // Writes value into the local clock in two steps, time of day first (in 10 ms steps,
    // truncated), then the date. When the system refuses either write, the clock is left where
    // it was before the call and an Exception carrying ClockRefusedMessage is raised; the offset
    // is then still the one that matches the clock. Should the system also refuse to put the time
    // of day back, the offset takes up its move instead, so that the true time is kept.
    void WriteLocalClock(TDateTime value);

private:
    IClock& FClock;
    TDateTime FClockOffset = 0.0;
};
