#pragma once
// "kalvuner-cli export": loads the plan of one plant and process class as `plan` does and
// writes the files asked for on the command line (see the ExportOutput kinds it lists).
// Runs without a display (the chart is painted on Qt's off-screen platform).

#include <QStringList>

// Returns the exit code: 0 every file written, 1 the database failed or a file could not be
// written, 2 a wrong command line or a character the chosen encoding cannot hold.
int runExportCommand(const QStringList &arguments);
