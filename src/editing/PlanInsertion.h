#pragma once
// Inserting a lot into its row's sequence: the lot takes the row's machine or subcontractor,
// its end follows from its working time, it may be pulled behind an earlier lot it overlaps,
// and the later lots it overlaps are pushed back one after another, each one minute after the
// grid-rounded end of the one before, fixed lots left where they are. The drop, the initial
// placement, the plan list and the detail window all insert through here.

#include "calendar/WorkingTime.h"
#include "editing/EditPath.h"

#include <QDateTime>

class Prompter;
struct RunContext;

namespace insertion {
extern const QString AskStartAfterEarlier;  // the question about an overlapped earlier lot
extern const QString AskPushLaterBack;      // the question about overlapped later lots
extern const QString FixedFirstLater;       // the message when the first later lot is fixed
} // namespace insertion

class PlanInsertion
{
public:
    PlanInsertion(const ChartRows &rows, const WorkingTime &time, const RunContext &run, Prompter &prompter)
        : m_rows(rows), m_time(time), m_run(run), m_prompter(prompter)
    {
    }

    // While set (the placement of all lots after loading) later lots are pushed back without
    // asking; the question about an earlier lot is still asked.
    void setBatch(bool batch) { m_batch = batch; }
    bool batch() const { return m_batch; }

    // Insert_PlanBarStep2: puts the lot of `bar` on the row `rowCode` (a machine row, a
    // subcontractor row, or "" for none) with destination `destinationCode` ("" lets the row
    // decide), recomputes its end and resolves its overlaps, all within `edit`.
    void Insert_PlanBarStep2(Edit &edit, qint64 bar, const QString &rowCode, const QString &destinationCode) const;
    // The same for the lot at store index `lot`.
    void insertLot(Edit &edit, qint64 lot, const QString &rowCode, const QString &destinationCode) const;

    // The end of a lot that starts at `start`, over its setup and work minutes on its row.
    QDateTime endOf(const PlanRecord &lot, const QDateTime &start) const;

    // Puts the lot on the row `rowCode` (destination as above) without touching its times: the
    // codes a drop on that row gives it.
    void assignRow(Edit &edit, qint64 lot, QString rowCode, QString destinationCode) const;

private:
    void recomputeEnd(Edit &edit, qint64 lot) const;
    // The obstacle of the lot's row that starts before it and ends after its start, with the
    // latest end; 0 when there is none.
    qint64 overlappedEarlier(const Edit &edit, qint64 lot) const;
    void pushLaterBack(Edit &edit, qint64 lot) const;

    const ChartRows &m_rows;
    const WorkingTime &m_time;
    const RunContext &m_run;
    Prompter &m_prompter;
    bool m_batch = false;
};

// FunGetMachineLastDate: the latest end among the confirmed or placed lots whose machine code
// is exactly `machineCode`; a null date-time when the code is "" or no lot qualifies.
QDateTime FunGetMachineLastDate(const RowIndex &index, const PlanStore &store, const QString &machineCode);
