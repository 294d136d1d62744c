#pragma once
// The bar search ("■ バー検索"): finds lots by item code and item name patterns, compared in
// upper case and narrow characters, and describes each hit as a line of the arrangement
// selection window (SelectPlan).

#include <QList>
#include <QString>

class PlanStore;
struct PlanRecord;

namespace barsearch {
extern const QString NoCondition; // both fields empty
extern const QString NoHit;       // nothing found

// The lots 2..last whose item code matches `codePattern` and whose item name matches
// `namePattern` (an empty pattern matches everything), with a quantity and an arrangement
// number; in store order.
QList<qint64> find(const PlanStore &store, const QString &codePattern, const QString &namePattern);

// "arrangement mm/dd machine process item quantity", then "削除済" for a lot the planner has
// taken out of the editor.
QString selectPlanLine(const PlanRecord &lot);
} // namespace barsearch
