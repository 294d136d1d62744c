#include "dialogs/LinePlan.h"

#include "calendar/StoredDayRows.h"
#include "common/PlantValues.h"
#include "dialogs/PlanDetail.h"
#include "editing/EditPath.h"
#include "plan/ChartRows.h"
#include "plan/Prompter.h"

#include <QStringList>
#include <cmath>

namespace lineplan {
const QString Caption = QStringLiteral("機械別稼働時間変更");
const QString BadEnteredTime = QStringLiteral("認識できる時間を入力してください");
const QString BadTime = QStringLiteral("時間と認識できません");
const QString BadSum = QStringLiteral("合計計画時間は0から24までの数値で入力してください");
const QString NotStored = QStringLiteral("この日の稼働時間はデータベースに登録されていないため、変更は保存されません。");
const QString PairsNotStored = QStringLiteral("この日の稼働時間のデータに入りきらない時間帯は保存されません。");
const QString DayOffKeepsShifts = QStringLiteral(
    "合計計画時間が0のため、この日は休みとして計画します。時間帯は保存されますが、読み込み直すと表示されません。");
const QString HoursWithoutShift = QStringLiteral(
    "時間帯が入力されていないため、この日は稼働しません。合計計画時間はそのまま保存されます。");

QString hoursBeyondShifts(const ShiftTimes &shifts, qint64 shiftMinutes)
{
    QStringList pairs;
    for (size_t slot = 0; slot + 1 < shifts.size(); slot += 2)
        if (shifts[slot] != shifts[slot + 1])
            pairs << shifts[slot].toString(QStringLiteral("hh:mm")) + QStringLiteral("～")
                         + shifts[slot + 1].toString(QStringLiteral("hh:mm"));
    const qint64 minutes = shiftMinutes % 60;
    const QString length = minutes == 0 ? QStringLiteral("%1時間").arg(shiftMinutes / 60)
                                        : QStringLiteral("%1時間%2分").arg(shiftMinutes / 60).arg(minutes);
    return QStringLiteral("合計計画時間は時間帯（%1）の%2以内で入力してください").arg(pairs.join(u'、'), length);
}
} // namespace lineplan

namespace {

// The shift slots the boxes give; the first box that holds no time when there is one.
struct EnteredShifts
{
    ShiftTimes shifts;
    int badBox = -1;
};

EnteredShifts enteredShifts(const LinePlanTexts &texts)
{
    EnteredShifts entered;
    for (int box = 0; box < PlanTimeBoxes; ++box) {
        const QString &text = texts.shiftTimes[size_t(box)];
        QTime slot(0, 0);
        if (!text.trimmed().isEmpty()) {
            const QString time = normalTime(text);
            if (time.isEmpty()) {
                entered.badBox = box;
                return entered;
            }
            slot = QTime::fromString(time, QStringLiteral("hh:mm:ss"));
        }
        entered.shifts[size_t(box)] = slot;
    }
    return entered;
}

} // namespace

std::optional<LinePlanDay> linePlanDayAt(const ChartRows &rows, const WorkCalendar &calendar, int row,
                                         const QDateTime &at)
{
    if (!at.isValid())
        return std::nullopt;
    const QDate date = at.time() < calendar.dayStart() ? at.date().addDays(-1) : at.date();
    return linePlanDayOn(rows, calendar, row, date);
}

std::optional<LinePlanDay> linePlanDayOn(const ChartRows &rows, const WorkCalendar &calendar, int row,
                                         const QDate &date)
{
    if (!rows.isMachineRow(row) || rows.row(row).code.trimmed().size() <= 1 || !date.isValid())
        return std::nullopt;
    const qint64 k = calendar.periodStart().daysTo(date) + 2;
    if (!calendar.day(row, k))
        return std::nullopt;
    return LinePlanDay{row, k};
}

std::optional<int> plannedHours(const QString &text)
{
    constexpr double MaxDayHours = 24;
    bool number = false;
    const double hours = text.trimmed().toDouble(&number);
    // "nan" and "inf" read as numbers too: neither is a day's hours.
    if (!number || !std::isfinite(hours) || hours < 0 || hours > MaxDayHours)
        return std::nullopt;
    return int(plant::roundHalfEven(hours));
}

LinePlanTexts linePlanTexts(const CalendarDay &day)
{
    LinePlanTexts texts;
    const QTime empty(0, 0);
    for (int n = 1; n < PlanTimeBoxes; ++n) {
        const QTime &slot = day.shiftTimes[size_t(n - 1)];
        const QTime &next = day.shiftTimes[size_t(n)];
        if (slot == empty && next == empty)
            continue;
        texts.shiftTimes[size_t(n - 1)] = plant::timeText(slot);
        texts.shiftTimes[size_t(n)] = plant::timeText(next);
    }
    texts.hours = QString::number(day.workHours);
    return texts;
}

TimeBoxEnter enterTimeBox(int box, const QString &text, Prompter &prompter)
{
    // Enter walks the first two pairs' boxes, then goes to PlanSum.
    const int next = box <= 2 ? box + 1 : PlanSumBox;
    if (text.trimmed().isEmpty())
        return {text, next};
    const QString time = normalTime(text);
    if (time.isEmpty()) {
        prompter.inform(lineplan::BadEnteredTime);
        return {text, box};
    }
    return {time, next};
}

LinePlanEntry readLinePlan(const WorkCalendar &calendar, const LinePlanDay &day, const LinePlanTexts &texts,
                           Prompter &prompter)
{
    const EnteredShifts entered = enteredShifts(texts);
    if (entered.badBox >= 0) {
        prompter.inform(lineplan::BadTime);
        return {{false, entered.badBox, false}, {}, 0};
    }
    const std::optional<int> hours = plannedHours(texts.hours);
    if (!hours) {
        prompter.inform(lineplan::BadSum);
        return {{false, PlanSumBox, false}, {}, 0};
    }
    const CalendarDay *current = calendar.day(day.MachineNo, day.DateNum);
    if (!current || (current->shiftTimes == entered.shifts && current->workHours == *hours))
        return {{true, 0, false}, {}, 0};
    // A press cannot run longer than its shifts: more hours would plan lots into time nobody
    // works. Without any shift the day has no working time, and the planner is told so later.
    const qint64 shiftMinutes = ShiftMinutes(entered.shifts, calendar.dayStart());
    if (shiftMinutes > 0 && qint64(*hours) * 60 > shiftMinutes) {
        prompter.inform(lineplan::hoursBeyondShifts(entered.shifts, shiftMinutes));
        return {{false, PlanSumBox, false}, {}, 0};
    }
    return {{true, 0, true}, entered.shifts, *hours};
}

void storeLinePlan(Edit &edit, const LinePlanDay &day, const LinePlanEntry &entry, const BreakTable &breaks,
                   const QTime &dayStart)
{
    edit.changeDay(day.MachineNo, day.DateNum, [&](CalendarDay &changed) {
        changed.shiftTimes = entry.shifts;
        changed.workHours = entry.hours;
        changed.rebuildSpans(breaks, dayStart);
    });
}

void tellWhatTheDayKeeps(const WorkCalendar &calendar, const LinePlanDay &day, const LinePlanEntry &entry,
                         Prompter &prompter)
{
    bool anyShift = false;
    for (size_t slot = 0; slot < entry.shifts.size(); slot += 2)
        anyShift = anyShift || entry.shifts[slot] != entry.shifts[slot + 1];
    if (entry.hours == 0 && anyShift)
        prompter.inform(lineplan::DayOffKeepsShifts);
    else if (entry.hours > 0 && !anyShift)
        prompter.inform(lineplan::HoursWithoutShift);
    const StoredDay &stored = calendar.storedRows(day.MachineNo, day.DateNum);
    if (stored.empty())
        prompter.inform(lineplan::NotStored);
    else if (!unheldShiftPairs(entry.shifts, stored).empty())
        prompter.inform(lineplan::PairsNotStored);
}
