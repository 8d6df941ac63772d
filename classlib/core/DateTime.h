#pragma once
// Date-time values: a double counting days since 1899-12-30 00:00; the whole part is the date
// and the fraction the time of day (negative values before 1899-12-30, the fraction still
// counting forward within the day as its absolute value).
#include "Strings.h"
#include <windows.h>

using TDateTime = double;

constexpr double MSecsPerDay = 86400000.0;

// Raise EDateConvertError for values outside the calendar (month 15, hour 25, ...).
TDateTime EncodeDate(unsigned year, unsigned month, unsigned day);
TDateTime EncodeTime(unsigned hour, unsigned min, unsigned sec, unsigned msec);
bool TryEncodeDate(unsigned year, unsigned month, unsigned day, TDateTime& result);
bool TryEncodeTime(unsigned hour, unsigned min, unsigned sec, unsigned msec, TDateTime& result);
// Date plus time of day, also before 1899-12-30, where the whole part counts backwards but the
// time of day still forwards.
TDateTime EncodeDateTime(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned min,
                         unsigned sec, unsigned msec);
void DecodeDate(TDateTime value, unsigned& year, unsigned& month, unsigned& day);
void DecodeTime(TDateTime value, unsigned& hour, unsigned& min, unsigned& sec, unsigned& msec);
unsigned DayOfWeek(TDateTime value);  // 1 = Sunday .. 7 = Saturday

TDateTime SystemTimeToDateTime(const SYSTEMTIME& st);
SYSTEMTIME DateTimeToSystemTime(TDateTime value);

// The local clock as the program sees it. The entry point gives the real one (GetLocalTime,
// SetLocalTime); tests give a simulated one.
class IClock {
public:
    virtual ~IClock() = default;
    virtual SYSTEMTIME GetLocalTime() = 0;
    // Returns false and leaves the reason in GetLastError when the system refuses.
    virtual bool SetLocalTime(const SYSTEMTIME& time) = 0;
};

class TSystemClock : public IClock {
public:
    SYSTEMTIME GetLocalTime() override;
    bool SetLocalTime(const SYSTEMTIME& time) override;
};

TDateTime Now(IClock& clock);
TDateTime Date(IClock& clock);
TDateTime Time(IClock& clock);

// Formats with the tokens yy, yyyy, m, mm, d, dd, h, hh, n, nn, s, ss, zzz, "/" (the locale's
// date separator) and ":" (the locale's time separator); other characters are copied.
AnsiString FormatDateTime(const AnsiString& format, TDateTime value);
