// Saving beside other writers: the demo plant's molding class loaded by a plan session, lots
// moved by the planner, and a second connection (the shop floor, the order desk, another
// planner) changing arrangement rows after the load. A lot whose rows changed elsewhere (any
// column the save writes) is not written and stays unsaved; the other lots are saved;
// overwriting is possible unless the lot was completed or deleted elsewhere, and lists what it
// replaced.

#include "CliSession.h"
#include "DemoMasters.h"
#include "DemoPlant.h"
#include "app/PlantStartup.h"
#include "persist/SaveProgress.h"
#include "TestPlant.h"
#include "common/PlantValues.h"
#include "session/PlanSession.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

class SaveElsewhere : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override
    {
        demo::writePlant(plant.db(), {200, 11, Start}, false);
        run.PlantCode = demo::PlantCode;
        run.ProcessClassCode = demo::MoldingClass;
        run.PeriodStart = plant::dateText(Start);
        startup::readPlant(plant.db(), run); // the grid and the period the tool reads
        other = Database::open(plant.dataSourceField(), plant.user(), {}, QStringLiteral("elsewhere"));
        first = loadedSession();
    }

    std::unique_ptr<PlanSession> loadedSession()
    {
        auto session = std::make_unique<PlanSession>(run, plant.db(), prompter);
        EXPECT_EQ(session->load(nullptr), PlanSession::LoadResult::Loaded);
        return session;
    }

    // The first `count` loaded lots of one stored arrangement with dates, by arrangement number.
    std::vector<qint64> lots(int count) const
    {
        std::vector<qint64> numbers;
        const PlanStore &store = first->store();
        for (qint64 i = 2; i <= store.lastIndex() && int(numbers.size()) < count; ++i)
            if (store[i].ArrangementNo > 0 && store[i].StartDate.isValid() && store[i].EndDate.isValid())
                numbers.push_back(store[i].ArrangementNo);
        return numbers;
    }

    static qint64 indexOf(const PlanSession &session, qint64 arrangementNo)
    {
        for (qint64 i = 2; i <= session.store().lastIndex(); ++i)
            if (session.store()[i].ArrangementNo == arrangementNo)
                return i;
        return 0;
    }

    // The planner moves the lots a day later, as one action.
    static void moveByADay(PlanSession &session, const std::vector<qint64> &arrangements)
    {
        Edit edit = session.editPath().beginAction(QStringLiteral("計画の移動"));
        for (const qint64 number : arrangements)
            edit.change(indexOf(session, number), [](PlanRecord &moved) {
                moved.StartDate = moved.StartDate.addDays(1);
                moved.EndDate = moved.EndDate.addDays(1);
            });
        edit.commit();
    }

    SaveResult save(PlanSession &session,
                    PlanSession::ElsewherePolicy policy = PlanSession::ElsewherePolicy::KeepUnsaved)
    {
        QuietProgress progress;
        session.setAccountName(QStringLiteral("plant042"));
        return session.save(progress, [policy](const SaveResult &) { return policy; }, {2, 0},
                            QDateTime(Start, QTime(12, 0), Qt::UTC));
    }

    static std::vector<qint64> listed(const SaveResult &result)
    {
        std::vector<qint64> numbers;
        for (const ElsewhereChange &change : result.changedElsewhere)
            numbers.push_back(change.arrangementNo);
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }

    void changeElsewhere(qint64 number, const QString &assignment)
    {
        other->run(QStringLiteral("UPDATE DB0253 SET %1 WHERE 手配番号=?").arg(assignment), {number});
    }

    QString stored(qint64 number, const QString &column)
    {
        QSqlQuery query = plant.db().run(QStringLiteral("SELECT %1 FROM DB0253 WHERE 手配番号=?").arg(column), {number});
        return query.next() ? query.value(0).toString() : QString();
    }

    static inline const QDate Start{2026, 12, 8};
    TestPlant plant{GetParam(), TestPlant::Contents::Empty};
    RunContext run;
    AnsweringPrompter prompter{true};
    std::unique_ptr<Database> other;
    std::unique_ptr<PlanSession> first;
};

TEST_P(SaveElsewhere, ALotChangedElsewhereIsListedAndKeptUnsavedWhileTheOthersAreSaved)
{
    const struct
    {
        const char *what;
        const char *assignment;
        unsigned changes;
        bool gone;
    } cases[] = {
        {"quantity", "手配数=手配数+1", QuantityChanged, false},
        {"actuals", "受入実績数=7", ActualsChanged, false},
        {"schedule", "作業開始日付='20261231'", ScheduleChanged, false},
        {"completion", "完納区分='2'", CompletionChanged, true},
        {"deletion", "削除フラグ='1'", CompletionChanged, true},
    };
    const std::vector<qint64> numbers = lots(2 * int(std::size(cases)));
    ASSERT_EQ(numbers.size(), 2 * std::size(cases));
    moveByADay(*first, numbers);
    for (size_t k = 0; k < std::size(cases); ++k)
        changeElsewhere(numbers[2 * k], QString::fromUtf8(cases[k].assignment));

    SaveResult result = save(*first);
    EXPECT_EQ(result.outcome, SaveResult::Outcome::ChangedElsewhere);
    EXPECT_TRUE(first->hasUnsavedChanges());
    ASSERT_EQ(result.changedElsewhere.size(), std::size(cases));
    for (size_t k = 0; k < std::size(cases); ++k) {
        const qint64 changed = numbers[2 * k], untouched = numbers[2 * k + 1];
        const PlanRecord &mine = first->store()[indexOf(*first, changed)];
        const ElsewhereChange &listed = result.changedElsewhere[k];
        EXPECT_EQ(listed.arrangementNo, changed) << cases[k].what;
        EXPECT_EQ(listed.lot, indexOf(*first, changed)) << cases[k].what;
        EXPECT_EQ(listed.changes, cases[k].changes) << cases[k].what;
        EXPECT_EQ(listed.gone, cases[k].gone) << cases[k].what;
        EXPECT_NE(mine.MembersWritten, 0) << cases[k].what << ": stays flagged";
        EXPECT_NE(stored(changed, QStringLiteral("作業開始日付")), plant::dateToDb(mine.StartDate))
            << cases[k].what << ": not overwritten";
        const PlanRecord &saved = first->store()[indexOf(*first, untouched)];
        EXPECT_EQ(saved.MembersWritten, 0) << cases[k].what;
        EXPECT_EQ(stored(untouched, QStringLiteral("作業開始日付")), plant::dateToDb(saved.StartDate)) << cases[k].what;
    }
    EXPECT_EQ(stored(numbers[0], QStringLiteral("手配数")).toDouble(),
              first->store()[indexOf(*first, numbers[0])].Quantity + 1);

    // The planner says to write them anyway: all but the completed and the deleted lot go.
    result = save(*first, PlanSession::ElsewherePolicy::Overwrite);
    std::vector<qint64> neverOverwritten{numbers[6], numbers[8]};
    std::sort(neverOverwritten.begin(), neverOverwritten.end());
    EXPECT_EQ(listed(result), neverOverwritten);
    for (size_t k = 0; k < 3; ++k) {
        const PlanRecord &mine = first->store()[indexOf(*first, numbers[2 * k])];
        EXPECT_EQ(mine.MembersWritten, 0) << cases[k].what;
        EXPECT_EQ(stored(numbers[2 * k], QStringLiteral("作業開始日付")), plant::dateToDb(mine.StartDate)) << cases[k].what;
    }
    EXPECT_EQ(stored(numbers[6], QStringLiteral("完納区分")), QStringLiteral("2"));
    EXPECT_EQ(stored(numbers[8], QStringLiteral("削除フラグ")), QStringLiteral("1"));
}

// Every column the save writes is compared, the order desk's note and the cycle as much as the
// dates; written over when the planner says so, the save lists each value it replaced.
TEST_P(SaveElsewhere, NotesCyclesAndPricesAreComparedAndAnOverwriteListsWhatItReplaced)
{
    const std::vector<qint64> numbers = lots(3);
    ASSERT_EQ(numbers.size(), 3u);
    moveByADay(*first, numbers);
    changeElsewhere(numbers[0], QStringLiteral("備考='至急: 型替え後に'"));
    changeElsewhere(numbers[1], QStringLiteral("サイクル=サイクル+3"));
    changeElsewhere(numbers[2], QStringLiteral("単価=123"));
    const QString cycleThere = stored(numbers[1], QStringLiteral("サイクル"));

    SaveResult result = save(*first);
    EXPECT_EQ(result.outcome, SaveResult::Outcome::ChangedElsewhere);
    std::vector<qint64> changed = numbers;
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(listed(result), changed);
    for (const ElsewhereChange &change : result.changedElsewhere)
        EXPECT_EQ(change.changes, change.arrangementNo == numbers[2] ? PriceChanged : NotesChanged);
    EXPECT_EQ(stored(numbers[0], QStringLiteral("備考")), QStringLiteral("至急: 型替え後に"));
    EXPECT_TRUE(result.overwritten.empty());

    result = save(*first, PlanSession::ElsewherePolicy::Overwrite);
    EXPECT_EQ(result.outcome, SaveResult::Outcome::Complete);
    const PlanRecord &noted = first->store()[indexOf(*first, numbers[0])];
    EXPECT_EQ(stored(numbers[0], QStringLiteral("備考")), noted.Remarks);
    std::map<std::pair<qint64, QString>, std::pair<QString, QString>> replaced;
    for (const OverwrittenValue &value : result.overwritten)
        replaced[{value.arrangementNo, value.column}] = {value.theirs.toString(), value.ours.toString()};
    EXPECT_EQ(replaced.size(), 3u) << overwrittenReport(result.overwritten).toStdString();
    EXPECT_EQ((replaced[{numbers[0], QStringLiteral("備考")}]), std::make_pair(QStringLiteral("至急: 型替え後に"), noted.Remarks));
    EXPECT_EQ((replaced[{numbers[1], QStringLiteral("サイクル")}].first.toDouble()), cycleThere.toDouble());
    EXPECT_EQ((replaced[{numbers[2], QStringLiteral("単価")}].first.toDouble()), 123);
    EXPECT_TRUE(overwrittenReport(result.overwritten)
                    .contains(QStringLiteral("手配番号 %1 備考: 「至急: 型替え後に」→").arg(numbers[0])));
}

TEST_P(SaveElsewhere, WhatTheSaveWroteIsWhatTheNextSaveComparesWith)
{
    const std::vector<qint64> numbers = lots(3);
    ASSERT_EQ(numbers.size(), 3u);
    for (int round = 0; round < 2; ++round) {
        moveByADay(*first, numbers);
        const SaveResult result = save(*first);
        EXPECT_EQ(result.outcome, SaveResult::Outcome::Complete) << "round " << round;
        EXPECT_TRUE(result.changedElsewhere.empty()) << "round " << round;
    }
    // Undoing the last move brings back a lot whose rows the plan itself wrote: still its own.
    first->editPath().undo();
    EXPECT_EQ(save(*first).outcome, SaveResult::Outcome::Complete);
}

TEST_P(SaveElsewhere, OfTwoPlannersSavingTheSameClassTheSecondHearsOfExactlyTheLotsBothChanged)
{
    const std::vector<qint64> numbers = lots(6);
    ASSERT_EQ(numbers.size(), 6u);
    std::unique_ptr<PlanSession> second = loadedSession();
    moveByADay(*first, {numbers[0], numbers[1], numbers[2], numbers[3]});
    moveByADay(*second, {numbers[2], numbers[3], numbers[4], numbers[5]});

    EXPECT_EQ(save(*first).outcome, SaveResult::Outcome::Complete);
    const SaveResult result = save(*second);
    EXPECT_EQ(result.outcome, SaveResult::Outcome::ChangedElsewhere);
    std::vector<qint64> both{numbers[2], numbers[3]};
    std::sort(both.begin(), both.end());
    EXPECT_EQ(listed(result), both);
    EXPECT_EQ(result.savedLots.size(), 2u);
}

TEST_P(SaveElsewhere, ReadingAgainDropsThePlannersChangesAndTakesWhatOthersWrote)
{
    const std::vector<qint64> numbers = lots(3);
    ASSERT_EQ(numbers.size(), 3u);
    moveByADay(*first, numbers);
    changeElsewhere(numbers[0], QStringLiteral("手配数=4321"));
    changeElsewhere(numbers[1], QStringLiteral("完納区分='2'"));
    const SaveResult result = save(*first);
    ASSERT_EQ(result.changedElsewhereLots().size(), 2u);
    const qint64 reduced = indexOf(*first, numbers[0]), completed = indexOf(*first, numbers[1]);
    const QString storedStart = stored(numbers[0], QStringLiteral("作業開始日付"));

    first->reloadLots(result.changedElsewhereLots());
    EXPECT_EQ(first->store()[reduced].Quantity, 4321);
    EXPECT_EQ(plant::dateToDb(first->store()[reduced].StartDate), storedStart);
    EXPECT_EQ(first->store()[reduced].MembersWritten, 0);
    EXPECT_EQ(first->store()[reduced].BarIndex, reduced);
    EXPECT_EQ(first->store()[completed].Active, 0) << "a lot completed elsewhere leaves the chart";
    EXPECT_FALSE(first->hasUnsavedChanges()) << "nothing is left to save";

    // What was read again is what the next save compares with.
    moveByADay(*first, {numbers[0]});
    EXPECT_EQ(save(*first).outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(stored(numbers[0], QStringLiteral("手配数")).toDouble(), 4321);
}

// kalvuner-cli apply --save meets a lot that the shop floor books while the save runs (a
// trigger books actuals on the second lot when the first is written).
TEST_P(SaveElsewhere, TheCommandLineNamesLotsChangedElsewhereAndOverwritesOnlyWhenTold)
{
    if (GetParam() != TestPlant::Backend::Sqlite)
        GTEST_SKIP() << "the booking trigger is written for SQLite";
    std::vector<qint64> numbers;
    for (const qint64 number : lots(40))
        if (numbers.size() < 2 && !first->store()[indexOf(*first, number)].MachineCode.trimmed().isEmpty())
            numbers.push_back(number);
    ASSERT_EQ(numbers.size(), 2u);
    const QString machineBefore = stored(numbers[1], QStringLiteral("機械コード"));
    const double actualsBefore = stored(numbers[1], QStringLiteral("受入実績数")).toDouble();
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("moves.txt"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("move %1 - 2026/12/20 08:00\nmove %2 - 2026/12/21 08:00\n")
                   .arg(numbers[0])
                   .arg(numbers[1])
                   .toUtf8());
    file.close();
    other->run(QStringLiteral("CREATE TRIGGER booking AFTER UPDATE ON DB0253 WHEN NEW.手配番号=%1 BEGIN "
                              "UPDATE DB0253 SET 受入実績数=受入実績数+1, 備考=備考 || '!' WHERE 手配番号=%2; END")
                   .arg(numbers[0])
                   .arg(numbers[1]));
    const auto apply = [&](const QStringList &extra) {
        QProcess process;
        process.start(QStringLiteral(KALVUNER_CLI),
                      QStringList{QStringLiteral("apply"), QStringLiteral("--db"), plant.dataSourceField(),
                                  QStringLiteral("--class"), demo::MoldingClass, QStringLiteral("--start"),
                                  Start.toString(QStringLiteral("yyyyMMdd")), QStringLiteral("--answer"),
                                  QStringLiteral("yes"), QStringLiteral("--script"), script, QStringLiteral("--save")}
                          + extra);
        EXPECT_TRUE(process.waitForFinished(120000));
        return std::make_pair(process.exitCode(), QString::fromUtf8(process.readAllStandardError()));
    };

    auto [status, errors] = apply({});
    EXPECT_EQ(status, 3) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("手配番号 %1 (品名 ").arg(numbers[1]))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("(実績・備考・サイクル)。保存していません。"))) << errors.toStdString();
    EXPECT_FALSE(errors.contains(QStringLiteral("手配番号 %1 ").arg(numbers[0]))) << errors.toStdString();
    EXPECT_EQ(stored(numbers[1], QStringLiteral("機械コード")), machineBefore);
    EXPECT_EQ(stored(numbers[1], QStringLiteral("受入実績数")).toDouble(), actualsBefore + 1);

    const QString noteBefore = stored(numbers[1], QStringLiteral("備考"));
    std::tie(status, errors) = apply({QStringLiteral("--overwrite")});
    EXPECT_EQ(status, 0) << errors.toStdString();
    // The actuals are not the plan's to write; the note the booking changed is written over, and said.
    EXPECT_TRUE(errors.contains(QStringLiteral("手配番号 %1 備考: 「%2!」→「%2」").arg(numbers[1]).arg(noteBefore)))
        << errors.toStdString();
    EXPECT_FALSE(errors.contains(QStringLiteral("受入実績数:"))) << errors.toStdString();
    EXPECT_EQ(stored(numbers[1], QStringLiteral("機械コード")).trimmed(), QString());
}

INSTANTIATE_TEST_SUITE_P(Backends, SaveElsewhere, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
