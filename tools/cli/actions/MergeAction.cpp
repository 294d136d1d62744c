// merge SOURCE TARGET: lot SOURCE's bar let go on lot TARGET's bar. Lots of one run merge
// after the question, as with the mouse; a drop that does not merge (another run, actuals, no
// room for the members, or No) moves SOURCE onto TARGET's row at TARGET's start, as a bar laid
// over the other's left edge would be.

#include "../PlanScript.h"

#include "editing/LotRules.h"
#include "session/PlanSession.h"

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("merge"),
    QStringLiteral("merge 手配番号 手配番号"),
    [](const QStringList &words) {
        scriptwords::expectCount(words, 2, findScriptAction(QStringLiteral("merge"))->usage);
        scriptwords::wholeNumber(words[0], QStringLiteral("手配番号"));
        scriptwords::wholeNumber(words[1], QStringLiteral("手配番号"));
    },
    [](ScriptRun &run, const QStringList &words) {
        const qint64 source = run.lotOf(words[0]);
        const qint64 target = run.lotOf(words[1]);
        PlanSession &session = run.session;
        if (session.merge().dropOn(source, target) == PlanMerge::Outcome::Merged)
            return;
        const QDateTime moment = lots::startInstant(session.store()[target]);
        const bool later = moment > lots::startInstant(session.store()[source]);
        session.lotDrop().drop(source, run.rowOfLot(target), moment, run.rowOfLot(source), later);
    },
});
