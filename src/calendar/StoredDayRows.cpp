#include "calendar/StoredDayRows.h"

namespace {
constexpr int DayPairs = 4;   // the calendar keeps four shift pairs a day
constexpr int RowPairs = 2;   // a stored row has two column pairs
} // namespace

int DayHolding::capacity() const
{
    return holders.empty() ? 0 : holders.back().pairs.back() + 1;
}

DayHolding holdingOf(const StoredDay &day)
{
    DayHolding holding;
    for (size_t row = 0; row < day.size(); ++row) {
        DayHolding::Holder holder{row, {}};
        for (const int pair : day[row].suppliedPairs)
            if (pair >= 0)
                holder.pairs.push_back(pair);
        if (!holder.pairs.empty())
            holding.holders.push_back(std::move(holder));
    }
    if (holding.holders.empty()) {
        if (!day.empty())
            holding.holders.push_back({0, {0, 1}});
        return holding;
    }
    std::vector<int> &last = holding.holders.back().pairs;
    while (int(last.size()) < RowPairs && last.back() + 1 < DayPairs)
        last.push_back(last.back() + 1);
    return holding;
}

std::vector<int> unheldShiftPairs(const ShiftTimes &shifts, const StoredDay &day)
{
    std::vector<int> unheld;
    for (int pair = holdingOf(day).capacity(); pair < DayPairs; ++pair)
        if (shifts[size_t(2 * pair)] != shifts[size_t(2 * pair + 1)])
            unheld.push_back(pair);
    return unheld;
}
