// A machine's working days changed in the operating-time window, saved and loaded again through
// the plan session, on the plant's own kinds of DB0491: with our 連番 key, with only the
// described columns (no key at all), and with a whole-number 勤務時間. The working time comes
// back as the planner left it; a row someone else changed since the load is not written over.

#include "ScriptedPrompter.h"
#include "TestPlant.h"
#include "dialogs/LinePlan.h"
#include "persist/SaveProgress.h"
#include "plan/RunContext.h"
#include "session/PlanSession.h"

#include <QSqlQuery>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>
#include <set>

namespace {

enum class Table {
    WithSerial,    // our schema: 連番 in the key
    WithoutSerial, // the described columns only, no key
    WholeHours,    // no key, and 勤務時間 an integer column
};

std::string tableName(Table table)
{
    switch (table) {
    case Table::WithSerial:
        return "WithSerial";
    case Table::WithoutSerial:
        return "WithoutSerial";
    case Table::WholeHours:
        return "WholeHours";
    }
    return {};
}

using Param = std::tuple<TestPlant::Backend, Table>;

// Press M1 of class 10 over April 2024 from 08:00, breaks 12:00-13:00 and 15:00-15:10. Day
// index 11 is 04/10.
class WorkingDayRoundTrip : public testing::TestWithParam<Param>
{
protected:
    static constexpr int M1 = 2;
    static constexpr qint64 Day = 11;

    WorkingDayRoundTrip()
    {
        run.PlantCode = 1;
        run.ProcessClassCode = QStringLiteral("10");
        run.Authority = QStringLiteral("1");
        run.DayStartTime = QTime(8, 0);
        run.PeriodStart = QStringLiteral("2024/04/01");
        run.PeriodEnd = QStringLiteral("2024/04/30");
        plant.insert("DB0496", {{"自社企業コード", "1"}, {"開始時刻１", 120000}, {"終了時刻１", 130000},
                                {"開始時刻２", 150000}, {"終了時刻２", 151000}});
        plant.insert("DB0382", {{"工程内容コード", "P10"}, {"工程内容名", "成形"}, {"工程分類コード", "10"}});
        plant.insert("DB0394", {{"機械コード", "M1      "}, {"機械名", "成形機1"}, {"生産工場コード", 1},
                                {"工程分類コード", "10"}});
        if (table() != Table::WithSerial) {
            plant.db().run(QStringLiteral("DROP TABLE DB0491"));
            plant.db().run(QStringLiteral("CREATE TABLE DB0491 (機械コード TEXT NOT NULL, 年月日 VARCHAR(8) NOT NULL, "
                                          "勤務時間 %1 DEFAULT 0, 開始時刻１ INTEGER DEFAULT 0, 終了時刻１ INTEGER DEFAULT 0, "
                                          "開始時刻２ INTEGER DEFAULT 0, 終了時刻２ INTEGER DEFAULT 0, 削除フラグ TEXT DEFAULT '0')")
                               .arg(table() == Table::WholeHours ? QStringLiteral("INTEGER")
                                                                 : QStringLiteral("DOUBLE PRECISION")));
        }
    }

    Table table() const { return std::get<1>(GetParam()); }

    void stored(const QString &date, double hours, int start1, int end1, int start2 = 0, int end2 = 0)
    {
        QVariantMap row{{"機械コード", "M1      "}, {"年月日", date},         {"勤務時間", hours},
                        {"開始時刻１", start1},     {"終了時刻１", end1},     {"開始時刻２", start2},
                        {"終了時刻２", end2}};
        if (table() == Table::WithSerial)
            row.insert("連番", ++serials[date]);
        plant.insert("DB0491", row);
    }

    void load()
    {
        session.reset();
        session = std::make_unique<PlanSession>(run, plant.db(), prompter);
        session->setAccountName(QStringLiteral("plant042"));
        ASSERT_EQ(session->load(nullptr), PlanSession::LoadResult::Loaded);
        prompter.clear();
    }

    // 変更 in the window on M1's day `k` with `sum` hours and the shift boxes `boxes`.
    void change(qint64 k, const QString &sum, std::initializer_list<QString> boxes)
    {
        LinePlanTexts texts;
        size_t box = 0;
        for (const QString &text : boxes)
            texts.shiftTimes[box++] = text;
        texts.hours = sum;
        const LinePlanChange changed = session->changeMachineDay({M1, k}, texts);
        ASSERT_TRUE(changed.closes);
    }

    SaveResult save()
    {
        QuietProgress progress;
        return session->save(progress, {}, {}, QDateTime(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC));
    }

    const CalendarDay &day(qint64 k = Day) const { return *session->calendar().day(M1, k); }

    // The day's working spans and hours, the plan's working time.
    static std::string workingTime(const CalendarDay &day)
    {
        std::string text = std::to_string(day.workHours) + "h";
        for (int i = 0; i < day.hourly.size(); ++i)
            text += ' ' + day.hourly.start(i).toString(QStringLiteral("hh:mm")).toStdString() + '-'
                + day.hourly.end(i).toString(QStringLiteral("hh:mm")).toStdString();
        return text;
    }

    // The hours of M1's rows on 04/10, in first-start order.
    std::vector<double> storedHours()
    {
        std::vector<double> hours;
        QSqlQuery query = plant.db().run(
            QStringLiteral("SELECT 勤務時間 FROM DB0491 WHERE 年月日='20240410' ORDER BY 開始時刻１"), {});
        while (query.next())
            hours.push_back(query.value(0).toDouble());
        return hours;
    }

    TestPlant plant{std::get<0>(GetParam())};
    RunContext run;
    ScriptedPrompter prompter;
    std::unique_ptr<PlanSession> session;
    std::map<QString, int> serials;
};

INSTANTIATE_TEST_SUITE_P(Tables, WorkingDayRoundTrip,
                         testing::Combine(testing::ValuesIn(TestPlant::backends()),
                                          testing::Values(Table::WithSerial, Table::WithoutSerial, Table::WholeHours)),
                         [](const testing::TestParamInfo<Param> &info) {
                             return TestPlant::name(std::get<0>(info.param)) + tableName(std::get<1>(info.param));
                         });

TEST_P(WorkingDayRoundTrip, TheExampleDayWithOvertimeComesBackAsThePlannerLeftIt)
{
    stored("20240410", 8, 80000, 120000, 130000, 170000);
    stored("20240410", 2, 180000, 200000);
    stored("20240411", 8, 80000, 170000);
    load();
    EXPECT_EQ(workingTime(day()), "10h 08:00-12:00 13:00-15:00 15:10-17:00 18:00-20:00");

    change(Day, QStringLiteral("11"), {"08:00", "12:00", "13:00", "17:00", "18:00", "21:00"});
    const std::string planned = workingTime(day());
    EXPECT_EQ(planned, "11h 08:00-12:00 13:00-15:00 15:10-17:00 18:00-21:00");
    EXPECT_EQ(save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(storedHours(), (std::vector<double>{8, 3})); // each row what its own shifts give
    // A second change of the same day finds its rows as the first save left them.
    change(Day, QStringLiteral("10"), {"08:00", "12:00", "13:00", "17:00", "18:00", "20:00"});
    EXPECT_EQ(save().outcome, SaveResult::Outcome::Complete);
    change(Day, QStringLiteral("11"), {"08:00", "12:00", "13:00", "17:00", "18:00", "21:00"});
    EXPECT_EQ(save().outcome, SaveResult::Outcome::Complete);

    load();
    EXPECT_EQ(workingTime(day()), planned);
    EXPECT_EQ(workingTime(day(Day + 1)), "8h 08:00-12:00 13:00-15:00 15:10-17:00");
}

TEST_P(WorkingDayRoundTrip, ADayOffStaysOffAcrossSaveAndReload)
{
    stored("20240410", 8, 80000, 170000);
    load();
    change(Day, QStringLiteral("0"), {"08:00", "17:00"});
    EXPECT_EQ(workingTime(day()), "0h");
    EXPECT_EQ(save().outcome, SaveResult::Outcome::Complete);
    load();
    EXPECT_EQ(workingTime(day()), "0h");

    // Given hours again, the day works its typed shift.
    change(Day, QStringLiteral("8"), {"08:00", "17:00"});
    EXPECT_EQ(save().outcome, SaveResult::Outcome::Complete);
    load();
    EXPECT_EQ(workingTime(day()), "8h 08:00-12:00 13:00-15:00 15:10-17:00");
}

TEST_P(WorkingDayRoundTrip, ARowChangedSinceTheLoadIsNotWrittenOver)
{
    stored("20240410", 8, 80000, 170000);
    stored("20240411", 8, 80000, 170000);
    load();
    change(Day, QStringLiteral("9"), {"08:00", "18:00"});
    change(Day + 1, QStringLiteral("9"), {"08:00", "18:00"});
    plant.db().run(QStringLiteral("UPDATE DB0491 SET 勤務時間=7 WHERE 年月日='20240410'"));

    const SaveResult result = save();
    EXPECT_EQ(result.outcome, SaveResult::Outcome::Failed);
    EXPECT_TRUE(result.savingStillNeeded());
    ASSERT_EQ(result.daysChangedElsewhere.size(), 1u);
    EXPECT_EQ(result.daysChangedElsewhere[0].day, Day);
    ASSERT_EQ(result.savedDays.size(), 1u); // the other day is saved
    EXPECT_TRUE(day().changed);
    EXPECT_TRUE(session->hasUnsavedChanges());
    ASSERT_FALSE(prompter.said().empty());
    EXPECT_TRUE(prompter.said().back().text.contains(QStringLiteral("ほかで変更")));
    EXPECT_EQ(storedHours(), std::vector<double>{7});

    load();
    EXPECT_EQ(workingTime(day()), "7h 08:00-12:00 13:00-15:00 15:10-17:00");
    EXPECT_EQ(workingTime(day(Day + 1)), "9h 08:00-12:00 13:00-15:00 15:10-18:00");
}

// Random days held in one or two rows, random changes in the window within what the rows can
// hold: after save and reload every day has the working time the planner left, and a reload
// without an edit changes nothing.
TEST_P(WorkingDayRoundTrip, RandomDaysKeepTheirWorkingTimeAcrossSaveAndReload)
{
    const std::vector<std::pair<int, int>> shifts{{80000, 120000}, {130000, 170000}, {180000, 200000},
                                                  {200000, 0},     {0, 60000},       {80000, 170000},
                                                  {220000, 60000}, {60000, 100000}};
    std::mt19937 random(491);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    std::vector<qint64> daysWithRows;
    for (qint64 k = 2; k < 22; ++k) {
        const QString date = QDate(2024, 4, 1).addDays(k - 2).toString(QStringLiteral("yyyyMMdd"));
        const int rows = pick(3);
        std::set<std::vector<int>> distinct; // a table without a key cannot tell equal rows apart
        for (int r = 0; r < rows; ++r) {
            const auto [s1, e1] = shifts[size_t(pick(int(shifts.size())))];
            const auto [s2, e2] = pick(2) ? shifts[size_t(pick(int(shifts.size())))] : std::pair{0, 0};
            const int hours = pick(4) == 0 ? 0 : 1 + pick(10);
            if (distinct.insert({hours, s1, e1, s2, e2}).second)
                stored(date, hours, s1, e1, s2, e2);
        }
        if (rows > 0)
            daysWithRows.push_back(k);
    }
    load();
    std::vector<std::string> loaded;
    for (qint64 k = 0; k <= session->calendar().periodDays(); ++k)
        loaded.push_back(workingTime(day(k)));
    load();
    for (qint64 k = 0; k <= session->calendar().periodDays(); ++k)
        EXPECT_EQ(workingTime(day(k)), loaded[size_t(k)]) << "reload without an edit, day " << k;

    for (int round = 0; round < 3; ++round) {
        for (const qint64 k : daysWithRows) {
            if (pick(2))
                continue;
            const auto time = [](int hhmmss) { return QString::asprintf("%02d:%02d", hhmmss / 10000, hhmmss / 100 % 100); };
            // Two different pairs: rows written alike could not be told apart in a table
            // without a key.
            const size_t first = size_t(pick(int(shifts.size())));
            const size_t second = (first + 1 + size_t(pick(int(shifts.size()) - 1))) % shifts.size();
            const auto [s1, e1] = shifts[first];
            const auto [s2, e2] = shifts[second];
            const bool onePair = pick(2);
            const auto at = [](int hhmmss) { return QTime(hhmmss / 10000, hhmmss / 100 % 100); };
            const QTime none(0, 0);
            const ShiftTimes entered{at(s1), at(e1), onePair ? none : at(s2), onePair ? none : at(e2),
                                     none,   none,   none,                     none};
            // Never more hours than the pairs give: the window refuses those.
            const int most = int(ShiftMinutes(entered, session->calendar().dayStart()) / 60);
            const int hours = pick(4) == 0 ? 0 : std::min(2 + pick(11), most);
            if (onePair)
                change(k, QString::number(hours), {time(s1), time(e1)});
            else
                change(k, QString::number(hours), {time(s1), time(e1), time(s2), time(e2)});
        }
        std::vector<std::string> planned;
        for (qint64 k = 0; k <= session->calendar().periodDays(); ++k)
            planned.push_back(workingTime(day(k)));
        const SaveResult result = save();
        ASSERT_EQ(result.outcome, SaveResult::Outcome::Complete) << "round " << round;
        load();
        for (qint64 k = 0; k <= session->calendar().periodDays(); ++k)
            EXPECT_EQ(workingTime(day(k)), planned[size_t(k)]) << "round " << round << ", day " << k;
    }
}

} // namespace
