// The rules of the schedule list: what it lists when it opens, the search with its date
// checks and wildcards, the sort by values, and what it keeps for the next opening.

#include "WaitingLots.h"
#include "schedule_list/ScheduleList.h"
#include "schedule_list/ScheduleListFilter.h"

#include <gtest/gtest.h>

namespace {

class ScheduleListTest : public testing::Test
{
protected:
    std::vector<qint64> listed() const { return list->model().lots(); }
    void open()
    {
        list = std::make_unique<ScheduleList>(plant.store, plant.run, plant.prompter);
        ASSERT_TRUE(list->open());
    }
    // cmdKensaku with the item code, request and mold texts and the period as the range.
    bool search(const QString &item, const QString &request = {}, const QString &mold = {},
                const QString &from = QStringLiteral("2024/05/01"), const QString &to = QStringLiteral("2024/06/30"))
    {
        return list->search({item, request, mold, from, to});
    }
    std::vector<PlanRecord> records() const
    {
        std::vector<PlanRecord> all;
        for (qint64 i = 0; i <= plant.store.lastIndex(); ++i)
            all.push_back(plant.store[i]);
        return all;
    }

    WaitingLots lots;
    EditingPlant &plant = lots.plant;
    std::unique_ptr<ScheduleList> list;
};

TEST_F(ScheduleListTest, WithNoLotOnTheStripThePlannerIsToldAndTheRememberedSearchIsForgotten)
{
    lots.add({.machine = EditingPlant::M01});
    lots.start();
    plant.run.ScheduleList.Searched = true;
    plant.run.ScheduleList.Search.ItemCode = QStringLiteral("A1");

    ScheduleList rules(plant.store, plant.run, plant.prompter);
    EXPECT_FALSE(rules.open());
    ASSERT_EQ(plant.prompter.said().size(), 1u);
    EXPECT_EQ(plant.prompter.said()[0].text, QStringLiteral("予定一覧画面に表示するデータはありません。"));
    EXPECT_EQ(plant.prompter.said()[0].icon, PromptIcon::Information);
    EXPECT_FALSE(plant.run.ScheduleList.Searched);
    EXPECT_TRUE(plant.run.ScheduleList.Search.ItemCode.isEmpty());
    EXPECT_EQ(rules.model().lotCount(), 0);
}

TEST_F(ScheduleListTest, TheFirstOpeningListsTheStripLotsInStoreOrderWithThePeriodAsRange)
{
    const qint64 first = lots.add({});
    lots.add({.machine = EditingPlant::M01});
    const qint64 hidden = lots.add({});
    const qint64 second = lots.add({.due = {}});
    // A lot naming a machine that has no row waits on the strip too.
    const qint64 unknownMachine = lots.add({.machine = QStringLiteral("X99     ")});
    lots.start();
    plant.amend(hidden, [](PlanRecord &r) { r.DetailMark = 1; });
    const std::vector<PlanRecord> before = records();

    open();
    EXPECT_EQ(listed(), (std::vector<qint64>{first, second, unknownMachine}));
    EXPECT_EQ(list->fields(), (ScheduleListSearch{{}, {}, {}, "2024/05/01", "2024/06/30"}));
    EXPECT_TRUE(plant.prompter.said().empty());
    list->sortBy(schedulelist::Quantity);
    EXPECT_TRUE(search(QStringLiteral("A")));
    EXPECT_EQ(records(), before) << "the list only reads the plan store";
}

TEST_F(ScheduleListTest, TheSearchFindsLotsContainingTheTextWithWildcards)
{
    const qint64 a100 = lots.add({.item = "A100", .mold = "K0100", .moldName = "FB-1091型", .plan = "501001"});
    const qint64 ba1 = lots.add({.item = "BA1", .mold = "K0200", .moldName = "CG-1133型", .plan = "501002"});
    const qint64 a1x = lots.add({.item = "A1-X", .mold = "K0300", .plan = "601003"});
    const qint64 c9 = lots.add({.item = "C9"});
    lots.start();
    open();

    struct Case
    {
        QString item, request, mold;
        std::vector<qint64> expected;
    };
    const Case cases[] = {
        {"A1", {}, {}, {a100, ba1, a1x}},          // contains, not only starts with
        {"  A1  ", {}, {}, {a100, ba1, a1x}},      // surrounding blanks do not count
        {"A?0", {}, {}, {a100}},
        {"#", {}, {}, {a100, ba1, a1x, c9}},
        {"[BC]", {}, {}, {ba1, c9}},
        {"a1", {}, {}, {}},                        // item codes match exactly as written
        {{}, "5010", {}, {a100, ba1}},             // the request number is the production plan
        {{}, "*", {}, {a100, ba1, a1x, c9}},
        {{}, {}, "K0[12]", {a100, ba1}},           // the mold code ...
        {{}, {}, "CG-", {ba1}},                    // ... or the mold's short name
        {"A", "6", "K03", {a1x}},                  // every condition must hold
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(search(c.item, c.request, c.mold));
        EXPECT_EQ(listed(), c.expected) << c.item.toStdString() << "/" << c.request.toStdString() << "/"
                                        << c.mold.toStdString();
    }
}

TEST_F(ScheduleListTest, TheDueDateRangeHoldsBothEndsAndAnEndBeforeTheStartListsNothing)
{
    const qint64 may10 = lots.add({.due = {2024, 5, 10}});
    const qint64 may20 = lots.add({.due = {2024, 5, 20}});
    lots.add({.due = {}});
    lots.start();
    open();

    EXPECT_TRUE(search({}, {}, {}, "2024/05/10", "2024/05/20"));
    EXPECT_EQ(listed(), (std::vector<qint64>{may10, may20}));
    EXPECT_TRUE(search({}, {}, {}, "2024/5/11", "2024/05/20"));
    EXPECT_EQ(listed(), (std::vector<qint64>{may20}));
    EXPECT_TRUE(search({}, {}, {}, "2024/05/20", "2024/05/10"));
    EXPECT_TRUE(listed().empty());
    EXPECT_TRUE(plant.prompter.said().empty());
}

TEST_F(ScheduleListTest, ADueDateThatIsEmptyOrNoDateIsReportedAndChangesNothing)
{
    lots.add({.item = "A100"});
    const qint64 b = lots.add({.item = "B200"});
    lots.start();
    open();
    ASSERT_TRUE(search("B"));
    const ScheduleListMemory remembered = plant.run.ScheduleList;

    struct Case
    {
        QString from, to, message;
    };
    const Case cases[] = {
        {"", "2024/06/30", "納期始期に日付を入力して下さい。"},
        {"  ", "2024/06/30", "納期始期に日付を入力して下さい。"},
        {"2024/02/30", "2024/06/30", "納期始期に日付を正しく入力して下さい。"},
        {"0501", "2024/06/30", "納期始期に日付を正しく入力して下さい。"},
        {"2024/05/01", "", "納期終期に日付を入力して下さい。"},
        {"2024/05/01", "2024/13/01", "納期終期に日付を正しく入力して下さい。"},
        {"", "x", "納期始期に日付を入力して下さい。"}, // the start is checked first
    };
    for (const Case &c : cases) {
        plant.prompter.clear();
        EXPECT_FALSE(list->search({"A", {}, {}, c.from, c.to}));
        ASSERT_EQ(plant.prompter.said().size(), 1u);
        EXPECT_EQ(plant.prompter.said()[0].text, c.message);
        EXPECT_EQ(plant.prompter.said()[0].title, QStringLiteral("日付入力エラー"));
        EXPECT_EQ(listed(), (std::vector<qint64>{b})) << "the list stays as it was";
        EXPECT_EQ(plant.run.ScheduleList.Search.ItemCode, remembered.Search.ItemCode);
    }
}

TEST_F(ScheduleListTest, ReopeningAfterASearchShowsTheSameListAndFields)
{
    lots.add({.item = "A100"});
    const qint64 b = lots.add({.item = "B200", .mold = "K7"});
    lots.add({.item = "B300", .due = {2024, 6, 20}});
    lots.start();
    open();
    ASSERT_TRUE(search(" B ", {}, "K7", "2024/5/1", "2024/05/31"));

    open();
    EXPECT_EQ(listed(), (std::vector<qint64>{b}));
    EXPECT_EQ(list->fields(), (ScheduleListSearch{"B", {}, "K7", "2024/05/01", "2024/05/31"}));
}

TEST_F(ScheduleListTest, ARememberedSearchThatFindsNothingNowStillOpensTheList)
{
    lots.add({.item = "A100"});
    lots.start();
    open();
    ASSERT_TRUE(search("Z"));

    open();
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(list->fields().ItemCode, QStringLiteral("Z"));
    EXPECT_TRUE(plant.prompter.said().empty());
}

TEST_F(ScheduleListTest, NumbersAndDatesSortAsValues)
{
    const qint64 q1000 = lots.add({.quantity = 1000, .due = {2025, 1, 5}, .plan = "9"});
    const qint64 q9 = lots.add({.quantity = 9, .due = {2024, 12, 31}, .plan = "10"});
    const qint64 q100 = lots.add({.quantity = 100, .due = {}, .plan = ""});
    const qint64 q10 = lots.add({.quantity = 10, .due = {2024, 5, 20}, .plan = "100"});
    lots.start();
    open();

    struct Case
    {
        int column;
        std::vector<qint64> expected;
    };
    const Case cases[] = {
        {schedulelist::Quantity, {q9, q10, q100, q1000}},   // not "1,000" < "10" < "100" < "9"
        {schedulelist::Due, {q100, q10, q9, q1000}},        // no date first; "25/01/05" after "24/12/31"
        {schedulelist::RequestNo, {q100, q1000, q9, q10}},  // no plan first, then 9 < 10 < 100
        {schedulelist::SystemId, {q1000, q9, q100, q10}},
    };
    for (const Case &c : cases) {
        list->sortBy(c.column);
        EXPECT_EQ(listed(), c.expected) << schedulelist::header(c.column).toStdString();
    }
    // The view sorts by the same values.
    list->sortBy(schedulelist::Quantity);
    const ScheduleListModel &model = list->model();
    EXPECT_EQ(model.index(3, schedulelist::Quantity).data(ScheduleListModel::SortRole), QVariant(qint64(1000)));
    EXPECT_EQ(model.index(3, schedulelist::Quantity).data(), QVariant(QStringLiteral("1,000")));
    EXPECT_EQ(model.index(3, schedulelist::Due).data(ScheduleListModel::SortRole).toDate(), QDate(2025, 1, 5));
}

TEST_F(ScheduleListTest, LotsWithEqualValuesKeepTheirOrderAndTheSortLastsTheRun)
{
    const qint64 b1 = lots.add({.item = "B", .quantity = 5});
    const qint64 a1 = lots.add({.item = "A", .quantity = 5});
    const qint64 b2 = lots.add({.item = "B", .quantity = 1});
    const qint64 a2 = lots.add({.item = "A", .quantity = 1});
    lots.start();
    open();

    list->sortBy(schedulelist::ItemCode);
    list->sortBy(schedulelist::Quantity);
    EXPECT_EQ(listed(), (std::vector<qint64>{a2, b2, a1, b1}));
    // The same column again: the other way round, equal values still in their order.
    list->sortBy(schedulelist::Quantity);
    EXPECT_EQ(listed(), (std::vector<qint64>{a1, b1, a2, b2}));

    // A search keeps the order of the clicked column and its direction, and so does the next
    // opening.
    ASSERT_TRUE(search("B"));
    EXPECT_EQ(listed(), (std::vector<qint64>{b1, b2}));
    open();
    EXPECT_EQ(listed(), (std::vector<qint64>{b1, b2}));
    EXPECT_EQ(plant.run.ScheduleList.SortColumn, int(schedulelist::Quantity));
    EXPECT_TRUE(plant.run.ScheduleList.SortDescending);
}

TEST_F(ScheduleListTest, ASortPutsTheLastSearchBackIntoTheFields)
{
    lots.add({});
    lots.start();
    open();
    EXPECT_FALSE(list->sortBy(schedulelist::Due)) << "without a search the fields stay as typed";
    ASSERT_TRUE(search("A", {}, {}, "2024/05/02", "2024/05/30"));
    EXPECT_TRUE(list->sortBy(schedulelist::Due));
    EXPECT_EQ(list->fields(), (ScheduleListSearch{"A", {}, {}, "2024/05/02", "2024/05/30"}));
}

TEST(ScheduleListColumns, ALotShowsItsValuesInTheTwelveColumns)
{
    PlanRecord lot;
    lot.ArrangementNo = 100382;
    lot.ItemCode = QStringLiteral(" 20000020 ");
    lot.DisplayItemName = QStringLiteral("ケーブルガイド CG-1133 ");
    lot.RateSequence = 10;
    lot.ProcessName = QStringLiteral(" 射出成形");
    lot.MachineCode = QStringLiteral("        ");
    lot.StartDate = QDate(2026, 12, 8);
    lot.DueDate = QDate(2027, 1, 4);
    lot.Quantity = 4500;
    lot.MoldNo = QStringLiteral("K00020  ");
    lot.PlanNoText = QStringLiteral("500924");
    QStringList shown;
    for (int column = 0; column < schedulelist::ColumnCount; ++column)
        shown << schedulelist::cellText(lot, 39, column);
    EXPECT_EQ(shown, (QStringList{"39", "100382", "20000020", "ケーブルガイド CG-1133", "10", "射出成形", "未設定",
                                  "26/12/08", "27/01/04", "4,500", "K00020", "500924"}));
    lot.MachineCode = QStringLiteral("IM050-01");
    EXPECT_EQ(schedulelist::cellText(lot, 39, schedulelist::Machine), QStringLiteral("IM050-01"));
}

} // namespace
