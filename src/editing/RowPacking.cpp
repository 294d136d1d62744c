#include "editing/RowPacking.h"

#include "plan/Prompter.h"
#include "plan/RunContext.h"
#include "calendar/GridRounding.h"
#include "common/PlantValues.h"
#include "editing/EditPath.h"
#include "editing/LotRules.h"
#include "editing/PlanInsertion.h"
#include "editing/RowCodes.h"
#include "editing/SuccessorQueue.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"

#include <algorithm>
#include <limits>

namespace packing {
const QString NotOnUnplanned = QStringLiteral("未計画分は展開できません");
const QString AskPack = QStringLiteral("計画の展開を行ないますか？");
const QString CountSuffix = QStringLiteral("件");
} // namespace packing

namespace {

// The code a lot is placed by: its machine, else its subcontractor.
QStringView placedBy(const PlanRecord &lot)
{
    const QStringView machine = QStringView(lot.MachineCode).trimmed();
    return machine.isEmpty() ? QStringView(lot.SupplierCode).trimmed() : machine;
}

} // namespace

bool RowPacking::pack(int row) const
{
    if (!m_rows.isMachineRow(row)) {
        m_prompter.inform(packing::NotOnUnplanned);
        return false;
    }
    if (!m_prompter.ask(packing::AskPack, {}, false))
        return false;
    const std::vector<qint64> lots = lotsOfRow(row);
    m_prompter.inform(QString::number(lots.size()) + packing::CountSuffix);
    packLots(lots, packingStart(row));
    return true;
}

std::vector<qint64> RowPacking::lotsOfRow(int row) const
{
    std::vector<qint64> lots;
    const QString &code = m_rows.row(row).code;
    // A lot belongs to the first row whose code matches its own; a later row with the same
    // code has none.
    if (rowcodes::firstRowOfTrimmed(m_rows, code) != row)
        return lots;
    const QStringView wanted = QStringView(code).trimmed();
    const PlanStore &store = m_path.store();
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        if (store[i].Active > 0 && store[i].ArrangementNo != 0 && placedBy(store[i]) == wanted)
            lots.push_back(i);
    std::stable_sort(lots.begin(), lots.end(),
                     [&](qint64 a, qint64 b) { return lots::startKey(store[a]) < lots::startKey(store[b]); });
    bubbleSameStarts(lots, store);
    return lots;
}

QDateTime RowPacking::packingStart(int row) const
{
    const QDate first = m_calendar.periodStart();
    const CalendarDay *day = m_calendar.day(row, 2);
    const QTime shiftStart = day ? day->shiftTimes[0] : QTime(0, 0);
    return plant::naiveDateTime(first, shiftStart == QTime(0, 0) ? m_run.DayStartTime : shiftStart);
}

void RowPacking::packLots(const std::vector<qint64> &lots, QDateTime limit) const
{
    const PlanStore &store = m_path.store();
    // The earliest start among the fixed lots from each position of the list on: a packed lot
    // that would end after it runs into a fixed lot. Lots later in the list are not changed
    // before their turn, so their starts can be read up front.
    std::vector<qint64> fixedFrom(lots.size() + 1, std::numeric_limits<qint64>::max());
    for (size_t i = lots.size(); i-- > 0;)
        fixedFrom[i] = std::min(fixedFrom[i + 1],
                                lots::isFixed(store[lots[i]]) ? lots::startKey(store[lots[i]])
                                                              : std::numeric_limits<qint64>::max());

    const QDate periodStart = m_calendar.periodStart();
    Edit edit = m_path.beginAction(QStringLiteral("計画の展開"));
    for (size_t i = 0; i < lots.size(); ++i) {
        const qint64 lot = lots[i];
        const PlanRecord &record = edit.record(lot);
        if (record.StartDate < periodStart || record.isLocked()) {
            // Begun before the period, or locked: the lot stays and the next one follows it.
            limit = std::max(limit, lots::endInstant(record));
            continue;
        }
        const QDateTime previous = limit;
        const QDateTime start = RoundToGrid(limit, m_run.GridUnitMinutes).addSecs(60);
        limit = m_insertion.endOf(record, start);
        const bool runsIntoFixed = fixedFrom[i + 1] < lots::instantKey(limit.date(), limit.time());
        edit.change(lot, [&](PlanRecord &packed) {
            lots::setStart(packed, start);
            lots::setEnd(packed, limit);
            if (runsIntoFixed) {
                // Rather than run into a fixed lot, the lot waits unassigned.
                packed.ConfirmState = QStringLiteral("1");
                packed.SchedulerFixed = QStringLiteral("0");
                packed.MachineCode = lots::blankMachine();
            }
        });
        if (runsIntoFixed)
            limit = previous;
    }
    edit.commit();
}
