#pragma once
// 計画の展開: the lots of one machine row laid out again from the start of the planning
// period, in start order, each one minute after the grid-rounded end of the one before. Lots
// that began before the period and locked lots stay where they are and the next lot follows
// their end; end-fixed lots are packed like free ones; a lot that would run into a later fixed
// lot is taken off the machine instead. The planner compacts a row with it after many moves.

#include "plan/PlanStore.h"

#include <QDateTime>
#include <QString>
#include <vector>

class ChartRows;
class EditPath;
class PlanInsertion;
class Prompter;
class WorkCalendar;
struct RunContext;

namespace packing {
extern const QString NotOnUnplanned; // the unassigned row (and any row without a machine)
extern const QString AskPack;        // the planner's consent, No the default
extern const QString CountSuffix;    // after the number of lots: "12件"
} // namespace packing

class RowPacking
{
public:
    RowPacking(EditPath &path, const ChartRows &rows, const WorkCalendar &calendar, const PlanInsertion &insertion,
               const RunContext &run, Prompter &prompter)
        : m_path(path), m_rows(rows), m_calendar(calendar), m_insertion(insertion), m_run(run), m_prompter(prompter)
    {
    }

    // The double-click (or right press) on the label of chart row `row`: only machine rows
    // are packed; the question and the count message come first. The whole row is one undo
    // step. False when the row is refused or the planner says No.
    bool pack(int row) const;

    // The lots of machine row `row` with an arrangement number, in packing order: by start,
    // among equal starts the smaller non-zero work minutes first, else the smaller quantity.
    std::vector<qint64> lotsOfRow(int row) const;
    // Where packing starts: the period's first day at the row's first shift start, or at the
    // day start when the row has no shift that day.
    QDateTime packingStart(int row) const;

private:
    void packLots(const std::vector<qint64> &lots, QDateTime limit) const;

    EditPath &m_path;
    const ChartRows &m_rows;
    const WorkCalendar &m_calendar;
    const PlanInsertion &m_insertion;
    const RunContext &m_run;
    Prompter &m_prompter;
};
