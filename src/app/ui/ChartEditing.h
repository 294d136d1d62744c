#pragma once
// The plan of the main window as the planner edits it: the chart (ChartView) over the window's
// plan session, the mouse on it (BarDragController), the bar's context menu and the plan list.
// It lays the loaded plan out when the window's load says so, keeps the bars in step with
// every edit, offers undo and redo (元に戻す / やり直し, Ctrl+Z / Ctrl+Y) and 自動計画 in the
// 編集 menu, saves through ComHozon and writes the plan list out and prints the chart from the
// ファイル menu.

#include "editing/BarDrop.h"

#include <QObject>
#include <memory>

class BarDragController;
class ChartPrinting;
class ChartView;
class ConflictsPanel;
class FileMenu;
class MainForm;
class PlanListCsvActions;
class PlanListPane;
class PlanSession;
class QAction;

class ChartEditing : public QObject
{
    Q_OBJECT
public:
    explicit ChartEditing(MainForm &form);
    ~ChartEditing() override;

    PlanSession &session() { return m_session; }
    ChartView &chartView() { return *m_view; }
    ConflictsPanel &conflicts() { return *m_conflicts; }
    BarDragController &dragController() { return *m_drag; }
    FileMenu &fileMenu() { return *m_fileMenu; }
    PlanListCsvActions &planListCsv() { return *m_listCsv; }
    ChartPrinting &chartPrinting() { return *m_printing; }
    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }

    // ComHozon: saves the plan with the save progress window. Nothing is written in inquiry
    // mode; after a stopped or failed save the button stays enabled. Lots that others changed
    // since the load are listed afterwards, to be overwritten (after a second question),
    // read again or left unsaved.
    void save();

private:
    // The session holds the loaded plan: the time axis, every bar, the chart and the list.
    void layOutLoadedPlan();
    // LinePlanWindow for the machine and working day under a right press, when there is one.
    void openLinePlan(int row, const QDateTime &at);
    void showChanges(const QList<qint64> &indices);
    void updateHistoryActions();

    MainForm &m_form;
    PlanSession &m_session;
    ChartView *m_view = nullptr;
    ConflictsPanel *m_conflicts = nullptr;
    PlanListPane *m_list = nullptr;
    FileMenu *m_fileMenu = nullptr;
    PlanListCsvActions *m_listCsv = nullptr;
    ChartPrinting *m_printing = nullptr;
    std::unique_ptr<BarDrop> m_drop;
    BarDragController *m_drag = nullptr;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
};
