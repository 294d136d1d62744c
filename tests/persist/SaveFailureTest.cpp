#include "SaveFixture.h"

namespace {

class SaveFailure : public SaveFixture
{
protected:
    // The lot's member belongs to a production plan of its own: the lot is saved on its own.
    void ownPlan(qint64 index)
    {
        at(index).Members.set(0).PlanNo = index;
        at(index).Members.set(0).HasPlanNo = true;
    }
};
SAVE_SUITE(SaveFailure);

// The database refuses the arrangement of the second lot half-way through that lot: the lot
// had already created a split arrangement (number, copied row and requirements) and must
// leave no trace, while the first lot stays saved and the second and third stay flagged.
TEST_P(SaveFailure, RefusedLotIsRolledBackAndTheRestStaysUnsaved)
{
    arrangement(1001);
    arrangement(1002);
    arrangement(1003);
    plant.insert("DB0252", {{"上位手配番号", 1003}, {"品名コード", "M-1"}, {"順序", 999}});
    refuseUpdatesOf(1002);
    const qint64 first = lot(1001);
    ownPlan(first);
    const qint64 failing = lot(1002);
    MemberSlot &split = at(failing).Members.set(0);
    split.ArrangementNo = -1;
    split.AuxNo = 1003;
    MemberSlot &refused = at(failing).Members.set(1);
    refused.ArrangementNo = 1002;
    refused.Quantity = 100;
    const qint64 later = lot(1003);
    for (qint64 i : {first, failing, later})
        at(i).StartDate = QDate(2024, 4, 20);
    const PlanRecord failingBefore = at(failing);

    const SaveResult result = save();

    EXPECT_EQ(result.outcome, SaveResult::Outcome::Failed);
    EXPECT_TRUE(result.savingStillNeeded());
    EXPECT_EQ(result.savedLots, std::vector<qint64>{first});
    EXPECT_EQ(arrangementRow(1001).text("作業開始日付"), "20240420");
    EXPECT_EQ(arrangementRow(1002).text("作業開始日付"), "00000000");
    EXPECT_EQ(arrangementRow(1003).text("作業開始日付"), "00000000");
    EXPECT_FALSE(arrangementRow(5001).exists());
    EXPECT_EQ(count("SELECT COUNT(*) FROM DB0252 WHERE 上位手配番号=?", {5001}), 0);
    EXPECT_EQ(count("SELECT 現在番号 FROM DB0018", {}), 5000);
    EXPECT_EQ(at(first).MembersWritten, 0);
    EXPECT_EQ(at(failing), failingBefore);
    EXPECT_EQ(at(later).MembersWritten, 1);
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_TRUE(prompter.said()[0].text.startsWith("手配番号 1002 の計画を保存できませんでした。"));
    EXPECT_TRUE(prompter.said()[0].text.contains("refused by the test trigger"));
    EXPECT_TRUE(progress.closed);

    // Once the database takes the row again, the next save writes the rest.
    QSqlQuery(plant.db().connection()).exec("DROP TRIGGER refuse_update" +
                                            QString(plant.backend() == TestPlant::Backend::Postgres ? " ON DB0253" : ""));
    prompter.clear();
    EXPECT_EQ(save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(arrangementRow(5001).text("作業開始日付"), "20240420");
    EXPECT_EQ(arrangementRow(1003).text("作業開始日付"), "20240420");
}

// The server goes away while it commits the second lot: whether it wrote the lot cannot be
// known, and the planner is told to read the plan again rather than that it was not saved.
TEST_P(SaveFailure, ACommitWhoseConnectionIsLostIsToldAsUnknown)
{
    if (plant.backend() != TestPlant::Backend::Postgres)
        GTEST_SKIP() << "a SQLite file has no connection to lose";
    arrangement(1001);
    arrangement(1002);
    arrangement(1003);
    QSqlQuery query(plant.db().connection());
    ASSERT_TRUE(query.exec(QStringLiteral("CREATE FUNCTION lose_connection() RETURNS trigger AS $$ BEGIN "
                                          "IF NEW.手配番号 = 1002 THEN PERFORM pg_terminate_backend(pg_backend_pid()); END IF; "
                                          "RETURN NULL; END $$ LANGUAGE plpgsql")));
    // Run at COMMIT, after every statement of the lot went through.
    ASSERT_TRUE(query.exec(QStringLiteral("CREATE CONSTRAINT TRIGGER lose_connection AFTER UPDATE ON DB0253 "
                                          "DEFERRABLE INITIALLY DEFERRED FOR EACH ROW EXECUTE FUNCTION lose_connection()")));
    const qint64 first = lot(1001), lost = lot(1002), later = lot(1003);
    for (qint64 i : {first, lost, later}) {
        ownPlan(i);
        at(i).StartDate = QDate(2024, 4, 20);
    }

    const SaveResult result = save();

    EXPECT_EQ(result.outcome, SaveResult::Outcome::Failed);
    EXPECT_EQ(result.savedLots, std::vector<qint64>{first});
    EXPECT_EQ(at(lost).MembersWritten, 1);
    EXPECT_EQ(at(later).MembersWritten, 1);
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_TRUE(prompter.said()[0].text.startsWith(
        "手配番号 1002 の計画は保存されたか確認できません。読み込み直して確認してください。"))
        << prompter.said()[0].text.toStdString();
    EXPECT_FALSE(prompter.said()[0].text.contains("保存できませんでした"));
}

} // namespace
