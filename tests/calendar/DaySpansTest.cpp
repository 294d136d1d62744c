#include "calendar/DaySpans.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QTime at(const QString &text)
{
    return QTime::fromString(text, QStringLiteral("HH:mm"));
}

// "08:00-12:00 13:00-15:00" style lists.
std::vector<std::pair<QTime, QTime>> pairs(const char *text)
{
    std::vector<std::pair<QTime, QTime>> list;
    for (const QString &item : QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts)) {
        const QStringList ends = item.split(u'-');
        list.emplace_back(at(ends[0]), at(ends[1]));
    }
    return list;
}

QString spansText(const DaySpans &spans)
{
    QStringList parts;
    for (int i = 0; i < spans.size(); ++i)
        parts << spans.start(i).toString(QStringLiteral("HH:mm")) + u'-' + spans.end(i).toString(QStringLiteral("HH:mm"));
    return parts.join(u' ');
}

struct SpanCase
{
    const char *name;
    const char *dayStart;
    const char *shifts; // up to four pairs, slots 1-8
    const char *breaks;
    const char *expected;
};

class BuildDaySpansCase : public testing::TestWithParam<SpanCase>
{
};

TEST_P(BuildDaySpansCase, CutsTheShiftsByTheBreaks)
{
    const SpanCase &c = GetParam();
    ShiftTimes shifts;
    shifts.fill(QTime(0, 0));
    int slot = 0;
    for (const auto &[s, e] : pairs(c.shifts)) {
        shifts[size_t(slot++)] = s;
        shifts[size_t(slot++)] = e;
    }
    BreakTable breaks;
    for (const auto &[s, e] : pairs(c.breaks))
        breaks.offer(s, e);

    const DaySpans spans = BuildDaySpans(shifts, breaks, at(QString::fromLatin1(c.dayStart)));
    EXPECT_EQ(spansText(spans), QString::fromLatin1(c.expected));
    for (int n = 2 * spans.size() + 1; n <= 24; ++n)
        EXPECT_EQ(spans.slot(n), QTime(0, 0)) << "slot " << n;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildDaySpansCase,
    testing::Values(
        SpanCase{"DayShiftWithLunchAndTea", "08:00", "08:00-17:00", "12:00-13:00 15:00-15:10",
                 "08:00-12:00 13:00-15:00 15:10-17:00"},
        SpanCase{"NoBreaks", "08:00", "08:00-17:00", "", "08:00-17:00"},
        SpanCase{"NoShift", "08:00", "", "12:00-13:00", ""},
        SpanCase{"ShiftInsideBreak", "08:00", "12:10-12:50", "12:00-13:00", ""},
        SpanCase{"ShiftEndsInsideBreak", "08:00", "08:00-12:30", "12:00-13:00", "08:00-12:00"},
        SpanCase{"ShiftStartsInsideBreak", "08:00", "12:30-17:00", "12:00-13:00", "13:00-17:00"},
        SpanCase{"BreakAtShiftStart", "08:00", "08:00-17:00", "08:00-08:15", "08:15-17:00"},
        SpanCase{"BreakAtShiftEnd", "08:00", "08:00-17:00", "16:45-17:00", "08:00-16:45"},
        SpanCase{"BreaksOutsideShift", "08:00", "08:00-17:00", "06:00-07:00 18:00-19:00", "08:00-17:00"},
        SpanCase{"BreaksListedOutOfOrder", "08:00", "08:00-17:00", "15:00-15:10 12:00-13:00",
                 "08:00-12:00 13:00-15:00 15:10-17:00"},
        SpanCase{"MorningBreakBeforeEveningBreaks", "08:00", "08:00-17:00", "03:00-03:30 12:00-13:00",
                 "08:00-12:00 13:00-17:00"},
        SpanCase{"EveryPairOfTheDay", "08:00", "08:00-12:00 13:00-17:00 18:00-20:00", "12:00-13:00 15:00-15:10",
                 "08:00-12:00 13:00-15:00 15:10-17:00 18:00-20:00"},
        SpanCase{"PairsInTimeOrderWhateverTheirSlots", "08:00", "18:00-20:00 08:00-12:00", "",
                 "08:00-12:00 18:00-20:00"},
        SpanCase{"AdjoiningPairsFollowEachOther", "08:00", "08:00-12:00 12:00-17:00", "", "08:00-12:00 12:00-17:00"},
        SpanCase{"OverlapOverTheWholeDayInTwoHalves", "08:00", "08:00-20:00 18:00-08:00", "", "08:00-20:00 20:00-08:00"},
        SpanCase{"RunsToMidnightWithBreakToMidnight", "08:00", "16:00-00:00", "23:30-00:00", "16:00-23:30"},
        SpanCase{"ContinuesAfterMidnight", "08:00", "16:00-00:00 00:00-06:00",
                 "20:00-20:30 00:00-00:30 03:00-03:30",
                 "16:00-20:00 20:30-00:00 00:30-03:00 03:30-06:00"},
        SpanCase{"RoundTheClock", "08:00", "08:00-00:00 00:00-08:00", "12:00-13:00",
                 "08:00-12:00 13:00-00:00 00:00-08:00"},
        SpanCase{"OverlappingPairsCountOnce", "08:00", "16:00-00:00 13:00-17:00", "", "13:00-00:00"},
        SpanCase{"LaterPairReadLikeTheFirst", "08:00", "16:00-00:00 07:00-09:00", "", "08:00-09:00 16:00-00:00"},
        SpanCase{"NightShiftAcrossMidnight", "08:00", "22:00-06:00", "02:00-02:30", "22:00-02:00 02:30-06:00"},
        SpanCase{"StartsBeforeDayStart", "08:00", "06:00-15:00", "12:00-13:00", "08:00-12:00 13:00-15:00"},
        SpanCase{"RunsPastNextDayStart", "08:00", "20:00-09:00", "", "20:00-08:00"},
        SpanCase{"BreakAcrossDayStart", "08:00", "08:00-00:00 00:00-08:00", "07:30-08:30",
                 "08:30-00:00 00:00-07:30"},
        SpanCase{"MidnightDayStart", "00:00", "08:00-17:00", "00:00-01:00 12:00-13:00", "08:00-12:00 13:00-17:00"},
        SpanCase{"MidnightDayStartToMidnight", "00:00", "20:00-00:00 00:00-06:00", "23:00-00:00",
                 "00:00-06:00 20:00-23:00"},
        SpanCase{"TenBreaksGiveElevenSpans", "00:00", "08:00-20:00",
                 "09:00-09:05 10:00-10:05 11:00-11:05 12:00-12:05 13:00-13:05 14:00-14:05 15:00-15:05 "
                 "16:00-16:05 17:00-17:05 18:00-18:05",
                 "08:00-09:00 09:05-10:00 10:05-11:00 11:05-12:00 12:05-13:00 13:05-14:00 14:05-15:00 "
                 "15:05-16:00 16:05-17:00 17:05-18:00 18:05-20:00"},
        SpanCase{"FourPairsCutByTenBreaksKeepEverySpan", "00:00", "01:00-05:00 07:00-11:00 13:00-17:00 19:00-23:00",
                 "02:00-02:05 03:00-03:05 04:00-04:05 08:00-08:05 09:00-09:05 10:00-10:05 14:00-14:05 "
                 "15:00-15:05 20:00-20:05 21:00-21:05",
                 "01:00-02:00 02:05-03:00 03:05-04:00 04:05-05:00 07:00-08:00 08:05-09:00 09:05-10:00 "
                 "10:05-11:00 13:00-14:00 14:05-15:00 15:05-17:00 19:00-20:00 20:05-21:00 21:05-23:00"}),
    [](const testing::TestParamInfo<SpanCase> &info) { return std::string(info.param.name); });

TEST(SpanMinutes, CountsWholeMinutesWithMidnightEnds)
{
    EXPECT_EQ(SpanMinutes(QTime(8, 0), QTime(12, 0)), 240);
    EXPECT_EQ(SpanMinutes(QTime(23, 0), QTime(0, 0)), 60);
    EXPECT_EQ(SpanMinutes(QTime(22, 0), QTime(2, 0)), 240);
    EXPECT_EQ(SpanMinutes(QTime(8, 0, 0), QTime(8, 1, 59)), 1);
    EXPECT_EQ(SpanMinutes(QTime(0, 0), QTime(0, 0)), 0);
}

} // namespace
