#include "persist/EditPathSave.h"

#include "editing/EditPath.h"

const PlanStore &EditPathSaveTarget::store() const
{
    return m_path.store();
}

const WorkCalendar &EditPathSaveTarget::calendar() const
{
    return m_path.calendar();
}

void EditPathSaveTarget::lotSaved(qint64 index, const PlanRecord &saved)
{
    Edit edit = m_path.beginLoadingChange();
    edit.change(index, [&saved](PlanRecord &record) { record = saved; });
    edit.commit();
}

void EditPathSaveTarget::dayWritten(int row, qint64 day, const StoredDay &stored)
{
    Edit edit = m_path.beginLoadingChange();
    edit.changeDay(row, day, [](CalendarDay &written) { written.changed = false; });
    edit.commit();
    m_path.setStoredRows(row, day, stored);
}

SaveResult saveThroughEditPath(EditPath &path, const EditPathSaveRequest &request)
{
    EditPathSaveTarget target(path);
    SaveRequest save{target,          request.rows,        request.run, request.db, request.prompter,
                     request.progress, request.accountName, request.now, request.retry,
                     request.fingerprints, request.overwriteLots};
    SaveResult result = savePlan(save);
    if (result.outcome == SaveResult::Outcome::Complete) {
        path.markClean();
    } else if (!result.savedLots.empty() || !result.savedDays.empty()) {
        // A save that stopped after writing some lots: those lots are in the database as
        // memory shows them, and the history must not take them back unnoticed.
        QList<CalendarDayRef> days;
        for (const SavedDay &day : result.savedDays)
            days.append({day.row, day.day});
        path.lotsWritten(result.savedLots, days, false);
    }
    return result;
}
