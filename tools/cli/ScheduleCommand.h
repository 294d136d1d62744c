#pragma once
// "kalvuner-cli schedule": loads the plan of one plant and process class as `plan` does, runs
// 自動計画 on it with the options of the window, prints the report, saves with --save and
// prints the plan as `plan` does.

#include <QStringList>

// Returns the exit code as `apply` does; 2 also when an option of the planner cannot be read.
int runScheduleCommand(const QStringList &arguments);
