// The machine operating-time change through the edit path: which day a right press opens, what
// the boxes show, the Enter rule of the shift boxes, and "変更" with its checks, its changed
// mark, the rebuilt spans and its one undo step. The lot on the day follows the new hours.

#include "EditingPlant.h"
#include "dialogs/LinePlan.h"
#include "editing/LotRules.h"

#include <gtest/gtest.h>

namespace {

QTime t(int hour, int minute = 0)
{
    return QTime(hour, minute);
}

class LinePlanTest : public ::testing::Test
{
protected:
    // Machine M01 (row 2) on 2024/05/10, day index 11 (the period starts 05/01).
    static constexpr LinePlanDay Day{2, 11};

    void SetUp() override
    {
        breaks.offer(t(12), t(13));
        plant.amendDay(Day.MachineNo, Day.DateNum, [&](CalendarDay &day) {
            day.workHours = 8;
            day.shiftTimes = {t(8), t(17), t(0), t(0), t(0), t(0), t(0), t(0)};
            day.hourly = BuildDaySpans(day.shiftTimes, breaks, plant.run.DayStartTime);
        });
        // Six hours of work from 09:00: around the clock they end at 15:00.
        lot = plant.add({.start = QStringLiteral("2024/05/10 09:00"), .minutes = 360});
        plant.start();
        plant.session.adoptBreaks(breaks);
    }

    const CalendarDay &day() const { return *plant.calendar.day(Day.MachineNo, Day.DateNum); }

    // The boxes as the window shows the day, with some boxes typed over.
    LinePlanTexts typed(std::initializer_list<std::pair<int, QString>> boxes, const QString &sum = QStringLiteral("8"))
    {
        LinePlanTexts texts = linePlanTexts(day());
        for (const auto &[box, text] : boxes)
            texts.shiftTimes[size_t(box)] = text;
        texts.hours = sum;
        return texts;
    }

    LinePlanChange change(const LinePlanTexts &texts)
    {
        return plant.session.changeMachineDay(Day, texts);
    }

    EditingPlant plant;
    BreakTable breaks;
    qint64 lot = 0;
};

TEST_F(LinePlanTest, ARightPressOpensTheMachinesWorkingDayUnderIt)
{
    struct Case
    {
        const char *what;
        int row;
        QString at;
        std::optional<LinePlanDay> opened;
    };
    const Case cases[] = {
        {"a machine row at noon", 2, "2024/05/10 12:00", LinePlanDay{2, 11}},
        {"the working day's first minute", 3, "2024/05/10 08:00", LinePlanDay{3, 11}},
        {"06:30 belongs to the day before", 2, "2024/05/10 06:30", LinePlanDay{2, 10}},
        {"the first day the calendar holds", 2, "2024/04/29 09:00", LinePlanDay{2, 0}},
        {"above the first row", 0, "2024/05/10 12:00", std::nullopt},
        {"the unassigned row", 1, "2024/05/10 12:00", std::nullopt},
        {"a subcontractor row", 5, "2024/05/10 12:00", std::nullopt},
        {"a padding row", 8, "2024/05/10 12:00", std::nullopt},
        {"before the calendar", 2, "2024/04/29 07:00", std::nullopt},
        {"after the calendar", 2, "2024/07/05 09:00", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(linePlanDayAt(plant.rows, plant.calendar, c.row, EditingPlant::at(c.at)), c.opened) << c.what;
}

TEST_F(LinePlanTest, AMachineWithAOneCharacterCodeOpensNothing)
{
    ChartRows rows;
    rows.append(QStringLiteral("        "), QString());
    rows.append(QStringLiteral("A       "), QStringLiteral("A"));
    rows.closeMachineRows();
    EXPECT_EQ(linePlanDayAt(rows, plant.calendar, 2, EditingPlant::at(QStringLiteral("2024/05/10 12:00"))),
              std::nullopt);
}

TEST_F(LinePlanTest, TheBoxesShowEverySlotBesideAShift)
{
    CalendarDay shown;
    shown.workHours = 15;
    // To midnight, then on to 06:00; the slot after a shown one is shown too.
    shown.shiftTimes = {t(8), t(0), t(0), t(6), t(0), t(0), t(0), t(0)};
    const LinePlanTexts texts = linePlanTexts(shown);
    const std::array<QString, PlanTimeBoxes> expected{"08:00:00", "00:00:00", "00:00:00", "06:00:00", "00:00:00", "", "", ""};
    EXPECT_EQ(texts.shiftTimes, expected);
    EXPECT_EQ(texts.hours, "15");
    EXPECT_EQ(linePlanTexts(CalendarDay()).shiftTimes, (std::array<QString, PlanTimeBoxes>{}));
}

TEST_F(LinePlanTest, EnterInAShiftBoxWritesTheTimeOutAndMovesOn)
{
    struct Case
    {
        int box;
        QString typed;
        QString shown;
        int focus;
        bool message;
    };
    const Case cases[] = {
        {0, "8:5", "08:05:00", 1, false},  {1, "17:30", "17:30:00", 2, false}, {2, "", "", 3, false},
        {3, "21:00:00", "21:00:00", PlanSumBox, false}, {6, "9:0", "09:00:00", PlanSumBox, false},
        {5, "abc", "abc", 5, true},        {0, "25:00", "25:00", 0, true},
    };
    for (const Case &c : cases) {
        plant.prompter.clear();
        const TimeBoxEnter entered = enterTimeBox(c.box, c.typed, plant.prompter);
        EXPECT_EQ(entered.text, c.shown) << c.typed.toStdString();
        EXPECT_EQ(entered.focus, c.focus) << c.typed.toStdString();
        EXPECT_EQ(plant.prompter.texts(), c.message ? QStringList{lineplan::BadEnteredTime} : QStringList{});
    }
}

TEST_F(LinePlanTest, ChangeWithoutEditLeavesTheDayAndItsMarkAlone)
{
    for (const bool marked : {false, true}) {
        plant.amendDay(Day.MachineNo, Day.DateNum, [&](CalendarDay &day) { day.changed = marked; });
        const CalendarDay before = day();
        const LinePlanChange result = change(typed({}));
        EXPECT_TRUE(result.closes);
        EXPECT_FALSE(result.changed);
        EXPECT_EQ(day().changed, marked);
        EXPECT_EQ(day().hourly, before.hourly);
        EXPECT_FALSE(plant.path->canUndo());
        EXPECT_FALSE(plant.path->saveEnabled());
    }
}

TEST_F(LinePlanTest, TheHoursAreRoundedHalvesToEvenAndMarkTheDayOnlyWhenTheyChange)
{
    struct Case
    {
        QString sum;
        int hours;
        bool changed;
    };
    for (const Case &c : {Case{"7.5", 8, false}, Case{"8.4", 8, false}, Case{"6.5", 6, true}, Case{"9", 9, true}}) {
        const LinePlanChange result = change(typed({}, c.sum));
        EXPECT_TRUE(result.closes);
        EXPECT_EQ(day().workHours, c.hours) << c.sum.toStdString();
        EXPECT_EQ(day().changed, c.changed) << c.sum.toStdString();
        if (plant.path->canUndo())
            plant.path->undo();
    }
}

TEST_F(LinePlanTest, UnreadableBoxesAreReportedAndNothingIsStored)
{
    struct Case
    {
        LinePlanTexts texts;
        QString message;
        int focus;
    };
    const Case cases[] = {
        {typed({{1, "17:00"}, {3, "abc"}, {5, "xyz"}}), lineplan::BadTime, 3},
        {typed({{0, "8:00"}}, "abc"), lineplan::BadSum, PlanSumBox},
        {typed({}, ""), lineplan::BadSum, PlanSumBox},
        {typed({}, "-1"), lineplan::BadSum, PlanSumBox},
        {typed({}, "25"), lineplan::BadSum, PlanSumBox},
    };
    for (const Case &c : cases) {
        plant.prompter.clear();
        const LinePlanChange result = change(c.texts);
        EXPECT_FALSE(result.closes);
        EXPECT_EQ(result.focus, c.focus);
        EXPECT_EQ(plant.prompter.texts(), QStringList{c.message});
        EXPECT_EQ(day().shiftTimes[0], t(8));
        EXPECT_FALSE(day().changed);
        EXPECT_FALSE(plant.path->canUndo());
    }
}

TEST_F(LinePlanTest, MoreHoursThanTheShiftsGiveAreRefusedAndNothingChanges)
{
    struct Case
    {
        LinePlanTexts texts;
        QString refusal; // empty: the hours are taken
    };
    const QString within = QStringLiteral("合計計画時間は時間帯（%1）の%2以内で入力してください");
    const Case cases[] = {
        {typed({}, "20"), within.arg("08:00～17:00", "9時間")},
        {typed({}, "9.6"), within.arg("08:00～17:00", "9時間")}, // taken as 10 hours
        {typed({}, "9"), {}},
        {typed({{1, "12:00"}, {2, "13:00"}, {3, "17:30"}}, "8.6"), within.arg("08:00～12:00、13:00～17:30", "8時間30分")},
        {typed({{1, "12:00"}, {2, "13:00"}, {3, "17:30"}}, "8.4"), {}},
        // Overlapping pairs count once: 08:00 to 18:00.
        {typed({{2, "16:00"}, {3, "18:00"}}, "11"), within.arg("08:00～17:00、16:00～18:00", "10時間")},
        // Before 08:00 the time belongs to the previous working day.
        {typed({{0, "6:00"}, {1, "10:00"}}, "3"), within.arg("06:00～10:00", "2時間")},
        {typed({{0, "20:00"}, {1, "5:00"}}, "9"), {}}, // a night shift past midnight
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.texts.hours.toStdString());
        plant.prompter.clear();
        const CalendarDay before = day();
        const std::string end = plant.endText(lot);
        const LinePlanChange result = change(c.texts);
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(result.changed);
            EXPECT_FALSE(plant.prompter.texts().join(u'\n').contains(QStringLiteral("時間帯（")));
            plant.path->undo();
            continue;
        }
        EXPECT_FALSE(result.closes);
        EXPECT_EQ(result.focus, PlanSumBox);
        EXPECT_EQ(plant.prompter.texts(), QStringList{c.refusal});
        EXPECT_EQ(day().shiftTimes, before.shiftTimes);
        EXPECT_EQ(day().workHours, 8);
        EXPECT_EQ(day().hourly, before.hourly);
        EXPECT_FALSE(day().changed);
        EXPECT_FALSE(plant.path->canUndo());
        EXPECT_EQ(plant.endText(lot), end);
    }
}

TEST_F(LinePlanTest, AChangeIsOneUndoStepThatBringsTheDayBackExactly)
{
    const CalendarDay before = day();
    // The end cleared: the shift runs to midnight; a second shift from 01:00 to 05:00.
    const LinePlanChange result = change(typed({{1, ""}, {2, "1:00"}, {3, "5:0"}}, "14"));
    ASSERT_TRUE(result.changed);
    EXPECT_EQ(day().shiftTimes, (ShiftTimes{t(8), t(0), t(1), t(5), t(0), t(0), t(0), t(0)}));
    EXPECT_EQ(day().workHours, 14);
    EXPECT_TRUE(day().changed);
    EXPECT_EQ(day().hourly, BuildDaySpans(day().shiftTimes, breaks, plant.run.DayStartTime));
    EXPECT_NE(day().hourly, before.hourly);
    const CalendarDay after = day();
    EXPECT_TRUE(plant.path->saveEnabled());
    EXPECT_EQ(plant.path->undoText(), lineplan::Caption);

    plant.path->undo();
    EXPECT_EQ(day().shiftTimes, before.shiftTimes);
    EXPECT_EQ(day().workHours, before.workHours);
    EXPECT_EQ(day().hourly, before.hourly);
    EXPECT_FALSE(day().changed);
    EXPECT_FALSE(plant.path->saveEnabled());

    plant.path->redo();
    EXPECT_EQ(day().shiftTimes, after.shiftTimes);
    EXPECT_EQ(day().hourly, after.hourly);
    EXPECT_TRUE(day().changed);
    EXPECT_TRUE(plant.path->saveEnabled());
}

TEST_F(LinePlanTest, TheLotOnTheDayAndALotDroppedLaterFollowTheNewHours)
{
    change(typed({{0, "9:00"}, {1, "18:00"}}, "8")); // 09:00-12:00 and 13:00-18:00 after the break
    EXPECT_EQ(plant.startText(lot), "2024/05/10 09:00");
    EXPECT_EQ(plant.endText(lot), "2024/05/10 16:00"); // 3 hours before the break, 3 after

    // The lot let go on its own row at 09:00, as the chart's drop does it.
    ASSERT_TRUE(plant.session.drop(lot, EditingPlant::M01, EditingPlant::at(QStringLiteral("2024/05/10 09:00"))));
    EXPECT_EQ(plant.startText(lot), "2024/05/10 09:00");
    EXPECT_EQ(plant.endText(lot), "2024/05/10 16:00"); // 3 hours before the break, 3 after
}

TEST_F(LinePlanTest, ThePlannerIsToldWhatSavingCannotKeep)
{
    // The day was loaded from one row holding one shift; nothing at all was stored for the next.
    StoredDay oneRow{StoredDayRow{1, 8, {}, {0, -1}}};
    plant.amendCalendar([&](WorkCalendar &days) { days.setStoredRows(Day.MachineNo, Day.DateNum, oneRow); });
    change(typed({{2, "18:00"}, {3, "20:00"}}, "10"));
    EXPECT_TRUE(plant.prompter.texts().isEmpty()); // the row's second column pair takes it
    change(typed({{4, "21:00"}, {5, "22:00"}}, "11"));
    EXPECT_EQ(plant.prompter.texts(), QStringList{lineplan::PairsNotStored});

    plant.prompter.clear();
    plant.session.changeMachineDay({2, 12}, typed({}, "3"));
    EXPECT_EQ(plant.prompter.texts(), QStringList{lineplan::NotStored});
}

} // namespace
