#pragma once
// "kalvuner-cli plan": loads the plan of one plant and process class the way the main window
// does and prints every lot of the store as one tab-separated line.

#include <QStringList>

// Returns the exit code: 0 loaded and printed, 1 the database failed, 2 bad arguments.
int runPlanCommand(const QStringList &arguments);
