// kalvuner-cli: the planner's work without windows. Subcommands:
//   plan   load one plant and process class and print its lots (see PlanCommand.h)

#include "PlanCommand.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() >= 2 && arguments.at(1) == QStringLiteral("plan"))
        return runPlanCommand(arguments);
    QTextStream(stderr) << "使い方: kalvuner-cli plan (--settings planner.ini | --db データソース [--user U --password P])"
                           " [--plant N] --class 工程分類コード --start yyyymmdd [--end yyyymmdd] [--answer yes|no]\n";
    return 2;
}
