#pragma once
// 編集 → 自動計画…: asks the options (AutoPlanDialog), runs the plan session's 自動計画 with
// the progress window that can stop it, tells in the status bar what changed and shows the
// report. The lots it placed are changed lots like after any edit, and one 元に戻す takes the
// whole step back. Not offered in inquiry mode, where nothing planned could be saved.

#include <QObject>

class MainForm;
class PlanSession;
class QAction;
class QMenu;

class AutoPlanAction : public QObject
{
    Q_OBJECT
public:
    AutoPlanAction(MainForm &form, PlanSession &session, QMenu &editMenu);

    QAction *action() const { return m_action; }

private:
    void run();

    MainForm &m_form;
    PlanSession &m_session;
    QAction *m_action = nullptr;
};
