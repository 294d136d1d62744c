#include "app/StartupQueries.h"

#include "ScriptedPrompter.h"
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

TEST_P(StartupQueries, AuthorityOfTheOperatorOrNone)
{
    plant.insert(QStringLiteral("DB0003"), {{QStringLiteral("担当者コード"), QStringLiteral("OP1")},
                                            {QStringLiteral("Kalvuner権限区分"), QStringLiteral("0")}});
    plant.insert(QStringLiteral("DB0003"), {{QStringLiteral("担当者コード"), QStringLiteral("OP2")},
                                            {QStringLiteral("Kalvuner権限区分"), QStringLiteral("1")}});
    EXPECT_EQ(startup::readAuthority(plant.db(), QStringLiteral("OP1")), QStringLiteral("0"));
    EXPECT_EQ(startup::readAuthority(plant.db(), QStringLiteral("OP2")), QStringLiteral("1"));
    EXPECT_EQ(startup::readAuthority(plant.db(), QStringLiteral("NOBODY")), std::nullopt);
    // An operator code is a value, never part of the statement.
    EXPECT_EQ(startup::readAuthority(plant.db(), QStringLiteral("x' OR '1'='1")), std::nullopt);
}

// The run's authority: an operator the plant does not know is told so and may only look; no
// operator code at all keeps full rights.
TEST_P(StartupQueries, UnknownOperatorIsToldAndMayOnlyLook)
{
    plant.insert(QStringLiteral("DB0003"), {{QStringLiteral("担当者コード"), QStringLiteral("OP1")},
                                            {QStringLiteral("Kalvuner権限区分"), QStringLiteral("1")}});
    plant.insert(QStringLiteral("DB0003"), {{QStringLiteral("担当者コード"), QStringLiteral("OP3")}});
    const struct
    {
        QString code, authority, told;
    } cases[] = {
        {QStringLiteral("OP1"), QStringLiteral("1"), {}},
        {QStringLiteral("OP3"), {}, {}}, // a row without authority: full rights, as the plant set it
        {{}, {}, {}},
        {QStringLiteral("OP9"), QStringLiteral("0"),
         QStringLiteral("担当者コード「OP9」は登録されていません。\n照会モードで開きます（保存はできません）。")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code.toStdString());
        ScriptedPrompter prompter;
        EXPECT_EQ(startup::operatorAuthority(plant.db(), c.code, prompter), c.authority);
        EXPECT_EQ(prompter.texts(), c.told.isEmpty() ? QStringList() : QStringList{c.told});
    }
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
