// auto-plan [options]: 自動計画 of the loaded class, as the window's 実行 does it; the report
// goes to the error output.

#include "../AutoPlanWords.h"
#include "../CliSession.h"
#include "../PlanScript.h"

#include "session/PlanSession.h"

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("auto-plan"),
    AutoPlanUsage,
    [](const QStringList &words) { autoPlanOptions(words); },
    [](ScriptRun &run, const QStringList &words) {
        const AutoPlanReport report = run.session.autoPlan(autoPlanOptions(words));
        if (!report.ran)
            throw ScriptFailure{QStringLiteral("自動計画を実行できませんでした。")};
        cliErr() << autoPlanReportLines(report, run.session.store()).join(u'\n') << u'\n';
        cliErr().flush();
    },
});
