#include "editing/AutoPlanner.h"

#include "common/PlantValues.h"
#include "editing/BusyTimes.h"
#include "editing/LotRules.h"
#include "editing/RowCodes.h"
#include "editing/WorkDuration.h"
#include "gantt/Twip2DateTime.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

namespace autoplan {
const QString NoPress = QStringLiteral("この品目・工程を作れる機械がありません");
const QString NoChosenPress = QStringLiteral("選んだ機械にこの品目・工程を作れる機械がありません");
const QString NoRoom = QStringLiteral("期間内に入る空き時間がありません");
} // namespace autoplan

namespace {

// A slot is looked for by jumping from block to block of a press; no row holds more.
constexpr int MaxSearchSteps = 20000;

// The chart row a lot stands on (its machine, else its subcontractor); 0 on the strip, when
// hidden or merged away.
int rowOfLot(const ChartRows &rows, const PlanRecord &lot)
{
    if (lot.Active <= 0 || lot.DetailMark != 0 || lot.OnStrip != 0)
        return 0;
    const double top = rows.RowLookup(lot.MachineCode, lot.SupplierCode);
    return top <= ChartRows::FirstTop ? 0 : int(std::lround((top - ChartRows::FirstTop) / ChartRows::RowHeight)) + 1;
}

QString moldOf(const PlanRecord &lot)
{
    return lot.MoldNo.trimmed();
}

bool hasActuals(const PlanRecord &lot)
{
    return lot.ReceivedQty != 0 || lot.LastActualDate.isValid();
}

// A press the lot may go to, with its minutes there.
struct Press
{
    int row = 0;
    qint64 minutes = 0;
    bool retimed = false;
    double cycle = 0;
    double secondsPerPiece = 0;
};

struct Slot
{
    QDateTime start;
    QDateTime end;
    qint64 startKey = 0;
    qint64 endKey = 0;
};

class Planner
{
public:
    Planner(const AutoPlanInput &input, const AutoPlanOptions &options) : m_in(input), m_options(options)
    {
        const QTime &dayStart = input.calendar.dayStart();
        m_periodFirst = plant::naiveDateTime(input.periodStart, dayStart);
        m_periodEnd = plant::naiveDateTime(input.periodEnd.addDays(1), dayStart);
        m_rowBusy.resize(size_t(input.rows.count() + 1));
        m_rowMolds.resize(m_rowBusy.size());
    }

    AutoPlan run();

private:
    const PlanRecord &lot(qint64 index) const { return m_in.store[index]; }
    void takeStock();
    std::vector<Press> pressesOf(qint64 index, QString &reason) const;
    QDateTime earliestStart(qint64 index) const;
    QDateTime latestEnd(qint64 index) const;
    QDateTime release(qint64 index, int row) const;
    std::optional<Slot> search(qint64 index, const Press &press, QDateTime from, const QDateTime &latest) const;
    int moldChangesAdded(int row, qint64 startKey, const QString &mold) const;
    bool followsDirectly(int row, qint64 startKey, qint64 previousStart) const;
    bool late(qint64 index, const Slot &slot) const;
    qint64 lateness(qint64 index, const Slot &slot) const;
    void place(qint64 index, const Press &press, const Slot &slot);
    bool ready(qint64 index) const;
    // Places the lot on its best press; false when it fits nowhere.
    bool dispatch(qint64 index, QString &reason);
    // Lots of the same mold that can follow the lot on its press without being late or
    // started too early go there next.
    void keepMoldTogether(qint64 index);

    const AutoPlanInput &m_in;
    const AutoPlanOptions &m_options;
    QDateTime m_periodFirst;
    QDateTime m_periodEnd;
    std::vector<BusyTimes> m_rowBusy;                 // by row
    std::vector<std::map<qint64, QString>> m_rowMolds; // by row: start -> mold of each lot
    QHash<QString, BusyTimes> m_moldBusy;
    QHash<qint64, qint64> m_byNumber;                // arrangement number -> lot
    QHash<qint64, std::vector<qint64>> m_earlier;    // lot -> lots whose next process it is
    std::vector<char> m_movable;
    std::vector<char> m_decided;
    std::vector<char> m_onChart; // stays on a row, or was placed
    std::vector<QDateTime> m_start;
    std::vector<QDateTime> m_end;
    std::vector<qint64> m_order;                      // the lots to plan, by due date
    QHash<QString, std::vector<qint64>> m_orderOfMold; // the same, per mold
    AutoPlan m_plan;
};

void Planner::takeStock()
{
    const qint64 last = m_in.store.lastIndex();
    m_movable.assign(size_t(last + 1), 0);
    m_decided.assign(size_t(last + 1), 0);
    m_onChart.assign(size_t(last + 1), 0);
    m_start.assign(size_t(last + 1), QDateTime());
    m_end.assign(size_t(last + 1), QDateTime());
    for (qint64 i = 2; i <= last; ++i) {
        const PlanRecord &record = lot(i);
        if (record.Active <= 0)
            continue;
        if (record.ArrangementNo != 0)
            m_byNumber.insert(record.ArrangementNo, i);
        if (mayBePlanned(record, m_in.rows, m_options, m_periodFirst)) {
            m_movable[size_t(i)] = 1;
            m_order.push_back(i);
            continue;
        }
        m_start[size_t(i)] = lots::startInstant(record);
        m_end[size_t(i)] = lots::endInstant(record);
        const qint64 startKey = lots::startKey(record);
        const qint64 endKey = lots::endKey(record);
        if (const int row = rowOfLot(m_in.rows, record); row != 0) {
            m_onChart[size_t(i)] = 1;
            m_rowBusy[size_t(row)].take(startKey, endKey, m_end[size_t(i)]);
            m_rowMolds[size_t(row)].emplace(startKey, moldOf(record));
        }
        // A mold is taken by every lot that stays, wherever it stands (the conflict list
        // counts them all).
        if (!moldOf(record).isEmpty())
            m_moldBusy[moldOf(record)].take(startKey, endKey, m_end[size_t(i)]);
    }
    for (qint64 i = 2; i <= last; ++i) {
        const PlanRecord &record = lot(i);
        if (record.Active > 0 && record.ParentArrangementNo != 0)
            if (const auto next = m_byNumber.constFind(record.ParentArrangementNo); next != m_byNumber.cend())
                m_earlier[*next].push_back(i);
    }
    std::stable_sort(m_order.begin(), m_order.end(), [this](qint64 a, qint64 b) {
        const PlanRecord &x = lot(a);
        const PlanRecord &y = lot(b);
        const qint64 dueX = x.InitialDueDate.isValid() ? x.InitialDueDate.toJulianDay() : LLONG_MAX;
        const qint64 dueY = y.InitialDueDate.isValid() ? y.InitialDueDate.toJulianDay() : LLONG_MAX;
        return std::tuple(dueX, moldOf(x), x.ArrangementNo, a) < std::tuple(dueY, moldOf(y), y.ArrangementNo, b);
    });
    for (const qint64 i : m_order)
        if (!moldOf(lot(i)).isEmpty())
            m_orderOfMold[moldOf(lot(i))].push_back(i);
}

std::vector<Press> Planner::pressesOf(qint64 index, QString &reason) const
{
    const PlanRecord &record = lot(index);
    const QString item = record.RateItemCode.trimmed().isEmpty() ? record.ItemCode : record.RateItemCode;
    const QString own = record.MachineCode.trimmed();
    const QString stored = record.StoredMachineCode.trimmed();
    std::vector<QString> codes = m_in.cycles.machinesFor(item, record.RateSequence);
    if (codes.empty()) {
        // Without a cycle row the lot may only go back to the machine it was stored on.
        const QString home = stored.isEmpty() ? own : stored;
        if (!home.isEmpty())
            codes.push_back(home);
    }
    std::vector<Press> presses;
    bool anyPress = false;
    for (const QString &code : codes) {
        const int row = rowcodes::firstRowOfTrimmed(m_in.rows, code);
        if (!m_in.rows.isMachineRow(row))
            continue;
        anyPress = true;
        if (!m_options.machines.isEmpty() && !m_options.machines.contains(code))
            continue;
        Press press;
        press.row = row;
        press.minutes = record.WorkMinutes;
        const std::optional<double> cycle = m_in.cycles.cycleOn(item, record.RateSequence, code);
        if (cycle && code != own && code != stored) {
            press.retimed = true;
            press.cycle = *cycle;
            press.secondsPerPiece = *cycle / double(record.Cavities == 0 ? 1 : record.Cavities);
            press.minutes = ComputeWorkMinutes(press.secondsPerPiece, record.Quantity, record.Persons);
        }
        presses.push_back(press);
    }
    if (presses.empty())
        reason = anyPress ? autoplan::NoChosenPress : autoplan::NoPress;
    return presses;
}

QDateTime Planner::earliestStart(qint64 index) const
{
    QDateTime earliest = m_periodFirst;
    for (const qint64 before : m_earlier.value(index))
        if (m_onChart[size_t(before)] && m_end[size_t(before)] > earliest)
            earliest = m_end[size_t(before)];
    return earliest;
}

QDateTime Planner::latestEnd(qint64 index) const
{
    const PlanRecord &record = lot(index);
    if (record.ParentArrangementNo == 0)
        return {};
    const auto next = m_byNumber.constFind(record.ParentArrangementNo);
    if (next == m_byNumber.cend() || m_movable[size_t(*next)] || !m_onChart[size_t(*next)])
        return {};
    return m_start[size_t(*next)];
}

QDateTime Planner::release(qint64 index, int row) const
{
    const QDate due = lot(index).InitialDueDate;
    if (!due.isValid() || m_options.stockDays <= 0)
        return {};
    const QTime &dayStart = m_in.calendar.dayStart();
    int counted = 0;
    QDate day = due;
    // Working days of the press before the due date; a press that stands still for weeks is
    // looked at no further back than that.
    for (int step = 0; step < m_options.stockDays * 7 + 31; ++step) {
        day = day.addDays(-1);
        if (m_in.time.RemainingWorkMinutes(plant::naiveDateTime(day, dayStart), row).minutes > 0
            && ++counted == m_options.stockDays)
            break;
    }
    return plant::naiveDateTime(day, dayStart);
}

std::optional<Slot> Planner::search(qint64 index, const Press &press, QDateTime from, const QDateTime &latest) const
{
    PlanRecord probe = lot(index);
    const QString &code = m_in.rows.row(press.row).code;
    probe.MachineCode = code;
    probe.WorkMinutes = press.minutes;
    const QString mold = moldOf(probe);
    const BusyTimes *moldBusy = nullptr;
    if (const auto found = m_moldBusy.constFind(mold); !mold.isEmpty() && found != m_moldBusy.cend())
        moldBusy = &*found;
    for (int step = 0; step < MaxSearchSteps; ++step) {
        const LotTimes times = lotTimesFrom(probe, from, code, m_in.rows, m_in.time, m_in.gridUnitMinutes,
                                            m_in.calendar.periodDays());
        Slot slot;
        slot.start = times.start;
        slot.end = m_in.time.AddWorkMinutesDefault(times.start, probe.SetupMinutes + probe.WorkMinutes, probe);
        if (!slot.start.isValid() || !slot.end.isValid() || slot.end > m_periodEnd)
            return std::nullopt;
        slot.startKey = lots::instantKey(slot.start.date(), slot.start.time());
        slot.endKey = lots::instantKey(slot.end.date(), slot.end.time());
        if (auto blocked = m_rowBusy[size_t(press.row)].blockingEnd(slot.startKey, slot.endKey)) {
            from = *blocked;
            continue;
        }
        if (moldBusy)
            if (auto blocked = moldBusy->blockingEnd(slot.startKey, slot.endKey)) {
                from = *blocked;
                continue;
            }
        if (latest.isValid() && slot.end > latest)
            return std::nullopt;
        return slot;
    }
    return std::nullopt;
}

int Planner::moldChangesAdded(int row, qint64 startKey, const QString &mold) const
{
    const auto &molds = m_rowMolds[size_t(row)];
    const auto next = molds.upper_bound(startKey);
    const bool hasNext = next != molds.end();
    const bool hasPrevious = next != molds.begin();
    const QString previous = hasPrevious ? std::prev(next)->second : QString();
    int added = 0;
    if (hasPrevious && previous != mold)
        ++added;
    if (hasNext && next->second != mold)
        ++added;
    if (hasPrevious && hasNext && previous != next->second)
        --added;
    return added;
}

bool Planner::followsDirectly(int row, qint64 startKey, qint64 previousStart) const
{
    const auto &molds = m_rowMolds[size_t(row)];
    const auto next = molds.lower_bound(startKey);
    return next != molds.begin() && std::prev(next)->first == previousStart;
}

bool Planner::late(qint64 index, const Slot &slot) const
{
    const QDate &due = lot(index).InitialDueDate;
    return due.isValid() && slot.end.date() > due;
}

qint64 Planner::lateness(qint64 index, const Slot &slot) const
{
    if (!late(index, slot))
        return 0;
    return plant::naiveDateTime(lot(index).InitialDueDate.addDays(1), QTime(0, 0)).secsTo(slot.end);
}

void Planner::place(qint64 index, const Press &press, const Slot &slot)
{
    const QString mold = moldOf(lot(index));
    m_rowBusy[size_t(press.row)].take(slot.startKey, slot.endKey, slot.end);
    m_rowMolds[size_t(press.row)].emplace(slot.startKey, mold);
    if (!mold.isEmpty())
        m_moldBusy[mold].take(slot.startKey, slot.endKey, slot.end);
    m_decided[size_t(index)] = 1;
    m_onChart[size_t(index)] = 1;
    m_start[size_t(index)] = slot.start;
    m_end[size_t(index)] = slot.end;
    m_plan.planned.push_back(PlannedLot{index, m_in.rows.row(press.row).code, slot.start, slot.end, press.minutes,
                                        press.retimed, press.cycle, press.secondsPerPiece});
}

bool Planner::ready(qint64 index) const
{
    for (const qint64 before : m_earlier.value(index))
        if (m_movable[size_t(before)] && !m_decided[size_t(before)])
            return false;
    return true;
}

bool Planner::dispatch(qint64 index, QString &reason)
{
    const std::vector<Press> presses = pressesOf(index, reason);
    if (presses.empty())
        return false;
    const PlanRecord &record = lot(index);
    const QDateTime earliest = earliestStart(index);
    const QDateTime latest = latestEnd(index);
    using Score = std::tuple<int, qint64, int, qint64, int, int>;
    std::optional<Score> best;
    std::optional<std::pair<Press, Slot>> chosen;
    for (const Press &press : presses) {
        const QDateTime stockLimit = release(index, press.row);
        std::optional<Slot> slot = search(index, press, std::max(earliest, stockLimit), latest);
        // Lateness weighs more than stock: a lot that would be late when held back starts
        // earlier where that makes it less late.
        if (stockLimit > earliest && (!slot || late(index, *slot)))
            if (std::optional<Slot> sooner = search(index, press, earliest, latest);
                sooner && (!slot || lateness(index, *sooner) < lateness(index, *slot)))
                slot = sooner;
        if (!slot)
            continue;
        const QString &code = m_in.rows.row(press.row).code.trimmed();
        const int offStored = code != record.MachineCode.trimmed() && code != record.StoredMachineCode.trimmed();
        const Score score{late(index, *slot), lateness(index, *slot),
                          moldChangesAdded(press.row, slot->startKey, moldOf(record)), slot->endKey, offStored,
                          press.row};
        if (!best || score < *best) {
            best = score;
            chosen = std::pair(press, *slot);
        }
    }
    if (!chosen) {
        reason = autoplan::NoRoom;
        return false;
    }
    place(index, chosen->first, chosen->second);
    return true;
}

void Planner::keepMoldTogether(qint64 index)
{
    const QString mold = moldOf(lot(index));
    if (mold.isEmpty())
        return;
    const PlannedLot &leader = m_plan.planned.back();
    const int row = m_in.rows.rowOfCode(leader.machine);
    qint64 previousStart = lots::instantKey(leader.start.date(), leader.start.time());
    QDateTime previousEnd = leader.end;
    for (const qint64 next : m_orderOfMold.value(mold)) {
        if (m_decided[size_t(next)] || !ready(next))
            continue;
        QString reason;
        const std::vector<Press> presses = pressesOf(next, reason);
        const auto press = std::find_if(presses.begin(), presses.end(), [row](const Press &p) { return p.row == row; });
        if (press == presses.end())
            continue;
        const QDateTime stockLimit = release(next, row);
        const std::optional<Slot> slot =
            search(next, *press, std::max({earliestStart(next), stockLimit, previousEnd}), latestEnd(next));
        // The lots come by due date: once one would start too early for its stock limit, so
        // would the later ones.
        if (stockLimit.isValid() && (!slot || slot->start < stockLimit))
            break;
        if (!slot || late(next, *slot) || !followsDirectly(row, slot->startKey, previousStart))
            continue;
        place(next, *press, *slot);
        previousStart = slot->startKey;
        previousEnd = slot->end;
    }
}

AutoPlan Planner::run()
{
    takeStock();
    size_t first = 0; // every lot before it is decided
    while (true) {
        while (first < m_order.size() && m_decided[size_t(m_order[first])])
            ++first;
        if (first == m_order.size())
            break;
        // The first lot by due date whose earlier processes are decided; in a chain that runs
        // in a circle, the first one.
        size_t pick = first;
        for (size_t k = first; k < m_order.size(); ++k)
            if (!m_decided[size_t(m_order[k])] && ready(m_order[k])) {
                pick = k;
                break;
            }
        const qint64 index = m_order[pick];
        QString reason;
        if (dispatch(index, reason)) {
            keepMoldTogether(index);
        } else {
            m_decided[size_t(index)] = 1;
            m_plan.left.push_back(LeftLot{index, reason});
        }
    }
    return std::move(m_plan);
}

} // namespace

bool mayBePlanned(const PlanRecord &lot, const ChartRows &rows, const AutoPlanOptions &options,
                  const QDateTime &periodFirst)
{
    if (lot.Active <= 0 || lot.DetailMark != 0 || lots::isFixed(lot) || hasActuals(lot))
        return false;
    if (options.dueUpTo.isValid() && (!lot.InitialDueDate.isValid() || lot.InitialDueDate > options.dueUpTo))
        return false;
    if (lot.OnStrip != 0)
        return true;
    const int row = rowOfLot(rows, lot);
    if (!options.replanTentative || lot.isConfirmed() || lot.ConfirmState != QStringLiteral("1")
        || !rows.isMachineRow(row) || lot.MachineCode.trimmed().isEmpty())
        return false;
    if (!options.machines.isEmpty() && !options.machines.contains(lot.MachineCode.trimmed()))
        return false;
    return lots::startInstant(lot) >= periodFirst;
}

AutoPlan planAutomatically(const AutoPlanInput &input, const AutoPlanOptions &options,
                           const AutoPlanProgress &progress)
{
    return Planner(input, options).run();
}
