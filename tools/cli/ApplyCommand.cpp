#include "ApplyCommand.h"

#include "CliSession.h"
#include "PlanScript.h"
#include "ScriptFile.h"

#include "persist/ChangedElsewhere.h"
#include "persist/SaveProgress.h"
#include "session/PlanSession.h"

namespace {

int scriptError(const QString &source, const ScriptReadError &error)
{
    cliErr() << QStringLiteral("%1 の %2 行目: %3 何も保存していません。").arg(source).arg(error.line).arg(error.text)
             << u'\n';
    cliErr().flush();
    return cli::BadInput;
}

// Each lot the save left because others changed its rows, one line on the error output.
void reportChangedElsewhere(const SaveResult &saved)
{
    for (const ElsewhereChange &change : saved.changedElsewhere)
        cliErr() << QStringLiteral("手配番号 %1 (品名 %2): 読込後に他で変更されています (%3)。%4")
                        .arg(change.arrangementNo)
                        .arg(change.itemCode, change.describe(),
                             change.gone ? QStringLiteral("上書きできません。") : QStringLiteral("保存していません。"))
                 << u'\n';
    cliErr().flush();
}

// What --overwrite wrote over: each lot, column, their value and ours, one line each.
void reportOverwritten(const SaveResult &saved)
{
    if (saved.overwritten.empty())
        return;
    cliErr() << QStringLiteral("他で変更された次の値を上書きしました (他での値→この計画の値):") << u'\n'
             << overwrittenReport(saved.overwritten) << u'\n';
    cliErr().flush();
}

} // namespace

int saveThenPrint(PlanSession &session, bool save, bool overwrite)
{
    if (save && session.inquiryMode()) {
        // An operator with inquiry rights may try a script, never write its result.
        printPlan(session);
        cliErr() << QStringLiteral("照会モードでは保存できません。") << u'\n';
        cliErr().flush();
        return cli::Failed;
    }
    if (save && session.hasUnsavedChanges()) {
        QuietProgress progress;
        const PlanSession::ElsewherePolicy policy = overwrite
                                                        ? PlanSession::ElsewherePolicy::Overwrite
                                                        : PlanSession::ElsewherePolicy::KeepUnsaved;
        const SaveResult saved = session.save(progress, [policy](const SaveResult &) { return policy; });
        reportOverwritten(saved);
        if (saved.outcome == SaveResult::Outcome::ChangedElsewhere) {
            printPlan(session);
            reportChangedElsewhere(saved);
            return cli::ChangedElsewhere;
        }
        if (saved.outcome != SaveResult::Outcome::Complete) {
            printPlan(session);
            cliErr() << QStringLiteral("保存が完了しませんでした。") << u'\n';
            cliErr().flush();
            return cli::Failed;
        }
        if (!saved.partlyFailedLots.empty()) {
            printPlan(session);
            cliErr() << QStringLiteral("保存しましたが、一部の計画は情報の一部を保存できませんでした。") << u'\n';
            cliErr().flush();
            return cli::PartlySaved;
        }
    }
    printPlan(session);
    return cli::Done;
}

int runApplyCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("計画データを読み込み、スクリプトの操作を1行ずつ実行して、ロットを plan と同じ形で出力します。\n"
                       "操作:\n  ")
        + scriptActionUsages().join(QStringLiteral("\n  ")));
    parser.addPositionalArgument(QStringLiteral("apply"), QStringLiteral("スクリプトの操作を実行"));
    const QCommandLineOption scriptOption(QStringLiteral("script"), QStringLiteral("操作のスクリプト (- は標準入力)"),
                                          QStringLiteral("file"));
    const QCommandLineOption saveOption(QStringLiteral("save"), QStringLiteral("最後に保存する (なければ何も書き込まない)"));
    const QCommandLineOption overwriteOption(
        QStringLiteral("overwrite"), QStringLiteral("読込後に他で変更された手配も上書きする (完納・削除されたものを除く)"));
    parser.addOptions({scriptOption, saveOption, overwriteOption});
    CliSession cli(parser);
    if (!parser.parse(arguments))
        return cli.usage(parser.errorText());
    if (const auto failed = cli.readOptions())
        return *failed;
    if (!parser.isSet(scriptOption))
        return cli.usage(QStringLiteral("スクリプトがありません。--script を指定してください。"));
    const QString source = parser.value(scriptOption);
    const auto text = readScriptFile(source);
    if (const auto *refused = std::get_if<ScriptFileRefusal>(&text))
        return cli.usage(refused->text);
    const ReadScript script = readPlanScript(std::get<QString>(text));
    if (script.error)
        return scriptError(source, *script.error);

    if (const auto failed = cli.load())
        return *failed;
    PlanSession &session = cli.session();
    if (const auto failure = runPlanScript(script.lines, session, &cli.prompter()))
        return scriptError(source, *failure);
    return saveThenPrint(session, parser.isSet(saveOption), parser.isSet(overwriteOption));
}
