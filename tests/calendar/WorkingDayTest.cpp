#include "calendar/ByteWidthText.h"
#include "calendar/GridRounding.h"
#include "calendar/WorkingDay.h"
#include "common/PlantValues.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkingDay, EigyoDateFollowsTheDayStart)
{
    const QTime dayStart(8, 0);
    EXPECT_EQ(FunGetEigyoDate(QDate(2024, 5, 10), QTime(7, 59), dayStart), QDate(2024, 5, 9));
    EXPECT_EQ(FunGetEigyoDate(QDate(2024, 5, 10), QTime(8, 0), dayStart), QDate(2024, 5, 10));
    EXPECT_EQ(FunGetEigyoDate(QDate(2024, 3, 1), QTime(0, 0), dayStart), QDate(2024, 2, 29));
    EXPECT_EQ(FunGetEigyoDate(QDate(2024, 5, 10), QTime(0, 0), QTime(0, 0)), QDate(2024, 5, 10));
}

TEST(WorkingDay, DayIndexCountsFromTwoDaysBeforeThePeriod)
{
    const QDate start(2024, 5, 10);
    const QTime dayStart(8, 0);
    EXPECT_EQ(workday::dayIndex(plant::naiveDateTime(start, QTime(8, 0)), start, dayStart), 2);
    EXPECT_EQ(workday::dayIndex(plant::naiveDateTime(start, QTime(7, 59)), start, dayStart), 1);
    EXPECT_EQ(workday::dayIndex(plant::naiveDateTime(QDate(2024, 5, 8), QTime(7, 0)), start, dayStart), -1);
    EXPECT_EQ(workday::dayIndex(plant::naiveDateTime(QDate(2024, 6, 1), QTime(23, 0)), start, dayStart), 24);
}

struct GridCase
{
    int grid;
    QDateTime in;
    QDateTime out;
};

TEST(GridRounding, RoundsUpToTheGridAcrossMidnight)
{
    const QDate d(2024, 5, 10);
    const GridCase cases[] = {
        {15, plant::naiveDateTime(d, QTime(10, 7)), plant::naiveDateTime(d, QTime(10, 15))},
        {15, plant::naiveDateTime(d, QTime(10, 15)), plant::naiveDateTime(d, QTime(10, 15))},
        {15, plant::naiveDateTime(d, QTime(10, 15, 1)), plant::naiveDateTime(d, QTime(10, 30))},
        {15, plant::naiveDateTime(d, QTime(23, 50)), plant::naiveDateTime(d.addDays(1), QTime(0, 0))},
        {15, plant::naiveDateTime(QDate(2024, 12, 31), QTime(23, 59)), plant::naiveDateTime(QDate(2025, 1, 1), QTime(0, 0))},
        {7, plant::naiveDateTime(d, QTime(23, 58)), plant::naiveDateTime(d.addDays(1), QTime(0, 2))},
        {1, plant::naiveDateTime(d, QTime(9, 0, 30)), plant::naiveDateTime(d, QTime(9, 1))},
        {0, plant::naiveDateTime(d, QTime(9, 0, 30)), plant::naiveDateTime(d, QTime(9, 1))},
        {60, plant::naiveDateTime(d, QTime(0, 0)), plant::naiveDateTime(d, QTime(0, 0))},
    };
    for (const GridCase &c : cases)
        EXPECT_EQ(RoundToGrid(c.in, c.grid), c.out) << c.grid << " " << c.in.toString().toStdString();

    QDate date(2024, 5, 10);
    QTime time(23, 50);
    RoundDateTimeToGrid(date, time, 15);
    EXPECT_EQ(plant::dateText(date), QStringLiteral("2024/05/11"));
    EXPECT_EQ(plant::timeText(time), QStringLiteral("00:00:00"));
}

struct PadCase
{
    QString text;
    int width;
    QString alignment;
    QString expected;
};

TEST(PadToByteWidth, FitsShiftJisWidthsWithoutHalfCharacters)
{
    const PadCase cases[] = {
        {u"ab"_qs, 5, u"L"_qs, u"ab   "_qs},
        {u"ab"_qs, 5, u"R"_qs, u"   ab"_qs},
        {u"abcdef"_qs, 4, u"L"_qs, u"abcd"_qs},
        {u"abcdef"_qs, 4, u"R"_qs, u"cdef"_qs},
        {u"成形機"_qs, 6, u"L"_qs, u"成形機"_qs},
        {u"成形機"_qs, 5, u"L"_qs, u"成形 "_qs},   // no half of 機
        {u"成形機"_qs, 5, u"R"_qs, u" 形機"_qs},   // no half of 成
        {u"A成形"_qs, 4, u"L"_qs, u"A成 "_qs},
        {u"ｶﾅ成"_qs, 3, u"L"_qs, u"ｶﾅ "_qs},       // half-width katakana count one
        {u"ｶﾅ成"_qs, 3, u"R"_qs, u"ﾅ成"_qs},
        {u"𠮷野"_qs, 3, u"L"_qs, u"𠮷 "_qs},       // a surrogate pair stays whole
        {u"機"_qs, 1, u"L"_qs, u" "_qs},
        {u"abc"_qs, 0, u"L"_qs, QString()},
        {u"abc"_qs, -3, u"R"_qs, QString()},
        {u"abc"_qs, 2, QString(), u"abc"_qs},
        {u"abc"_qs, 5, u"C"_qs, QString()},
    };
    for (const PadCase &c : cases) {
        const QString padded = PadToByteWidth(c.text, c.width, c.alignment);
        EXPECT_EQ(padded, c.expected) << c.text.toStdString() << " " << c.width << c.alignment.toStdString();
        if (c.alignment == u"L" || c.alignment == u"R") {
            EXPECT_EQ(plant::sjisWidth(padded), std::max(c.width, 0));
        }
    }
}

} // namespace
