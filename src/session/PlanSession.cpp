#include "session/PlanSession.h"

#include "common/PlantValues.h"
#include "db/Database.h"
#include "editing/AutoPlacement.h"
#include "gantt/ClassRows.h"
#include "persist/EditPathSave.h"
#include "plan/GatheringPrompter.h"
#include "plan/LotFamilies.h"
#include "plan/ProgressText.h"
#include "plan/ReturnPlanData.h"
#include "plan/RunContext.h"

#include <algorithm>

PlanSession::PlanSession(RunContext &run, Database &db, Prompter &prompter, QObject *parent)
    : QObject(parent), m_run(run), m_db(db), m_prompter(prompter), m_time(m_rows, m_calendar),
      m_path(m_store, m_calendar, m_rows, run), m_insertion(m_rows, m_time, run, prompter),
      m_drop(m_path, m_insertion, m_rows, m_time, run, db, prompter), m_merge(m_path, m_insertion, prompter),
      m_packing(m_path, m_rows, m_calendar, m_insertion, run, prompter),
      m_gridEdit(m_path, m_insertion, m_rows, m_time, run, prompter), m_watch(m_path, m_rows),
      m_account(qEnvironmentVariable("USERNAME"))
{
    if (m_account.isEmpty())
        m_account = qEnvironmentVariable("USER");
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
    // What the reading finds to tell, the planner reads in one message.
    GatheringPrompter gathered(m_prompter);
    try {
        const RowsBuild built = buildClassRows(m_rows, m_calendar, m_breaks, m_run, m_db, gathered);
        if (built == RowsBuild::EndProgram) {
            gathered.tell();
            return LoadResult::NoBreakMaster;
        }
        m_machines.load(m_db, m_run.PlantCode);
        ReturnPlanData(m_db, m_run, m_store, progress, &m_fingerprints, &gathered);
        gathered.tell();
    } catch (...) {
        gathered.tell();
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

SaveResult PlanSession::saveOnce(SaveProgress &progress, RetryPolicy retry, const QDateTime &now,
                                 const std::vector<qint64> &overwriteLots)
{
    const EditPathSaveRequest request{m_rows,    m_run, m_db,  m_prompter,      progress,
                                      m_account, now,   retry, &m_fingerprints, overwriteLots};
    return saveThroughEditPath(m_path, request);
}

SaveResult PlanSession::save(SaveProgress &progress, const ElsewhereChoice &choose, RetryPolicy retry, QDateTime now)
{
    if (now.isNull())
        now = plant::naiveDateTime(QDate::currentDate(), QTime::currentTime());
    const SaveResult saved = saveOnce(progress, retry, now, {});
    if (saved.outcome != SaveResult::Outcome::ChangedElsewhere || !choose)
        return saved;
    switch (choose(saved)) {
    case ElsewherePolicy::Overwrite:
        return saveOnce(progress, retry, now, saved.changedElsewhereLots(true));
    case ElsewherePolicy::ReadAgain:
        try {
            reloadLots(saved.changedElsewhereLots());
        } catch (const DbError &error) {
            m_prompter.inform(error.text);
        }
        break;
    case ElsewherePolicy::KeepUnsaved:
        break;
    }
    return saved;
}

namespace {

// The stored arrangements of a lot with their pieces, in order.
std::vector<std::pair<qint64, qint64>> arrangementPieces(const PlanRecord &lot)
{
    std::vector<std::pair<qint64, qint64>> pieces;
    forEachMember(lot, [&](const MemberSlot &slot) { pieces.emplace_back(slot.ArrangementNo, slot.Quantity); });
    std::sort(pieces.begin(), pieces.end());
    return pieces;
}

} // namespace

std::vector<qint64> PlanSession::lotsToReadWith(std::vector<qint64> &indices)
{
    // The lots whose pieces moved with them: one holding pieces cut off and never saved leaves
    // the chart with the planner's changes; one whose arrangements hold other pieces than the
    // database's is read again; one that holds the same pieces (only moved) keeps its changes.
    std::vector<qint64> dropped, stored;
    for (const qint64 index : otherLotsOfFamilies(m_store, indices))
        (holdsProvisionalArrangement(m_store[index]) ? dropped : stored).push_back(index);
    std::vector<qint64> numbers;
    for (const qint64 index : stored)
        numbers.push_back(m_store[index].ArrangementNo);
    const std::vector<std::optional<PlanRecord>> read = ReloadPlanLots(m_db, m_run, numbers, nullptr);
    for (size_t k = 0; k < stored.size(); ++k)
        if (!read[k] || arrangementPieces(*read[k]) != arrangementPieces(m_store[stored[k]]))
            indices.push_back(stored[k]);
    return dropped;
}

void PlanSession::reloadLots(const std::vector<qint64> &lots)
{
    std::vector<qint64> indices = lots;
    const std::vector<qint64> dropped = lotsToReadWith(indices);
    std::vector<qint64> numbers;
    for (const qint64 index : indices)
        numbers.push_back(m_store[index].ArrangementNo);
    std::vector<std::optional<PlanRecord>> read = ReloadPlanLots(m_db, m_run, numbers, &m_fingerprints);
    Edit edit = m_path.beginLoadingChange();
    for (size_t k = 0; k < indices.size(); ++k) {
        edit.change(indices[k], [&lot = read[k], index = indices[k]](PlanRecord &record) {
            if (lot) {
                record = std::move(*lot);
                record.BarIndex = index;
            } else {
                record.Active = 0;
                record.MembersWritten = 0;
            }
        });
    }
    for (const qint64 index : dropped)
        edit.change(index, [](PlanRecord &lot) {
            lot.Active = 0;
            lot.MembersWritten = 0;
        });
    edit.commit();
    std::vector<qint64> readAgain = indices;
    readAgain.insert(readAgain.end(), dropped.begin(), dropped.end());
    m_path.lotsReadAgain(readAgain);
    if (!anythingToSave())
        m_path.markClean();
}

bool PlanSession::anythingToSave() const
{
    for (qint64 i = 2; i <= m_store.lastIndex(); ++i)
        if (m_store[i].MembersWritten != 0 && m_store[i].Active > 0)
            return true;
    for (int row = 2; row <= m_calendar.lastMachineRow(); ++row)
        for (qint64 k = 0; k <= m_calendar.periodDays(); ++k)
            if (const CalendarDay *day = m_calendar.day(row, k); day && day->changed)
                return true;
    return false;
}
