#include "app/StartupQueries.h"

#include "TestPlant.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplaySettingsClamp, MonthsStayWithinOneToThree)
{
    const std::pair<qint64, int> cases[] = {{0, 1}, {2, 2}, {7, 3}, {1, 1}, {3, 3}, {-4, 1}};
    for (const auto &[stored, expected] : cases)
        EXPECT_EQ(startup::clampDisplayMonths(stored), expected) << stored;
}

TEST(DisplaySettingsClamp, GridUnitIsAtLeastOneMinuteAndAtMostADay)
{
    const std::pair<qint64, int> cases[] = {{0, 1}, {-5, 1}, {1, 1}, {15, 15}, {1440, 1440}, {100000, 1440}};
    for (const auto &[stored, expected] : cases)
        EXPECT_EQ(startup::clampGridUnitMinutes(stored), expected) << stored;
}

class StartupQueries : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    TestPlant plant{GetParam()};
};

TEST_P(StartupQueries, AuthorityOfTheOperatorOrEmpty)
{
    plant.insert(QStringLiteral("DB0003"), {{QStringLiteral("担当者コード"), QStringLiteral("OP1")},
                                            {QStringLiteral("Kalvuner権限区分"), QStringLiteral("0")}});
    plant.insert(QStringLiteral("DB0003"), {{QStringLiteral("担当者コード"), QStringLiteral("OP2")},
                                            {QStringLiteral("Kalvuner権限区分"), QStringLiteral("1")}});
    EXPECT_EQ(startup::readAuthority(plant.db(), QStringLiteral("OP1")), QStringLiteral("0"));
    EXPECT_EQ(startup::readAuthority(plant.db(), QStringLiteral("OP2")), QStringLiteral("1"));
    EXPECT_EQ(startup::readAuthority(plant.db(), QStringLiteral("NOBODY")), QString());
    // An operator code is a value, never part of the statement.
    EXPECT_EQ(startup::readAuthority(plant.db(), QStringLiteral("x' OR '1'='1")), QString());
}

TEST_P(StartupQueries, DisplaySettingsAreClampedAndDefaultToOne)
{
    startup::DisplaySettings none = startup::readDisplaySettings(plant.db());
    EXPECT_EQ(none.displayMonths, 1);
    EXPECT_EQ(none.gridUnitMinutes, 1);

    plant.insert(QStringLiteral("DB0351"), {{QStringLiteral("表示期間＿ヶ月"), 7}, {QStringLiteral("グリッド単位＿分"), 0}});
    const startup::DisplaySettings read = startup::readDisplaySettings(plant.db());
    EXPECT_EQ(read.displayMonths, 3);
    EXPECT_EQ(read.gridUnitMinutes, 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, StartupQueries, testing::ValuesIn(TestPlant::backends()),
                         TestPlant::backendName);

} // namespace
