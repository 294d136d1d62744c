#pragma once
// What is wrong with the plan, always in sight: the status bar's counter "重複 n件", the
// hatched marks over conflicting bars and the load strips under the machine rows, and the
// dockable list 重複一覧 (closed at first; opened from the View menu or the counter) whose
// double-click brings the two lots of a conflict into view and selects them.

#include "editing/PlanWatchMarks.h"

#include <QObject>

class ChartView;
class MainForm;
class PlanSession;
class PlanWatch;
class QDockWidget;
class QPushButton;
class QTableWidget;

class ConflictsPanel : public QObject
{
    Q_OBJECT
public:
    ConflictsPanel(MainForm &form, ChartView &view, const PlanSession &session);

    QDockWidget *dock() const { return m_dock; }
    QPushButton *counter() const { return m_counter; }
    QTableWidget *table() const { return m_table; }

private:
    void showCount();
    void fillTable();
    void showConflictOfRow(int row);

    ChartView &m_view;
    const PlanSession &m_session;
    const PlanWatch &m_watch;
    PlanWatchMarks m_marks;
    QDockWidget *m_dock = nullptr;
    QPushButton *m_counter = nullptr;
    QTableWidget *m_table = nullptr;
};
