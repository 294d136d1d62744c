#include "common/PlantValues.h"

#include <gtest/gtest.h>
#include <limits>

using namespace plant;

TEST(PlantValues, RoundingFollowsThePlantRules)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(15155.2), 15155);
    EXPECT_EQ(intFloor(-1.5), -2);
    EXPECT_EQ(intFloor(1.99), 1);
    EXPECT_EQ(ceilWhole(1.25 * 60), 75);
    EXPECT_EQ(ceilWhole(0.01 * 60), 1);
    EXPECT_EQ(ceilWhole(0.0), 0);
}

TEST(PlantValues, RoundingsNeverInventNumbers)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(roundHalfEven(1e20), std::numeric_limits<qint64>::max());
    EXPECT_EQ(intFloor(-1e20), std::numeric_limits<qint64>::min());
    EXPECT_EQ(ceilWhole(inf), std::numeric_limits<qint64>::max());
    EXPECT_EQ(roundHalfEven(nan), 0);
    struct Case
    {
        double value;
        bool fits;
    } cases[] = {{0, true}, {2147483647.0, true}, {-2147483647.0, true}, {2147483647.5, false},
                 {1e20, false}, {-1e20, false}, {inf, false}, {-inf, false}, {nan, false}};
    for (const Case &c : cases)
        EXPECT_EQ(fitsColumn(c.value), c.fits) << c.value;
}

TEST(PlantValues, LeadingNumberOfColumnText)
{
    EXPECT_DOUBLE_EQ(leadingNumber(u"12abc"), 12);
    EXPECT_DOUBLE_EQ(leadingNumber(u" 3.5"), 3.5);
    EXPECT_DOUBLE_EQ(leadingNumber(u"abc"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(u""), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(u"-7.25kg"), -7.25);
    EXPECT_DOUBLE_EQ(leadingNumber(u"."), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(u"1e3"), 1000);
    EXPECT_DOUBLE_EQ(leadingNumber(u"1e"), 1);
}

TEST(PlantValues, StoredDatesAndTimes)
{
    EXPECT_EQ(dateFromDb(u"20240401"), QDate(2024, 4, 1));
    EXPECT_FALSE(dateFromDb(u"00000000").isValid());
    EXPECT_FALSE(dateFromDb(u"20240230").isValid());
    EXPECT_FALSE(dateFromDb(u"junk").isValid());
    EXPECT_FALSE(dateFromDb(u"").isValid());
    EXPECT_EQ(timeFromDb(83000), QTime(8, 30, 0));
    EXPECT_EQ(timeFromDb(0), QTime(0, 0, 0));
    EXPECT_FALSE(timeFromDb(99999).isValid());
    EXPECT_FALSE(timeFromDb(-1).isValid());
    EXPECT_EQ(dateToDb(QDate(2024, 12, 1)), QStringLiteral("20241201"));
    EXPECT_EQ(dateToDb(QDate()), QStringLiteral("00000000"));
    EXPECT_EQ(timeToDb(QTime(17, 5, 9)), 170509);
    EXPECT_EQ(dateFromText(u"2024/04/01"), QDate(2024, 4, 1));
    EXPECT_FALSE(dateFromText(u"2024/02/30").isValid());
}

TEST(PlantValues, HoursAndDisplayFormats)
{
    EXPECT_DOUBLE_EQ(minutesToDbHours(90), 1.5);
    EXPECT_DOUBLE_EQ(minutesToDbHours(100), 1.66);
    EXPECT_EQ(thousands(1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(thousands(999), QStringLiteral("999"));
    EXPECT_EQ(thousands(-1000), QStringLiteral("-1,000"));
    EXPECT_EQ(thousands(std::numeric_limits<qint64>::min()), QStringLiteral("-9,223,372,036,854,775,808"));
    EXPECT_EQ(thousands(std::numeric_limits<qint64>::max()), QStringLiteral("9,223,372,036,854,775,807"));
    EXPECT_EQ(thousandsTenths(1234.56), QStringLiteral("1,234.6"));
    EXPECT_EQ(thousandsTenths(std::numeric_limits<double>::quiet_NaN()), QString());
    EXPECT_EQ(thousandsTenths(-std::numeric_limits<double>::infinity()), QString());
}

TEST(PlantValues, ShiftJisWidths)
{
    EXPECT_EQ(sjisWidth(u"ABC"), 3);
    EXPECT_EQ(sjisWidth(u"成形機"), 6);
    EXPECT_EQ(sjisWidth(u"M01 成形"), 8);
    EXPECT_EQ(sjisWidth(u"ｶﾅ"), 2);
}
