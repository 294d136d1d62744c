#pragma once
// What the detail window hands back to the plan when it closes: the working copy and the
// boxes become the lot's values in one planner action (one undo step), and a lot that was
// moved or re-timed is inserted into its row again. Processes added in the window are part
// of the working copy, so they come in the same step; a cancelled window (or one without
// item code) still hands them over, as an action "工程追加" of their own.

#include "dialogs/PlanDetail.h"

class EditPath;
class PlanInsertion;
struct RunContext;

enum class WriteBackResult {
    NothingWritten, // no item code, or cancelled, and nothing added or hidden
    Written,
    StartRefused,   // the start date or time is no date: the window stays open
    EndRefused,     // the end date or time is no date: the window stays open
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

// Hands the lot the processes added in the window so far, as their own planner action, before
// a split cuts the lot as the window shows it.
void writeProcessAdditions(PlanDetail &detail, qint64 lot, EditPath &path);

WriteBack writeBackDetail(PlanDetail &detail, qint64 lot, EditPath &path, const PlanInsertion &insertion,
                          Prompter &prompter);
