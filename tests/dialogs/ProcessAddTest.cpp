// Process add through the detail window's rules and the edit path, on every backend: the lot
// of the detail window (arrangement 5001, 成形) takes the next processes of its chain into
// its free member slots, becomes "混合" in one undo step, and the save writes the added
// arrangements with the lot's machine and times.

#include "ChainPlant.h"
#include "db/Rows.h"
#include "DetailWindowPlant.h"
#include "persist/SaveProgress.h"
#include "dialogs/PlanDetailFill.h"
#include "dialogs/PlanDetailWriteBack.h"
#include "persist/EditPathSave.h"

#include <gtest/gtest.h>

namespace {

class ProcessAddTest : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    ProcessAddTest()
    {
        // 5001 成形 -> 5002 トリミング -> 5003 印刷 -> 5004 検査 (class 03) -> 5005 組立
        chains.arrangement(5001, "S10", 5002);
        chains.arrangement(5002, "S20", 5003, {{"手配数", 90}, {"受入実績数", 10}, {"生産計画番号", 700}});
        chains.arrangement(5003, "S30", 5004, {{"手配数", 80}});
        chains.arrangement(5004, "S40", 5005);
        chains.arrangement(5005, "S50", 0);
        fixture.amend([](PlanRecord &r) { r.ProcessName = QStringLiteral("成形"); });
    }

    // Opens the detail rules on the lot, as the detail window does.
    void openDetail()
    {
        if (!plant.started())
            plant.start();
        detail = std::make_unique<PlanDetail>(*plant.time, plant.prompter);
        detail->open(fixture.record(), fillDetailTexts(plant.store, fixture.lot, plant.rows, db()));
    }
    // Command4, the first `lines` lines checked, Command3: true when processes were added.
    bool addFirst(int lines)
    {
        ProcessAdd add(db(), plant.prompter, plant.store, fixture.lot);
        if (!add.open(detail->texts().innerMembers, detail->texts().outerMembers))
            return false;
        const std::optional<ProcessAddition> addition = add.execute(lines, detail->workingCopy());
        return addition && detail->addProcesses(*addition);
    }
    WriteBack close() { return plant.session.writeBackDetail(*detail, fixture.lot); }
    QList<qint64> members(const MemberSlots &set) const
    {
        QList<qint64> numbers;
        for (int i = 0; i < MemberSlots::Capacity; ++i)
            numbers << set.at(i).ArrangementNo;
        while (!numbers.isEmpty() && numbers.back() == 0)
            numbers.removeLast();
        return numbers;
    }
    Database &db() { return fixture.database.db(); }

    DetailWindowPlant fixture{GetParam()};
    EditingPlant &plant = fixture.plant;
    ChainPlant chains{fixture.database};
    std::unique_ptr<PlanDetail> detail;
};
INSTANTIATE_TEST_SUITE_P(Backends, ProcessAddTest, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

TEST_P(ProcessAddTest, TwoAddedProcessesJoinTheLotBehindItsOwnSlotInOneUndoStep)
{
    openDetail();
    ASSERT_TRUE(addFirst(3));
    EXPECT_EQ(detail->texts().innerMembers,
              (QStringList{"5001 成形 ケースＡ 100", "5002 トリミング ケースＡ 90", "5003 印刷 ケースＡ 80"}));
    EXPECT_EQ(fixture.record().ProcessName, QStringLiteral("成形")) << "the lot waits for the window to close";

    EXPECT_EQ(close().result, WriteBackResult::Written);
    const PlanRecord &lot = fixture.record();
    EXPECT_EQ(lot.ProcessName, QStringLiteral("混合"));
    EXPECT_EQ(members(lot.Members), (QList<qint64>{5001, 5002, 5003}));
    EXPECT_TRUE(lot.AltMembers.empty());
    const MemberSlot &trimming = lot.Members.at(1);
    EXPECT_EQ(trimming.ProcessName, QStringLiteral("トリミング"));
    EXPECT_EQ(trimming.ModelName, QStringLiteral("ケースＡ"));
    EXPECT_EQ(trimming.ItemCode, QStringLiteral("A100"));
    EXPECT_EQ(trimming.Sequence, 20);
    EXPECT_EQ(trimming.Quantity, 90);
    EXPECT_EQ(trimming.Received, 10);
    EXPECT_TRUE(trimming.HasPlanNo);
    EXPECT_EQ(trimming.PlanNo, 700);
    EXPECT_EQ(lot.Quantity, 100) << "the lot's quantity counts its own process";
    EXPECT_EQ(lot.MembersWritten, 1);
    EXPECT_TRUE(plant.path->saveEnabled());

    EXPECT_EQ(plant.path->undoText(), QStringLiteral("詳細情報"));
    plant.path->undo();
    EXPECT_EQ(members(fixture.record().Members), (QList<qint64>{5001}));
    EXPECT_EQ(fixture.record().ProcessName, QStringLiteral("成形"));
    EXPECT_FALSE(plant.path->canUndo());
    plant.path->redo();
    EXPECT_EQ(members(fixture.record().Members), (QList<qint64>{5001, 5002, 5003}));
}

TEST_P(ProcessAddTest, ACancelledWindowStillHandsOverTheAddAloneAndNothingOfItsBoxes)
{
    openDetail();
    detail->texts().remark = QStringLiteral("備考を書いた");
    ASSERT_TRUE(addFirst(2));
    detail->cancel();
    EXPECT_EQ(close().result, WriteBackResult::Written);
    EXPECT_EQ(members(fixture.record().Members), (QList<qint64>{5001, 5002}));
    EXPECT_EQ(fixture.record().ProcessName, QStringLiteral("混合"));
    EXPECT_NE(fixture.record().Remarks, QStringLiteral("備考を書いた"));
    EXPECT_EQ(plant.path->undoText(), QStringLiteral("工程追加"));
    plant.path->undo();
    EXPECT_EQ(members(fixture.record().Members), (QList<qint64>{5001}));
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_P(ProcessAddTest, ProcessesTakeTheFreeSlotsOfTheSetThatHoldsTheLot)
{
    // The lot's own process sits in slot 2 of the outer set; slots 0 and 1 are free.
    fixture.amend([](PlanRecord &record) {
        const MemberSlot own = record.Members.at(0);
        record.Members.clear(0);
        record.AltMembers.set(2) = own;
    });
    openDetail();
    ASSERT_TRUE(detail->texts().innerMembers.isEmpty());
    ASSERT_TRUE(addFirst(4));
    EXPECT_EQ(close().result, WriteBackResult::Written);
    EXPECT_EQ(members(fixture.record().AltMembers), (QList<qint64>{5002, 5003, 5001}));
    EXPECT_TRUE(fixture.record().Members.empty());
}

TEST_P(ProcessAddTest, RefusedAddsSayWhyAndChangeNothing)
{
    // A chain longer than the free slots of a lot: 6001 and 20 next processes.
    for (qint64 number = 6001; number <= 6021; ++number)
        chains.arrangement(number, "S20", number < 6021 ? number + 1 : 0);
    const struct
    {
        const char *name;
        std::function<void(PlanRecord &)> lot;
        int lines;
        QString said;
    } cases[] = {
        {"two member lines", [](PlanRecord &r) { r.AltMembers.set(0).ArrangementNo = 5002; }, 3, processAdd::CannotAdd},
        {"no member line", [](PlanRecord &r) { r.Members.clear(0); }, 3, processAdd::CannotAdd},
        {"own process of class 03", [](PlanRecord &r) { r.Members.set(0).ArrangementNo = 5004; }, 3,
         processAdd::NothingToAdd},
        {"own arrangement unknown", [](PlanRecord &r) { r.Members.set(0).ArrangementNo = 4711; }, 3,
         processAdd::NothingToAdd},
        {"only the own process", [](PlanRecord &) {}, 1, processAdd::NoneAdded},
        {"nothing checked", [](PlanRecord &) {}, 0, processAdd::NoneAdded},
        {"more than the free slots", [](PlanRecord &r) { r.Members.set(0).ArrangementNo = 6001; }, 21,
         processAdd::TooMany.arg(19)},
    };
    for (const auto &c : cases) {
        const PlanRecord before = fixture.record();
        fixture.amend(c.lot);
        const PlanRecord changed = fixture.record();
        plant.prompter.clear();
        openDetail();
        EXPECT_FALSE(addFirst(c.lines)) << c.name;
        EXPECT_EQ(plant.prompter.texts(), QStringList{c.said}) << c.name;
        EXPECT_TRUE(detail->additions().empty()) << c.name;
        detail->cancel();
        close();
        EXPECT_TRUE(fixture.record() == changed) << c.name;
        EXPECT_FALSE(plant.path->canUndo()) << c.name;
        fixture.amend([&](PlanRecord &r) { r = before; });
    }
}

TEST_P(ProcessAddTest, AProcessThatIsALotOfTheChartIsNotAddedTwice)
{
    plant.amend(plant.add({.machine = EditingPlant::M02}), [](PlanRecord &printing) {
        printing.ArrangementNo = 5003;
        printing.Members.set(0).ArrangementNo = 5003;
    });
    plant.amend(plant.add({.machine = EditingPlant::M03}), [](PlanRecord &mergedAway) {
        mergedAway.Members.set(0).ArrangementNo = 5002;
        mergedAway.Active = 0;
    });
    openDetail();
    EXPECT_FALSE(addFirst(3));
    EXPECT_EQ(plant.prompter.texts(), QStringList{processAdd::HeldElsewhere.arg(5003)});
    EXPECT_TRUE(addFirst(2)) << "a lot merged away holds nothing";
}

TEST_P(ProcessAddTest, AScriptsAddTakesTheNextProcessesInOneStepOfItsOwn)
{
    plant.start();
    const struct
    {
        int count;
        QList<qint64> members;
        QStringList said;
    } cases[] = {
        {1, {5001, 5002}, {}},
        {2, {5001, 5002, 5003}, {}},
        {9, {5001, 5002, 5003}, {}}, // the chain ends before the inspection
        {0, {5001}, {processAdd::NoneAdded}},
        {-1, {5001}, {processAdd::NoneAdded}},
    };
    for (const auto &c : cases) {
        plant.prompter.clear();
        EXPECT_EQ(plant.session.addProcesses(fixture.lot, c.count), c.said.isEmpty())
            << c.count;
        EXPECT_EQ(members(fixture.record().Members), c.members) << c.count;
        EXPECT_EQ(plant.prompter.texts(), c.said) << c.count;
        if (!c.said.isEmpty())
            continue;
        EXPECT_EQ(fixture.record().ProcessName, QStringLiteral("混合"));
        EXPECT_EQ(plant.path->undoText(), processAdd::ActionLabel);
        plant.path->undo();
        EXPECT_FALSE(plant.path->canUndo()) << c.count;
    }
    // A lot that has taken processes already takes no more.
    ASSERT_TRUE(plant.session.addProcesses(fixture.lot, 1));
    EXPECT_FALSE(plant.session.addProcesses(fixture.lot, 1));
    EXPECT_EQ(plant.prompter.texts().last(), processAdd::CannotAdd);
}

TEST_P(ProcessAddTest, TheSaveWritesTheAddedArrangementsWithTheLotsMachineAndTimes)
{
    openDetail();
    ASSERT_TRUE(addFirst(3));
    detail->texts().startDate = QStringLiteral("2024/05/11");
    detail->texts().endDate = QStringLiteral("2024/05/11");
    ASSERT_EQ(close().result, WriteBackResult::Written);

    QuietProgress progress;
    const SaveResult saved = saveThroughEditPath(
        *plant.path, {plant.rows, plant.run, db(), plant.prompter, progress, QStringLiteral("plant042"),
                      QDateTime(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC), RetryPolicy{1, 0}});
    ASSERT_EQ(saved.outcome, SaveResult::Outcome::Complete) << plant.prompter.texts().join('\n').toStdString();
    EXPECT_FALSE(plant.path->saveEnabled());

    for (const qint64 number : {5001, 5002, 5003}) {
        Rows row = select(db(), QStringLiteral("SELECT 機械コード,作業開始日付,作業開始時間,作業終了日付,作業終了時間"
                                                " FROM DB0253 WHERE 手配番号=?"),
                                 {number});
        ASSERT_TRUE(row.next()) << number;
        const RowReader &read = row.row();
        EXPECT_EQ(read.text("機械コード").trimmed(), QStringLiteral("M01")) << number;
        EXPECT_EQ(read.text("作業開始日付"), QStringLiteral("20240511")) << number;
        EXPECT_EQ(read.integer("作業開始時間"), 80000) << number;
        EXPECT_EQ(read.text("作業終了日付"), QStringLiteral("20240511")) << number;
        EXPECT_EQ(read.integer("作業終了時間"), 90000) << number;
    }
    // The arrangement after the chosen ones is left alone.
    Rows untouched = select(db(), QStringLiteral("SELECT 作業開始日付 FROM DB0253 WHERE 手配番号=?"), {5004});
    ASSERT_TRUE(untouched.next());
    EXPECT_EQ(untouched.row().text("作業開始日付"), QStringLiteral("00000000"));
}

} // namespace
