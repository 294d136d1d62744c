#pragma once
// The plan of the main window as the planner edits it: the class's rows and working calendars,
// the edit path with its undo history, the insertion rules, the chart (ChartView) and the
// mouse on it (BarDragController). It takes the row, placement and chart steps of the
// window's load, keeps the bars in step with every edit, offers undo and redo (元に戻す /
// やり直し, Ctrl+Z / Ctrl+Y) and saves through ComHozon.

#include "calendar/BreakTable.h"
#include "calendar/WorkingTime.h"
#include "editing/BarDrop.h"
#include "editing/EditPath.h"
#include "editing/PlanInsertion.h"
#include "editing/RowPacking.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"

#include <QObject>
#include <memory>

class BarDragController;
class ChartView;
class MainForm;
class ProgressText;
class QAction;
class QSqlQuery;

class ChartEditing : public QObject
{
    Q_OBJECT
public:
    explicit ChartEditing(MainForm &form);
    ~ChartEditing() override;

    const ChartRows &rows() const { return m_rows; }
    const WorkCalendar &calendar() const { return m_calendar; }
    const WorkingTime &workingTime() const { return m_time; }
    EditPath &editPath() { return m_path; }
    const PlanInsertion &insertion() const { return m_insertion; }
    const RowPacking &packing() const { return m_packing; }
    ChartView &chartView() { return *m_view; }
    BarDragController &dragController() { return *m_drag; }
    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }

    // ComHozon: saves the plan with the save progress window. Nothing is written in inquiry
    // mode; after a stopped or failed save the button stays enabled.
    void save();

private:
    void buildRows(QSqlQuery &machines);
    // The loaded plan becomes the edit path's clean plan; then the tentative lots are placed.
    void placeLoadedPlan(ProgressText &progress);
    // LinePlanWindow for the machine and working day under a right press, when there is one.
    void openLinePlan(int row, const QDateTime &at);
    void showChanges(const QList<qint64> &indices);
    void updateHistoryActions();

    MainForm &m_form;
    ChartRows m_rows;
    WorkCalendar m_calendar;
    BreakTable m_breaks;
    WorkingTime m_time;
    EditPath m_path;
    PlanInsertion m_insertion;
    RowPacking m_packing;
    ChartView *m_view = nullptr;
    std::unique_ptr<BarDrop> m_drop;
    BarDragController *m_drag = nullptr;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
};
