#pragma once
// Which lots the schedule list shows: the lots waiting on the unassigned strip that pass the
// planner's search. Each non-empty text is a wildcard pattern the lot's text must contain
// ("*" + text + "*", so "*", "?", "#" and bracket lists work inside it); the due date must
// lie in the range, both ends included. The patterns are compiled once per search.

#include "common/WildcardPattern.h"

#include <QDate>
#include <QString>
#include <optional>

struct PlanRecord;
struct ScheduleListSearch;

// A lot whose bar lies on the strip. A lot hidden by the detail window keeps its on-strip
// flag but has no bar there to pick up, so it does not wait on the strip.
bool waitsOnStrip(const PlanRecord &lot);

class ScheduleListFilter
{
public:
    // Every lot on the strip passes.
    ScheduleListFilter() = default;
    // The due dates are "yyyy/mm/dd"; a range end that is no date lets no lot through.
    explicit ScheduleListFilter(const ScheduleListSearch &search);

    // The lot waits on the strip and passes the search.
    bool accepts(const PlanRecord &lot) const;

private:
    static std::optional<WildcardPattern> containing(const QString &typed);

    std::optional<WildcardPattern> m_itemCode;
    std::optional<WildcardPattern> m_requestNo;
    std::optional<WildcardPattern> m_mold;
    bool m_dueRange = false;
    QDate m_dueFrom;
    QDate m_dueTo;
};
