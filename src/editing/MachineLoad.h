#pragma once
// How full each machine is, day by day: the working minutes its lots are planned to run on a
// working day (the part of each lot inside the day's working spans) against the day's
// working minutes from the work calendar. Each lot's share of each day is kept, so a changed
// lot or calendar day is followed without walking the plan.

#include "calendar/WorkCalendar.h"
#include "editing/PlanConflicts.h"
#include "plan/ChartRows.h"
#include "plan/PlanStore.h"

#include <QList>
#include <optional>
#include <vector>

struct CalendarDayRef;

class MachineLoad
{
public:
    MachineLoad(const ChartRows &rows, const WorkCalendar &calendar) : m_rows(rows), m_calendar(calendar) {}

    // Everything afresh, with the lots standing on rows as `conflicts` has them.
    void rebuild(const PlanStore &store, const PlanConflicts &conflicts);
    void updateLots(const PlanStore &store, const PlanConflicts &conflicts, const QList<qint64> &indices);
    void updateDays(const PlanStore &store, const PlanConflicts &conflicts, const QList<CalendarDayRef> &days);

    // Machine row `row`, day index `day` (0 .. periodDays); 0 outside the calendar.
    qint64 plannedMinutes(int row, qint64 day) const;
    qint64 workingMinutes(int row, qint64 day) const;
    // Planned against working minutes in percent, rounded; -1 for a day without working time
    // and nothing planned, and planned minutes on a day without working time count as 999.
    int percent(int row, qint64 day) const;

private:
    struct DayShare
    {
        int row = 0;
        qint64 day = 0;
        qint64 seconds = 0;
    };
    std::optional<size_t> cell(int row, qint64 day) const;
    // The instant (lots::instantKey) the working day `day` starts.
    qint64 dayStartKey(qint64 day) const;
    qint64 workingSeconds(int row, qint64 day) const;
    void takeShares(qint64 lot);
    void putShares(const PlanStore &store, qint64 lot, int row);

    const ChartRows &m_rows;
    const WorkCalendar &m_calendar;
    qint64 m_firstDayKey = 0;
    std::vector<qint64> m_planned; // seconds, row-major like the calendar
    std::vector<qint64> m_working;
    std::vector<std::vector<DayShare>> m_shares; // by store index
};
