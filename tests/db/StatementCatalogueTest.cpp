// Every statement of the catalogue runs against the schema on every backend, with values
// bound the way the program binds them, and finds the rows of a small sample plant.

#include "TestPlant.h"
#include "db/RowWriter.h"
#include "db/Rows.h"
#include "db/Statements.h"

#include <gtest/gtest.h>

namespace {

const QString Machine = QStringLiteral("M01     ");

// One lot (arrangement 1001, process P1 of class 12 on machine M01) with its next process
// 1002, everything the loading, editing and saving statements join to, and one record for
// each look-up table.
void insertSamplePlant(TestPlant &plant)
{
    plant.insert("DB0003", {{"担当者コード", "OP1"}, {"Kalvuner権限区分", "1"}});
    plant.insert("DB0018", {{"番号管理キー", "手配番号"}, {"現在番号", 2000}, {"開始番号", 1}, {"終了番号", 99999999}});
    plant.insert("DB0351", {{"表示期間＿ヶ月", 2}, {"グリッド単位＿分", 10}});
    plant.insert("DB0399", {{"工程分類コード", "12"}, {"工程分類名", "成形"}});
    plant.insert("DB0394", {{"機械コード", Machine}, {"機械名", "成形機1"}, {"生産工場コード", 1},
                            {"工程分類コード", "12"}, {"指示先コード", "0101"}});
    plant.insert("DB0369", {{"仕入先コード", "S001"}, {"仕入先名略名", "外注A"}, {"仕入先分類", "2"}});
    plant.insert("DB0493", {{"工程分類コード", "12"}, {"指示先コード", "S001"}});
    plant.insert("DB0370", {{"部コード", 1}, {"課コード", 0}});
    plant.insert("DB0370", {{"部コード", 1}, {"課コード", 3}});
    plant.insert("DB0496", {{"自社企業コード", "1"}, {"開始時刻１", 120000}, {"終了時刻１", 130000}});
    plant.insert("DB0491", {{"機械コード", Machine}, {"年月日", "20240401"}, {"勤務時間", 8},
                            {"開始時刻１", 80000}, {"終了時刻１", 170000}});
    plant.insert("DB0491", {{"機械コード", Machine}, {"年月日", "20240401"}, {"連番", 2}, {"勤務時間", 2},
                            {"開始時刻１", 180000}, {"終了時刻１", 200000}});
    plant.insert("DB0378", {{"品名コード", "ITEM1"}, {"品名＿品名仕様", "ケース"}, {"型番名", "CASE-A"},
                            {"型番名仕様ＡＮＫ", "CASE A"}, {"包装単位数量", 100}, {"品名略称", "ケース"}});
    plant.insert("DB0378", {{"品名コード", "MAT1"}, {"品名＿品名仕様", "樹脂"}});
    plant.insert("DB0382", {{"工程内容コード", "P1"}, {"工程内容名", "成形"}, {"工程分類コード", "12"}});
    plant.insert("DB0382", {{"工程内容コード", "P2"}, {"工程内容名", "組立"}, {"工程分類コード", "20"}});
    plant.insert("DB0381", {{"品名コード", "ITEM1"}, {"順序", 1}, {"生産工場コード", 1}, {"工程内容コード", "P1"},
                            {"標準生産性＿機械", 120}, {"生産性＿機械＿単位", "6"}});
    plant.insert("DB0381", {{"品名コード", "ITEM1"}, {"順序", 999}, {"生産工場コード", 1}, {"工程内容コード", "P2"}});
    plant.insert("DB0451", {{"品名コード", "ITEM1"}, {"順序", 1}, {"生産工場コード", 1}, {"サイクル", 40},
                            {"取数", 2}, {"ショット重量", 30}});
    plant.insert("DB0492", {{"品名コード", "ITEM1"}, {"順序", 1}, {"機械コード", Machine}, {"サイクル", 15}});
    plant.insert("DB0471", {{"金型番号", "K1"}, {"金型略称", "金型1"}});
    plant.insert("DB0251", {{"生産計画番号", 500}, {"品名コード", "ITEM1"}, {"計画数", 1000}});
    plant.insert("DB0253", {{"手配番号", 1001}, {"上位手配番号", 1002}, {"生産計画番号", 500}, {"生産工場コード", 1},
                            {"品名コード", "ITEM1"}, {"順序", 1}, {"工程内容コード", "P1"}, {"機械コード", Machine},
                            {"手配確定区分", "2"}, {"手配数", 600}, {"サイクル", 33}, {"金型番号", "K1"},
                            {"納期", "20240405"}});
    plant.insert("DB0253", {{"手配番号", 1002}, {"生産計画番号", 500}, {"生産工場コード", 1}, {"品名コード", "ITEM1"},
                            {"順序", 999}, {"工程内容コード", "P2"}, {"手配確定区分", "2"}, {"手配数", 600},
                            {"納期", "20240410"}});
    plant.insert("DB0383", {{"生産工場コード", 1}, {"上位品名コード", "ITEM1"}, {"順序", 1}, {"下位品名コード", "MAT1"}});
    plant.insert("DB0383", {{"生産工場コード", 1}, {"上位品名コード", "ITEM1"}, {"順序", 999}, {"下位品名コード", "MAT1"}});
    plant.insert("DB0252", {{"上位手配番号", 1001}, {"生産工場コード", 1}, {"品名コード", "MAT1"}, {"順序", 1},
                            {"上位品名コード", "ITEM1"}, {"上位順序", 1}, {"必要数", 1200}});
    plant.insert("DB0252", {{"上位手配番号", 1002}, {"生産工場コード", 1}, {"品名コード", "MAT1"}, {"順序", 999},
                            {"上位品名コード", "ITEM1"}, {"上位順序", 999}, {"必要数", 600}});
    plant.insert("DB0386", {{"取引先コード", "S001"}, {"品名コード", "ITEM1"}, {"工場コード", 1}, {"順序", 1},
                            {"開始日", "20230101"}, {"単価", 10}});
    plant.insert("DB0386", {{"取引先コード", "S001"}, {"品名コード", "ITEM1"}, {"工場コード", 1}, {"順序", 1},
                            {"開始日", "20240101"}, {"単価", 12.5}});
    plant.insert("DB0386", {{"取引先コード", "0"}, {"品名コード", "ITEM1"}, {"工場コード", 1}, {"順序", 1},
                            {"開始日", "20240101"}, {"単価", 9}});
    plant.insert("DB0361", {{"得意先コード", "C01"}, {"得意先略名", "得意先A"}});
    plant.insert("DB0204", {{"受注番号", 7001}, {"得意先コード", "C01"}, {"品名コード", "ITEM1"}, {"納期", "20240420"},
                            {"注文番号", "PO-1"}, {"受注数量", 600}, {"出荷数量", 100}});
    plant.insert("DB0202", {{"所要計画No", 8001}, {"得意先コード", "C01"}, {"品名コード", "ITEM1"},
                            {"納期", "20240425"}, {"所要計画数量", 300}});
    plant.insert("DB0494", {{"手配番号", 1001}, {"受注データ区分", "2"}, {"番号", 7001}});
    plant.insert("DB0494", {{"手配番号", 1001}, {"受注データ区分", "1"}, {"番号", 8001}});
}

int countRows(QSqlQuery query)
{
    int rows = 0;
    while (query.next())
        ++rows;
    return rows;
}

struct Case
{
    const char *name;
    const QString &sql;
    QVariantList values;
    int rows; // rows the sample plant gives; -1 for a write (rows affected checked separately)
};

class StatementCatalogue : public testing::TestWithParam<TestPlant::Backend>
{
};

TEST_P(StatementCatalogue, EveryStatementRunsAndFindsTheSamplePlant)
{
    TestPlant plant(GetParam());
    insertSamplePlant(plant);
    const std::vector<Case> cases = {
        {"OperatorAuthority", sql::OperatorAuthority, {"OP1"}, 1},
        {"SystemSettings", sql::SystemSettings, {}, 1},
        {"ProcessClasses", sql::ProcessClasses, {}, 1},
        {"ClassMachines", sql::ClassMachines, {1, "12"}, 1},
        {"ClassSubcontractors", sql::ClassSubcontractors, {"12"}, 1},
        {"PlantMachines", sql::PlantMachines, {1}, 1},
        {"BreakMaster", sql::BreakMaster, {}, 1},
        {"MachineCalendar", sql::MachineCalendar, {Machine, "20240330", "20240430"}, 2},
        {"PlanMain", sql::PlanMain, {"12", 1}, 1},
        {"PlanLot", sql::PlanLot, {"12", 1, 1001}, 1},
        {"ArrangementNumberChecks", sql::ArrangementNumberChecks, {1, 1, "12"}, 0},
        {"MoldShortName", sql::MoldShortName, {"K1"}, 1},
        {"LotRequirements", sql::LotRequirements, {1001}, 1},
        {"RoutingForRate", sql::RoutingForRate, {"ITEM1", 1}, 1},
        {"MachineCycle", sql::MachineCycle, {"ITEM1", 1, Machine}, 1},
        {"RelatedOrders", sql::RelatedOrders, {1001}, 2},
        {"ItemModelNames", sql::ItemModelNames, {"ITEM1"}, 1},
        {"ChainProcess", sql::ChainProcess, {1001}, 1},
        {"ChainProcessWithModel", sql::ChainProcessWithModel, {1002}, 1},
        {"ProcessShowByNo", sql::ProcessShowByNo, {1001}, 1},
        {"ProcessShowNext", sql::ProcessShowNext, {1002}, 1},
        {"ProcessShowEarlier", sql::ProcessShowEarlier, {1002}, 1},
        {"ArrangementByNo", sql::ArrangementByNo, {1001}, 1},
        {"ArrangementNumberCounter", sql::ArrangementNumberCounter, {}, 1},
        {"RequirementsOfArrangement", sql::RequirementsOfArrangement, {1001}, 1},
        {"RequirementRowsOfSlot", sql::RequirementRowsOfSlot, {1002}, 1},
        {"RequirementEntry", sql::RequirementEntry, {1002, "MAT1"}, 1},
        {"BillOfMaterialEntry", sql::BillOfMaterialEntry, {1, "ITEM1", 999, "MAT1"}, 1},
        {"MachineByCode", sql::MachineByCode, {Machine}, 1},
        {"SectionsOfDepartment", sql::SectionsOfDepartment, {1}, 1},
        {"SupplierByCode", sql::SupplierByCode, {"S001"}, 1},
        {"SubcontractPrice", sql::SubcontractPrice, {"S001", "ITEM1", 1, 1}, 2},
        {"SubcontractPriceAnySupplier", sql::SubcontractPriceAnySupplier, {"ITEM1", 1, 1}, 1},
        {"ProductionPlanByNo", sql::ProductionPlanByNo, {500}, 1},
        {"ConfirmedTotalsOfPlan", sql::ConfirmedTotalsOfPlan, {500, "ITEM1"}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            EXPECT_EQ(countRows(plant.db().run(c.sql, c.values)), c.rows);
        } catch (const DbError &error) {
            ADD_FAILURE() << error.text.toStdString();
        }
    }
}

TEST_P(StatementCatalogue, LoadingStatementsDeliverTheColumnsTheLoaderReads)
{
    TestPlant plant(GetParam());
    insertSamplePlant(plant);

    Rows lot = select(plant.db(), sql::PlanMain, {"12", 1});
    ASSERT_TRUE(lot.next());
    const RowReader &row = lot.row();
    EXPECT_EQ(row.integer("手配番号"), 1001);
    EXPECT_DOUBLE_EQ(row.number("サイクル"), 33) << "the arrangement's own cycle comes first";
    EXPECT_DOUBLE_EQ(row.number("優先サイクル"), 15);
    EXPECT_EQ(row.text("型番名"), "ケース") << "型番名 is the item's 品名仕様";
    EXPECT_EQ(row.text("品名コード2"), "ITEM1");
    EXPECT_DOUBLE_EQ(row.number("生産性"), 120);
    EXPECT_EQ(row.integer("生産性区分"), 6);
    EXPECT_EQ(row.integer("取数"), 2);
    EXPECT_DOUBLE_EQ(row.number("計画数"), 1000);
    EXPECT_EQ(row.text("工程分類コード"), "12");
    EXPECT_EQ(row.date("納期"), QDate(2024, 4, 5));
    EXPECT_FALSE(lot.next()) << "the next process belongs to another class";

    Rows breaks = select(plant.db(), sql::BreakMaster);
    ASSERT_TRUE(breaks.next());
    const RowReader &pairs = breaks.row();
    EXPECT_EQ(pairs.time("Jikoku01"), QTime(12, 0));
    EXPECT_EQ(pairs.time("Jikoku02"), QTime(13, 0));
    EXPECT_EQ(pairs.time("Jikoku20"), QTime(0, 0));

    Rows calendar = select(plant.db(), sql::MachineCalendar, {Machine, "20240330", "20240430"});
    QList<QTime> starts;
    while (calendar.next())
        starts << calendar.row().time("開始時刻１");
    EXPECT_EQ(starts, (QList<QTime>{QTime(8, 0), QTime(18, 0)}));
}

TEST_P(StatementCatalogue, SavingStatementsFindTheNewestPriceAndPlanTotals)
{
    TestPlant plant(GetParam());
    insertSamplePlant(plant);

    Rows price = select(plant.db(), sql::SubcontractPrice, {"S001", "ITEM1", 1, 1});
    ASSERT_TRUE(price.next());
    EXPECT_DOUBLE_EQ(price.row().number("単価"), 12.5);

    Rows totals = select(plant.db(), sql::ConfirmedTotalsOfPlan, {500, "ITEM1"});
    ASSERT_TRUE(totals.next());
    EXPECT_DOUBLE_EQ(totals.row().number("手配数合計"), 600);
    EXPECT_EQ(totals.row().text("最大納期"), "20240410");

    Rows sections = select(plant.db(), sql::SectionsOfDepartment, {1});
    ASSERT_TRUE(sections.next());
    EXPECT_EQ(sections.row().integer("課コード"), 3);
}

TEST_P(StatementCatalogue, ArrangementNumberIsClaimedOnlyFromTheValueRead)
{
    TestPlant plant(GetParam());
    insertSamplePlant(plant);
    EXPECT_EQ(plant.db().run(sql::ClaimArrangementNumber, {2001, 2000}).numRowsAffected(), 1);
    EXPECT_EQ(plant.db().run(sql::ClaimArrangementNumber, {2001, 2000}).numRowsAffected(), 0)
        << "a counter moved by someone else since it was read is not overwritten";
    Rows counter = select(plant.db(), sql::ArrangementNumberCounter);
    ASSERT_TRUE(counter.next());
    EXPECT_EQ(counter.row().integer("現在番号"), 2001);
}

INSTANTIATE_TEST_SUITE_P(Backends, StatementCatalogue, testing::ValuesIn(TestPlant::backends()),
                         TestPlant::backendName);

} // namespace
