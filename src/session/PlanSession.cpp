#include "session/PlanSession.h"

#include "db/Database.h"
#include "editing/AutoPlacement.h"
#include "gantt/ClassRows.h"
#include "persist/EditPathSave.h"
#include "plan/ProgressText.h"
#include "plan/ReturnPlanData.h"
#include "plan/RunContext.h"

PlanSession::PlanSession(RunContext &run, Database &db, Prompter &prompter, QObject *parent)
    : QObject(parent), m_run(run), m_db(db), m_prompter(prompter), m_time(m_rows, m_calendar),
      m_path(m_store, m_calendar, m_rows, run), m_insertion(m_rows, m_time, run, prompter),
      m_drop(m_path, m_insertion, m_rows, m_time, run, db, prompter), m_merge(m_path, m_insertion, prompter),
      m_packing(m_path, m_rows, m_calendar, m_insertion, run, prompter)
{
    connect(&m_path, &EditPath::saveEnabledChanged, this, &PlanSession::unsavedChangesChanged);
}

PlanSession::~PlanSession() = default;

bool PlanSession::inquiryMode() const
{
    return m_run.inquiryMode();
}

PlanSession::LoadResult PlanSession::load(ProgressText *progress)
{
    m_rows.clear();
    m_store.reset();
    m_fingerprints.clear();
    m_path.takeLoadedPlan();
    try {
        if (buildClassRows(m_rows, m_calendar, m_breaks, m_run, m_db, m_prompter) == RowsBuild::EndProgram)
            return LoadResult::NoBreakMaster;
        m_machines.load(m_db, m_run.PlantCode);
        ReturnPlanData(m_db, m_run, m_store, progress, &m_fingerprints);
    } catch (...) {
        m_rows.clear();
        m_store.reset();
        m_fingerprints.clear();
        m_path.takeLoadedPlan();
        throw;
    }
    m_path.takeLoadedPlan();
    placeLoadedLots(progress);
    return LoadResult::Loaded;
}

void PlanSession::adopt(ChartRows rows, WorkCalendar calendar, PlanStore store, bool place)
{
    m_rows = std::move(rows);
    m_calendar = std::move(calendar);
    m_store = std::move(store);
    m_fingerprints.clear();
    m_path.takeLoadedPlan();
    if (place)
        placeLoadedLots(nullptr);
}

void PlanSession::placeLoadedLots(ProgressText *progress)
{
    FunPlanDataYoteiBarSet(m_path, m_insertion, m_rows, m_run, [progress](const QString &text) {
        if (progress)
            progress->show(text);
    });
}

SaveResult PlanSession::save(SaveProgress &progress, const QString &accountName, const QDateTime &now,
                             RetryPolicy retry, const std::vector<qint64> &overwriteLots)
{
    const EditPathSaveRequest request{m_rows,      m_run, m_db,  m_prompter,      progress,
                                      accountName, now,   retry, &m_fingerprints, overwriteLots};
    return saveThroughEditPath(m_path, request);
}
