#pragma once
// Keeps the plan's conflicts and the machines' load current: afresh when a plan is taken in,
// then lot by lot and day by day after every committed action, undo and redo of the edit path.

#include "editing/EditPath.h"
#include "editing/MachineLoad.h"
#include "editing/PlanConflicts.h"

#include <QObject>

class PlanWatch : public QObject
{
    Q_OBJECT
public:
    PlanWatch(const EditPath &path, const ChartRows &rows, QObject *parent = nullptr);

    const PlanConflicts &conflicts() const { return m_conflicts; }
    const MachineLoad &load() const { return m_load; }

signals:
    // The lots whose conflict marks may have changed; the load of their rows may have too.
    void conflictsChanged(const QList<qint64> &lots);
    // The load of some machine days changed.
    void loadChanged();

private:
    void rebuild();
    void followRecords(const QList<qint64> &indices);
    void followDays(const QList<CalendarDayRef> &days);

    const EditPath &m_path;
    PlanConflicts m_conflicts;
    MachineLoad m_load;
};
