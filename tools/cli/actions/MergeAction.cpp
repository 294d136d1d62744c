// merge SOURCE TARGET [ROW DATE TIME]: lot SOURCE's bar let go on lot TARGET's bar. Lots of one
// run merge after the question, as with the mouse; a drop that does not merge (another run,
// actuals, no room for the members, or No) is the drop of SOURCE at the drop point: on row ROW
// ("-" for the strip) at DATE TIME, or, without them, on TARGET's row at TARGET's start, where a
// bar laid over the other's left edge is let go.

#include "../PlanScript.h"

#include "editing/LotRules.h"
#include "session/PlanSession.h"

namespace {
const QString MergeUsage = QStringLiteral("merge 手配番号 手配番号 [行コード|- yyyy/mm/dd hh:mm]");
} // namespace

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("merge"),
    MergeUsage,
    [](const QStringList &words) {
        if (words.size() != 2)
            scriptwords::expectCount(words, 5, MergeUsage);
        scriptwords::wholeNumber(words[0], QStringLiteral("手配番号"));
        scriptwords::wholeNumber(words[1], QStringLiteral("手配番号"));
        if (words.size() == 5)
            scriptwords::moment(words[3], words[4]);
    },
    [](ScriptRun &run, const QStringList &words) {
        const qint64 source = run.lotOf(words[0]);
        const qint64 target = run.lotOf(words[1]);
        PlanSession &session = run.session;
        const bool pointGiven = words.size() == 5;
        const QString row = pointGiven ? run.rowCodeOf(words[2]) : session.rowCodeOfLot(target);
        const QDateTime moment = pointGiven ? scriptwords::moment(words[3], words[4])
                                            : lots::startInstant(session.store()[target]);
        session.merge(source, target, row, moment);
    },
});
