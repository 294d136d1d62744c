// add-process ARRANGEMENT COUNT: the lot takes the next COUNT processes of its chain into its
// member slots, as checking line COUNT of 工程追加 and pressing 追加実施 would, in one undo
// step. A lot that cannot take them answers with the window's message and stays as it was.

#include "../PlanScript.h"

#include "dialogs/ProcessAdd.h"
#include "session/PlanSession.h"

namespace {
const QString ProcessAddUsage = QStringLiteral("add-process 手配番号 工程数");
} // namespace

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("add-process"),
    ProcessAddUsage,
    [](const QStringList &words) {
        scriptwords::expectCount(words, 2, ProcessAddUsage);
        scriptwords::wholeNumber(words[0], QStringLiteral("手配番号"));
        if (scriptwords::wholeNumber(words[1], QStringLiteral("工程数")) < 1)
            throw ScriptFailure{QStringLiteral("工程数「%1」は1以上の整数で書いてください。").arg(words[1])};
    },
    [](ScriptRun &run, const QStringList &words) {
        const qint64 count = scriptwords::wholeNumber(words[1], QStringLiteral("工程数"));
        run.session.addProcesses(run.lotOf(words[0]), int(std::min<qint64>(count, MemberSlots::Capacity)));
    },
});
