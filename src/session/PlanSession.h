#pragma once
// One process class and period as the planner works on it: the class's chart rows with the
// machines' working calendars and the plant's breaks, every machine of the plant, the plan
// store with its lots, and the edit path through which every change of a lot or a calendar day
// goes, with the insertion rules and the automatic placement of loading.
//
// The session is the plan's action interface: every planner action is one call here, taking
// plain values, asking its questions through the session's prompter, one undo step with its
// label, and saying what happened. The main window and its dialogs, the command-line tool, the
// bench and the tests all load, edit and save a plan through these calls, so an action leaves
// the same plan from the mouse, from a script and in a test. The session is the only holder of
// a writable plan and of the database: everything else reads the store.

#include "calendar/BreakTable.h"
#include "dialogs/DetailActions.h"
#include "dialogs/ProvisionalNumbers.h"
#include "calendar/WorkCalendar.h"
#include "calendar/WorkingTime.h"
#include "editing/AutoPlanner.h"
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
#include "session/AutoPlanReport.h"

#include <QObject>
#include <functional>

class Database;
class ProgressText;
class Prompter;
class SaveProgress;
struct RunContext;

class PlanSession : public QObject, public DetailActions
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
    // The plant's breaks of such a plan, which a machine's working day is rebuilt around.
    void adoptBreaks(BreakTable breaks) { m_breaks = std::move(breaks); }

    RunContext &context() { return m_run; }
    const RunContext &context() const { return m_run; }
    Prompter &prompter() override { return m_prompter; }
    bool inquiryMode() const;

    const ChartRows &rows() const override { return m_rows; }
    const WorkCalendar &calendar() const override { return m_calendar; }
    const BreakTable &breaks() const { return m_breaks; }
    const WorkingTime &workingTime() const override { return m_time; }
    const MachineLookup &machines() const { return m_machines; }
    const PlanStore &store() const override { return m_store; }
    // The history and the change signals; edits go through the actions below. Tests and the
    // bench that set up a plan by hand use the writable path.
    const EditPath &editPath() const { return m_path; }
    EditPath &editPath() { return m_path; }
    // The plan's conflicts and the machines' load, kept current by every edit.
    const PlanWatch &watch() const { return m_watch; }
    // The insertion and packing rules as the actions use them, for the tests of those rules.
    const PlanInsertion &insertion() const { return m_insertion; }
    const RowPacking &packing() const { return m_packing; }
    // The provisional numbers the splits of this plan have given so far.
    const ProvisionalNumbers &provisionalNumbers() const { return m_provisional; }
    // The code of the row whose band holds the lot's bar, as a press on the bar reads it.
    QString rowCodeOfLot(qint64 lot) const;

    // The planner's actions (see PlanActions and DetailActions).
    bool drop(qint64 lot, const QString &row, const QDateTime &moment) override;
    std::optional<LotTimes> dropLanding(qint64 lot, const QString &row, const QDateTime &moment) const override;
    MergeOutcome merge(qint64 source, qint64 target, const QString &row, const QDateTime &moment) override;
    bool pack(int row) override;
    KakuteiResult confirmLots(const QString &confirmState, const KakuteiScope &scope) override;
    void returnToLoadedDates(qint64 lot) override;
    void toggleDisplay(qint64 lot) override;
    void toggleConfirm(qint64 lot) override;
    PlanGridEdit::Outcome editListCell(qint64 lot, int column, const QString &text) override;
    bool queueBehind(qint64 dragged, qint64 target) override;
    bool undo() override;
    bool redo() override;

    WriteBack writeBackDetail(PlanDetail &detail, qint64 lot) override;
    void writeProcessAdditions(PlanDetail &detail, qint64 lot) override;
    qint64 splitLot(qint64 lot, const SplitChoice &choice) override;
    ScriptedSplit splitLotByPlans(qint64 lot, const std::vector<std::pair<qint64, QString>> &counts) override;
    qint64 splitProcesses(qint64 lot, const ProcessChoice &choice, const QString &itemCode) override;
    ScriptedSplit splitProcessesByMembers(qint64 lot, const std::vector<qint64> &members) override;
    bool addProcesses(qint64 lot, int count) override;
    LinePlanChange changeMachineDay(const LinePlanDay &day, const LinePlanTexts &texts) override;

    DetailTexts detailTexts(qint64 lot) override;
    void lookUpItemCode(PlanDetail &detail) override;
    QStringList processShowLines(qint64 arrangementNo) override;
    std::unique_ptr<ProcessAdd> processAdd(qint64 lot) override;

    // 自動計画: the lots waiting on the strip and the tentative lots the options name are placed
    // by the automatic planner (see AutoPlanner.h), on presses re-timed by their cycle rows
    // read from the database now, as one undo step. Lots it cannot place go to (or stay on)
    // the strip and are named in the report. A database failure is told and changes nothing.
    // `progress` is told how far the planner is and may stop it; the best plan found by then
    // is taken.
    AutoPlanReport autoPlan(const AutoPlanOptions &options, const AutoPlanProgress &progress = {});
    // The plan's late lots, lateness and mold changes now (see PlanFigures.h).
    PlanFigures planFigures() const;

    // The plan differs from the database (the save button is enabled). Never in inquiry mode.
    bool hasUnsavedChanges() const { return m_path.saveEnabled(); }

    // The name written into the audit columns of every row a save writes: the signed-in
    // account (USERNAME, else USER) unless another is set.
    const QString &accountName() const { return m_account; }
    void setAccountName(const QString &name) { m_account = name; }

    // What becomes of the lots that others changed since the load when a save left them:
    // they stay unsaved, are written over (those neither completed nor deleted elsewhere), or
    // are read again, dropping the planner's changes to them.
    enum class ElsewherePolicy { KeepUnsaved, Overwrite, ReadAgain };
    using ElsewhereChoice = std::function<ElsewherePolicy(const SaveResult &left)>;

    // Saves every changed lot and calendar day; after a complete save the saved plan is the
    // clean one. Refused in inquiry mode. A lot whose arrangements someone else changed since
    // the load is left unsaved; `choose` (when given) is then asked once what becomes of
    // those lots. `now` is the save's time (the current time when null). Returns the last
    // save's result (the first one's when the lots were kept or read again).
    SaveResult save(SaveProgress &progress, const ElsewhereChoice &choose = {}, RetryPolicy retry = {},
                    QDateTime now = {});

    // Drops the planner's changes to the lots `indices` and reads them again from the database
    // (after a save that found them changed elsewhere). A lot that is no longer open (completed
    // or deleted elsewhere) leaves the chart. The changed lots that hold pieces of their members
    // go with them: one holding pieces split off and not saved since leaves the chart, one whose
    // arrangements hold other pieces than the database's is read again. No undo or redo step brings back what they were before; when no change is
    // left to save, the plan is the clean one again. Throws DbError naming what failed; the plan then stays as it was.
    void reloadLots(const std::vector<qint64> &indices);

signals:
    void unsavedChangesChanged(bool unsaved);

private:
    void placeLoadedLots(ProgressText *progress);
    // The lots to read again with `indices`, added to them, and those to drop from the chart.
    std::vector<qint64> lotsToReadWith(std::vector<qint64> &indices);
    SaveResult saveOnce(SaveProgress &progress, RetryPolicy retry, const QDateTime &now,
                        const std::vector<qint64> &overwriteLots);
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
    PlanGridEdit m_gridEdit;
    PlanWatch m_watch;
    ProvisionalNumbers m_provisional;
    QString m_account;
};
