// hours MACHINE DATE TOTAL [START END ...]: the machine's working hours on the working day DATE
// (yyyy/mm/dd) as 機械別稼働時間変更's 変更 stores them: TOTAL (0 to 24, halves to even) in
// PlanSum and up to four shift pairs (hh:mm) in the PlanTime boxes from the first, the other
// boxes empty; the day's spans follow, and so do the lots on that day and those after them.

#include "../CliSession.h"
#include "../PlanScript.h"

#include "dialogs/LinePlan.h"
#include "session/PlanSession.h"

namespace {

const QString HoursUsage = QStringLiteral("hours 機械コード yyyy/mm/dd 合計時間 [hh:mm hh:mm]…(4組まで)");

void checkTotal(const QString &word)
{
    if (!plannedHours(word))
        throw ScriptFailure{QStringLiteral("合計時間「%1」は 0 から 24 までの数値ではありません。").arg(word)};
}

} // namespace

KALVUNER_SCRIPT_ACTION({
    QStringLiteral("hours"),
    HoursUsage,
    [](const QStringList &words) {
        scriptwords::expectAtLeast(words, 3, HoursUsage);
        const qsizetype times = words.size() - 3;
        if (times % 2 != 0 || times > PlanTimeBoxes)
            throw ScriptFailure{QStringLiteral("書式は「%1」です。").arg(HoursUsage)};
        scriptwords::date(words[1]);
        checkTotal(words[2]);
        for (qsizetype i = 3; i < words.size(); ++i)
            scriptwords::time(words[i]);
    },
    [](ScriptRun &run, const QStringList &words) {
        PlanSession &session = run.session;
        const int row = session.rows().rowOfCode(run.rowCodeOf(words[0]));
        const std::optional<LinePlanDay> day =
            linePlanDayOn(session.rows(), session.calendar(), row, scriptwords::date(words[1]));
        if (!day && !session.rows().isMachineRow(row))
            throw ScriptFailure{QStringLiteral("行「%1」は機械の行ではありません。").arg(words[0])};
        if (!day)
            throw ScriptFailure{QStringLiteral("日付「%1」は計画期間にありません。").arg(words[1])};
        LinePlanTexts texts;
        for (qsizetype i = 3; i < words.size(); ++i)
            texts.shiftTimes[size_t(i - 3)] = words[i];
        texts.hours = words[2];
        const LinePlanChange change = session.changeMachineDay(*day, texts);
        if (!change.closes)
            throw ScriptFailure{QStringLiteral("稼働時間を変更できませんでした。")};
        cliErr() << (change.changed ? QStringLiteral("稼働時間を変更しました") : QStringLiteral("稼働時間は変わりません"))
                 << u'\n';
        cliErr().flush();
    },
});
