#pragma once
// The planner's edits in the plan list (PlanDataGrid): the display and confirmation ticks,
// the machine, quantity and remarks cells (FunUpdatePlanInfoFromGrid) and a row dragged
// onto another row. Each committed edit is one planner action of the edit path, so one undo
// step; lots that change place are inserted on their row with the insertion steps.

#include "editing/PlanInsertion.h"

class Prompter;

namespace gridedit {
extern const QString UnknownMachine;  // the message for a machine code that names no row
extern const QString BadQuantity;     // the message for a quantity that is no number
} // namespace gridedit

class PlanGridEdit
{
public:
    enum class Outcome {
        Rejected,       // the value was refused; the editor stays open with the typed text
        Unchanged,      // accepted, nothing to change
        Changed,        // the lot changed in place
        MachineChanged, // the lot went to another machine, or off its machine
    };

    PlanGridEdit(EditPath &path, const PlanInsertion &insertion, const ChartRows &rows, const WorkingTime &time,
                 const RunContext &run, Prompter &prompter)
        : m_path(path), m_insertion(insertion), m_rows(rows), m_time(time), m_run(run), m_prompter(prompter)
    {
    }

    // A click on column 1 or 2: the display flag flips between 1 and 0, the confirmation class
    // between "2" (ticked) and "1" (cleared).
    void toggleDisplay(qint64 lot);
    void toggleConfirm(qint64 lot);

    // FunUpdatePlanInfoFromGrid: applies the text committed in an editable cell of lot `lot`.
    Outcome FunUpdatePlanInfoFromGrid(qint64 lot, int column, const QString &text);

    // A row dragged onto another row: the dragged lot starts at the first working moment after
    // the target lot's end and is inserted on the target's machine. False when the target has
    // no machine (nothing happens).
    bool queueBehind(qint64 dragged, qint64 target);

    // The row (a machine or subcontractor row) whose code is `code`, compared trimmed; 0 when
    // there is none.
    int rowOfTypedCode(const QString &code) const;

private:
    Outcome changeMachine(qint64 lot, const QString &text);
    Outcome changeQuantity(qint64 lot, const QString &text);
    Outcome changeRemarks(qint64 lot, const QString &text);
    // Takes the lot off its machine onto the unassigned row; its dates go back to the ones it
    // was loaded with, its times to 0:00:00. An end-fixed lot stays, as it does when its bar
    // is dropped on the strip.
    Outcome unassign(qint64 lot);
    // Re-placing: the working time follows quantity and rate, then the lot is inserted on the
    // row of `rowCode` from its current start.
    void replace(Edit &edit, qint64 lot, const QString &rowCode) const;
    void recomputeWorkMinutes(Edit &edit, qint64 lot) const;

    EditPath &m_path;
    const PlanInsertion &m_insertion;
    const ChartRows &m_rows;
    const WorkingTime &m_time;
    const RunContext &m_run;
    Prompter &m_prompter;
};
