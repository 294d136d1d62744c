#pragma once
// What the chart, the plan list and the row labels ask of the plan: each planner action as one
// call that takes plain values, asks its questions through the plan's prompter, is one undo
// step with its label and says what happened. The plan session answers these calls; a window
// holds this and reads the store, never the edit path, so the mouse, a script and a test
// change the plan the same way.

#include "editing/PlanGridEdit.h"
#include "editing/PlanKakutei.h"
#include "gantt/Twip2DateTime.h"

#include <QDateTime>
#include <QString>
#include <optional>

class PlanStore;

// What a bar let go on another bar did.
enum class MergeOutcome {
    Merged,  // the source was folded into the target and left the chart
    Moved,   // no merge (another run, actuals, no room, or No): the source moved to the drop point
    Refused, // no merge, and the move was refused too: nothing changed
};

class PlanActions
{
public:
    virtual ~PlanActions() = default;

    virtual const PlanStore &store() const = 0;

    // The lot let go on the row of code `row` ("" below the last row, the strip's code for the
    // strip) with its start at `moment`. Returns whether the plan changed.
    virtual bool drop(qint64 lot, const QString &row, const QDateTime &moment) = 0;
    // Where that drop would put the lot, before any lot is pulled or pushed: the drag shows it
    // while the bar follows the pointer. Nothing when the lot would go to the strip or not move.
    virtual std::optional<LotTimes> dropLanding(qint64 lot, const QString &row, const QDateTime &moment) const = 0;
    // Lot `source`'s bar let go on lot `target`'s bar: the merge with its test and question;
    // a drop that does not merge is the drop of `source` on `row` at `moment`, the drop point.
    virtual MergeOutcome merge(qint64 source, qint64 target, const QString &row, const QDateTime &moment) = 0;
    // 計画の展開 of chart row `row` (the row label's double-click). Returns whether it packed.
    virtual bool pack(int row) = 0;
    // The bulk confirmation panel: asks first with the count and the range (No pre-selected),
    // then changes the class; the number of lots changed, or that the planner declined.
    virtual KakuteiResult confirmLots(const QString &confirmState, const KakuteiScope &scope) = 0;
    // "予定に戻す": the lot goes back to the dates it was loaded with.
    virtual void returnToLoadedDates(qint64 lot) = 0;

    // The plan list's edits: the display and confirmation ticks, a committed cell, a row
    // dragged onto another row.
    virtual void toggleDisplay(qint64 lot) = 0;
    virtual void toggleConfirm(qint64 lot) = 0;
    virtual PlanGridEdit::Outcome editListCell(qint64 lot, int column, const QString &text) = 0;
    virtual bool queueBehind(qint64 dragged, qint64 target) = 0;

    // The last action taken back, or the last one taken back done again; false when there is none
    // (and, where a save or a reading of lots again cut the history, the planner is told why).
    virtual bool undo() = 0;
    virtual bool redo() = 0;
};
