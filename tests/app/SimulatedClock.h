#pragma once
// A local clock that stands still until the test moves it. Each reading can advance it by a fixed
// step (to tell apart the readings of one command), and writes can be refused, leaving a reason
// in GetLastError as the system does.
#include "classlib/core/DateTime.h"
#include <windows.h>
#include <cstdint>
#include <vector>

class TSimulatedClock : public IClock {
public:
    explicit TSimulatedClock(const SYSTEMTIME& start) { Set(start); }

    // Moves the clock without counting as a write of the program.
    void Set(const SYSTEMTIME& time) {
        FILETIME ft;
        SystemTimeToFileTime(&time, &ft);
        FTicks = (std::uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    }
    void Advance(std::int64_t ms) { FTicks += ms * 10000; }
    // Every later reading advances the clock by ms after it was taken.
    void SetStepPerReading(std::int64_t ms) { FStep = ms; }
    // Write attempts first .. first + count - 1 (counted from 0 from now on) fail with the given
    // error; a count of 0 accepts every write again.
    void RefuseWrites(int first, int count = 1 << 30, DWORD error = ERROR_PRIVILEGE_NOT_HELD) {
        FRefuseFrom = Attempts + first;
        FRefuseTo = FRefuseFrom + count;
        FRefusal = error;
    }

    SYSTEMTIME Peek() const {
        FILETIME ft{static_cast<DWORD>(FTicks), static_cast<DWORD>(FTicks >> 32)};
        SYSTEMTIME st;
        FileTimeToSystemTime(&ft, &st);
        return st;
    }
    TDateTime PeekDateTime() const { return SystemTimeToDateTime(Peek()); }

    SYSTEMTIME GetLocalTime() override {
        ++Readings;
        SYSTEMTIME st = Peek();
        Advance(FStep);
        return st;
    }
    bool SetLocalTime(const SYSTEMTIME& time) override {
        const int attempt = Attempts++;
        if (attempt >= FRefuseFrom && attempt < FRefuseTo) {
            SetLastError(FRefusal);
            return false;
        }
        FILETIME ft;
        if (!SystemTimeToFileTime(&time, &ft)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
        Writes.push_back(time);
        FTicks = (std::uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
        return true;
    }

    std::vector<SYSTEMTIME> Writes;  // every accepted write, in order
    int Attempts = 0;
    int Readings = 0;

private:
    std::uint64_t FTicks = 0;
    std::int64_t FStep = 0;
    int FRefuseFrom = 0, FRefuseTo = 0;
    DWORD FRefusal = ERROR_PRIVILEGE_NOT_HELD;
};

inline SYSTEMTIME MakeTime(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s, WORD ms = 0) {
    SYSTEMTIME st{};
    st.wYear = y; st.wMonth = mo; st.wDay = d;
    st.wHour = h; st.wMinute = mi; st.wSecond = s; st.wMilliseconds = ms;
    return st;
}
