#include "session/AutoPlanRequest.h"

#include "common/PlantValues.h"
#include "common/TypedNumber.h"
#include "editing/PlanKakutei.h"
#include "plan/Prompter.h"

#include <cmath>

namespace autoplanbox {
const QString BadDueUpTo = QStringLiteral("納期の上限を正しく入力してください");
const QString StockDays = QStringLiteral("在庫の上限");
const QString BudgetSeconds = QStringLiteral("計算時間");
const QString NoMachine = QStringLiteral("計画する機械を1台以上選んでください");
} // namespace autoplanbox

namespace {

// No stock limit reaches beyond a year of working days; no planner waits an hour.
constexpr double MaxStockDays = 365;
constexpr double MaxBudgetSeconds = 3600;

std::optional<int> wholeNumber(const QString &text, double least, double most)
{
    const std::optional<double> typed = plant::typedNumber(text, most);
    if (!typed || *typed < least || *typed != std::floor(*typed))
        return std::nullopt;
    return int(*typed);
}

} // namespace

AutoPlanRead readAutoPlanTexts(const AutoPlanTexts &texts, const QDate &today, Prompter &prompter)
{
    const auto refuse = [&prompter](const QString &text, AutoPlanBox box) {
        prompter.inform(text);
        return AutoPlanRead{std::nullopt, box};
    };
    AutoPlanOptions options;
    options.replanTentative = texts.replanTentative;
    const std::optional<QString> due = dueBoundOfBox(texts.dueUpTo, today);
    if (!due)
        return refuse(autoplanbox::BadDueUpTo, AutoPlanBox::DueUpTo);
    options.dueUpTo = due->isEmpty() ? QDate() : plant::dateFromText(*due);
    if (texts.machines.isEmpty())
        return refuse(autoplanbox::NoMachine, AutoPlanBox::Machines);
    if (texts.machines.size() < texts.machineCount)
        for (const QString &code : texts.machines)
            options.machines.insert(code.trimmed());
    const std::optional<int> stock = wholeNumber(texts.stockDays, 0, MaxStockDays);
    if (!stock)
        return refuse(plant::badNumberText(autoplanbox::StockDays), AutoPlanBox::StockDays);
    options.stockDays = *stock;
    const std::optional<int> budget = wholeNumber(texts.budgetSeconds, 1, MaxBudgetSeconds);
    if (!budget)
        return refuse(plant::badNumberText(autoplanbox::BudgetSeconds), AutoPlanBox::BudgetSeconds);
    options.budgetSeconds = *budget;
    return {options};
}
