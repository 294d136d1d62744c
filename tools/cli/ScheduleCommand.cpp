#include "ScheduleCommand.h"

#include "ApplyCommand.h"
#include "AutoPlanWords.h"
#include "CliSession.h"
#include "PlanScript.h"

#include "session/PlanSession.h"

int runScheduleCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("計画データを読み込み、自動計画を実行して、その結果とロットを plan と同じ形で出力します。"));
    parser.addPositionalArgument(QStringLiteral("schedule"), QStringLiteral("自動計画"));
    const QCommandLineOption keepTentative(QStringLiteral("keep-tentative"),
                                           QStringLiteral("機械上の仮計画は組み直さない"));
    const QCommandLineOption due(QStringLiteral("due"), QStringLiteral("この納期までのロットだけ計画する"),
                                 QStringLiteral("yyyy/mm/dd"));
    const QCommandLineOption machines(QStringLiteral("machines"), QStringLiteral("この機械だけに計画する (カンマ区切り)"),
                                      QStringLiteral("M1,M2"));
    const QCommandLineOption stock(QStringLiteral("stock"),
                                   QStringLiteral("納期のこの稼働日数より前には始めない (既定 10、0 は制限なし)"),
                                   QStringLiteral("days"));
    const QCommandLineOption budget(QStringLiteral("budget"),
                                    QStringLiteral("改善に使う時間の上限 (秒、既定 10、0 は制限なし)"), QStringLiteral("seconds"));
    const QCommandLineOption plain(QStringLiteral("plain-dispatch"),
                                   QStringLiteral("比較用: 納期順に最も早く終わる機械へ置くだけの単純な割付"));
    const QCommandLineOption saveOption(QStringLiteral("save"), QStringLiteral("最後に保存する (なければ何も書き込まない)"));
    const QCommandLineOption overwriteOption(
        QStringLiteral("overwrite"), QStringLiteral("読込後に他で変更された手配も上書きする (完納・削除されたものを除く)"));
    parser.addOptions({keepTentative, due, machines, stock, budget, plain, saveOption, overwriteOption});
    CliSession cli(parser);
    if (!parser.parse(arguments))
        return cli.usage(parser.errorText());
    if (const auto failed = cli.readOptions())
        return *failed;
    QStringList words;
    if (parser.isSet(keepTentative))
        words << QStringLiteral("tentative=no");
    if (parser.isSet(due))
        words << QStringLiteral("due=") + parser.value(due);
    if (parser.isSet(machines))
        words << QStringLiteral("machines=") + parser.value(machines);
    if (parser.isSet(stock))
        words << QStringLiteral("stock=") + parser.value(stock);
    if (parser.isSet(budget))
        words << QStringLiteral("budget=") + parser.value(budget);
    if (parser.isSet(plain))
        words << QStringLiteral("plain=yes");
    AutoPlanOptions options;
    try {
        options = autoPlanOptions(words);
    } catch (const ScriptFailure &failure) {
        return cli.usage(failure.text);
    }

    if (const auto failed = cli.load())
        return *failed;
    PlanSession &session = cli.session();
    const AutoPlanReport report = session.autoPlan(options);
    if (!report.ran)
        return cli::Failed;
    cliOut() << autoPlanReportLines(report, session.store()).join(u'\n') << u'\n';
    cliOut().flush();
    return saveThenPrint(session, parser.isSet(saveOption), parser.isSet(overwriteOption));
}
