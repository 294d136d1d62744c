#pragma once
// The list search of the plan grid: which lots the list shows. The texts are typed by the
// planner; each non-empty one is a wildcard pattern that the lot's text must start with
// (the typed text, trimmed, followed by "*"). The patterns are compiled once per search.

#include "common/WildcardPattern.h"

#include <QString>
#include <optional>

struct PlanRecord;

struct PlanListSearch
{
    QString itemCode{};     // TxtSerchPartID
    QString itemName{};     // TxtSerchHinmei
    QString mold{};         // TxtSerchKanagataBango, matched against the mold name
    bool displayedOnly = false; // CheckPlanHyouji: only lots whose display flag is 1
    QString machineCode{};  // CmbMachine: the chosen row's code; empty for all machines
};

class PlanListFilter
{
public:
    // Every lot passes.
    PlanListFilter() = default;
    explicit PlanListFilter(const PlanListSearch &search);

    bool accepts(const PlanRecord &lot) const;

private:
    static std::optional<WildcardPattern> startsWith(const QString &typed);

    std::optional<WildcardPattern> m_itemCode;
    std::optional<WildcardPattern> m_itemName;
    std::optional<WildcardPattern> m_mold;
    bool m_displayedOnly = false;
    QString m_machineCode;
};
