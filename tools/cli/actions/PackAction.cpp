// pack ROW: 計画の展開 of a machine row, as a double-click on its label does it, with the
// question and the count. "-" (the strip) and subcontractor rows are refused with the row
// label's own message.

#include "../PlanScript.h"

#include "session/PlanSession.h"

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("pack"),
    QStringLiteral("pack 行コード|-"),
    [](const QStringList &words) { scriptwords::expectCount(words, 1, findScriptAction(QStringLiteral("pack"))->usage); },
    [](ScriptRun &run, const QStringList &words) {
        const QString code = run.rowCodeOf(words[0]);
        const ChartRows &rows = run.session.rows();
        run.session.pack(code == rows.row(1).code ? 1 : rows.rowOfCode(code));
    },
});
