// kalvuner-cli: the planner's work without windows. Subcommands:
//   plan   load one plant and process class and print its lots (see PlanCommand.h)
//   apply  carry out the planner actions of a script on that plan, save, print (ApplyCommand.h)
//   export write files of that plan: the plan list as CSV (ExportCommand.h)

#include "ApplyCommand.h"
#include "ExportCommand.h"
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
    if (command == QStringLiteral("export"))
        return runExportCommand(arguments);
    QTextStream(stderr)
        << "使い方: kalvuner-cli plan|apply|export (--settings planner.ini | --db データソース [--user U --password P])"
           " [--plant N] --class 工程分類コード --start yyyymmdd [--end yyyymmdd] [--operator 担当者コード] [--answer yes|no]\n"
           "        apply はさらに --script ファイル|- [--save]\n"
           "        export はさらに --csv ファイル [--encoding utf-8|shift_jis] [--replace-unmappable]\n";
    return 2;
}
