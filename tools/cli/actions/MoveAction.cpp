// move ARRANGEMENT ROW DATE TIME: the lot's bar let go on row ROW ("-" for the strip) with its
// start at DATE TIME, snapped to working time as a dropped bar's left edge is; the end-fixed
// rules, the new row's rate, the insertion with its questions and the push-back follow as for
// the mouse. A moment outside the chart's days stops the script.

#include "../PlanScript.h"

#include "editing/LotDrop.h"
#include "session/PlanSession.h"

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("move"),
    QStringLiteral("move 手配番号 行コード|- yyyy/mm/dd hh:mm"),
    [](const QStringList &words) {
        scriptwords::expectCount(words, 4, findScriptAction(QStringLiteral("move"))->usage);
        scriptwords::wholeNumber(words[0], QStringLiteral("手配番号"));
        scriptwords::moment(words[2], words[3]);
    },
    [](ScriptRun &run, const QStringList &words) {
        const qint64 lot = run.lotOf(words[0]);
        const QString row = run.rowCodeOf(words[1]);
        const QDateTime moment = scriptwords::moment(words[2], words[3]);
        // The drop refuses it too; the script's line says so and the run ends with its status.
        if (const auto refused = dropping::outsideTheChart(run.session.calendar(), moment))
            throw ScriptFailure{*refused};
        run.session.drop(lot, row, moment);
    },
});
