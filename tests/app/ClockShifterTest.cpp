// The clock shifting arithmetic against a simulated clock: offsets, the two-step write, zero
// reset and refused writes.
#include "app/ClockShifter.h"
#include "app/SimulatedClock.h"
#include <gtest/gtest.h>

namespace {

constexpr double OneMs = 1.0 / MSecsPerDay;
constexpr double Hour = 1.0 / 24.0;

TDateTime At(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s, WORD ms = 0) {
    return SystemTimeToDateTime(MakeTime(y, mo, d, h, mi, s, ms));
}

bool SameInstant(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

TEST(PickerValues, DateOfTheFirstAndTimeOfTheSecond) {
    struct Case { TDateTime date, time, expected; };
    const Case cases[] = {
        // A date picker carrying a time of day, a time picker carrying a date.
        {At(2024, 5, 10, 17, 45, 12), At(1999, 1, 2, 8, 30, 15, 250), At(2024, 5, 10, 8, 30, 15, 250)},
        // A time picker value from before 1899-12-30 still gives its time of day.
        {At(2024, 5, 10, 0, 0, 0), -1.25, At(2024, 5, 10, 6, 0, 0)},
        {At(2000, 2, 29, 23, 59, 59), 0.0, At(2000, 2, 29, 0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(CombinePickerValues(c.date, c.time), c.expected, OneMs / 10) << c.date << " " << c.time;
}

TEST(PickerValues, ShownValueComesBackWhole) {
    for (TDateTime v : {0.0, 0.5, At(2024, 5, 10, 12, 34, 56, 789), At(2107, 12, 31, 23, 59, 59, 999)}) {
        EXPECT_EQ(PickerTimeOf(v), v - static_cast<long long>(v));
        EXPECT_LT(PickerTimeOf(v), 1.0);
        EXPECT_EQ(CombinePickerValues(PickerDateOf(v), PickerTimeOf(v)), v);
    }
}

TEST(ClockRefused, FixedSentenceThenTheSystemsReason) {
    const AnsiString text = ClockRefusedMessage(ERROR_PRIVILEGE_NOT_HELD);
    const AnsiString sentence = "システム時刻を変更できません.";
    ASSERT_EQ(text.substr(0, sentence.size()), sentence);
    ASSERT_GT(text.size(), sentence.size() + 1);
    EXPECT_EQ(text[sentence.size()], '\n');
    EXPECT_NE(text.back(), '\n');
}

class ClockShifterTest : public testing::Test {
protected:
    TSimulatedClock clock{MakeTime(2024, 5, 10, 12, 0, 0)};
    TClockShifter shifter{clock};
};

TEST_F(ClockShifterTest, ShiftTwiceKeepsTheTrueTime) {
    const TDateTime start = clock.PeekDateTime();
    shifter.Shift(start - Hour);
    EXPECT_NEAR(shifter.ClockOffset(), Hour, OneMs);
    EXPECT_NEAR(clock.PeekDateTime(), start - Hour, OneMs);
    EXPECT_TRUE(shifter.IsShifted());

    clock.Advance(10 * 60 * 1000);
    shifter.Shift(clock.PeekDateTime() - 2 * Hour);
    EXPECT_NEAR(shifter.ClockOffset(), 3 * Hour, OneMs);
    // Ten minutes have passed since the start, whatever the clock shows.
    EXPECT_NEAR(shifter.TrueTime(), start + 10 * 60 * 1000 * OneMs, OneMs);
    EXPECT_NEAR(clock.PeekDateTime(), start + 10 * 60 * 1000 * OneMs - 3 * Hour, OneMs);
}

TEST_F(ClockShifterTest, OffsetUsesTheReadingBeforeTheWrite) {
    // Each reading moves the clock on by 7 ms: the offset is the one reading of the command
    // against the target, not a later reading.
    clock.SetStepPerReading(7);
    const TDateTime start = clock.PeekDateTime();
    shifter.Shift(start - Hour);
    EXPECT_NEAR(shifter.ClockOffset(), Hour, OneMs / 10);
}

TEST_F(ClockShifterTest, WritesTimeOfDayFirstThenTheDateIn10MsSteps) {
    shifter.WriteLocalClock(At(2023, 1, 2, 10, 0, 0, 39));
    ASSERT_EQ(clock.Writes.size(), 2u);
    // Target time of day on the old date, then the target date.
    EXPECT_TRUE(SameInstant(clock.Writes[0], MakeTime(2024, 5, 10, 10, 0, 0, 30)));
    EXPECT_TRUE(SameInstant(clock.Writes[1], MakeTime(2023, 1, 2, 10, 0, 0, 30)));
}

TEST_F(ClockShifterTest, PutBackWritesTheTrueTime) {
    const TDateTime start = clock.PeekDateTime();
    shifter.Shift(At(2020, 3, 4, 5, 6, 7));
    clock.Advance(5000);
    shifter.PutBack();
    EXPECT_NEAR(clock.PeekDateTime(), start + 5000 * OneMs, 10 * OneMs);
    // Put back leaves clearing the offset to Accept.
    shifter.Accept();
    EXPECT_EQ(shifter.ClockOffset(), 0.0);
}

TEST_F(ClockShifterTest, AcceptKeepsTheShiftedClock) {
    shifter.Shift(At(2020, 3, 4, 5, 6, 7));
    const size_t writes = clock.Writes.size();
    shifter.Accept();
    EXPECT_EQ(shifter.ClockOffset(), 0.0);
    EXPECT_FALSE(shifter.IsShifted());
    EXPECT_EQ(clock.Writes.size(), writes);
    EXPECT_NEAR(clock.PeekDateTime(), At(2020, 3, 4, 5, 6, 7), OneMs);
}

TEST(ZeroReset, NearestWholeMinute) {
    struct Case { SYSTEMTIME now; TDateTime expected; };
    const Case cases[] = {
        {MakeTime(2024, 5, 10, 12, 34, 30, 999), At(2024, 5, 10, 12, 34, 0, 30)},
        {MakeTime(2024, 5, 10, 12, 34, 31, 0), At(2024, 5, 10, 12, 35, 0, 30)},
        {MakeTime(2024, 5, 10, 12, 34, 0, 0), At(2024, 5, 10, 12, 34, 0, 30)},
        {MakeTime(2024, 5, 10, 12, 59, 45, 0), At(2024, 5, 10, 13, 0, 0, 30)},
        {MakeTime(2024, 5, 10, 23, 59, 30, 500), At(2024, 5, 10, 23, 59, 0, 30)},
        // Past 23:59:30 the nearest minute is the next day's first, across month and year.
        {MakeTime(2024, 5, 10, 23, 59, 45, 0), At(2024, 5, 11, 0, 0, 0, 30)},
        {MakeTime(2024, 2, 28, 23, 59, 31, 0), At(2024, 2, 29, 0, 0, 0, 30)},
        {MakeTime(2024, 12, 31, 23, 59, 59, 999), At(2025, 1, 1, 0, 0, 0, 30)},
    };
    for (const Case& c : cases) {
        TSimulatedClock clock(c.now);
        TClockShifter shifter(clock);
        EXPECT_NEAR(shifter.ZeroResetTarget(), c.expected, OneMs / 10)
            << c.now.wHour << ":" << c.now.wMinute << ":" << c.now.wSecond << "." << c.now.wMilliseconds;
    }
}

TEST(ZeroReset, OneReadingJustBeforeMidnight) {
    // A second reading would already see the next day and move the target a day too far.
    TSimulatedClock clock(MakeTime(2024, 5, 10, 23, 59, 59, 999));
    clock.SetStepPerReading(1);
    TClockShifter shifter(clock);
    EXPECT_NEAR(shifter.ZeroResetTarget(), At(2024, 5, 11, 0, 0, 0, 30), OneMs / 10);
}

TEST(ZeroReset, ShiftLeavesTheSmallDifference) {
    TSimulatedClock clock(MakeTime(2024, 5, 10, 12, 34, 40, 500));
    TClockShifter shifter(clock);
    shifter.Shift(shifter.ZeroResetTarget());
    EXPECT_TRUE(SameInstant(clock.Peek(), MakeTime(2024, 5, 10, 12, 35, 0, 30)));
    EXPECT_NEAR(shifter.ClockOffset(), -(19 * 1000 + 530) * OneMs, OneMs / 10);
}

// A refused write leaves the offset and the clock as they were (the clock having run on by the
// time that passed) and raises the message with the system's reason. When the time of day was
// already written and the date is refused, the clock is put back.
TEST(RefusedClock, NothingMovesAndTheReasonIsRaised) {
    struct Case { const char* command; bool startShifted; int firstRefused, refusals; size_t writes; };
    const Case cases[] = {
        {"shift", false, 0, 1 << 30, 0}, {"shift", true, 0, 1 << 30, 0},
        {"shift", false, 1, 1, 2},       {"shift", true, 1, 1, 2},
        {"put back", true, 0, 1 << 30, 0}, {"put back", true, 1, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << (c.startShifted ? " while shifted" : "")
                                        << ", refused from write " << c.firstRefused);
        TSimulatedClock clock(MakeTime(2024, 5, 10, 12, 0, 0));
        TClockShifter shifter(clock);
        if (c.startShifted) shifter.Shift(At(2024, 5, 9, 8, 0, 0));
        clock.Writes.clear();
        clock.SetStepPerReading(2);
        const TDateTime offset = shifter.ClockOffset();
        const TDateTime trueBefore = clock.PeekDateTime() + offset;
        clock.RefuseWrites(c.firstRefused, c.refusals);
        try {
            if (AnsiString(c.command) == "shift") shifter.Shift(At(2001, 7, 8, 9, 10, 11));
            else shifter.PutBack();
            ADD_FAILURE() << "no error raised";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), ClockRefusedMessage(ERROR_PRIVILEGE_NOT_HELD));
        }
        EXPECT_EQ(shifter.ClockOffset(), offset);
        EXPECT_EQ(clock.Writes.size(), c.writes);
        // The readings of the command took a few milliseconds of simulated time.
        EXPECT_GE(clock.PeekDateTime() + offset, trueBefore - OneMs / 10);
        EXPECT_NEAR(clock.PeekDateTime() + offset, trueBefore, 20 * OneMs);
    }
}

// The date is refused and so is putting the time of day back: the clock keeps the move, and the
// offset takes it up so that clock plus offset is still the true time.
TEST(RefusedClock, AClockThatCannotBePutBackKeepsTheTrueTimeInTheOffset) {
    for (bool startShifted : {false, true}) {
        SCOPED_TRACE(startShifted);
        TSimulatedClock clock(MakeTime(2024, 5, 10, 12, 0, 0));
        TClockShifter shifter(clock);
        if (startShifted) shifter.Shift(At(2024, 5, 9, 8, 0, 0));
        clock.Writes.clear();
        const TDateTime trueBefore = clock.PeekDateTime() + shifter.ClockOffset();
        clock.RefuseWrites(1, 2);
        EXPECT_THROW(shifter.Shift(At(2001, 7, 8, 9, 10, 11)), Exception);
        EXPECT_EQ(clock.Writes.size(), 1u);
        EXPECT_NEAR(clock.PeekDateTime() + shifter.ClockOffset(), trueBefore, 20 * OneMs);
    }
}

}  // namespace
