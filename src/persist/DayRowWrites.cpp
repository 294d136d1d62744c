#include "persist/DayRowWrites.h"

#include "common/PlantValues.h"

#include <algorithm>

namespace {

// A part of an hour that a reload rounds away beside a whole total: at most three of them
// stand beside the first row's share, 3/8 < 1/2.
constexpr double SmallShare = 0.125;

bool isShift(const QTime &start, const QTime &end)
{
    return start != end;
}

// The day's total divided over the rows that keep a shift, from their stored hours.
std::vector<double> divideHours(int total, const std::vector<double> &stored)
{
    const int count = int(stored.size());
    std::vector<double> shares(stored.size(), 0.0);
    if (total <= 0)
        return shares;
    if (total < count) {
        shares.assign(stored.size(), SmallShare);
        shares.front() = total - SmallShare * (count - 1);
        return shares;
    }
    int remaining = total;
    for (int i = 0; i + 1 < count; ++i) {
        const int later = count - 1 - i; // each later row needs an hour
        const int kept = int(std::clamp<qint64>(plant::roundHalfEven(stored[size_t(i)]), 1, remaining - later));
        shares[size_t(i)] = kept;
        remaining -= kept;
    }
    shares.back() = remaining;
    return shares;
}

} // namespace

std::vector<DayRowWrite> dayRowWrites(const CalendarDay &day, const StoredDay &stored)
{
    const DayHolding holding = holdingOf(stored);
    std::vector<DayRowWrite> writes(stored.size());
    std::vector<bool> written(stored.size(), false);
    for (size_t row = 0; row < stored.size(); ++row) {
        writes[row].serial = stored[row].serial;
        written[row] = stored[row].hours != 0;
    }

    std::vector<size_t> keeping; // holders that keep a shift, in load order
    for (const DayHolding::Holder &holder : holding.holders) {
        DayRowWrite &write = writes[holder.row];
        written[holder.row] = true;
        write.writesShifts = true;
        write.shifts.fill(QTime(0, 0));
        size_t column = 0;
        for (const int pair : holder.pairs) {
            const QTime &start = day.shiftTimes[size_t(2 * pair)];
            const QTime &end = day.shiftTimes[size_t(2 * pair + 1)];
            if (!isShift(start, end))
                continue;
            write.shifts[column++] = start;
            write.shifts[column++] = end;
        }
        if (column > 0)
            keeping.push_back(holder.row);
    }

    if (keeping.empty()) {
        if (!holding.holders.empty())
            writes[holding.holders.front().row].hours = std::max(day.workHours, 0);
    } else {
        std::vector<double> storedHours;
        for (const size_t row : keeping)
            storedHours.push_back(stored[row].hours);
        const std::vector<double> shares = divideHours(day.workHours, storedHours);
        for (size_t i = 0; i < keeping.size(); ++i)
            writes[keeping[i]].hours = shares[i];
    }

    std::vector<DayRowWrite> result;
    for (size_t row = 0; row < stored.size(); ++row)
        if (written[row])
            result.push_back(writes[row]);
    return result;
}
