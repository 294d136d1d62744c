// The edit path: one planner action is one undo step, records come back exactly (flags
// included), saving follows the clean plan, and the per-row indexes stay right.

#include "EditingPlant.h"
#include "editing/LotRules.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class EditPathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        a = plant.add({.start = QStringLiteral("2024/05/10 08:00")});
        b = plant.add({.start = QStringLiteral("2024/05/10 09:00")});
        c = plant.add({.machine = EditingPlant::M02, .confirm = QStringLiteral("1")});
        plant.start();
    }

    EditPath &path() { return *plant.path; }

    void moveBy(qint64 lot, int minutes, const QString &label = QStringLiteral("移動"))
    {
        Edit edit = path().beginAction(label);
        edit.change(lot, [&](PlanRecord &r) {
            lots::setStart(r, lots::startInstant(r).addSecs(minutes * 60));
            lots::setEnd(r, lots::endInstant(r).addSecs(minutes * 60));
        });
        edit.commit();
    }

    // What saving does to the plan once the lots are written.
    void save()
    {
        Edit edit = path().beginLoadingChange();
        for (qint64 i = 2; i <= plant.store.lastIndex(); ++i)
            if (plant.store[i].MembersWritten)
                edit.change(i, [](PlanRecord &r) { r.MembersWritten = 0; r.SaveMark = 0; });
        edit.commit();
        path().markClean();
    }

    RowIndex freshIndex() const
    {
        RowIndex index;
        for (qint64 i = 2; i <= plant.store.lastIndex(); ++i)
            index.add(i, RowIndex::footprint(plant.store[i]));
        return index;
    }

    EditingPlant plant;
    qint64 a = 0, b = 0, c = 0;
};

TEST_F(EditPathTest, OneActionIsOneUndoStepAndComesBackExactly)
{
    QSignalSpy changed(&path(), &EditPath::recordsChanged);
    const PlanRecord beforeA = plant.store[a], beforeB = plant.store[b];

    Edit edit = path().beginAction(QStringLiteral("ドロップ"));
    edit.change(a, [](PlanRecord &r) { r.MachineCode = EditingPlant::M02; });
    edit.change(b, [](PlanRecord &r) { r.Quantity = 250; });
    edit.change(a, [](PlanRecord &r) { r.Quantity = 7; });
    edit.commit();
    const PlanRecord afterA = plant.store[a], afterB = plant.store[b];

    EXPECT_EQ(afterA.MembersWritten, 1);
    EXPECT_EQ(afterB.MembersWritten, 1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QList<qint64>>(), (QList<qint64>{a, b}));
    EXPECT_TRUE(path().saveEnabled());
    EXPECT_EQ(path().undoText(), QStringLiteral("ドロップ"));

    path().undo();
    EXPECT_EQ(plant.store[a], beforeA);
    EXPECT_EQ(plant.store[b], beforeB);
    EXPECT_FALSE(path().saveEnabled());
    EXPECT_EQ(path().redoText(), QStringLiteral("ドロップ"));
    EXPECT_EQ(changed.count(), 2);

    path().redo();
    EXPECT_EQ(plant.store[a], afterA);
    EXPECT_EQ(plant.store[b], afterB);
    EXPECT_TRUE(path().saveEnabled());
    EXPECT_EQ(path().index(), freshIndex());
}

TEST_F(EditPathTest, InquiryModeNeverEnablesSaving)
{
    plant.run.Authority = QStringLiteral("0");
    QSignalSpy saving(&path(), &EditPath::saveEnabledChanged);
    moveBy(a, 30);
    EXPECT_FALSE(path().saveEnabled());
    EXPECT_EQ(plant.store[a].MembersWritten, 1);
    for (const QList<QVariant> &signal : saving)
        EXPECT_FALSE(signal.at(0).toBool());
}

TEST_F(EditPathTest, UndoingPastASaveLeavesTheLotUnsavedAndRedoCleansItAgain)
{
    const std::string loadedStart = plant.startText(a);
    moveBy(a, 30);
    const std::string savedStart = plant.startText(a);
    save();
    EXPECT_FALSE(path().saveEnabled());
    EXPECT_EQ(plant.store[a].MembersWritten, 0);

    path().undo();
    EXPECT_TRUE(path().saveEnabled());
    EXPECT_EQ(plant.startText(a), loadedStart);
    EXPECT_EQ(plant.store[a].MembersWritten, 1) << "the database holds the moved lot";

    path().redo();
    EXPECT_FALSE(path().saveEnabled());
    EXPECT_EQ(plant.startText(a), savedStart);
    EXPECT_EQ(plant.store[a].MembersWritten, 0);
}

TEST_F(EditPathTest, UndoingBackToTheLoadedPlanLeavesNothingToSave)
{
    moveBy(a, 30);
    moveBy(b, -15);
    path().undo();
    path().undo();
    EXPECT_FALSE(path().saveEnabled());
    EXPECT_FALSE(path().canUndo());
    for (qint64 i : {a, b, c})
        EXPECT_EQ(plant.store[i].MembersWritten, 0);
}

TEST_F(EditPathTest, ANewActionDropsTheRedoSide)
{
    moveBy(a, 30);
    save();
    path().undo();
    moveBy(b, 10);
    EXPECT_FALSE(path().canRedo());
    path().undo();
    EXPECT_TRUE(path().saveEnabled()) << "the saved plan can no longer be reached";
}

TEST_F(EditPathTest, AnActionThatFailsHalfWayLeavesThePlanAsItWas)
{
    const PlanStore before = plant.store;
    QSignalSpy changed(&path(), &EditPath::recordsChanged);
    try {
        Edit edit = path().beginAction(QStringLiteral("分割"));
        edit.change(a, [](PlanRecord &r) { r.MachineCode = EditingPlant::M03; });
        edit.append(plant.store[b]);
        throw std::runtime_error("database gone");
    } catch (const std::runtime_error &) {
    }
    ASSERT_EQ(plant.store.lastIndex(), before.lastIndex());
    for (qint64 i = 2; i <= before.lastIndex(); ++i)
        EXPECT_EQ(plant.store[i], before[i]);
    EXPECT_EQ(path().index(), freshIndex());
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(path().canUndo());
    EXPECT_FALSE(path().editOpen());
}

TEST_F(EditPathTest, AnActionThatChangesNothingIsNoStep)
{
    moveBy(a, 30);
    QSignalSpy changed(&path(), &EditPath::recordsChanged);
    Edit edit = path().beginAction(QStringLiteral("再配置"));
    edit.change(a, [](PlanRecord &r) { r.Quantity = r.Quantity; });
    edit.commit();
    EXPECT_EQ(changed.count(), 0);
    path().undo();
    EXPECT_FALSE(path().canUndo()) << "only the move was a step";
}

TEST_F(EditPathTest, AppendedLotsLeaveWithUndoAndReturnWithRedo)
{
    Edit edit = path().beginAction(QStringLiteral("ロット分割"));
    edit.change(a, [](PlanRecord &r) { r.Quantity = 60; });
    PlanRecord part = plant.store[a];
    part.Quantity = 40;
    const qint64 added = edit.append(part);
    edit.commit();
    ASSERT_EQ(plant.store.lastIndex(), added);
    const PlanRecord addedRecord = plant.store[added];

    path().undo();
    EXPECT_EQ(plant.store.lastIndex(), added - 1);
    EXPECT_EQ(path().index(), freshIndex());
    path().redo();
    ASSERT_EQ(plant.store.lastIndex(), added);
    EXPECT_EQ(plant.store[added], addedRecord);
    EXPECT_EQ(path().index(), freshIndex());

    // Once saved, the split has its own arrangement in the database: it cannot be undone.
    save();
    EXPECT_FALSE(path().canUndo());
}

TEST_F(EditPathTest, CalendarDaysAreKeptMarkedAndRestored)
{
    QSignalSpy days(&path(), &EditPath::calendarDaysChanged);
    const CalendarDay before = *plant.calendar.day(2, 5);
    Edit edit = path().beginAction(QStringLiteral("稼働時間変更"));
    edit.changeDay(2, 5, [](CalendarDay &day) { day.workHours = 4; });
    edit.commit();
    EXPECT_TRUE(plant.calendar.day(2, 5)->changed);
    EXPECT_TRUE(path().saveEnabled());
    ASSERT_EQ(days.count(), 1);
    EXPECT_EQ(days.at(0).at(0).value<QList<CalendarDayRef>>(), (QList<CalendarDayRef>{{2, 5}}));

    path().undo();
    EXPECT_EQ(plant.calendar.day(2, 5)->workHours, before.workHours);
    EXPECT_FALSE(plant.calendar.day(2, 5)->changed);
    EXPECT_FALSE(path().saveEnabled());
}

TEST_F(EditPathTest, IndexesFollowEveryChangeUndoAndRedo)
{
    const QStringList machines{EditingPlant::M01, EditingPlant::M02, QStringLiteral("        ")};
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        const int what = random.bounded(5);
        if (what == 0) {
            path().undo();
        } else if (what == 1) {
            path().redo();
        } else {
            Edit edit = path().beginAction(QStringLiteral("変更"));
            for (int n = random.bounded(1, 4); n > 0; --n) {
                const qint64 lot = random.bounded(2, int(plant.store.lastIndex()) + 1);
                edit.change(lot, [&](PlanRecord &r) {
                    r.MachineCode = machines[random.bounded(machines.size())];
                    lots::setStart(r, lots::startInstant(r).addSecs(random.bounded(-120, 120) * 60));
                    lots::setEnd(r, lots::startInstant(r).addSecs(random.bounded(10, 300) * 60));
                    r.ConfirmState = random.bounded(2) ? QStringLiteral("2") : QStringLiteral("1");
                    r.MembersWritten = quint8(random.bounded(2));
                    r.SchedulerFixed = random.bounded(4) ? QStringLiteral("0") : QStringLiteral("1");
                });
            }
            if (random.bounded(6) == 0)
                edit.append(plant.store[2]);
            edit.commit();
        }
        ASSERT_EQ(path().index(), freshIndex()) << "after round " << round;
    }
}

} // namespace
