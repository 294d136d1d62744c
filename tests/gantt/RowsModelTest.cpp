#include "gantt/InputTopPosition.h"
#include "gantt/MachineCalendar.h"
#include "gantt/RowScroll.h"

#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace {

// Rows as the two builders make them, without reading any calendar.
ChartRows buildRows(const QList<RowSource> &machines, const QList<RowSource> &subcontractors)
{
    ChartRows rows;
    rows.append(QStringLiteral("        "), QString());
    for (const RowSource &machine : machines)
        rows.append(machine.code, machine.code.trimmed() + u' ' + machine.name);
    rows.closeMachineRows();
    InputTopPosition2(rows, subcontractors);
    return rows;
}

TEST(ChartRows, TwoMachinesAndOneSubcontractorFillTenRows)
{
    const ChartRows rows = buildRows({{u"M01     "_qs, u"成形機1"_qs}, {u"M02     "_qs, u"成形機2"_qs}},
                                     {{u"S01"_qs, u"外注A"_qs}});
    ASSERT_EQ(rows.count(), 10);
    EXPECT_EQ(rows.lastMachineRow(), 3);
    const struct
    {
        int index;
        double top;
        QString code;
        QString caption;
    } expected[] = {
        {1, 240, u"        "_qs, QString()},
        {2, 840, u"M01     "_qs, u"M01 成形機1"_qs},
        {3, 1440, u"M02     "_qs, u"M02 成形機2"_qs},
        {4, 2040, u"S01"_qs, u"S01\n外注A"_qs},
        {5, 2640, QString(), QString()},
        {10, 5640, QString(), QString()},
    };
    for (const auto &e : expected) {
        const MachineRow &row = rows.row(e.index);
        EXPECT_EQ(row.index, e.index);
        EXPECT_EQ(row.top, e.top) << e.index;
        EXPECT_EQ(row.code, e.code) << e.index;
        EXPECT_EQ(row.caption, e.caption) << e.index;
        EXPECT_EQ(row.lowerBoundary, e.top + 450) << e.index; // bar 300 high, centred gap
    }
    EXPECT_FALSE(rows.isMachineRow(1));
    EXPECT_TRUE(rows.isMachineRow(3));
    EXPECT_FALSE(rows.isMachineRow(4));

    const RowScroll scroll(rows.count());
    EXPECT_EQ(scroll.maximum(), 0);
}

TEST(ChartRows, SubcontractorCaptionsBreakBeforeBrackets)
{
    EXPECT_EQ(subcontractorCaption(u"S01"_qs, u"ABC(第二)"_qs), u"S01\nABC\n(第二)"_qs);
    EXPECT_EQ(subcontractorCaption(u"S02"_qs, u"東工業（本社）"_qs), u"S02\n東工業\n（本社）"_qs);
    EXPECT_EQ(subcontractorCaption(u"S03"_qs, u"A(1)（2）"_qs), u"S03\nA\n(1)\n（2）"_qs);
    EXPECT_EQ(subcontractorCaption(u"S04"_qs, u"(株)丸(一)"_qs), u"S04\n\n(株)丸(一)"_qs);
    EXPECT_EQ(subcontractorCaption(u"S05"_qs, QString()), u"S05\n"_qs);
}

TEST(RowScroll, TwelveRowsScrollByTwo)
{
    QList<RowSource> machines;
    for (int i = 1; i <= 11; ++i)
        machines.append({QStringLiteral("M%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("機械")});
    const ChartRows rows = buildRows(machines, {});
    ASSERT_EQ(rows.count(), 12);

    RowScroll scroll(rows.count());
    EXPECT_EQ(scroll.maximum(), 2);
    EXPECT_EQ(scroll.largeChange(), 9);
    EXPECT_EQ(scroll.labelCaption(rows, 1), QString()); // row 1 has no caption
    EXPECT_EQ(scroll.labelCaption(rows, 10), u"M09 機械"_qs);

    scroll.setValue(2);
    EXPECT_EQ(scroll.rowOfLabel(1), 3);
    EXPECT_EQ(scroll.rowOfLabel(10), 12);
    EXPECT_EQ(scroll.labelCaption(rows, 1), u"M02 機械"_qs);
    EXPECT_EQ(scroll.labelCaption(rows, 10), u"M11 機械"_qs);
    EXPECT_EQ(scroll.surfaceTop(), -1200);

    scroll.setValue(5);
    EXPECT_EQ(scroll.value(), 2);
    scroll.setValue(-1);
    EXPECT_EQ(scroll.value(), 0);
}

TEST(RowScroll, LabelsShowTheCodeThenTheNameOnOneLine)
{
    const ChartRows rows = buildRows({{u"IM100-01"_qs, u"成形機 100t 1号"_qs}},
                                     {{u"S01         "_qs, u"外注（株）北工業"_qs}, {u"S02         "_qs, u"(有)南"_qs}});
    RowScroll scroll(rows.count());
    const struct
    {
        int label;
        QString code;
        QString name;
    } cases[] = {
        {1, QString(), QString()},
        {2, u"IM100-01"_qs, u"成形機 100t 1号"_qs},
        {3, u"S01"_qs, u"外注 （株）北工業"_qs},
        {4, u"S02"_qs, u"(有)南"_qs},
        {5, QString(), QString()},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(scroll.labelCode(rows, c.label), c.code) << c.label;
        EXPECT_EQ(scroll.labelName(rows, c.label), c.name) << c.label;
    }
}

TEST(RowScroll, ManyRowsNeedNoSixteenBitCeiling)
{
    RowScroll scroll(40010);
    EXPECT_EQ(scroll.maximum(), 40000);
    scroll.setValue(40000);
    EXPECT_EQ(scroll.rowOfLabel(10), 40010);
    EXPECT_EQ(scroll.surfaceTop(), -24000000.0);
}

TEST(RowLookup, PlacesLotsByExactCodes)
{
    const ChartRows rows = buildRows({{u"M01     "_qs, u"成形機1"_qs}, {u"M02     "_qs, u"成形機2"_qs}},
                                     {{u"S01         "_qs, u"外注A"_qs}});
    const QString blanks8(8, u' ');
    const QString blanks12(12, u' ');
    const struct
    {
        const char *what;
        QString machine;
        QString destination;
        double top;
    } cases[] = {
        {"machine only", u"M02     "_qs, blanks12, 1440},
        {"unassigned lot matches row 1", blanks8, blanks12, 240},
        {"subcontractor without machine", blanks8, u"S01         "_qs, 2040},
        {"both set and different: machine decides", u"M01     "_qs, u"S01         "_qs, 840},
        {"both set, machine unknown: no row", u"M09     "_qs, u"S01         "_qs, 0},
        {"same code in both", u"M01     "_qs, u"M01     "_qs, 840},
        {"blanks count", u"M01"_qs, blanks12, 0},
        {"empty codes match no padded row", QString(), QString(), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(rows.RowLookup(c.machine, c.destination), c.top) << c.what;
}

TEST(RowLookup, TheHighestMatchingRowWins)
{
    const ChartRows rows = buildRows({{u"X1"_qs, u"機械"_qs}}, {{u"X1"_qs, u"外注"_qs}});
    EXPECT_EQ(rows.RowLookup(u"X1"_qs, QString()), 1440);
    EXPECT_EQ(rows.rowOfCode(u"X1"_qs), 3);
    EXPECT_EQ(rows.rowOfCode(QString()), 0);
}

// Day indexes of a calendar for the period 2024/05/10 - 05/12: day 0 is 05/08, day 5 is 05/13.
class CalendarRows : public testing::Test
{
protected:
    void SetUp() override
    {
        calendar.reset(QDate(2024, 5, 10), QDate(2024, 5, 12), QTime(8, 0), 2);
        breaks.offer(QTime(12, 0), QTime(13, 0));
    }

    static CalendarRow entry(const char *date, double hours, QTime s1, QTime e1, QTime s2, QTime e2)
    {
        CalendarRow row;
        row.dateText = QString::fromLatin1(date);
        row.date = QDate::fromString(row.dateText, QStringLiteral("yyyyMMdd"));
        row.hours = hours;
        row.start1 = s1;
        row.end1 = e1;
        row.start2 = s2;
        row.end2 = e2;
        return row;
    }

    WorkCalendar calendar;
    BreakTable breaks;
    ScriptedPrompter prompter;
};

TEST_F(CalendarRows, TwoRowsOfOneDateFillTheShiftSlotsInOrder)
{
    applyCalendarRows(calendar, 2, u"M01"_qs,
                      {entry("20240510", 8, QTime(8, 0), QTime(12, 0), QTime(13, 0), QTime(17, 0)),
                       entry("20240510", 2, QTime(18, 0), QTime(20, 0), QTime(20, 0), QTime(20, 0))},
                      breaks, prompter);
    EXPECT_EQ(calendar.periodDays(), 5);
    const CalendarDay *day = calendar.day(2, 2);
    ASSERT_TRUE(day);
    const ShiftTimes expected = {QTime(8, 0), QTime(12, 0), QTime(13, 0), QTime(17, 0),
                                 QTime(18, 0), QTime(20, 0), QTime(0, 0), QTime(0, 0)};
    EXPECT_EQ(day->shiftTimes, expected);
    EXPECT_EQ(day->workHours, 10);
    EXPECT_FALSE(day->changed);
    // Every pair is working time, cut by the lunch break.
    ASSERT_EQ(day->hourly.size(), 3);
    EXPECT_EQ(day->hourly.end(0), QTime(12, 0));
    EXPECT_EQ(day->hourly.start(1), QTime(13, 0));
    EXPECT_EQ(day->hourly.end(2), QTime(20, 0));
    EXPECT_TRUE(prompter.said().empty());
    EXPECT_EQ(calendar.day(2, 3)->workHours, 0);
}

TEST_F(CalendarRows, RowsOutsideTheDaysOrWithoutHoursAreLeftOut)
{
    applyCalendarRows(calendar, 2, u"M01"_qs,
                      {entry("20240507", 8, QTime(8, 0), QTime(17, 0), QTime(0, 0), QTime(0, 0)),
                       entry("20240508", 8, QTime(8, 0), QTime(17, 0), QTime(0, 0), QTime(0, 0)),
                       entry("20240511", 0, QTime(8, 0), QTime(17, 0), QTime(0, 0), QTime(0, 0)),
                       entry("20240513", 7.5, QTime(8, 0), QTime(16, 0), QTime(0, 0), QTime(0, 0)),
                       entry("20240514", 8, QTime(8, 0), QTime(17, 0), QTime(0, 0), QTime(0, 0)),
                       entry("junk", 8, QTime(8, 0), QTime(17, 0), QTime(0, 0), QTime(0, 0))},
                      breaks, prompter);
    EXPECT_EQ(calendar.day(2, 0)->workHours, 8);
    EXPECT_EQ(calendar.day(2, 0)->hourly.size(), 2);
    EXPECT_EQ(calendar.day(2, 3)->shiftTimes[0], QTime(0, 0));
    EXPECT_EQ(calendar.day(2, 5)->workHours, 8); // 7.5 rounds to the even 8
    EXPECT_EQ(calendar.day(2, 5)->shiftTimes[1], QTime(16, 0));
}

TEST_F(CalendarRows, FourShiftPairsAtMost)
{
    std::vector<CalendarRow> entries;
    for (int hour = 8; hour < 20; hour += 4)
        entries.push_back(entry("20240510", 1, QTime(hour, 0), QTime(hour + 1, 0), QTime(hour + 2, 0), QTime(hour + 3, 0)));
    applyCalendarRows(calendar, 2, u"M01"_qs, entries, breaks, prompter);
    const CalendarDay *day = calendar.day(2, 2);
    EXPECT_EQ(day->shiftTimes[6], QTime(14, 0));
    EXPECT_EQ(day->shiftTimes[7], QTime(15, 0));
    EXPECT_EQ(day->workHours, 3);
}

TEST_F(CalendarRows, LateFirstShiftIsReportedAndKept)
{
    applyCalendarRows(calendar, 2, u"M01     "_qs,
                      {entry("20240510", 4, QTime(10, 0), QTime(14, 0), QTime(0, 0), QTime(0, 0)),
                       entry("20240511", 4, QTime(10, 0, 1), QTime(14, 0), QTime(0, 0), QTime(0, 0)),
                       entry("20240511", 4, QTime(15, 0), QTime(19, 0), QTime(0, 0), QTime(0, 0)),
                       entry("20240512", 4, QTime(9, 0), QTime(9, 0), QTime(11, 0), QTime(15, 0))},
                      breaks, prompter);
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_EQ(prompter.said()[0].text, u"M01     の計画で10時以降に開始時間が設定されています。日付:20240511"_qs);
    EXPECT_EQ(prompter.said()[0].icon, PromptIcon::Information);
    EXPECT_EQ(calendar.day(2, 3)->shiftTimes[0], QTime(10, 0, 1));
    // The 11:00 start of 05/12 went into slot 1 from the row's second pair: not the first pair.
    EXPECT_EQ(calendar.day(2, 4)->shiftTimes[0], QTime(11, 0));
}

TEST_F(CalendarRows, UnreadableTimesAreReportedAndLeaveNoShift)
{
    applyCalendarRows(calendar, 2, u"M01"_qs,
                      {entry("20240510", 8, QTime(), QTime(17, 0), QTime(0, 0), QTime(0, 0))}, breaks, prompter);
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_EQ(prompter.said()[0].text, u"M01の稼働時間に時刻として読めない値があります。日付:20240510"_qs);
    EXPECT_EQ(calendar.day(2, 2)->workHours, 8);
    EXPECT_EQ(calendar.day(2, 2)->hourly.size(), 0);
}

} // namespace
