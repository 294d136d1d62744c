#include "editing/PlanWatch.h"

PlanWatch::PlanWatch(const EditPath &path, const ChartRows &rows, QObject *parent)
    : QObject(parent), m_path(path), m_conflicts(rows), m_load(rows, path.calendar())
{
    connect(&path, &EditPath::planTaken, this, &PlanWatch::rebuild);
    connect(&path, &EditPath::recordsChanged, this, &PlanWatch::followRecords);
    connect(&path, &EditPath::calendarDaysChanged, this, &PlanWatch::followDays);
    rebuild();
}

void PlanWatch::rebuild()
{
    m_conflicts.rebuild(m_path.store());
    m_load.rebuild(m_path.store(), m_conflicts);
    emit conflictsChanged({});
    emit loadChanged();
}

void PlanWatch::followRecords(const QList<qint64> &indices)
{
    const QList<qint64> touched = m_conflicts.update(m_path.store(), indices);
    m_load.updateLots(m_path.store(), m_conflicts, indices);
    emit conflictsChanged(touched);
    emit loadChanged();
}

void PlanWatch::followDays(const QList<CalendarDayRef> &days)
{
    m_load.updateDays(m_path.store(), m_conflicts, days);
    emit loadChanged();
}
