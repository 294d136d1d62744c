// unassign ARRANGEMENT ("予定に戻す": back to the dates the lot was loaded with), undo and redo,
// as the context menu and the Edit menu do them.

#include "../CliSession.h"
#include "../PlanScript.h"

#include "session/PlanSession.h"

namespace {
void noWords(const QStringList &words, const QString &name)
{
    scriptwords::expectCount(words, 0, name);
}
} // namespace

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("unassign"),
    QStringLiteral("unassign 手配番号"),
    [](const QStringList &words) {
        scriptwords::expectCount(words, 1, QStringLiteral("unassign 手配番号"));
        scriptwords::wholeNumber(words[0], QStringLiteral("手配番号"));
    },
    [](ScriptRun &run, const QStringList &words) { run.session.returnToLoadedDates(run.lotOf(words[0])); },
});

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("undo"),
    QStringLiteral("undo"),
    [](const QStringList &words) { noWords(words, QStringLiteral("undo")); },
    [](ScriptRun &run, const QStringList &) {
        const EditPath &path = run.session.editPath();
        if (!path.canUndo())
            throw ScriptFailure{path.undoRefusal().isEmpty() ? QStringLiteral("元に戻す操作がありません。")
                                                             : path.undoRefusal()};
        run.session.undo();
    },
});

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("redo"),
    QStringLiteral("redo"),
    [](const QStringList &words) { noWords(words, QStringLiteral("redo")); },
    [](ScriptRun &run, const QStringList &) {
        if (!run.session.redo())
            throw ScriptFailure{QStringLiteral("やり直す操作がありません。")};
    },
});
