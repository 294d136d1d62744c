#pragma once
// The program's command line: three arguments (start date "yyyymmdd" or "1", process class
// code, operator code) and the options for unattended runs.

#include <QString>
#include <QStringList>

struct LaunchOptions
{
    QString launchArgs;      // the three tokens joined by one blank (LaunchArgs)
    QString operatorCode;    // the third token
    QString screenshotPath;  // --screenshot FILE: save the loaded main window as PNG and end
    int displayMode = 0;     // --mode N: the chart's display mode for the screenshot, 0 = as opened
    QString settingsPath;    // --settings FILE: instead of planner.ini beside the program

    bool unattended() const { return !screenshotPath.isEmpty(); }
};

namespace commandline {

// The expected form, for messages and --help.
QString usage();

// Reads `arguments` (as QCoreApplication::arguments(), program name first), each argument one
// token. Throws StartupError with the expected form when fewer or more than three tokens are
// given, a token holds a character the plant's codes cannot hold (a blank among them), or an
// option is wrong.
LaunchOptions parse(const QStringList &arguments);

} // namespace commandline
