#include "app/PlantStartup.h"

#include "TestPlant.h"
#include "plan/RunContext.h"

#include <gtest/gtest.h>

namespace {

class PlantStartup : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    TestPlant plant{GetParam()};
};

TEST_P(PlantStartup, AuthorityOfTheOperatorOrNone)
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

// The plant as every run reads it: the grid and the period length of DB0351, and the rights
// of the operator. An operator the plant has not registered works with full rights and is
// named in a note; no operator code at all keeps full rights too.
TEST_P(PlantStartup, ReadsTheGridAndTheOperatorsRights)
{
    plant.insert(QStringLiteral("DB0351"), {{QStringLiteral("表示期間＿ヶ月"), 2}, {QStringLiteral("グリッド単位＿分"), 10}});
    plant.insert(QStringLiteral("DB0003"), {{QStringLiteral("担当者コード"), QStringLiteral("OP1")},
                                            {QStringLiteral("Kalvuner権限区分"), QStringLiteral("1")}});
    plant.insert(QStringLiteral("DB0003"), {{QStringLiteral("担当者コード"), QStringLiteral("OP0")},
                                            {QStringLiteral("Kalvuner権限区分"), QStringLiteral("0")}});
    plant.insert(QStringLiteral("DB0003"), {{QStringLiteral("担当者コード"), QStringLiteral("OP3")}});
    const struct
    {
        QString code, authority;
        bool inquiry, registered;
    } cases[] = {
        {QStringLiteral("OP1"), QStringLiteral("1"), false, true},
        {QStringLiteral("OP0"), QStringLiteral("0"), true, true},
        {QStringLiteral("OP3"), {}, false, true}, // a row without authority: full rights, as the plant set it
        {{}, {}, false, true},
        {QStringLiteral("OP9"), {}, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code.toStdString());
        RunContext context;
        context.OperatorCode = c.code;
        context.Authority = QStringLiteral("0"); // whatever an earlier run held is replaced
        const std::optional<QString> note = startup::readPlant(plant.db(), context);
        EXPECT_EQ(context.GridUnitMinutes, 10);
        EXPECT_EQ(context.DisplayMonths, 2);
        EXPECT_EQ(context.Authority, c.authority);
        EXPECT_EQ(context.inquiryMode(), c.inquiry);
        EXPECT_EQ(note, c.registered ? std::nullopt
                                     : std::optional(QStringLiteral("担当者コード「OP9」は登録されていません。")));
    }
}

// A class the plant does not list, or one without a machine at the plant, is named before
// anything is loaded; a class with a machine of the plant passes.
TEST_P(PlantStartup, ClassProblemNamesAClassThatCannotBePlanned)
{
    plant.insert(QStringLiteral("DB0399"), {{QStringLiteral("工程分類コード"), QStringLiteral("01")},
                                            {QStringLiteral("工程分類名"), QStringLiteral("成形")},
                                            {QStringLiteral("削除フラグ"), QStringLiteral("0")}});
    plant.insert(QStringLiteral("DB0394"), {{QStringLiteral("生産工場コード"), 1},
                                            {QStringLiteral("工程分類コード"), QStringLiteral("01")},
                                            {QStringLiteral("機械コード"), QStringLiteral("M1")},
                                            {QStringLiteral("機械名"), QStringLiteral("成形機1")},
                                            {QStringLiteral("削除フラグ"), QStringLiteral("0")}});
    const struct
    {
        int plantCode;
        QString classCode, problem;
    } cases[] = {
        {1, QStringLiteral("01"), {}},
        {1, QStringLiteral("07"), QStringLiteral("工程分類コード「07」はありません。")},
        {2, QStringLiteral("01"), QStringLiteral("生産工場コード 2 に工程分類コード「01」の機械がありません。")},
    };
    for (const auto &c : cases) {
        RunContext context;
        context.PlantCode = c.plantCode;
        context.ProcessClassCode = c.classCode;
        EXPECT_EQ(startup::classProblem(plant.db(), context).value_or(QString()), c.problem) << c.classCode.toStdString();
    }
}

TEST_P(PlantStartup, DisplaySettingsAreClampedAndDefaultToOne)
{
    startup::DisplaySettings none = startup::readDisplaySettings(plant.db());
    EXPECT_EQ(none.displayMonths, 1);
    EXPECT_EQ(none.gridUnitMinutes, 1);

    plant.insert(QStringLiteral("DB0351"), {{QStringLiteral("表示期間＿ヶ月"), 7}, {QStringLiteral("グリッド単位＿分"), 0}});
    const startup::DisplaySettings read = startup::readDisplaySettings(plant.db());
    EXPECT_EQ(read.displayMonths, 3);
    EXPECT_EQ(read.gridUnitMinutes, 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, PlantStartup, testing::ValuesIn(TestPlant::backends()),
                         TestPlant::backendName);

} // namespace
