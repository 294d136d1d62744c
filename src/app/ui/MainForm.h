#pragma once
// The main window "生産計画支援システム": the chart of one process class and period, the plan
// grid below it and the search and confirmation panels at the right. It owns the plan store
// and the machine look-up of its load, and the unsaved-changes state (ComHozon is enabled
// exactly while there are unsaved changes).
//
// The chart subsystems put their widgets into the placeholders (installChartViewport,
// installStripViewport, installPlanGrid) and their steps of the load into loadHooks().

#include "plan/MachineLookup.h"
#include "app/PlanSession.h"
#include "plan/PlanStore.h"

#include <QDate>
#include <QMainWindow>
#include <QSqlQuery>
#include <functional>

class Database;
class ProgressText;
class Prompter;
class SchedulerSplash;
struct RunContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

// The steps of the load that belong to the chart and the grid, in the order the load calls
// them. Each is set by the subsystem that owns it; a step that is not set is passed over.
struct MainFormLoadHooks
{
    // Builds row 1 and the machine rows with their working calendars from the class's machines.
    std::function<void(QSqlQuery &machines)> buildMachineRows;
    // Appends the subcontractor rows from the class's subcontractors.
    std::function<void(QSqlQuery &subcontractors)> buildSubcontractorRows;
    // The caption of every chart row, row 1 first (row 1's is empty).
    std::function<QStringList()> rowCaptions;
    // The row boundaries that a drop is measured against.
    std::function<void()> computeDropLimits;
    // The time axis widths and the placement of the chart surfaces in Picture1 and Picture2.
    std::function<void()> layoutTimeAxis;
    // Places the loaded lots (progress in the splash), lays out their bars and fills the plan grid.
    std::function<void(ProgressText &progress)> layoutPlan;
    // The week display, the calendar lines and the row borders; the horizontal scroll range.
    std::function<void()> drawChart;
};

class MainForm : public QMainWindow
{
    Q_OBJECT
public:
    static QString baseCaption();

    MainForm(RunContext &context, Database &db, Prompter &prompter, QWidget *parent = nullptr);

    // The load step: rows, plan, chart and grid for the run's class and period. The splash
    // shows the progress and is closed at the end. Throws DbError when a statement fails.
    void load(SchedulerSplash *splash);

    MainFormLoadHooks &loadHooks() { return m_hooks; }
    RunContext &context() { return m_context; }
    Database &database() { return m_db; }
    Prompter &prompter() { return m_prompter; }
    PlanSession &session() { return m_session; }
    PlanStore &planStore() { return m_store; }
    const MachineLookup &machineLookup() const { return m_machines; }

    // The display mode asked for on the command line (1..4), 0 for the opening mode.
    int requestedDisplayMode() const { return m_requestedMode; }
    void setRequestedDisplayMode(int mode) { m_requestedMode = mode; }

    // Placeholders: each widget fills its area and is owned by the window from then on.
    void installChartViewport(QWidget *viewport);   // into Picture1
    void installStripViewport(QWidget *viewport);   // into Picture2
    void installPlanGrid(QWidget *grid);            // into the plan grid area

    QWidget *picture1() const { return m_picture1; }
    QWidget *picture2() const { return m_picture2; }
    QScrollBar *kScroll() const { return m_kScroll; }
    QScrollBar *hScroll1() const { return m_hScroll1; }
    // The row label of slot 1..10.
    QLabel *machineName(int slot) const;
    QLineEdit *dayDispArea() const { return m_dayDispArea; }
    QLineEdit *text1() const { return m_text1; }
    QPushButton *command4() const { return m_command4; }
    QLabel *kTbun() const { return m_kTbun; }
    QPushButton *comHozon() const { return m_comHozon; }

    // The restart cycle (double-click on KTbun): after the question, the window closes and
    // restartRequested() is emitted; the caller shows the class window and a new main window.
    void startRestart();

signals:
    // The window closed for good (not for a restart): the program ends.
    void finished();
    // The window closed to choose another class.
    void restartRequested();
    // The window is closing either way: windows that belong to it close too.
    void unloading();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildSidePanel(QWidget *central);
    void applyLayout();
    void fillMachineSelectors(const QStringList &captions);
    void setRowScrollRange(qsizetype rows);

    RunContext &m_context;
    Database &m_db;
    Prompter &m_prompter;
    PlanSession m_session;
    PlanStore m_store;
    MachineLookup m_machines;
    MainFormLoadHooks m_hooks;
    int m_requestedMode = 0;

    QWidget *m_central = nullptr;
    QLabel *m_kTbun = nullptr;
    QLineEdit *m_dayDispArea = nullptr;
    QLineEdit *m_text1 = nullptr;
    QPushButton *m_command4 = nullptr;
    QWidget *m_picture1 = nullptr;
    QWidget *m_picture2 = nullptr;
    QWidget *m_gridArea = nullptr;
    QScrollBar *m_kScroll = nullptr;
    QScrollBar *m_hScroll1 = nullptr;
    QPushButton *m_comHozon = nullptr;
    QComboBox *m_cmbMachine = nullptr;
    QComboBox *m_cmbKakuteiMachine = nullptr;
};
