#pragma once
// The working calendar of the chart's machine rows: per machine row and day index
// k = 0 .. periodDays (day k is the period start date - 2 + k), the day's working hours, up
// to four shift pairs, the changed mark and the working spans. The unassigned row and the
// subcontractor rows have no calendar.

#include "calendar/DaySpans.h"
#include "calendar/StoredDayRows.h"

#include <QDate>
#include <QTime>
#include <optional>
#include <vector>

struct CalendarDay
{
    CalendarDay() { shiftTimes.fill(QTime(0, 0)); }

    int workHours = 0;     // sum of the date's 勤務時間
    ShiftTimes shiftTimes; // slots 1..8 at 0..7
    bool changed = false;  // set by the operating-time change, written back by saving
    DaySpans hourly;       // the working spans

    // Rebuilds the working spans from the shift times and the breaks. A day of 0 hours is a
    // day off: it has no working time whatever shift times it keeps.
    void rebuildSpans(const BreakTable &breaks, const QTime &dayStart);
};

class WorkCalendar
{
public:
    // Empty calendar days for the machine rows 2 .. lastMachineRow over the period.
    void reset(const QDate &periodStart, const QDate &periodEnd, const QTime &dayStart, int lastMachineRow);

    const QDate &periodStart() const { return m_periodStart; }
    const QTime &dayStart() const { return m_dayStart; }
    // End date - start date + 3: the two days before the period, its days and one more.
    int periodDays() const { return m_periodDays; }
    int lastMachineRow() const { return m_lastMachineRow; }
    // The date of day index k.
    QDate dateOf(qint64 k) const { return m_periodStart.addDays(k - 2); }

    // The day of a machine row; nullptr for other rows and for k outside 0 .. periodDays.
    CalendarDay *day(int row, qint64 k);
    const CalendarDay *day(int row, qint64 k) const;

    // The stored rows the load read a day from (see StoredDay); empty for a day without rows
    // and for days outside the calendar. Loading sets them, and saving as it writes them.
    const StoredDay &storedRows(int row, qint64 k) const;
    void setStoredRows(int row, qint64 k, StoredDay stored);

    // The plant's 勤務時間 column holds whole hours only: saving shares a day's total among
    // its rows in whole hours. Set by loading.
    bool wholeHours() const { return m_wholeHours; }
    void setWholeHours(bool whole) { m_wholeHours = whole; }

private:
    std::optional<size_t> position(int row, qint64 k) const;

    QDate m_periodStart;
    QTime m_dayStart{0, 0};
    int m_periodDays = 0;
    int m_lastMachineRow = 1;
    bool m_wholeHours = false;
    std::vector<CalendarDay> m_days; // row-major: (row - 2) * (periodDays + 1) + k
    std::vector<StoredDay> m_stored; // the same order as m_days
};
