#pragma once
// What the detail window hands back to the plan when it closes: the working copy and the
// boxes become the lot's values in one planner action (one undo step), and a lot that was
// moved or re-timed is inserted into its row again. Processes added in the window are part
// of the working copy, so they come in the same step; a cancelled window (or one without
// item code) still hands them over, as an action "工程追加" of their own.

#include "dialogs/PlanDetail.h"

class Edit;
class PlanInsertion;

enum class WriteBackResult {
    NothingWritten, // no item code, or cancelled, and nothing added or hidden
    Written,
    StartRefused,   // the start date or time is no date: the window stays open
    EndRefused,     // the end date or time is no date: the window stays open
    NumberRefused,  // a quantity, minutes, seconds a piece or persons box holds no number:
                    // the window stays open
};

struct WriteBack
{
    WriteBackResult result = WriteBackResult::NothingWritten;
    QString box; // the box the focus goes to when refused
};

// The destination as stored: one character (a department) counts as none, any other is
// padded to 12 characters.
QString destinationOf(const QString &text);
// The machine as stored: eight characters.
QString machineOf(const QString &text);

// What closing the window writes, checked before anything changes: the result for the window
// and, unless `label` is empty, the planner action that writes it. `boxes`: the boxes and the
// working copy become the lot's values; otherwise only the added processes (and a hide) do.
struct DetailWrite
{
    WriteBack back;
    QString label;
    bool boxes = false;
    bool hide = false;
};
DetailWrite planDetailWrite(const PlanDetail &detail, const PlanRecord &lot, Prompter &prompter);
// The processes added in the window so far, as their own planner action, before a split cuts
// the lot as the window shows it.
DetailWrite additionsWrite(const PlanDetail &detail);
// Writes what `write` says into the open planner action `edit`; a lot that was moved or
// re-timed is inserted into its row again.
void writeDetail(Edit &edit, const PlanDetail &detail, qint64 lot, const DetailWrite &write,
                 const PlanInsertion &insertion);
