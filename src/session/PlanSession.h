#pragma once
// One process class and period as the planner works on it: the class's chart rows with the
// machines' working calendars and the plant's breaks, every machine of the plant, the plan
// store with its lots, and the edit path through which every change of a lot or a calendar day
// goes, with the insertion rules and the automatic placement of loading. The main window, the
// command-line tool, the bench and the tests all load, edit and save a plan through here, so a
// planner action behaves the same from the mouse, from a script and in a test.
//
// The session is the only holder of a writable plan: everything else reads the store and
// changes it through the edit path.

#include "calendar/BreakTable.h"
#include "calendar/WorkCalendar.h"
#include "calendar/WorkingTime.h"
#include "editing/EditPath.h"
#include "editing/LotDrop.h"
#include "editing/PlanInsertion.h"
#include "editing/PlanMerge.h"
#include "editing/PlanWatch.h"
#include "editing/RowPacking.h"
#include "persist/SavePlan.h"
#include "plan/ChartRows.h"
#include "plan/ArrangementFingerprint.h"
#include "plan/MachineLookup.h"
#include "plan/PlanStore.h"

#include <QObject>

class Database;
class ProgressText;
class Prompter;
class SaveProgress;
struct RunContext;

class PlanSession : public QObject
{
    Q_OBJECT
public:
    enum class LoadResult {
        Loaded,
        NoBreakMaster, // the break master is empty: the plan cannot be shown (the planner was told)
    };

    PlanSession(RunContext &run, Database &db, Prompter &prompter, QObject *parent = nullptr);
    ~PlanSession() override;

    // The whole load of the run's class and period: the machine rows with their working
    // calendars (the break table first), the subcontractor rows, the plant's machines, the
    // class's open lots, and the automatic placement of the tentative lots. The loaded plan
    // is the clean one, with nothing to undo. `progress` (may be null) shows the load's texts.
    // Throws DbError naming what failed; the session then holds no plan.
    LoadResult load(ProgressText *progress);

    // A plan assembled in memory instead of read from the database (the tests' small plants,
    // the bench's large ones) becomes the loaded, clean plan. The lots keep their places;
    // `place` runs the automatic placement of loading over them as well.
    void adopt(ChartRows rows, WorkCalendar calendar, PlanStore store, bool place = false);

    RunContext &context() { return m_run; }
    const RunContext &context() const { return m_run; }
    Database &database() { return m_db; }
    Prompter &prompter() { return m_prompter; }
    bool inquiryMode() const;

    const ChartRows &rows() const { return m_rows; }
    const WorkCalendar &calendar() const { return m_calendar; }
    const BreakTable &breaks() const { return m_breaks; }
    const WorkingTime &workingTime() const { return m_time; }
    const MachineLookup &machines() const { return m_machines; }
    const PlanStore &store() const { return m_store; }
    EditPath &editPath() { return m_path; }
    const EditPath &editPath() const { return m_path; }
    const PlanInsertion &insertion() const { return m_insertion; }
    PlanInsertion &insertion() { return m_insertion; }
    // A lot let go on a row at a moment, as the chart's drop and a script's move do it.
    const LotDrop &lotDrop() const { return m_drop; }
    // A lot's bar let go on another lot's bar: the merge test and the merge.
    const PlanMerge &merge() const { return m_merge; }
    // Packing a machine row's lots from its label.
    const RowPacking &packing() const { return m_packing; }
    // The plan's conflicts and the machines' load, kept current by every edit.
    const PlanWatch &watch() const { return m_watch; }

    // The plan differs from the database (the save button is enabled). Never in inquiry mode.
    bool hasUnsavedChanges() const { return m_path.saveEnabled(); }

    // Saves every changed lot and calendar day; after a complete save the saved plan is the
    // clean one. Refused in inquiry mode. A lot whose arrangements someone else changed since
    // the load is left unsaved and listed in the result, unless it is one of `overwriteLots`
    // and was neither completed nor deleted elsewhere.
    SaveResult save(SaveProgress &progress, const QString &accountName, const QDateTime &now,
                    RetryPolicy retry = {}, const std::vector<qint64> &overwriteLots = {});

    // Drops the planner's changes to the lots `indices` and reads them again from the database
    // (after a save that found them changed elsewhere). A lot that is no longer open (completed
    // or deleted elsewhere) leaves the chart. No undo step; when no change is left to save, the
    // plan is the clean one again. Throws DbError naming what failed; the plan then stays as it was.
    void reloadLots(const std::vector<qint64> &indices);

signals:
    void unsavedChangesChanged(bool unsaved);

private:
    void placeLoadedLots(ProgressText *progress);
    // Some lot or calendar day still differs from the database.
    bool anythingToSave() const;

    RunContext &m_run;
    Database &m_db;
    Prompter &m_prompter;
    ChartRows m_rows;
    WorkCalendar m_calendar;
    BreakTable m_breaks;
    WorkingTime m_time;
    MachineLookup m_machines;
    PlanStore m_store;
    ArrangementFingerprints m_fingerprints; // the arrangements as loaded or last saved
    EditPath m_path;
    PlanInsertion m_insertion;
    LotDrop m_drop;
    PlanMerge m_merge;
    RowPacking m_packing;
    PlanWatch m_watch;
};
