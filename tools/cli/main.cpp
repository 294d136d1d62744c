// kalvuner-cli: the planner's work without windows. Subcommands:
//   plan   load one plant and process class and print its lots (see PlanCommand.h)
//   apply  carry out the planner actions of a script on that plan, save, print (ApplyCommand.h)
//   schedule plan the class's waiting and tentative lots automatically, save, print (ScheduleCommand.h)
//   export write files of that plan: the plan list as CSV, the chart as PDF or PNG (ExportCommand.h)

#include "ApplyCommand.h"
#include "ExportCommand.h"
#include "PlanCommand.h"
#include "ScheduleCommand.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstring>
#include <memory>

int main(int argc, char **argv)
{
    // The chart's PDF and PNG need fonts and a painter, which a GUI application brings; its
    // off-screen platform needs no display.
    const bool paints = argc >= 2 && std::strcmp(argv[1], "export") == 0;
    if (paints && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        paints ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.size() >= 2 ? arguments.at(1) : QString();
    if (command == QStringLiteral("plan"))
        return runPlanCommand(arguments);
    if (command == QStringLiteral("apply"))
        return runApplyCommand(arguments);
    if (command == QStringLiteral("schedule"))
        return runScheduleCommand(arguments);
    if (command == QStringLiteral("export"))
        return runExportCommand(arguments);
    QTextStream(stderr)
        << "使い方: kalvuner-cli plan|apply|schedule|export (--settings planner.ini | --db データソース [--user U --password P])"
           " [--plant N] --class 工程分類コード --start yyyymmdd [--end yyyymmdd] [--operator 担当者コード] [--answer yes|no]\n"
           "        apply はさらに --script ファイル|- [--save]\n"
           "        schedule はさらに [--keep-tentative] [--due yyyy/mm/dd] [--machines M1,M2] [--stock 日数] [--save]\n"
           "        export はさらに --csv ファイル [--encoding utf-8|shift_jis] [--replace-unmappable]\n"
           "                       --pdf ファイル | --png ファイル [--mode 1-4] [--from yyyymmdd] [--to yyyymmdd]"
           " [--paper a3|a4] [--scale 倍率]\n";
    return 2;
}
