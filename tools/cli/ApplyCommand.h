#pragma once
// "kalvuner-cli apply": loads the plan of one plant and process class as `plan` does, carries
// out the planner actions of a script on it through the plan session (see PlanScript.h),
// saves with --save, and prints the plan as `plan` does.

#include <QStringList>

class PlanSession;

// Returns the exit code: 0 done, 1 the database failed or the save did not complete, 2 a wrong
// command line or a script line that cannot be carried out (nothing is saved then).
int runApplyCommand(const QStringList &arguments);

// Saves the session's plan when `save` (lots changed elsewhere written over when `overwrite`),
// telling what the save left, then prints the plan as `plan` does; returns the exit code as
// runApplyCommand does.
int saveThenPrint(PlanSession &session, bool save, bool overwrite);
