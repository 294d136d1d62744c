#pragma once
// The options of 自動計画 as the planner fills them in: the boxes' texts are read whole or
// refused with a message that names the box, so that a typo never becomes another plan.

#include "editing/AutoPlanner.h"

#include <QStringList>
#include <optional>

class Prompter;

struct AutoPlanTexts
{
    bool replanTentative = AutoPlanOptions{}.replanTentative;
    QString dueUpTo;         // a date as typed; empty for every due date
    QStringList machines;    // the codes of the presses ticked
    int machineCount = 0;    // the presses offered; all ticked means every press
    QString stockDays = QString::number(AutoPlanOptions{}.stockDays);
    QString budgetSeconds = QString::number(AutoPlanOptions{}.budgetSeconds);
};

namespace autoplanbox {
extern const QString BadDueUpTo;    // the due date limit holds no date
extern const QString StockDays;     // "在庫の上限"
extern const QString BudgetSeconds; // "計算時間"
extern const QString NoMachine;     // no press ticked
} // namespace autoplanbox

enum class AutoPlanBox { None, DueUpTo, Machines, StockDays, BudgetSeconds };

struct AutoPlanRead
{
    std::optional<AutoPlanOptions> options;
    AutoPlanBox refused = AutoPlanBox::None; // the box the planner was told about
};

// The options the texts give; none, after telling the planner which box is wrong, when a box
// holds no date or no whole number in its range, or no press is ticked.
AutoPlanRead readAutoPlanTexts(const AutoPlanTexts &texts, const QDate &today, Prompter &prompter);
