#include "SaveFixture.h"

#include "editing/EditPath.h"
#include "persist/EditPathSave.h"

namespace {

class EditPathSave : public SaveFixture
{
protected:
    SaveResult saveThroughPath(EditPath &path)
    {
        return saveThroughEditPath(path, {rows, run, plant.db(), prompter, progress, account, now, RetryPolicy{2, 0}});
    }
    void move(EditPath &path, qint64 index)
    {
        Edit edit = path.beginAction(QStringLiteral("移動"));
        edit.change(index, [](PlanRecord &record) { record.StartDate = QDate(2024, 4, 18); });
        edit.commit();
    }
};
SAVE_SUITE(EditPathSave);

TEST_P(EditPathSave, OnlyACompleteSaveMakesThePlanClean)
{
    arrangement(1001);
    arrangement(1002);
    lot(1001);
    lot(1002);
    EditPath path(store, calendar, rows, run);
    for (qint64 i : {2, 3}) {
        store[i].MembersWritten = 0;
        store[i].Members.set(0).PlanNo = i; // lots of two production plans: each saved on its own
        store[i].Members.set(0).HasPlanNo = true;
    }
    path.takeLoadedPlan();

    move(path, 2);
    move(path, 3);
    refuseUpdatesOf(1002);
    EXPECT_EQ(saveThroughPath(path).outcome, SaveResult::Outcome::Failed);
    EXPECT_TRUE(path.saveEnabled());
    EXPECT_EQ(store[2].MembersWritten, 0);
    EXPECT_EQ(store[3].MembersWritten, 1);

    QSqlQuery(plant.db().connection())
        .exec("DROP TRIGGER refuse_update" + QString(plant.backend() == TestPlant::Backend::Postgres ? " ON DB0253" : ""));
    prompter.clear();
    EXPECT_EQ(saveThroughPath(path).outcome, SaveResult::Outcome::Complete);
    EXPECT_FALSE(path.saveEnabled());
    EXPECT_EQ(arrangementRow(1002).text("作業開始日付"), "20240418");
}

} // namespace
