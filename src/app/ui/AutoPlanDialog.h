#pragma once
// The options of 自動計画, asked before it runs: whether the tentative lots on presses are
// planned again (仮計画も組み直す), a due date limit, the presses it may use, the stock limit
// in working days and the time it may take. 実行 reads the boxes and closes the window only
// when every box holds what it must; キャンセル closes it without planning.

#include "session/AutoPlanRequest.h"

#include <QDialog>

class ChartRows;
class Prompter;
class QCheckBox;
class QLineEdit;
class QListWidget;

class AutoPlanDialog : public QDialog
{
    Q_OBJECT
public:
    AutoPlanDialog(const ChartRows &rows, Prompter &prompter, QWidget *parent = nullptr);

    // The options read when 実行 closed the window.
    const AutoPlanOptions &options() const { return m_options; }

private:
    void run();
    void tickAll(bool ticked);
    QWidget *boxOf(AutoPlanBox box) const;

    Prompter &m_prompter;
    AutoPlanOptions m_options;
    QCheckBox *m_tentative = nullptr;
    QLineEdit *m_due = nullptr;
    QListWidget *m_machines = nullptr;
    QLineEdit *m_stock = nullptr;
    QLineEdit *m_budget = nullptr;
};
