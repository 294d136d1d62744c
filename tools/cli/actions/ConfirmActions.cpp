// confirm MACHINE|* FROM TO and tentative MACHINE|* FROM TO: the bulk change of the
// confirmation class of the lots of one machine (or all, "*") due from FROM to TO
// (yyyy/mm/dd, "-" for an open end), as the confirmation panel's buttons do it.

#include "../CliSession.h"
#include "../PlanScript.h"

#include "session/PlanSession.h"

namespace {

QDate dueBound(const QString &word)
{
    return word == QStringLiteral("-") ? QDate() : scriptwords::date(word);
}

void checkWords(const QStringList &words, const QString &usage)
{
    scriptwords::expectCount(words, 3, usage);
    dueBound(words[1]);
    dueBound(words[2]);
}

void changeClass(ScriptRun &run, const QStringList &words, const QString &confirmState)
{
    KakuteiScope scope;
    scope.allMachines = words[0] == QStringLiteral("*");
    if (!scope.allMachines)
        scope.machineCode = run.rowCodeOf(words[0]);
    scope.firstDue = dueBound(words[1]);
    scope.lastDue = dueBound(words[2]);
    cliErr() << confirmLotsText(confirmState, run.session.confirmLots(confirmState, scope)) << u'\n';
    cliErr().flush();
}

const QString ConfirmUsage = QStringLiteral("confirm 機械コード|* yyyy/mm/dd|- yyyy/mm/dd|-");
const QString TentativeUsage = QStringLiteral("tentative 機械コード|* yyyy/mm/dd|- yyyy/mm/dd|-");

} // namespace

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("confirm"),
    ConfirmUsage,
    [](const QStringList &words) { checkWords(words, ConfirmUsage); },
    [](ScriptRun &run, const QStringList &words) { changeClass(run, words, QStringLiteral("2")); },
});

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("tentative"),
    TentativeUsage,
    [](const QStringList &words) { checkWords(words, TentativeUsage); },
    [](ScriptRun &run, const QStringList &words) { changeClass(run, words, QStringLiteral("1")); },
});
