#include "plan/PlanRecord.h"
#include "calendar/WorkingTime.h"
#include "common/PlantValues.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int month, int day, int hour, int minute = 0)
{
    return plant::naiveDateTime(QDate(2024, month, day), QTime(hour, minute));
}

// Period 2024/05/10 - 05/12 with the working day from 08:00: days 0..5 are 05/08 .. 05/13.
// Machine M01 (row 2) works 08:00-17:00 with lunch 12:00-13:00 and tea 15:00-15:10, 470
// minutes a day, except on 05/11 (no shift). Machine M02 (row 3) has no shift at all. S01
// (row 4) is a subcontractor.
class WorkingTimeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        rows.append(QStringLiteral("        "), QString());
        rows.append(QStringLiteral("M01     "), QStringLiteral("M01 成形機1"));
        rows.append(QStringLiteral("M02     "), QStringLiteral("M02 成形機2"));
        rows.closeMachineRows();
        rows.append(QStringLiteral("S01"), QStringLiteral("S01\n外注"));
        rows.padToMinimum();
        calendar.reset(QDate(2024, 5, 10), QDate(2024, 5, 12), QTime(8, 0), rows.lastMachineRow());
        breaks.offer(QTime(12, 0), QTime(13, 0));
        breaks.offer(QTime(15, 0), QTime(15, 10));
        for (int k = 0; k <= calendar.periodDays(); ++k) {
            if (calendar.dateOf(k) == QDate(2024, 5, 11))
                continue;
            CalendarDay *day = calendar.day(2, k);
            day->shiftTimes[0] = QTime(8, 0);
            day->shiftTimes[1] = QTime(17, 0);
            day->hourly = BuildDaySpans(day->shiftTimes, breaks, calendar.dayStart());
        }
        m01.MachineCode = QStringLiteral("M01     ");
        unplaced.MachineCode = QStringLiteral("        ");
    }

    ChartRows rows;
    WorkCalendar calendar;
    BreakTable breaks;
    PlanRecord m01;
    PlanRecord unplaced;
    const WorkingTime time{rows, calendar};
};

TEST_F(WorkingTimeTest, RemainingMinutesOfTheWorkingDay)
{
    struct Case
    {
        QDateTime moment;
        int row;
        qint64 minutes;
        QDateTime next;
    } cases[] = {
        {at(5, 10, 10), 2, 350, at(5, 11, 8)},
        {at(5, 10, 12, 30), 2, 230, at(5, 11, 8)},   // inside lunch
        {at(5, 10, 16, 59), 2, 1, at(5, 11, 8)},
        {at(5, 10, 17), 2, 0, at(5, 11, 8)},
        {at(5, 10, 7), 2, 0, at(5, 10, 8)},          // 05/09's working day, after its shift
        {at(5, 11, 9), 2, 0, at(5, 12, 8)},          // no shift that day
        {at(5, 10, 10), 3, 0, at(5, 11, 8)},         // machine without calendar rows
        {at(5, 7, 10), 2, 0, at(5, 8, 8)},           // before the calendar
        {at(5, 10, 10), 4, 960, at(5, 11, 8)},       // subcontractor
        {at(5, 10, 23), 4, 540, at(5, 11, 8)},       // subcontractor, late in the day
        {at(5, 10, 10), 1, 960, at(5, 11, 8)},       // unassigned row
        {at(5, 14, 10), 2, 960, at(5, 15, 8)},       // after the calendar
    };
    for (const Case &c : cases) {
        const RemainingWork remaining = time.RemainingWorkMinutes(c.moment, c.row);
        EXPECT_EQ(remaining.minutes, c.minutes) << c.moment.toString().toStdString() << " row " << c.row;
        EXPECT_EQ(remaining.nextDayStart, c.next) << c.moment.toString().toStdString();
    }
}

TEST_F(WorkingTimeTest, AdvanceWithinTheDayWalksTheSpans)
{
    struct Case
    {
        QDateTime moment;
        int row;
        qint64 minutes;
        QDateTime expected;
    } cases[] = {
        {at(5, 10, 10), 2, 150, at(5, 10, 13, 30)},
        {at(5, 10, 10), 2, 120, at(5, 10, 12)},      // ends exactly at a span end
        {at(5, 10, 10), 2, 350, at(5, 10, 17)},
        {at(5, 10, 10), 2, 351, at(5, 11, 8)},       // the spans run out
        {at(5, 10, 12, 30), 2, 0, at(5, 10, 13)},    // next working moment
        {at(5, 10, 12), 2, 0, at(5, 10, 13)},
        {at(5, 10, 7), 2, 30, at(5, 10, 8)},
        {at(5, 10, 23), 4, 600, at(5, 11, 9)},       // clock time without calendar
        {at(5, 7, 10), 2, 30, at(5, 7, 10)},         // before the calendar: unchanged
    };
    for (const Case &c : cases)
        EXPECT_EQ(time.AdvanceWithinDay(c.moment, c.row, c.minutes), c.expected)
            << c.moment.toString().toStdString() << " + " << c.minutes;
}

TEST_F(WorkingTimeTest, AddWorkMinutesOnAMachine)
{
    struct Case
    {
        const char *what;
        QDateTime start;
        qint64 minutes;
        QDateTime expected;
    } cases[] = {
        {"within the day", at(5, 10, 10), 150, at(5, 10, 13, 30)},
        {"to the day's end", at(5, 10, 10), 350, at(5, 10, 17)},
        {"skips the day without shift", at(5, 10, 10), 351, at(5, 12, 8, 1)},
        {"longer than a day", at(5, 10, 10), 820, at(5, 12, 17)},
        {"zero moves to the next working moment", at(5, 10, 12, 30), 0, at(5, 10, 13)},
        {"zero after the shift gives the next day start", at(5, 10, 18), 0, at(5, 11, 8)},
        {"start before the calendar", at(4, 1, 9), 60, at(5, 8, 9)},
        {"start long before the calendar", plant::naiveDateTime(QDate(1900, 1, 1), QTime(9, 0)), 60, at(5, 8, 9)},
        {"into the days after the calendar", at(5, 13, 16), 120, at(5, 14, 9)},
        {"after the calendar: 960 minutes a day", at(5, 14, 8), 1000, at(5, 15, 8, 40)},
        {"negative minutes count as none", at(5, 10, 10), -30, at(5, 10, 10)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(time.AddWorkMinutes(c.start, c.minutes, m01, QString()), c.expected) << c.what;
}

TEST_F(WorkingTimeTest, AddWorkMinutesChoosesTheRowByMachine)
{
    // An unplaced lot without a machine argument runs in clock time.
    EXPECT_EQ(time.AddWorkMinutes(at(5, 10, 10), 1000, unplaced, QString()), at(5, 11, 2, 40));
    // A machine argument overrides the record's machine.
    EXPECT_EQ(time.AddWorkMinutes(at(5, 10, 10), 150, unplaced, QStringLiteral("M01     ")), at(5, 10, 13, 30));
    EXPECT_EQ(time.AddWorkMinutes(at(5, 10, 10), 1000, m01, QStringLiteral("S01")), at(5, 11, 8, 40));
    // A machine without shifts never works inside the calendar: the lot waits for its end.
    EXPECT_EQ(time.AddWorkMinutes(at(5, 10, 10), 60, m01, QStringLiteral("M02     ")), at(5, 14, 9));
    // A code that is no row works like a subcontractor.
    EXPECT_EQ(time.AddWorkMinutes(at(5, 10, 10), 60, m01, QStringLiteral("X99")), at(5, 10, 11));
    // Codes compare exactly: the trimmed code is another machine.
    EXPECT_EQ(time.AddWorkMinutes(at(5, 10, 7), 60, m01, QStringLiteral("M01")), at(5, 10, 8));
}

TEST_F(WorkingTimeTest, LongerLotsNeverEndEarlierWithoutCalendar)
{
    // 960 minutes from 23:00 end at 15:00 next day; 1000 minutes must end later than that.
    const QDateTime shorter = time.AddWorkMinutes(at(5, 10, 23), 960, m01, QStringLiteral("S01"));
    const QDateTime longer = time.AddWorkMinutes(at(5, 10, 23), 1000, m01, QStringLiteral("S01"));
    EXPECT_EQ(shorter, at(5, 11, 15));
    EXPECT_EQ(longer, at(5, 11, 15, 40));
}

TEST_F(WorkingTimeTest, HugeCountsEndAsADate)
{
    const QDateTime capped = time.AddWorkMinutes(at(5, 10, 10), WorkingTime::MaxMinutes, m01, QString());
    ASSERT_TRUE(capped.isValid());
    EXPECT_GT(capped.date().year(), 2100);
    EXPECT_EQ(time.AddWorkMinutes(at(5, 10, 10), std::numeric_limits<qint64>::max(), m01, QString()), capped);
    EXPECT_TRUE(time.AddWorkMinutes(at(5, 10, 10), std::numeric_limits<qint64>::max(), unplaced, QString()).isValid());
}

TEST_F(WorkingTimeTest, DefaultPlansEightHoursForZeroMinutes)
{
    // 470 minutes on 05/10, none on 05/11, the last 10 on 05/12.
    EXPECT_EQ(time.AddWorkMinutesDefault(at(5, 10, 8), 0, m01), at(5, 12, 8, 10));
    EXPECT_EQ(time.AddWorkMinutesDefault(at(5, 10, 8), 60, m01), at(5, 10, 9));
}

} // namespace
