#include "PlanCommand.h"

#include "CliSession.h"

int runPlanCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("計画データを読み込み、ロットを1行ずつタブ区切りで出力します。"));
    parser.addPositionalArgument(QStringLiteral("plan"), QStringLiteral("計画データの出力"));
    CliSession cli(parser);
    if (!parser.parse(arguments))
        return cli.usage(parser.errorText());
    if (const auto failed = cli.readOptions())
        return *failed;
    if (const auto failed = cli.load())
        return *failed;
    printPlan(cli.session());
    return cli::Done;
}
