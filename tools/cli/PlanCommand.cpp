#include "PlanCommand.h"

#include "CliSession.h"
#include "PlanReports.h"

int runPlanCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("計画データを読み込み、ロットを1行ずつタブ区切りで出力します。"));
    parser.addPositionalArgument(QStringLiteral("plan"), QStringLiteral("計画データの出力"));
    const QCommandLineOption conflicts(QStringLiteral("conflicts"),
                                       QStringLiteral("ロットの代わりに重複（機械・金型）を1件1行で出力します。"));
    const QCommandLineOption load(QStringLiteral("load"),
                                  QStringLiteral("ロットの代わりに機械別・日別の負荷（計画分/稼働分）を出力します。"));
    parser.addOption(conflicts);
    parser.addOption(load);
    CliSession cli(parser);
    if (!parser.parse(arguments))
        return cli.usage(parser.errorText());
    if (parser.isSet(conflicts) && parser.isSet(load))
        return cli.usage(QStringLiteral("--conflicts と --load は同時に指定できません。"));
    if (const auto failed = cli.readOptions())
        return *failed;
    if (const auto failed = cli.load())
        return *failed;
    if (parser.isSet(conflicts))
        printConflicts(cli.session(), cliOut());
    else if (parser.isSet(load))
        printLoad(cli.session(), cliOut());
    else
        printPlan(cli.session());
    return cli::Done;
}
