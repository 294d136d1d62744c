// kalvuner-cli: the planner's work without windows. Subcommands:
//   plan   load one plant and process class and print its lots (see PlanCommand.h)
//   apply  carry out the planner actions of a script on that plan, save, print (ApplyCommand.h)

#include "ApplyCommand.h"
#include "PlanCommand.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString command = arguments.size() >= 2 ? arguments.at(1) : QString();
    if (command == QStringLiteral("plan"))
        return runPlanCommand(arguments);
    if (command == QStringLiteral("apply"))
        return runApplyCommand(arguments);
    QTextStream(stderr)
        << "使い方: kalvuner-cli plan|apply (--settings planner.ini | --db データソース [--user U --password P])"
           " [--plant N] --class 工程分類コード --start yyyymmdd [--end yyyymmdd] [--answer yes|no]\n"
           "        apply はさらに --script ファイル|- [--save]\n";
    return 2;
}
