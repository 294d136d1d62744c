// A save against another program: a lock held for a moment is waited for and the save goes
// through; a table the database refuses for good fails at once, without tries that cannot
// succeed, and the planner hears about it in one message at the end of the save.

#include "SaveFixture.h"

#include <QElapsedTimer>
#include <future>
#include <thread>

namespace {

class SaveLock : public SaveFixture
{
protected:
    // Holds an exclusive lock on the plant from another connection (another program) for
    // `holdMs` milliseconds; returns once the lock is held.
    std::thread holdLock(int holdMs)
    {
        std::promise<void> held;
        std::future<void> isHeld = held.get_future();
        std::thread holder([this, holdMs, held = std::move(held)]() mutable {
            auto other = Database::open(plant.dataSourceField(), plant.user(), {}, QStringLiteral("other_program"));
            if (plant.backend() == TestPlant::Backend::Sqlite) {
                other->run(QStringLiteral("BEGIN EXCLUSIVE"));
            } else {
                other->connection().transaction();
                other->run(QStringLiteral("LOCK TABLE DB0253 IN ACCESS EXCLUSIVE MODE"));
            }
            held.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            other->run(QStringLiteral("COMMIT"));
        });
        isHeld.wait();
        return holder;
    }

    // Makes the database refuse every write to DB0492 (the machine cycles), as a revoked
    // right would.
    void refuseMachineCycles()
    {
        if (plant.backend() == TestPlant::Backend::Sqlite) {
            for (const char *event : {"INSERT", "UPDATE"})
                plant.db().run(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON DB0492 "
                                              "BEGIN SELECT RAISE(ABORT, 'permission denied for table db0492'); END")
                                   .arg(QLatin1String(event)));
            return;
        }
        plant.db().runScript(QStringLiteral(
            "CREATE FUNCTION refuse_cycle() RETURNS trigger AS $$ BEGIN "
            "RAISE EXCEPTION 'permission denied for table db0492' USING ERRCODE = '42501'; END $$ LANGUAGE plpgsql;\n"
            "CREATE TRIGGER refuse_cycle BEFORE INSERT OR UPDATE ON DB0492 FOR EACH ROW EXECUTE FUNCTION refuse_cycle();\n"));
    }

    qint64 lotWithCycle(qint64 number)
    {
        arrangement(number);
        const qint64 index = lot(number);
        at(index).SecondsPerPiece = 12;
        at(index).RateItemCode = QStringLiteral("A");
        at(index).RateSequence = 999;
        at(index).StartDate = QDate(2024, 4, 20);
        return index;
    }
};
SAVE_SUITE(SaveLock);

TEST_P(SaveLock, LockHeldForAMomentByAnotherProgramIsWaitedFor)
{
    lotWithCycle(1001);
    lotWithCycle(1002);
    std::thread holder = holdLock(3000); // as long as the lock that once failed a save at once
    QElapsedTimer timer;
    timer.start();

    const SaveResult result = save();

    holder.join();
    EXPECT_EQ(result.outcome, SaveResult::Outcome::Complete) << (prompter.said().empty() ? std::string() : prompter.said()[0].text.toStdString());
    EXPECT_GE(timer.elapsed(), 2500) << "the save waited for the lock";
    EXPECT_TRUE(prompter.said().empty());
    EXPECT_EQ(arrangementRow(1001).text("作業開始日付"), "20240420");
    EXPECT_EQ(arrangementRow(1002).text("作業開始日付"), "20240420");
}

TEST_P(SaveLock, RefusedTableFailsAtOnceWithOneGatheredMessage)
{
    refuseMachineCycles();
    for (qint64 number : {1001, 1002, 1003})
        lotWithCycle(number);
    retry = RetryPolicy{10, 100}; // a second per lot if the refusal were tried again
    QElapsedTimer timer;
    timer.start();

    const SaveResult result = save();

    EXPECT_LT(timer.elapsed(), 1500) << "a permanent refusal is not tried again";
    EXPECT_EQ(result.outcome, SaveResult::Outcome::Complete) << "the lots themselves are saved";
    for (qint64 number : {1001, 1002, 1003})
        EXPECT_EQ(arrangementRow(number).text("作業開始日付"), "20240420");
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_EQ(prompter.said()[0].text,
              "ライン別のサイクル情報の保持に失敗しました(他の更新は問題ありません)\n対象の手配番号: 1001、1002、1003");
    EXPECT_EQ(result.partlyFailedLots.size(), 3u);
    EXPECT_TRUE(progress.closed);
}

} // namespace
