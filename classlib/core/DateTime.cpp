#include "DateTime.h"
#include "Exceptions.h"

#include <cmath>
#include <cstdint>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's civil algorithms).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
}

// 1899-12-30, day 0 of the date-time value.
constexpr std::int64_t EpochDays = -25569;

bool IsLeapYear(unsigned y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

unsigned DaysInMonth(unsigned y, unsigned m) {
    static const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// The whole days and the milliseconds of the day of a value; negative values count the day
// backwards and the time forwards (-1.25 is 1899-12-29 06:00).
void SplitValue(TDateTime value, std::int64_t& days, std::int64_t& msecOfDay) {
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6) throw EDateConvertError();
    const std::int64_t total = std::llround(value * MSecsPerDay);
    const std::int64_t perDay = static_cast<std::int64_t>(MSecsPerDay);
    days = total / perDay;  // toward zero
    msecOfDay = (total < 0 ? -total : total) % perDay;
}

}  // namespace

bool TryEncodeDate(unsigned year, unsigned month, unsigned day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    result = static_cast<double>(DaysFromCivil(year, month, day) - EpochDays);
    return true;
}

bool TryEncodeTime(unsigned hour, unsigned min, unsigned sec, unsigned msec, TDateTime& result) {
    if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
    result = ((hour * 3600u + min * 60u + sec) * 1000u + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(unsigned year, unsigned month, unsigned day) {
    TDateTime r;
    if (!TryEncodeDate(year, month, day, r)) throw EDateConvertError();
    return r;
}

TDateTime EncodeTime(unsigned hour, unsigned min, unsigned sec, unsigned msec) {
    TDateTime r;
    if (!TryEncodeTime(hour, min, sec, msec, r)) throw EDateConvertError();
    return r;
}

TDateTime EncodeDateTime(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned min,
                         unsigned sec, unsigned msec) {
    TDateTime date = EncodeDate(year, month, day);
    TDateTime time = EncodeTime(hour, min, sec, msec);
    // Before day 0 the whole part counts backwards but the time of day still forwards.
    return date < 0 ? date - time : date + time;
}

void DecodeDate(TDateTime value, unsigned& year, unsigned& month, unsigned& day) {
    std::int64_t days, msec;
    SplitValue(value, days, msec);
    std::int64_t y;
    CivilFromDays(days + EpochDays, y, month, day);
    year = static_cast<unsigned>(y);
}

void DecodeTime(TDateTime value, unsigned& hour, unsigned& min, unsigned& sec, unsigned& msec) {
    std::int64_t days, ms;
    SplitValue(value, days, ms);
    hour = static_cast<unsigned>(ms / 3600000);
    min = static_cast<unsigned>(ms / 60000 % 60);
    sec = static_cast<unsigned>(ms / 1000 % 60);
    msec = static_cast<unsigned>(ms % 1000);
}

unsigned DayOfWeek(TDateTime value) {
    std::int64_t days, ms;
    SplitValue(value, days, ms);
    // Day 0 (1899-12-30) was a Saturday, the 7th day.
    std::int64_t w = (days + 6) % 7;
    if (w < 0) w += 7;
    return static_cast<unsigned>(w) + 1;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& st) {
    return EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

SYSTEMTIME DateTimeToSystemTime(TDateTime value) {
    SYSTEMTIME st{};
    unsigned y, m, d, h, n, s, ms;
    DecodeDate(value, y, m, d);
    DecodeTime(value, h, n, s, ms);
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(n);
    st.wSecond = static_cast<WORD>(s);
    st.wMilliseconds = static_cast<WORD>(ms);
    return st;
}

SYSTEMTIME TSystemClock::GetLocalTime() {
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    return st;
}

bool TSystemClock::SetLocalTime(const SYSTEMTIME& time) { return ::SetLocalTime(&time) != FALSE; }

TDateTime Now(IClock& clock) { return SystemTimeToDateTime(clock.GetLocalTime()); }

TDateTime Date(IClock& clock) {
    SYSTEMTIME st = clock.GetLocalTime();
    return EncodeDate(st.wYear, st.wMonth, st.wDay);
}

TDateTime Time(IClock& clock) {
    SYSTEMTIME st = clock.GetLocalTime();
    return EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

namespace {

AnsiString LocaleText(LCTYPE type, const char* fallback) {
    char buf[16] = {};
    int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
    return n > 1 ? AnsiString(buf, static_cast<std::size_t>(n - 1)) : AnsiString(fallback);
}

AnsiString Padded(unsigned value, unsigned width) {
    AnsiString s = IntToStr(value);
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

}  // namespace

AnsiString FormatDateTime(const AnsiString& format, TDateTime value) {
    unsigned y, mo, d, h, n, s, ms;
    DecodeDate(value, y, mo, d);
    DecodeTime(value, h, n, s, ms);
    const AnsiString dateSep = LocaleText(LOCALE_SDATE, "/");
    const AnsiString timeSep = LocaleText(LOCALE_STIME, ":");

    AnsiString out;
    std::size_t i = 0;
    auto run = [&](char c) {  // how many times c repeats from i (ASCII case ignored)
        std::size_t k = i;
        while (k < format.size() && AsciiLower(format[k]) == c) ++k;
        return k - i;
    };
    while (i < format.size()) {
        const char c = format[i];
        const char lc = AsciiLower(c);
        std::size_t count = 1;
        if (c == '"' || c == '\'') {  // quoted text is copied as it stands
            std::size_t end = format.find(c, i + 1);
            if (end == AnsiString::npos) end = format.size();
            out.append(format, i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        switch (lc) {
        case 'y':
            count = run('y');
            out += count >= 3 ? Padded(y, 4) : Padded(y % 100, 2);
            break;
        case 'm': count = std::min<std::size_t>(run('m'), 2); out += Padded(mo, static_cast<unsigned>(count)); break;
        case 'd': count = std::min<std::size_t>(run('d'), 2); out += Padded(d, static_cast<unsigned>(count)); break;
        case 'h': count = std::min<std::size_t>(run('h'), 2); out += Padded(h, static_cast<unsigned>(count)); break;
        case 'n': count = std::min<std::size_t>(run('n'), 2); out += Padded(n, static_cast<unsigned>(count)); break;
        case 's': count = std::min<std::size_t>(run('s'), 2); out += Padded(s, static_cast<unsigned>(count)); break;
        case 'z':
            count = run('z');
            out += count >= 3 ? Padded(ms, 3) : IntToStr(ms);
            count = count >= 3 ? 3 : 1;
            break;
        case '/': out += dateSep; break;
        case ':': out += timeSep; break;
        default: out += c; break;
        }
        i += count;
    }
    return out;
}
