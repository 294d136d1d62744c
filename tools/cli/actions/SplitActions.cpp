// split-lot ARRANGEMENT PLANNO=COUNT [PLANNO=COUNT …]: the lot split of BunWindow, each count
// entered for its production plan number as Text14 would enter it (in both rings), then 分割実施
// with its checks and question. split-process ARRANGEMENT MEMBER [MEMBER …]: the detail
// window's ×工程分割 with the member arrangements MEMBER chosen in its lists. A check that
// refuses, or No to a question, leaves the plan as it was and the script goes on, as the
// windows do; a plan number or member the lot does not hold stops the run.

#include "../PlanScript.h"

#include "session/PlanSession.h"

namespace {

const QString SplitLotUsage = QStringLiteral("split-lot 手配番号 生産計画番号=分割数 …");
const QString SplitProcessUsage = QStringLiteral("split-process 手配番号 工程の手配番号 …");

// PLANNO=COUNT; the count is checked by the split itself, as a typed Text14 is.
std::pair<qint64, QString> planCount(const QString &word)
{
    if (!word.contains(QLatin1Char('=')))
        throw ScriptFailure{QStringLiteral("「%1」は 生産計画番号=分割数 の形ではありません。").arg(word)};
    return {scriptwords::wholeNumber(word.section(QLatin1Char('='), 0, 0), QStringLiteral("生産計画番号")),
            word.section(QLatin1Char('='), 1)};
}

void failOn(const ScriptedSplit &split)
{
    if (!split.error.isEmpty())
        throw ScriptFailure{split.error};
}

} // namespace

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("split-lot"),
    SplitLotUsage,
    [](const QStringList &words) {
        scriptwords::expectAtLeast(words, 2, SplitLotUsage);
        scriptwords::wholeNumber(words[0], QStringLiteral("手配番号"));
        for (qsizetype i = 1; i < words.size(); ++i)
            planCount(words[i]);
    },
    [](ScriptRun &run, const QStringList &words) {
        std::vector<std::pair<qint64, QString>> counts;
        for (qsizetype i = 1; i < words.size(); ++i)
            counts.push_back(planCount(words[i]));
        failOn(run.session.splitLotByPlans(run.lotOf(words[0]), counts));
    },
});

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("split-process"),
    SplitProcessUsage,
    [](const QStringList &words) {
        scriptwords::expectAtLeast(words, 2, SplitProcessUsage);
        for (const QString &word : words)
            scriptwords::wholeNumber(word, QStringLiteral("手配番号"));
    },
    [](ScriptRun &run, const QStringList &words) {
        std::vector<qint64> members;
        for (qsizetype i = 1; i < words.size(); ++i)
            members.push_back(scriptwords::wholeNumber(words[i], QStringLiteral("手配番号")));
        failOn(run.session.splitProcessesByMembers(run.lotOf(words[0]), members));
    },
});
