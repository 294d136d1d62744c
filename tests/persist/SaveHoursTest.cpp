// Working hours changed in the operating-time window, saved and loaded again: a day held in one
// row, in two rows and in none comes back with the planner's hours and shifts (as far as its
// rows can hold them), and no other row of DB0491 changes.

#include "ScriptedPrompter.h"
#include "TestPlant.h"
#include "calendar/BreakTable.h"
#include "dialogs/LinePlan.h"
#include "gantt/InputTopPosition.h"
#include "persist/SaveProgress.h"
#include "session/PlanSession.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

struct SilentProgress : SaveProgress
{
    void started(qint64) override {}
    void advanced(qint64, qint64, bool) override {}
    void finished() override {}
};

QTime t(int hour, int minute = 0)
{
    return QTime(hour, minute);
}

// A machine plant loaded as the main window loads it: machines M1 and M2, working days from
// 08:00, a lunch break, the period 2024/04/01 .. 04/30 (day index 11 is 04/10).
class SaveHours : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    static constexpr qint64 Day = 11;
    static constexpr int M1 = 2;
    static constexpr int M2 = 3;

    SaveHours()
    {
        run.PlantCode = 1;
        run.Authority = QStringLiteral("1");
        run.DayStartTime = t(8);
        run.PeriodStart = QStringLiteral("2024/04/01");
        run.PeriodEnd = QStringLiteral("2024/04/30");
        plant.insert("DB0496", {{"自社企業コード", "1"}, {"開始時刻１", 120000}, {"終了時刻１", 130000}});
        // Neighbours that must not change: the day before, the other machine on the same day.
        stored("M1", "20240409", 1, 8, 80000, 170000);
        stored("M2", "20240410", 1, 8, 80000, 120000, 130000, 170000);
    }

    void stored(const QString &machine, const QString &date, int serial, double hours, int start1, int end1,
                int start2 = 0, int end2 = 0)
    {
        plant.insert("DB0491", {{"機械コード", machine.leftJustified(8)}, {"年月日", date}, {"連番", serial},
                                {"勤務時間", hours}, {"開始時刻１", start1}, {"終了時刻１", end1},
                                {"開始時刻２", start2}, {"終了時刻２", end2}});
    }

    struct Loaded
    {
        ChartRows rows;
        WorkCalendar calendar;
        BreakTable breaks;
    };

    std::unique_ptr<Loaded> load()
    {
        auto loaded = std::make_unique<Loaded>();
        const ChartPeriod period{run.periodStartDate(), run.periodEndDate(), run.DayStartTime};
        InputTopPosition(loaded->rows, loaded->calendar, loaded->breaks,
                         {{QStringLiteral("M1      "), QStringLiteral("成形機1")},
                          {QStringLiteral("M2      "), QStringLiteral("成形機2")}},
                         period, plant.db(), prompter);
        InputTopPosition2(loaded->rows, {});
        return loaded;
    }

    // Every row of DB0491, as text.
    QStringList table()
    {
        QStringList lines;
        QSqlQuery query = plant.db().run(
            QStringLiteral("SELECT 機械コード,年月日,連番,勤務時間,開始時刻１,終了時刻１,開始時刻２,終了時刻２,削除フラグ "
                           "FROM DB0491 ORDER BY 機械コード,年月日,連番"),
            {});
        while (query.next()) {
            QStringList values;
            for (int column = 0; column < 9; ++column)
                values.append(column == 3 ? QString::number(query.value(column).toDouble())
                                          : query.value(column).toString());
            lines.append(values.join(u'|'));
        }
        return lines;
    }

    // Loads the plant, changes M1's day 04/10 in the window's core, saves and loads again.
    // Returns the reloaded calendar; `before` and `after` hold the table around the save.
    std::unique_ptr<Loaded> changeSaveReload(const LinePlanTexts &texts)
    {
        loaded = load();
        session = std::make_unique<PlanSession>(run, plant.db(), prompter);
        session->adopt(loaded->rows, loaded->calendar, PlanStore());
        session->adoptBreaks(loaded->breaks);
        session->setAccountName(QStringLiteral("plant042"));
        before = table();
        const LinePlanChange change = session->changeMachineDay({M1, Day}, texts);
        EXPECT_TRUE(change.changed);
        planned = *session->calendar().day(M1, Day);
        SilentProgress progress;
        const SaveResult result = session->save(progress, {}, {}, QDateTime(QDate(2024, 5, 1), t(12), Qt::UTC));
        EXPECT_EQ(result.outcome, SaveResult::Outcome::Complete);
        EXPECT_FALSE(session->hasUnsavedChanges());
        after = table();
        return load();
    }

    static LinePlanTexts texts(const QString &sum, std::initializer_list<QString> boxes)
    {
        LinePlanTexts texts;
        size_t box = 0;
        for (const QString &text : boxes)
            texts.shiftTimes[box++] = text;
        texts.hours = sum;
        return texts;
    }

    // Every day of the reloaded calendar but M1's changed one is as first loaded.
    void expectOtherDaysAsLoaded(const Loaded &reloaded)
    {
        for (int row = M1; row <= M2; ++row)
            for (qint64 k = 0; k <= reloaded.calendar.periodDays(); ++k) {
                if (row == M1 && k == Day)
                    continue;
                const CalendarDay &was = *loaded->calendar.day(row, k);
                const CalendarDay &is = *reloaded.calendar.day(row, k);
                EXPECT_EQ(is.workHours, was.workHours) << row << '/' << k;
                EXPECT_EQ(is.shiftTimes, was.shiftTimes) << row << '/' << k;
            }
    }

    TestPlant plant{GetParam()};
    RunContext run;
    ScriptedPrompter prompter;
    std::unique_ptr<Loaded> loaded;
    std::unique_ptr<PlanSession> session;
    CalendarDay planned;
    QStringList before;
    QStringList after;
};

INSTANTIATE_TEST_SUITE_P(Backends, SaveHours, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

// The lines of `after` that differ from `before`.
QStringList changedLines(const QStringList &before, const QStringList &after)
{
    QStringList changed;
    for (const QString &line : after)
        if (!before.contains(line))
            changed.append(line);
    return changed;
}

TEST_P(SaveHours, ADayInOneRowComesBackAsThePlannerLeftIt)
{
    stored("M1", "20240410", 1, 8, 80000, 170000);
    const auto reloaded = changeSaveReload(texts("9", {"7:00", "12:00", "13:00", "18:15"}));

    const CalendarDay &day = *reloaded->calendar.day(M1, Day);
    EXPECT_EQ(day.workHours, 9);
    EXPECT_EQ(day.shiftTimes, (ShiftTimes{t(7), t(12), t(13), t(18, 15), t(0), t(0), t(0), t(0)}));
    EXPECT_EQ(day.shiftTimes, planned.shiftTimes);
    EXPECT_EQ(changedLines(before, after), QStringList{"M1      |20240410|1|9|70000|120000|130000|181500|0"});
    EXPECT_EQ(after.size(), before.size());
    expectOtherDaysAsLoaded(*reloaded);
    EXPECT_FALSE(reloaded->calendar.day(M1, Day)->changed);
}

TEST_P(SaveHours, ADayInTwoRowsWritesEachRowItsOwnShift)
{
    stored("M1", "20240410", 1, 4, 80000, 120000);
    stored("M1", "20240410", 2, 4, 130000, 170000);
    // The afternoon shift runs on to 19:00 and an evening shift is added.
    const auto reloaded = changeSaveReload(texts("12", {"08:00", "12:00", "13:00", "19:00", "20:00", "22:00"}));

    const CalendarDay &day = *reloaded->calendar.day(M1, Day);
    EXPECT_EQ(day.workHours, 12);
    EXPECT_EQ(day.shiftTimes, (ShiftTimes{t(8), t(12), t(13), t(19), t(20), t(22), t(0), t(0)}));
    EXPECT_EQ(changedLines(before, after), QStringList{"M1      |20240410|2|8|130000|190000|200000|220000|0"});
    EXPECT_EQ(after.size(), before.size());
    expectOtherDaysAsLoaded(*reloaded);
}

TEST_P(SaveHours, AShiftClearedFromATwoRowDayStaysCleared)
{
    stored("M1", "20240410", 1, 4, 80000, 120000);
    stored("M1", "20240410", 2, 4, 130000, 170000);
    const auto reloaded = changeSaveReload(texts("5", {"08:00", "13:00"}));

    const CalendarDay &day = *reloaded->calendar.day(M1, Day);
    EXPECT_EQ(day.workHours, 5);
    EXPECT_EQ(day.shiftTimes, (ShiftTimes{t(8), t(13), t(0), t(0), t(0), t(0), t(0), t(0)}));
    EXPECT_EQ(changedLines(before, after), (QStringList{"M1      |20240410|1|5|80000|130000|0|0|0",
                                                        "M1      |20240410|2|0|0|0|0|0|0"}));
    expectOtherDaysAsLoaded(*reloaded);
}

TEST_P(SaveHours, AShiftBeyondWhatTheRowsHoldIsToldAndLeftOut)
{
    stored("M1", "20240410", 1, 8, 80000, 120000, 130000, 170000);
    const auto reloaded = changeSaveReload(texts("10", {"08:00", "12:00", "13:00", "17:00", "18:00", "20:00"}));

    EXPECT_EQ(prompter.texts(), QStringList{lineplan::PairsNotStored});
    const CalendarDay &day = *reloaded->calendar.day(M1, Day);
    EXPECT_EQ(day.workHours, 10);
    EXPECT_EQ(day.shiftTimes, (ShiftTimes{t(8), t(12), t(13), t(17), t(0), t(0), t(0), t(0)}));
    EXPECT_EQ(changedLines(before, after), QStringList{"M1      |20240410|1|10|80000|120000|130000|170000|0"});
}

TEST_P(SaveHours, AnHourOverTwoRowsStillReloadsAsOneHour)
{
    stored("M1", "20240410", 1, 4, 80000, 120000);
    stored("M1", "20240410", 2, 4, 130000, 170000);
    const auto reloaded = changeSaveReload(texts("1", {"08:00", "12:00", "13:00", "17:00"}));

    const CalendarDay &day = *reloaded->calendar.day(M1, Day);
    EXPECT_EQ(day.workHours, 1);
    EXPECT_EQ(day.shiftTimes, planned.shiftTimes);
}

TEST_P(SaveHours, ADayWithoutRowGetsNone)
{
    const auto reloaded = changeSaveReload(texts("8", {"08:00", "17:00"}));

    EXPECT_EQ(prompter.texts(), QStringList{lineplan::NotStored});
    EXPECT_EQ(after, before);
    EXPECT_EQ(reloaded->calendar.day(M1, Day)->workHours, 0);
    expectOtherDaysAsLoaded(*reloaded);
}

} // namespace
