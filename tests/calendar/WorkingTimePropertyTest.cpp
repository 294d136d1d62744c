// Properties of the day spans and of AddWorkMinutes over many generated calendars and break
// tables (seeded, so every failure can be replayed).

#include "plan/PlanRecord.h"
#include "calendar/WorkingDay.h"
#include "calendar/WorkingTime.h"
#include "common/PlantValues.h"

#include <gtest/gtest.h>
#include <random>

namespace {

constexpr int MinutesPerDay = 24 * 60;

class Generator
{
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    QTime minuteTime(int minuteOfDay) { return QTime(0, 0).addSecs(qint64(minuteOfDay % MinutesPerDay) * 60); }
    QTime anyTime() { return chance(10) ? QTime(0, 0) : minuteTime(between(0, MinutesPerDay - 1)); }

    BreakTable breaks()
    {
        BreakTable table;
        const int offers = between(0, 14);
        for (int i = 0; i < offers; ++i) {
            const int start = between(0, MinutesPerDay - 1);
            const int length = between(1, 120);
            table.offer(minuteTime(start), minuteTime(start + length));
        }
        return table;
    }

    ShiftTimes anyShifts()
    {
        ShiftTimes shifts;
        for (QTime &slot : shifts)
            slot = anyTime();
        return shifts;
    }

    // A first shift from the day start or later up to midnight at the latest; when it runs to
    // midnight, possibly a second shift in the small hours.
    ShiftTimes plainShifts(int dayStart)
    {
        ShiftTimes shifts;
        shifts.fill(QTime(0, 0));
        if (chance(10))
            return shifts;
        const int start = between(dayStart, MinutesPerDay - 1);
        const bool toMidnight = chance(30);
        const int end = toMidnight ? MinutesPerDay : between(start + 1, MinutesPerDay);
        shifts[0] = minuteTime(start);
        shifts[1] = minuteTime(end);
        if (toMidnight && dayStart > 0 && chance(70)) {
            const int secondStart = between(0, dayStart - 1);
            shifts[2] = minuteTime(secondStart);
            shifts[3] = minuteTime(between(secondStart + 1, dayStart));
        }
        return shifts;
    }

private:
    std::mt19937 m_random;
};

int minuteOf(const QTime &time)
{
    return time.msecsSinceStartOfDay() / 60000;
}

// Whether the clock minute starting at `minute` (0..1439) lies in a break.
bool inBreak(const BreakTable &breaks, int minute)
{
    for (int i = 0; i < breaks.size(); ++i) {
        const int from = minuteOf(breaks.pair(i).start);
        const int to = breaks.pair(i).end == QTime(0, 0) ? MinutesPerDay : minuteOf(breaks.pair(i).end);
        if (minute >= from && minute < to)
            return true;
    }
    return false;
}

// The working-day minutes (0..1439 after the day start) the spans cover; fails on spans out of
// order, overlapping or reaching past the working day.
std::vector<bool> coveredMinutes(const DaySpans &spans, const QTime &dayStart)
{
    std::vector<bool> covered(MinutesPerDay, false);
    int previousEnd = 0;
    for (int i = 0; i < spans.size(); ++i) {
        const int from = workday::startOffset(spans.start(i), dayStart) / 60;
        const int to = workday::endOffset(spans.end(i), dayStart) / 60;
        EXPECT_LT(from, to) << "span " << i;
        EXPECT_GE(from, previousEnd) << "span " << i << " out of order";
        previousEnd = to;
        for (int m = from; m < to && m < MinutesPerDay; ++m)
            covered[size_t(m)] = true;
    }
    for (int n = 2 * spans.size() + 1; n <= 24; ++n)
        EXPECT_EQ(spans.slot(n), QTime(0, 0)) << "unused slot " << n;
    return covered;
}

TEST(DaySpansProperties, AnyShiftsGiveOrderedSpansOutsideTheBreaks)
{
    Generator gen(20240510);
    for (int round = 0; round < 3000; ++round) {
        const QTime dayStart = gen.minuteTime(gen.between(0, 11) * 60);
        const BreakTable breaks = gen.breaks();
        const ShiftTimes shifts = gen.anyShifts();
        const DaySpans spans = BuildDaySpans(shifts, breaks, dayStart);
        SCOPED_TRACE(testing::Message() << "round " << round);
        const std::vector<bool> covered = coveredMinutes(spans, dayStart);
        for (int m = 0; m < MinutesPerDay; ++m)
            if (covered[size_t(m)]) {
                ASSERT_FALSE(inBreak(breaks, (minuteOf(dayStart) + m) % MinutesPerDay)) << "minute " << m;
            }
    }
}

TEST(DaySpansProperties, PlainShiftsAreCoveredExceptForTheBreaks)
{
    Generator gen(7);
    for (int round = 0; round < 3000; ++round) {
        const int dayStart = gen.between(0, 10) * 60 + (gen.chance(50) ? 30 : 0);
        const QTime dayStartTime = gen.minuteTime(dayStart);
        const BreakTable breaks = gen.breaks();
        const ShiftTimes shifts = gen.plainShifts(dayStart);
        const DaySpans spans = BuildDaySpans(shifts, breaks, dayStartTime);
        SCOPED_TRACE(testing::Message() << "round " << round);
        const std::vector<bool> covered = coveredMinutes(spans, dayStartTime);

        // The shift minutes on the clock: the first shift on the working date, the second one
        // (after a shift to midnight) on the next date.
        std::vector<bool> shiftMinute(MinutesPerDay, false);
        if (shifts[0] != shifts[1]) {
            const int end = shifts[1] == QTime(0, 0) ? MinutesPerDay : minuteOf(shifts[1]);
            for (int clock = minuteOf(shifts[0]); clock < end; ++clock)
                shiftMinute[size_t(clock - dayStart)] = true;
        }
        if (shifts[2] != shifts[3])
            for (int clock = minuteOf(shifts[2]); clock < minuteOf(shifts[3]); ++clock)
                shiftMinute[size_t(clock + MinutesPerDay - dayStart)] = true;

        for (int m = 0; m < MinutesPerDay; ++m) {
            const bool working = shiftMinute[size_t(m)] && !inBreak(breaks, (dayStart + m) % MinutesPerDay);
            ASSERT_EQ(covered[size_t(m)], working) << "working-day minute " << m;
        }
    }
}

// A plant of one machine over a generated period; the day's spans come from generated shifts.
struct GeneratedPlant
{
    ChartRows rows;
    WorkCalendar calendar;
    BreakTable breaks;
    PlanRecord lot;

    GeneratedPlant(Generator &gen)
    {
        rows.append(QStringLiteral("        "), QString());
        rows.append(QStringLiteral("M01"), QStringLiteral("M01"));
        rows.closeMachineRows();
        rows.append(QStringLiteral("S01"), QStringLiteral("S01"));
        const QDate start = QDate(2024, 1, 1).addDays(gen.between(0, 365));
        const QTime dayStart = gen.minuteTime(gen.between(0, 10) * 60);
        calendar.reset(start, start.addDays(gen.between(0, 40)), dayStart, rows.lastMachineRow());
        breaks = gen.breaks();
        for (int k = 0; k <= calendar.periodDays(); ++k) {
            CalendarDay *day = calendar.day(2, k);
            day->shiftTimes = gen.chance(50) ? gen.plainShifts(minuteOf(dayStart)) : gen.anyShifts();
            day->hourly = BuildDaySpans(day->shiftTimes, breaks, dayStart);
        }
        lot.MachineCode = QStringLiteral("M01");
    }

    // Whether the minute starting at `moment` is working time of the machine.
    bool working(const QDateTime &moment) const
    {
        const QTime &dayStart = calendar.dayStart();
        const CalendarDay *day = calendar.day(2, workday::dayIndex(moment, calendar.periodStart(), dayStart));
        if (!day)
            return false;
        const qint64 offset = workday::dayStartOf(moment, dayStart).secsTo(moment);
        for (int i = 0; i < day->hourly.size(); ++i)
            if (offset >= workday::startOffset(day->hourly.start(i), dayStart)
                && offset < workday::endOffset(day->hourly.end(i), dayStart))
                return true;
        return false;
    }

    QDateTime calendarEnd() const
    {
        return plant::naiveDateTime(calendar.dateOf(calendar.periodDays() + 1), calendar.dayStart());
    }
};

TEST(AddWorkMinutesProperties, EndsAfterExactlyThatManyWorkingMinutes)
{
    Generator gen(1234);
    for (int round = 0; round < 150; ++round) {
        GeneratedPlant plant(gen);
        const WorkingTime time(plant.rows, plant.calendar);
        const QDateTime start = plant::naiveDateTime(plant.calendar.dateOf(gen.between(-3, plant.calendar.periodDays() + 2)),
                                                     gen.minuteTime(gen.between(0, MinutesPerDay - 1)));
        SCOPED_TRACE(testing::Message() << "round " << round << " start " << start.toString().toStdString());

        // Walk the minutes one by one and compare every count with the arithmetic.
        QDateTime at = start;
        qint64 worked = 0;
        const QDateTime end = plant.calendarEnd();
        while (at < end && worked < 3000) {
            if (plant.working(at)) {
                ++worked;
                ASSERT_EQ(time.AddWorkMinutes(start, worked, plant.lot, QString()), at.addSecs(60))
                    << worked << " minutes";
            }
            at = at.addSecs(60);
        }
    }
}

TEST(AddWorkMinutesProperties, EndsAndNeverGoesBackForAnyRowAndCount)
{
    Generator gen(99);
    const qint64 counts[] = {0, 1, 59, 60, 479, 480, 959, 960, 961, 1439, 1440, 5000, 20000, 100000,
                             10000000, WorkingTime::MaxMinutes + 5};
    for (int round = 0; round < 200; ++round) {
        GeneratedPlant plant(gen);
        const WorkingTime time(plant.rows, plant.calendar);
        const QDateTime start = plant::naiveDateTime(plant.calendar.dateOf(gen.between(-30, plant.calendar.periodDays() + 30)),
                                                     gen.minuteTime(gen.between(0, MinutesPerDay - 1)));
        for (const QString &code : {QString(), QStringLiteral("S01"), QStringLiteral("X99")}) {
            SCOPED_TRACE(testing::Message() << "round " << round << " code " << code.toStdString()
                                            << " start " << start.toString().toStdString());
            QDateTime previous = start;
            for (const qint64 minutes : counts) {
                const QDateTime end = time.AddWorkMinutes(start, minutes, plant.lot, code);
                ASSERT_TRUE(end.isValid()) << minutes;
                ASSERT_GE(end, previous) << minutes << " minutes";
                previous = end;
            }
        }
    }
}

} // namespace
