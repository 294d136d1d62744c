#pragma once
// AddPlan "工程追加": the chain of the lot's own process and its next processes, opened from
// the detail window's Command4. The planner checks how far along the chain to go; "追加実施"
// (Command3) hands the chosen processes back to the detail window, "追加キャンセル" (Command1)
// closes without change.

#include "dialogs/ProcessAdd.h"

#include <QDialog>
#include <optional>

class ChainList;
class QLineEdit;
class QPushButton;

class AddPlan : public QDialog
{
    Q_OBJECT
public:
    // `add` has been opened on the lot; `lot` holds the member slots the processes go into.
    AddPlan(ProcessAdd &add, const PlanRecord &lot, Prompter &prompter, QWidget *parent = nullptr);

    ChainList *list() const { return m_list; }
    QLineEdit *arrangementBox() const { return m_text1; } // Text1
    QPushButton *button(const QString &name) const;
    // The processes chosen by Command3; empty when the window closed without an add.
    const std::optional<ProcessAddition> &addition() const { return m_addition; }

private:
    void execute();

    ProcessAdd &m_add;
    const PlanRecord &m_lot;
    Prompter &m_prompter;
    ChainList *m_list = nullptr;
    QLineEdit *m_text1 = nullptr;
    std::optional<ProcessAddition> m_addition;
};
