#include "editing/AutoPlanner.h"

#include "common/PlantValues.h"
#include "editing/BusyTimes.h"
#include "editing/LotRules.h"
#include "editing/RowCodes.h"
#include "editing/WorkDuration.h"
#include "gantt/Twip2DateTime.h"

#include <QElapsedTimer>
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

// What a plan is judged by, in the order the planner aims for: no lot left that could be
// placed, then no more mold changes than the plain due-date dispatch makes, then fewest late
// lots, least lateness, fewest mold changes, fewest starts before the stock limit and fewest
// lots taken off their stored machine.
struct Score
{
    qint64 left = 0;
    qint64 changesOverDispatch = 0;
    qint64 late = 0;
    qint64 latenessSeconds = 0;
    qint64 moldChanges = 0;
    qint64 earlyStarts = 0;
    qint64 offStored = 0;

    auto operator<=>(const Score &) const = default;
};

// How the lots are placed: the planner's own rules (lateness first, then the mold, lots of
// one mold kept together, the stock limit), the same without holding lots back for the stock
// limit (in a full plant a lot held back takes the time a later lot needs), or a plain
// dispatch of each lot onto the press where it ends first, which the plan must not do worse
// than on mold changes.
enum class Rule { Planner, PlannerEarliest, PlainDispatch };

// The rows' and molds' busy times and the lots' places, as they stand before a lot is placed
// and as each placement leaves them.
struct Layout
{
    std::vector<BusyTimes> rowBusy;                 // by row
    std::vector<std::map<qint64, QString>> rowMolds; // by row: start -> mold of each lot
    QHash<QString, BusyTimes> moldBusy;
    std::vector<char> decided;
    std::vector<char> onChart; // stays on a row, or was placed
    std::vector<QDateTime> start;
    std::vector<QDateTime> end;
    std::vector<int> row; // the row a placed lot went to
};

class Planner
{
public:
    Planner(const AutoPlanInput &input, const AutoPlanOptions &options) : m_in(input), m_options(options)
    {
        const QTime &dayStart = input.calendar.dayStart();
        m_periodFirst = plant::naiveDateTime(input.periodStart, dayStart);
        m_periodEnd = plant::naiveDateTime(input.periodEnd.addDays(1), dayStart);
        takeStock();
    }

    // The lots to plan by due date (then mold, then number).
    const std::vector<qint64> &dueOrder() const { return m_dueOrder; }
    // Places the lots in `order` (each when its earlier processes are placed) by `rule`.
    AutoPlan decode(const std::vector<qint64> &order, Rule rule);
    // The score of the plan the last decode made; `dispatchChanges` the plain dispatch's mold
    // changes (none to compare with when negative).
    Score score(const AutoPlan &plan, qint64 dispatchChanges) const;
    // How long after the end of its due date the placed lot ends; 0 when it is in time.
    qint64 lateSeconds(const PlannedLot &placed) const { return lateness(placed.lot, placed.end); }

private:
    const PlanRecord &lot(qint64 index) const { return m_in.store[index]; }
    void takeStock();
    const std::vector<Press> &pressesOf(qint64 index, QString &reason) const;
    QDateTime earliestStart(qint64 index) const;
    QDateTime latestEnd(qint64 index) const;
    const QDateTime &release(qint64 index, int row) const;
    // The stock limit the lot is held back to in this decode; none when it is not held back.
    QDateTime holdBack(qint64 index, int row) const { return m_holdBack ? release(index, row) : QDateTime(); }
    std::optional<Slot> search(qint64 index, const Press &press, QDateTime from, const QDateTime &latest) const;
    int moldChangesAdded(int row, qint64 startKey, const QString &mold) const;
    bool followsDirectly(int row, qint64 startKey, qint64 previousStart) const;
    bool late(qint64 index, const QDateTime &end) const;
    qint64 lateness(qint64 index, const QDateTime &end) const;
    bool offStored(qint64 index, int row) const;
    void place(qint64 index, const Press &press, const Slot &slot);
    bool ready(qint64 index) const;
    // Places the lot on its best press by `rule`; false when it fits nowhere.
    bool dispatch(qint64 index, Rule rule, QString &reason);
    // Lots of the same mold that can follow the lot on its press without being late or
    // started too early go there next.
    void keepMoldTogether(qint64 index);

    const AutoPlanInput &m_in;
    const AutoPlanOptions &m_options;
    QDateTime m_periodFirst;
    QDateTime m_periodEnd;
    Layout m_base; // the lots that stay, before anything is placed
    Layout m_now;
    bool m_holdBack = true; // lots are held back for the stock limit in this decode
    QHash<qint64, qint64> m_byNumber;                // arrangement number -> lot
    QHash<qint64, std::vector<qint64>> m_earlier;    // lot -> lots whose next process it is
    std::vector<char> m_movable;
    std::vector<qint64> m_dueOrder;                   // the lots to plan, by due date
    QHash<QString, std::vector<qint64>> m_orderOfMold; // the same, per mold
    // Worked out once for every decode: each lot's presses and reason, each lot's stock limit
    // on a row.
    mutable QHash<qint64, std::pair<std::vector<Press>, QString>> m_presses;
    mutable QHash<QPair<qint64, int>, QDateTime> m_releases;
    AutoPlan m_plan;
};

void Planner::takeStock()
{
    const qint64 last = m_in.store.lastIndex();
    Layout &base = m_base;
    base.rowBusy.resize(size_t(m_in.rows.count() + 1));
    base.rowMolds.resize(base.rowBusy.size());
    m_movable.assign(size_t(last + 1), 0);
    base.decided.assign(size_t(last + 1), 0);
    base.onChart.assign(size_t(last + 1), 0);
    base.start.assign(size_t(last + 1), QDateTime());
    base.end.assign(size_t(last + 1), QDateTime());
    base.row.assign(size_t(last + 1), 0);
    for (qint64 i = 2; i <= last; ++i) {
        const PlanRecord &record = lot(i);
        if (record.Active <= 0)
            continue;
        if (record.ArrangementNo != 0)
            m_byNumber.insert(record.ArrangementNo, i);
        if (mayBePlanned(record, m_in.rows, m_options, m_periodFirst)) {
            m_movable[size_t(i)] = 1;
            m_dueOrder.push_back(i);
            continue;
        }
        base.start[size_t(i)] = lots::startInstant(record);
        base.end[size_t(i)] = lots::endInstant(record);
        const qint64 startKey = lots::startKey(record);
        const qint64 endKey = lots::endKey(record);
        if (const int row = rowOfLot(m_in.rows, record); row != 0) {
            base.onChart[size_t(i)] = 1;
            base.row[size_t(i)] = row;
            base.rowBusy[size_t(row)].take(startKey, endKey, base.end[size_t(i)]);
            base.rowMolds[size_t(row)].emplace(startKey, moldOf(record));
        }
        // A mold is taken by every lot that stays, wherever it stands (the conflict list
        // counts them all).
        if (!moldOf(record).isEmpty())
            base.moldBusy[moldOf(record)].take(startKey, endKey, base.end[size_t(i)]);
    }
    for (qint64 i = 2; i <= last; ++i) {
        const PlanRecord &record = lot(i);
        if (record.Active > 0 && record.ParentArrangementNo != 0)
            if (const auto next = m_byNumber.constFind(record.ParentArrangementNo); next != m_byNumber.cend())
                m_earlier[*next].push_back(i);
    }
    std::stable_sort(m_dueOrder.begin(), m_dueOrder.end(), [this](qint64 a, qint64 b) {
        const PlanRecord &x = lot(a);
        const PlanRecord &y = lot(b);
        const qint64 dueX = x.InitialDueDate.isValid() ? x.InitialDueDate.toJulianDay() : LLONG_MAX;
        const qint64 dueY = y.InitialDueDate.isValid() ? y.InitialDueDate.toJulianDay() : LLONG_MAX;
        return std::tuple(dueX, moldOf(x), x.ArrangementNo, a) < std::tuple(dueY, moldOf(y), y.ArrangementNo, b);
    });
    for (const qint64 i : m_dueOrder)
        if (!moldOf(lot(i)).isEmpty())
            m_orderOfMold[moldOf(lot(i))].push_back(i);
}

const std::vector<Press> &Planner::pressesOf(qint64 index, QString &reason) const
{
    if (const auto known = m_presses.constFind(index); known != m_presses.cend()) {
        reason = known->second;
        return known->first;
    }
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
    const auto kept = m_presses.insert(index, {std::move(presses), reason});
    return kept->first;
}

QDateTime Planner::earliestStart(qint64 index) const
{
    QDateTime earliest = m_periodFirst;
    for (const qint64 before : m_earlier.value(index))
        if (m_now.onChart[size_t(before)] && m_now.end[size_t(before)] > earliest)
            earliest = m_now.end[size_t(before)];
    return earliest;
}

QDateTime Planner::latestEnd(qint64 index) const
{
    const PlanRecord &record = lot(index);
    if (record.ParentArrangementNo == 0)
        return {};
    const auto next = m_byNumber.constFind(record.ParentArrangementNo);
    if (next == m_byNumber.cend() || m_movable[size_t(*next)] || !m_now.onChart[size_t(*next)])
        return {};
    return m_now.start[size_t(*next)];
}

const QDateTime &Planner::release(qint64 index, int row) const
{
    const auto key = qMakePair(index, row);
    if (const auto known = m_releases.constFind(key); known != m_releases.cend())
        return *known;
    QDateTime &limit = m_releases[key];
    const QDate due = lot(index).InitialDueDate;
    if (!due.isValid() || m_options.stockDays <= 0)
        return limit;
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
    limit = plant::naiveDateTime(day, dayStart);
    return limit;
}

std::optional<Slot> Planner::search(qint64 index, const Press &press, QDateTime from, const QDateTime &latest) const
{
    PlanRecord probe = lot(index);
    const QString &code = m_in.rows.row(press.row).code;
    probe.MachineCode = code;
    probe.WorkMinutes = press.minutes;
    const QString mold = moldOf(probe);
    const BusyTimes *moldBusy = nullptr;
    if (const auto found = m_now.moldBusy.constFind(mold); !mold.isEmpty() && found != m_now.moldBusy.cend())
        moldBusy = &*found;
    const BusyTimes &rowBusy = m_now.rowBusy[size_t(press.row)];
    // Working minutes take at least as long on the clock: no shorter gap can hold the lot.
    const qint64 length = qint64(probe.SetupMinutes + probe.WorkMinutes) * 60;
    for (int step = 0; step < MaxSearchSteps; ++step) {
        const qint64 fromKey = lots::instantKey(from.date(), from.time());
        if (auto room = rowBusy.roomFor(fromKey, length)) {
            from = *room;
            continue;
        }
        if (moldBusy)
            if (auto room = moldBusy->roomFor(fromKey, length)) {
                from = *room;
                continue;
            }
        const LotTimes times = lotTimesFrom(probe, from, code, m_in.rows, m_in.time, m_in.gridUnitMinutes,
                                            m_in.calendar.periodDays());
        Slot slot;
        slot.start = times.start;
        slot.end = m_in.time.AddWorkMinutesDefault(times.start, probe.SetupMinutes + probe.WorkMinutes, probe);
        if (!slot.start.isValid() || !slot.end.isValid() || slot.end > m_periodEnd)
            return std::nullopt;
        slot.startKey = lots::instantKey(slot.start.date(), slot.start.time());
        slot.endKey = lots::instantKey(slot.end.date(), slot.end.time());
        if (auto blocked = rowBusy.blockingEnd(slot.startKey, slot.endKey)) {
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
    const auto &molds = m_now.rowMolds[size_t(row)];
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
    const auto &molds = m_now.rowMolds[size_t(row)];
    const auto next = molds.lower_bound(startKey);
    return next != molds.begin() && std::prev(next)->first == previousStart;
}

bool Planner::late(qint64 index, const QDateTime &end) const
{
    const QDate &due = lot(index).InitialDueDate;
    return due.isValid() && end.date() > due;
}

qint64 Planner::lateness(qint64 index, const QDateTime &end) const
{
    if (!late(index, end))
        return 0;
    return plant::naiveDateTime(lot(index).InitialDueDate.addDays(1), QTime(0, 0)).secsTo(end);
}

bool Planner::offStored(qint64 index, int row) const
{
    const PlanRecord &record = lot(index);
    const QString code = m_in.rows.row(row).code.trimmed();
    return code != record.MachineCode.trimmed() && code != record.StoredMachineCode.trimmed();
}

void Planner::place(qint64 index, const Press &press, const Slot &slot)
{
    const QString mold = moldOf(lot(index));
    m_now.rowBusy[size_t(press.row)].take(slot.startKey, slot.endKey, slot.end);
    m_now.rowMolds[size_t(press.row)].emplace(slot.startKey, mold);
    if (!mold.isEmpty())
        m_now.moldBusy[mold].take(slot.startKey, slot.endKey, slot.end);
    m_now.decided[size_t(index)] = 1;
    m_now.onChart[size_t(index)] = 1;
    m_now.start[size_t(index)] = slot.start;
    m_now.end[size_t(index)] = slot.end;
    m_now.row[size_t(index)] = press.row;
    m_plan.planned.push_back(PlannedLot{index, m_in.rows.row(press.row).code, slot.start, slot.end, press.minutes,
                                        press.retimed, press.cycle, press.secondsPerPiece});
}

bool Planner::ready(qint64 index) const
{
    for (const qint64 before : m_earlier.value(index))
        if (m_movable[size_t(before)] && !m_now.decided[size_t(before)])
            return false;
    return true;
}

bool Planner::dispatch(qint64 index, Rule rule, QString &reason)
{
    const std::vector<Press> &presses = pressesOf(index, reason);
    if (presses.empty())
        return false;
    const PlanRecord &record = lot(index);
    const QDateTime earliest = earliestStart(index);
    const QDateTime latest = latestEnd(index);
    using Choice = std::tuple<int, qint64, int, qint64, int, int>;
    std::optional<Choice> best;
    std::optional<std::pair<Press, Slot>> chosen;
    for (const Press &press : presses) {
        std::optional<Slot> slot;
        if (rule == Rule::PlainDispatch) {
            slot = search(index, press, earliest, latest);
        } else {
            const QDateTime stockLimit = holdBack(index, press.row);
            slot = search(index, press, std::max(earliest, stockLimit), latest);
            // Lateness weighs more than stock: a lot that would be late when held back starts
            // earlier where that makes it less late.
            if (stockLimit > earliest && (!slot || late(index, slot->end)))
                if (std::optional<Slot> sooner = search(index, press, earliest, latest);
                    sooner && (!slot || lateness(index, sooner->end) < lateness(index, slot->end)))
                    slot = sooner;
        }
        if (!slot)
            continue;
        const Choice choice = rule == Rule::PlainDispatch
            ? Choice{0, 0, 0, slot->endKey, 0, press.row}
            : Choice{late(index, slot->end), lateness(index, slot->end),
                     moldChangesAdded(press.row, slot->startKey, moldOf(record)), slot->endKey,
                     offStored(index, press.row), press.row};
        if (!best || choice < *best) {
            best = choice;
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
        if (m_now.decided[size_t(next)] || !ready(next))
            continue;
        QString reason;
        const std::vector<Press> &presses = pressesOf(next, reason);
        const auto press = std::find_if(presses.begin(), presses.end(), [row](const Press &p) { return p.row == row; });
        if (press == presses.end())
            continue;
        const QDateTime stockLimit = holdBack(next, row);
        const std::optional<Slot> slot =
            search(next, *press, std::max({earliestStart(next), stockLimit, previousEnd}), latestEnd(next));
        // The lots come by due date: once one would start too early for its stock limit, so
        // would the later ones.
        if (stockLimit.isValid() && (!slot || slot->start < stockLimit))
            break;
        if (!slot || late(next, slot->end) || !followsDirectly(row, slot->startKey, previousStart))
            continue;
        place(next, *press, *slot);
        previousStart = slot->startKey;
        previousEnd = slot->end;
    }
}

AutoPlan Planner::decode(const std::vector<qint64> &order, Rule rule)
{
    m_now = m_base;
    m_plan = AutoPlan();
    m_holdBack = rule == Rule::Planner;
    size_t first = 0; // every lot before it is decided
    while (true) {
        while (first < order.size() && m_now.decided[size_t(order[first])])
            ++first;
        if (first == order.size())
            break;
        // The first lot of the order whose earlier processes are decided; in a chain that
        // runs in a circle, the first one.
        size_t pick = first;
        for (size_t k = first; k < order.size(); ++k)
            if (!m_now.decided[size_t(order[k])] && ready(order[k])) {
                pick = k;
                break;
            }
        const qint64 index = order[pick];
        QString reason;
        if (dispatch(index, rule, reason)) {
            if (rule != Rule::PlainDispatch)
                keepMoldTogether(index);
        } else {
            m_now.decided[size_t(index)] = 1;
            m_plan.left.push_back(LeftLot{index, reason});
        }
    }
    return std::move(m_plan);
}

Score Planner::score(const AutoPlan &plan, qint64 dispatchChanges) const
{
    Score score;
    score.left = qint64(plan.left.size());
    for (const PlannedLot &placed : plan.planned) {
        const int row = m_now.row[size_t(placed.lot)];
        score.late += late(placed.lot, placed.end);
        score.latenessSeconds += lateness(placed.lot, placed.end);
        score.earlyStarts += placed.start < release(placed.lot, row);
        score.offStored += offStored(placed.lot, row);
    }
    for (const auto &molds : m_now.rowMolds)
        for (auto it = molds.begin(); it != molds.end() && std::next(it) != molds.end(); ++it)
            score.moldChanges += it->second != std::next(it)->second;
    if (dispatchChanges >= 0)
        score.changesOverDispatch = std::max<qint64>(0, score.moldChanges - dispatchChanges);
    return score;
}

// A plan with the order and rule that made it, and its score.
struct Candidate
{
    AutoPlan plan;
    Score score;
    std::vector<qint64> order;
    Rule rule = Rule::PlainDispatch;
};

// The improvement: from each way of placing (the plain dispatch, the planner's rules, the same
// without holding lots back), the late lots are tried earlier in the order of placement (1, 4,
// 16 … places, last at the front) and the first better plan is climbed on from, until no late
// lot gains, the attempts run out, the time budget ends or the planner is stopped. The best
// plan of all climbs is taken.
class Improvement
{
public:
    Improvement(Planner &planner, const AutoPlanOptions &options, const AutoPlanProgress &progress)
        : m_planner(planner), m_options(options), m_progress(progress)
    {
        m_clock.start();
    }

    AutoPlan run();

private:
    // Whether the planner's time or patience is over; told how far it is.
    bool over();
    Candidate decode(std::vector<qint64> order, Rule rule);
    // Climbs from `start` as long as moving a late lot earlier gains.
    void climb(Candidate start);
    // Keeps `candidate` when it is the best plan so far.
    void keep(Candidate &candidate);
    // How late the lot is when it is the only one placed: no order of placement makes it less
    // late, so moving it earlier cannot gain.
    qint64 latenessAlone(qint64 lot);

    static constexpr int Starts = 3;
    static constexpr size_t Distances = 7;
    static constexpr size_t LateLotsTried = 60; // per start

    Planner &m_planner;
    const AutoPlanOptions &m_options;
    const AutoPlanProgress &m_progress;
    QElapsedTimer m_clock;
    qint64 m_dispatchChanges = -1;
    int m_done = 0;
    int m_total = 0;
    std::optional<Candidate> m_best;
    QHash<qint64, qint64> m_latenessAlone;
    bool m_stopped = false;
};

qint64 Improvement::latenessAlone(qint64 lot)
{
    if (const auto known = m_latenessAlone.constFind(lot); known != m_latenessAlone.cend())
        return *known;
    const AutoPlan alone = m_planner.decode({lot}, Rule::PlainDispatch);
    const qint64 seconds = alone.planned.empty() ? 0 : m_planner.lateSeconds(alone.planned.front());
    m_latenessAlone.insert(lot, seconds);
    return seconds;
}

bool Improvement::over()
{
    if (m_stopped)
        return true;
    ++m_done;
    if (m_progress && !m_progress(std::min(m_done, m_total), m_total))
        m_stopped = true;
    if (m_options.budgetSeconds > 0 && m_clock.elapsed() >= qint64(m_options.budgetSeconds) * 1000)
        m_stopped = true;
    return m_stopped;
}

Candidate Improvement::decode(std::vector<qint64> order, Rule rule)
{
    Candidate candidate;
    candidate.plan = m_planner.decode(order, rule);
    candidate.score = m_planner.score(candidate.plan, m_dispatchChanges);
    candidate.order = std::move(order);
    candidate.rule = rule;
    return candidate;
}

void Improvement::keep(Candidate &candidate)
{
    if (!m_best || candidate.score < m_best->score)
        m_best = candidate;
}

void Improvement::climb(Candidate current)
{
    keep(current);
    size_t tried = 0;
    bool gained = true;
    while (gained && tried < LateLotsTried && !m_stopped) {
        gained = false;
        std::vector<std::pair<qint64, qint64>> late; // (lateness, lot), latest first
        for (const PlannedLot &placed : current.plan.planned)
            if (const qint64 seconds = m_planner.lateSeconds(placed); seconds > 0)
                late.emplace_back(seconds, placed.lot);
        std::sort(late.begin(), late.end(), std::greater<>());
        for (const auto &[lateness, index] : late) {
            if (lateness <= latenessAlone(index))
                continue; // as late as it would be with only the lots that stay around it
            if (tried++ == LateLotsTried)
                break;
            const auto at = std::find(current.order.begin(), current.order.end(), index);
            const size_t position = size_t(at - current.order.begin());
            for (size_t distance = 1, k = 0; k < Distances && distance <= position && !over(); ++k) {
                std::vector<qint64> order = current.order;
                std::rotate(order.begin() + qint64(position - distance), order.begin() + qint64(position),
                            order.begin() + qint64(position) + 1);
                Candidate moved = decode(std::move(order), current.rule);
                if (moved.score < current.score) {
                    current = std::move(moved);
                    keep(current);
                    gained = true;
                    break;
                }
                distance = distance == position ? position + 1 : std::min(distance * 4, position);
            }
            if (gained || m_stopped)
                break;
        }
    }
}

AutoPlan Improvement::run()
{
    const std::vector<qint64> &dueOrder = m_planner.dueOrder();
    m_total = int(Starts * (1 + LateLotsTried * Distances));
    // The plain dispatch first: its mold changes are the bound the plan keeps to.
    Candidate dispatched = decode(dueOrder, Rule::PlainDispatch);
    m_dispatchChanges = dispatched.score.moldChanges;
    dispatched.score.changesOverDispatch = 0;
    std::vector<Candidate> starts;
    starts.push_back(std::move(dispatched));
    for (const Rule rule : {Rule::Planner, Rule::PlannerEarliest})
        if (!over())
            starts.push_back(decode(dueOrder, rule));
    for (Candidate &start : starts)
        climb(std::move(start));
    m_best->plan.stopped = m_stopped;
    return std::move(m_best->plan);
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
    Planner planner(input, options);
    if (options.plainDispatch)
        return planner.decode(planner.dueOrder(), Rule::PlainDispatch);
    return Improvement(planner, options, progress).run();
}
