#pragma once
// The one way records of the plan and days of the working calendar change. A planner action (a drop with its push-back, a grid
// edit, the detail window's write-back, a merge, a split, a bulk confirm, a working-hours
// change) opens one Edit, changes records through it and commits it: the edit keeps the
// touched records and calendar days as they were before, marks them changed (MembersWritten,
// the day's changed mark), keeps the per-row indexes right and tells the views what changed. One committed action is one undo
// step, undone and redone as a whole by restoring the kept records.
//
// The history is written here rather than with QUndoStack because the plant rules live in a
// library without QtGui (where QUndoStack is): every step is a set of snapshots, so undo and
// redo are the same swap of kept and current records, and the tests run without a display.

#include "plan/PlanStore.h"
#include "plan/RunContext.h"
#include "editing/RowIndex.h"
#include "calendar/WorkCalendar.h"

#include <QList>
#include <QObject>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class ChartRows;
class Edit;

// One day of one machine row's calendar.
struct CalendarDayRef
{
    int row = 0;
    qint64 day = 0;
    bool operator==(const CalendarDayRef &) const = default;
};

class EditPath : public QObject
{
    Q_OBJECT
public:
    EditPath(PlanStore &store, WorkCalendar &calendar, const ChartRows &rows, const RunContext &run,
             QObject *parent = nullptr);
    ~EditPath() override;

    const PlanStore &store() const { return m_store; }
    const RowIndex &index() const { return m_index; }
    const WorkCalendar &calendar() const { return m_calendar; }
    const RunContext &run() const { return m_run; }
    const ChartRows &rows() const { return m_rows; }
    // The rows of the plant's table that hold a calendar day, as a save left them.
    void setStoredRows(int row, qint64 day, StoredDay stored) { m_calendar.setStoredRows(row, day, std::move(stored)); }

    // Loading has filled the store afresh: rebuilds the indexes and each lot's on-strip flag,
    // forgets the history and makes this plan the clean one.
    void takeLoadedPlan();

    // Opens the edit of one planner action (an undo step when committed). Only one edit is
    // open at a time.
    Edit beginAction(const QString &label);
    // Opens a change that is no planner action and leaves no undo step: the automatic
    // placement that belongs to loading, and the flag reset of saving. It marks nothing
    // changed by itself.
    Edit beginLoadingChange();
    bool editOpen() const { return m_open != nullptr; }

    // The current plan becomes the clean one: after loading and after a complete save. Records
    // that an undo or redo would bring back and that now differ from the clean plan are marked
    // changed, so that undoing past a save leaves them to be saved again.
    void markClean();
    // A save wrote the lots `indices` and the calendar days `days` (each in a transaction that
    // was committed), whether or not it went on to its end. An action that added lots or
    // that says it ends at a save, and whose lots were written, is no longer undone: the
    // database holds what it did in rows that taking the records back would not restore. Kept
    // records of the written lots are measured against what was written, so that undoing
    // or redoing past the save marks them changed again. `complete`: nothing is left to save,
    // the plan is the clean one.
    void lotsWritten(const std::vector<qint64> &indices, const QList<CalendarDayRef> &days, bool complete);
    // The lots `indices` were read again from the database: no undo or redo step may bring
    // back what the planner had made of them. The history is cut behind the last step that
    // changed one of them and before the first step to redo that would.
    void lotsReadAgain(const std::vector<qint64> &indices);

    // Saving is enabled exactly when the plan differs from the clean one, never in inquiry
    // mode.
    bool saveEnabled() const;
    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < qint64(m_steps.size()); }
    QString undoText() const;
    QString redoText() const;
    // Why nothing more can be undone although the planner acted before: a saved action or a
    // reading of lots again cut the history there. Empty when the history is whole.
    QString undoRefusal() const { return canUndo() ? QString() : m_undoRefusal; }
    void undo();
    void redo();

signals:
    // A plan was taken in afresh (takeLoadedPlan): whatever follows the plan starts over.
    void planTaken();
    // The records (store indices) that changed; the views lay their bars out again and
    // refresh the grid. Indices beyond the store's last index were removed by an undo.
    void recordsChanged(const QList<qint64> &indices);
    // The calendar days that changed; the views shade them again.
    void calendarDaysChanged(const QList<CalendarDayRef> &days);
    void saveEnabledChanged(bool enabled);
    // Undo or redo became possible or impossible, or their texts changed.
    void historyChanged();

private:
    friend class Edit;
    struct Step;
    struct OpenEdit;

    // What the indexes hold for record `index`, taken before a change.
    RowIndex::Footprint footprintOf(qint64 index) const;
    PlanRecord &touch(qint64 index);
    CalendarDay &touchDay(int row, qint64 day);
    // Whether the lot waits on the unassigned strip: it has a bar and its codes name no row
    // below the strip.
    bool waitsOnStrip(const PlanRecord &record) const;
    // Follows a change of record `index`: the per-row indexes and the lot's on-strip flag.
    void reindex(qint64 index, const RowIndex::Footprint &before);
    // Puts `replacement` in place of record `index`, re-indexing it; the old record ends up in
    // `replacement`.
    void swapRecord(qint64 index, PlanRecord &replacement);
    qint64 appendRecord(PlanRecord &&record);
    qint64 placeAtEnd(PlanRecord &&record);
    void commitOpen();
    void rollBackOpen();
    void applyStep(Step &step, bool forward);
    void announce(const QList<qint64> &indices, const QList<CalendarDayRef> &days, bool savedBefore);
    // After a save: `written` and `days` are what it wrote, all of the plan when null.
    void settleSave(const std::unordered_set<qint64> *written, const QList<CalendarDayRef> *days, bool complete);
    // Forgets the first `count` steps of the history (they can no longer be undone).
    void dropOldestSteps(qint64 count);

    PlanStore &m_store;
    WorkCalendar &m_calendar;
    const ChartRows &m_rows;
    const RunContext &m_run;
    RowIndex m_index;
    std::vector<std::unique_ptr<Step>> m_steps;
    qint64 m_position = 0; // steps applied
    qint64 m_cleanPosition = 0; // -1 when the clean plan can no longer be reached
    QString m_undoRefusal;      // why the history stops where it stops
    std::unique_ptr<OpenEdit> m_open;
};

// The handle of the open edit. Changing a record through it is the only way to write one.
// An edit that is destroyed without commit() is rolled back, so a failure in the middle of an
// action (a database error, say) leaves the plan as it was.
class Edit
{
public:
    Edit(Edit &&other) noexcept : m_path(other.m_path) { other.m_path = nullptr; }
    Edit &operator=(Edit &&) = delete;
    Edit(const Edit &) = delete;
    ~Edit();

    const PlanStore &store() const { return m_path->m_store; }
    const PlanRecord &record(qint64 index) const { return m_path->m_store[index]; }
    const RowIndex &index() const { return m_path->m_index; }
    bool isAction() const;

    // Changes record `index` with `apply(PlanRecord &)`. In a planner action the record is
    // marked changed (MembersWritten = 1) before `apply` runs, which may still clear it.
    template<class Apply>
    void change(qint64 index, Apply &&apply)
    {
        const RowIndex::Footprint before = m_path->footprintOf(index);
        PlanRecord &record = m_path->touch(index);
        apply(record);
        m_path->reindex(index, before);
    }

    // Changes day `day` of machine row `row` with `apply(CalendarDay &)`. In a planner action
    // the day's changed mark is set before `apply` runs.
    template<class Apply>
    void changeDay(int row, qint64 day, Apply &&apply)
    {
        apply(m_path->touchDay(row, day));
    }

    // Adds a record after the last index; returns its index.
    qint64 append(PlanRecord record) { return m_path->appendRecord(std::move(record)); }
    // Once saved, this action is no longer undone: the save writes what it did into rows that
    // taking the records back would not restore (a merged-away lot's arrangements).
    void endsUndoAtSave();

    void commit();

private:
    friend class EditPath;
    explicit Edit(EditPath *path) : m_path(path) {}
    EditPath *m_path;
};
