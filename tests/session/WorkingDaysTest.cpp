// A machine's working day as the plan session uses it: every shift pair of the day is working
// time for the lots, the chart's shading and the load strip alike; overtime typed into the
// operating-time window moves the lots after it; a day of 0 hours is a day off.

#include "EditingPlant.h"
#include "dialogs/ui/LinePlanWindow.h"
#include "editing/LotRules.h"
#include "gantt/CalendarShading.h"
#include "gantt/TimeScale.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

QTime t(int hour, int minute = 0)
{
    return QTime(hour, minute);
}

// Machine M01 (row 2); day index 11 is 2024/05/10. Every other day of the plant works around
// the clock. The breaks are 12:00-13:00 and 15:00-15:10.
class WorkingDays : public ::testing::Test
{
protected:
    static constexpr int Row = 2;
    static constexpr qint64 Day = 11;
    const QDate Date{2024, 5, 10};

    WorkingDays()
    {
        breaks.offer(t(12), t(13));
        breaks.offer(t(15), t(15, 10));
        plant.session.adoptBreaks(breaks);
    }

    // The day as loading would have built it.
    void setDay(int hours, const std::vector<QTime> &times)
    {
        plant.amendCalendar([&](WorkCalendar &days) {
            CalendarDay &day = *days.day(Row, Day);
            day.workHours = hours;
            day.shiftTimes.fill(t(0));
            std::copy(times.begin(), times.end(), day.shiftTimes.begin());
            day.rebuildSpans(breaks, plant.run.DayStartTime);
        });
    }

    // Drops a waiting lot of `minutes` onto M01 at `at`; returns it.
    qint64 dropped(const QString &at, qint64 minutes)
    {
        const qint64 lot = plant.add({.machine = QStringLiteral("        "), .start = at, .minutes = minutes});
        if (!plant.started())
            plant.start();
        EXPECT_TRUE(plant.session.drop(lot, EditingPlant::M01, EditingPlant::at(at)));
        return lot;
    }

    EditingPlant plant;
    BreakTable breaks;
};

TEST_F(WorkingDays, EveryShiftOfTheDayIsWorkingTimeForLotsShadingAndLoad)
{
    // Row 1 of the stored day: 08:00-12:00 / 13:00-17:00; row 2: 18:00-20:00.
    setDay(10, {t(8), t(12), t(13), t(17), t(18), t(20)});
    const qint64 lot = dropped(QStringLiteral("2024/05/10 08:00"), 480);
    EXPECT_EQ(plant.endText(lot), "2024/05/10 18:10");

    // The load strip counts the same spans: 590 working minutes, 480 of them planned.
    EXPECT_EQ(plant.session.watch().load().workingMinutes(Row, Day), 590);
    EXPECT_EQ(plant.session.watch().load().plannedMinutes(Row, Day), 480);

    // The shading leaves exactly those spans white.
    TimeScale scale;
    scale.setUp(13815, plant.run.periodStartDate(), plant.run.DayStartTime, plant.calendar.periodDays());
    scale.applyMode(DisplayMode::Day);
    const CalendarShading shading = shadeNonWorkingTime(scale, plant.rows, plant.calendar);
    const auto x = [&](int dayOffset, const QTime &time) {
        return scale.planTimeToX(Date.addDays(dayOffset), time, ChartSurface::Main);
    };
    const auto [begin, end] = shading.rowBoxesIn(Row, double(x(0, t(8))), double(x(1, t(8)) - 1));
    std::vector<std::pair<qint64, qint64>> grey;
    for (const ShadingBox *box = begin; box != end; ++box)
        grey.emplace_back(box->left, box->right());
    const std::vector<std::pair<qint64, qint64>> idle{
        {x(0, t(12)), x(0, t(13))}, {x(0, t(15)), x(0, t(15, 10))}, {x(0, t(17)), x(0, t(18))}, {x(0, t(20)), x(1, t(8))}};
    ASSERT_EQ(grey.size(), idle.size());
    for (size_t i = 0; i < idle.size(); ++i) { // within a pixel
        EXPECT_NEAR(double(grey[i].first), double(idle[i].first), 15.0) << i;
        EXPECT_NEAR(double(grey[i].second), double(idle[i].second), 15.0) << i;
    }
}

// Lots over days of one and of several pairs, and over a night shift held as a shift to
// midnight and one from midnight: where each ends is the working time the pairs give, read in
// the order of the working day.
TEST_F(WorkingDays, ALotEndsWhereTheDaysShiftsGiveIt)
{
    struct Case
    {
        const char *name;
        int hours;
        std::vector<QTime> times;
        const char *start;
        qint64 minutes;
        const char *end;
    };
    const Case cases[] = {
        // One pair: as a day of one shift always was.
        {"DayShift", 8, {t(8), t(17)}, "2024/05/10 08:00", 300, "2024/05/10 14:00"},
        {"DayShiftIntoNextDay", 8, {t(8), t(17)}, "2024/05/10 08:00", 480, "2024/05/11 08:10"},
        {"NightShift", 8, {t(20), t(6)}, "2024/05/10 22:00", 420, "2024/05/11 05:00"},
        // A night shift held as two pairs runs on over midnight just the same.
        {"NightShiftInTwoPairs", 8, {t(20), t(0), t(0), t(6)}, "2024/05/10 22:00", 420, "2024/05/11 05:00"},
        // A lunch split, and pairs typed out of order.
        {"LunchSplit", 8, {t(8), t(12), t(13), t(17)}, "2024/05/10 10:00", 240, "2024/05/10 15:00"},
        {"PairsOutOfOrder", 8, {t(13), t(17), t(8), t(12)}, "2024/05/10 10:00", 240, "2024/05/10 15:00"},
        // A day off keeps its shift times but has no working time.
        {"DayOff", 0, {t(8), t(17)}, "2024/05/10 10:00", 60, "2024/05/11 09:00"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        setDay(c.hours, c.times);
        const QDateTime end = plant.time->AddWorkMinutes(EditingPlant::at(QString::fromLatin1(c.start)), c.minutes,
                                                          PlanRecord(), EditingPlant::M01);
        EXPECT_EQ(end.toString(QStringLiteral("yyyy/MM/dd hh:mm")).toStdString(), c.end);
    }
}

// The planner adds overtime in the real window: the lot running into the next day now ends
// the same evening, the lot that followed it comes forward behind it, a lot further on that
// did not follow stays, and one undo puts everything back.
TEST_F(WorkingDays, OvertimeTypedInTheWindowMovesTheLotsAfterIt)
{
    setDay(8, {t(8), t(12), t(13), t(17)});
    // 470 minutes on the day, the last 10 on the next morning; the next lot follows one minute
    // after (the grid is 10 minutes).
    const qint64 first = plant.add({.start = QStringLiteral("2024/05/10 08:00"), .minutes = 480});
    plant.amend(first, [](PlanRecord &lot) { lots::setEnd(lot, EditingPlant::at(QStringLiteral("2024/05/11 08:10"))); });
    const qint64 second = plant.add({.start = QStringLiteral("2024/05/11 08:11"), .minutes = 60});
    const qint64 apart = plant.add({.start = QStringLiteral("2024/05/12 10:00"), .minutes = 60});
    plant.start();

    LinePlanWindow window(plant.session);
    window.openOn({Row, Day}, QStringLiteral("M01 成形機１号"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const auto &[box, text] : {std::pair{window.planTime(4), "18:00"}, std::pair{window.planTime(5), "20:00"},
                                    std::pair{window.planSum(), "10"}}) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(text));
    }
    QTest::mouseClick(window.command1(), Qt::LeftButton);

    EXPECT_TRUE(window.changedDay());
    EXPECT_EQ(plant.calendar.day(Row, Day)->workHours, 10);
    EXPECT_EQ(plant.endText(first), "2024/05/10 18:10");
    EXPECT_EQ(plant.startText(second), "2024/05/10 18:11");
    EXPECT_EQ(plant.endText(second), "2024/05/10 19:11");
    EXPECT_EQ(plant.startText(apart), "2024/05/12 10:00");
    EXPECT_EQ(plant.store[second].MembersWritten, 1);

    ASSERT_TRUE(plant.session.undo());
    EXPECT_EQ(plant.endText(first), "2024/05/11 08:10");
    EXPECT_EQ(plant.startText(second), "2024/05/11 08:11");
    EXPECT_EQ(plant.calendar.day(Row, Day)->workHours, 8);
}

// A day set to 0 hours in the window is off at once, and the planner hears that its shift
// times are kept; hours without any shift give no working time either, and say so.
TEST_F(WorkingDays, TheWindowSaysWhatADayOffAndHoursWithoutShiftKeep)
{
    setDay(8, {t(8), t(17)});
    plant.start();
    LinePlanWindow window(plant.session);
    window.openOn({Row, Day}, QStringLiteral("M01 成形機１号"));
    window.planSum()->setText(QStringLiteral("0"));
    QTest::mouseClick(window.command1(), Qt::LeftButton);
    EXPECT_EQ(plant.calendar.day(Row, Day)->hourly.size(), 0);
    EXPECT_EQ(plant.calendar.day(Row, Day)->shiftTimes[1], t(17));
    ASSERT_FALSE(plant.prompter.said().empty());
    EXPECT_EQ(plant.prompter.said().front().text, lineplan::DayOffKeepsShifts);

    plant.prompter.clear();
    window.openOn({Row, Day}, QStringLiteral("M01 成形機１号"));
    window.planTime(0)->clear();
    window.planTime(1)->clear();
    window.planSum()->setText(QStringLiteral("8"));
    QTest::mouseClick(window.command1(), Qt::LeftButton);
    EXPECT_EQ(plant.calendar.day(Row, Day)->hourly.size(), 0);
    ASSERT_FALSE(plant.prompter.said().empty());
    EXPECT_EQ(plant.prompter.said().front().text, lineplan::HoursWithoutShift);
}

} // namespace
