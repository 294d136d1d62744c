#pragma once
// The main window "生産計画支援システム": the chart of one process class and period, the plan
// grid below it and the search and confirmation panels at the right. It owns the plan session
// of its load and the unsaved-changes state (ComHozon is enabled exactly while there are
// unsaved changes).
//
// The chart and the list put their widgets into the placeholders (installChartViewport,
// installStripViewport, installPlanGrid) and lay themselves out when planLoaded() says the
// session holds the loaded plan.

#include "app/UnsavedChanges.h"

#include <QDate>
#include <QMainWindow>

class Database;
class PlanSession;
class PlanStore;
class Prompter;
class SchedulerSplash;
struct RunContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

class MainForm : public QMainWindow
{
    Q_OBJECT
public:
    static QString baseCaption();

    MainForm(RunContext &context, Database &db, Prompter &prompter, QWidget *parent = nullptr);

    // The load step: the session loads the rows, the plan and its placement for the run's
    // class and period (the splash shows the progress and is closed at the end), then the
    // chart and the grid lay themselves out. Throws DbError when a statement fails and
    // StartupError when the plan cannot be shown.
    void load(SchedulerSplash *splash);

    RunContext &context() { return m_context; }
    Prompter &prompter() { return m_prompter; }
    PlanSession &plan() { return *m_plan; }
    const PlanStore &planStore() const;
    UnsavedChanges &unsavedChanges() { return m_unsaved; }

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
    // The session holds the loaded plan: the chart and the list lay it out. The window is
    // shown after this.
    void planLoaded();
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
    QSize windowSize(const RunContext &c) const;
    void fillMachineSelectors(const QStringList &captions);
    void setRowScrollRange(qsizetype rows);

    RunContext &m_context;
    Prompter &m_prompter;
    PlanSession *m_plan = nullptr;
    UnsavedChanges m_unsaved;
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
