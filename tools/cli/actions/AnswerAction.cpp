// answer yes|no: every question of the following lines is answered so, until the next
// "answer" line (before the first, --answer decides), as a planner answers each question
// of the actions that follow.

#include "../CliSession.h"
#include "../PlanScript.h"

namespace {

const QString AnswerUsage = QStringLiteral("answer yes|no");

bool answerOf(const QString &word)
{
    if (word == QStringLiteral("yes"))
        return true;
    if (word == QStringLiteral("no"))
        return false;
    throw ScriptFailure{QStringLiteral("答え「%1」は yes か no で書いてください。").arg(word)};
}

} // namespace

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("answer"),
    AnswerUsage,
    [](const QStringList &words) {
        scriptwords::expectCount(words, 1, AnswerUsage);
        answerOf(words[0]);
    },
    [](ScriptRun &run, const QStringList &words) {
        if (!run.answers)
            throw ScriptFailure{QStringLiteral("この実行では答えを変えられません。")};
        run.answers->answerWith(answerOf(words[0]));
    },
});
