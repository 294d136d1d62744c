#pragma once
// The program's command line: three blank-separated tokens (start date "yyyymmdd" or "1",
// process class code, operator code) and the options for unattended runs.

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

// Splits `arguments` (as QCoreApplication::arguments(), program name first). Tokens given
// as one quoted argument are split at blanks as well. Throws StartupError with the expected
// form when fewer than three tokens are given or an option is wrong.
LaunchOptions parse(const QStringList &arguments);

} // namespace commandline
