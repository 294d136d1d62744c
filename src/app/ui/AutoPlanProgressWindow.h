#pragma once
// The window shown while 自動計画 runs: how far the planner is, and 中止, which stops it and
// keeps the best plan found so far. The planner runs on the window's own thread and tells
// the window how far it is; each telling lets the window's events run (no more often than a
// screen can show), so 中止 can be pressed. The chart behind stays untouched meanwhile: the
// window is modal, stays up until the planner has returned (中止, Esc and closing only ask it
// to stop), and the planner only reads the plan.

#include <QElapsedTimer>
#include <QProgressDialog>

class AutoPlanProgressWindow : public QProgressDialog
{
    Q_OBJECT
public:
    explicit AutoPlanProgressWindow(QWidget *parent = nullptr);

    // Shown and drawn before the planner starts, with no count yet.
    void start();
    // The planner's progress call: done of total; false once 中止 was pressed.
    bool tell(int done, int total);
    bool stopAsked() const { return m_stopAsked; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void askToStop();

    bool m_stopAsked = false;
    QElapsedTimer m_sinceShown;
    qint64 m_lastShown = -1;
};
