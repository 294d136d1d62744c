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

// The day's total divided over the rows that keep a shift, in proportion to the shift minutes
// of each row's own pairs.
std::vector<double> divideHours(int total, const std::vector<qint64> &ownMinutes, bool wholeHours)
{
    const int count = int(ownMinutes.size());
    std::vector<double> shares(ownMinutes.size(), 0.0);
    if (total <= 0)
        return shares;
    if (total < count) {
        if (wholeHours) {
            std::fill(shares.begin(), shares.begin() + total, 1.0);
        } else {
            shares.assign(ownMinutes.size(), SmallShare);
            shares.front() = total - SmallShare * (count - 1);
        }
        return shares;
    }
    qint64 allMinutes = 0;
    for (const qint64 minutes : ownMinutes)
        allMinutes += minutes;
    int remaining = total;
    for (int i = 0; i + 1 < count; ++i) {
        const int later = count - 1 - i; // each later row needs an hour
        const qint64 proportional =
            allMinutes > 0 ? plant::roundHalfEven(double(total) * double(ownMinutes[size_t(i)]) / double(allMinutes)) : 1;
        const int kept = int(std::clamp<qint64>(proportional, 1, remaining - later));
        shares[size_t(i)] = kept;
        remaining -= kept;
    }
    shares.back() = remaining;
    return shares;
}

} // namespace

std::vector<DayRowWrite> dayRowWrites(const CalendarDay &day, const StoredDay &stored, bool wholeHours)
{
    const DayHolding holding = holdingOf(stored);
    std::vector<DayRowWrite> writes(stored.size());
    std::vector<bool> written(stored.size(), false);
    for (size_t row = 0; row < stored.size(); ++row) {
        writes[row].row = row;
        written[row] = stored[row].hours != 0;
    }

    std::vector<size_t> keeping; // holders that keep a shift, in load order
    std::vector<qint64> ownMinutes; // the shift minutes of each one's pairs
    for (const DayHolding::Holder &holder : holding.holders) {
        DayRowWrite &write = writes[holder.row];
        written[holder.row] = true;
        write.writesShifts = true;
        write.shifts.fill(QTime(0, 0));
        size_t column = 0;
        qint64 minutes = 0;
        for (const int pair : holder.pairs) {
            const QTime &start = day.shiftTimes[size_t(2 * pair)];
            const QTime &end = day.shiftTimes[size_t(2 * pair + 1)];
            if (!isShift(start, end))
                continue;
            write.shifts[column++] = start;
            write.shifts[column++] = end;
            minutes += SpanMinutes(start, end);
        }
        if (column > 0) {
            keeping.push_back(holder.row);
            ownMinutes.push_back(minutes);
        }
    }

    if (keeping.empty()) {
        if (!holding.holders.empty())
            writes[holding.holders.front().row].hours = std::max(day.workHours, 0);
    } else {
        const std::vector<double> shares = divideHours(day.workHours, ownMinutes, wholeHours);
        for (size_t i = 0; i < keeping.size(); ++i)
            writes[keeping[i]].hours = shares[i];
    }

    std::vector<DayRowWrite> result;
    for (size_t row = 0; row < stored.size(); ++row)
        if (written[row])
            result.push_back(writes[row]);
    return result;
}

StoredDay storedAfter(const StoredDay &stored, const std::vector<DayRowWrite> &writes, const ShiftTimes &shifts)
{
    StoredDay after = stored;
    for (const DayRowWrite &write : writes) {
        StoredDayRow &row = after[write.row];
        row.hours = write.hours;
        if (write.hours == 0)
            row.suppliedPairs = {-1, -1}; // a reload passes over a row without hours
        if (!write.writesShifts)
            continue;
        for (size_t i = 0; i < row.times.size(); ++i)
            row.times[i] = plant::timeToDb(write.shifts[i]);
        // The day's pairs whose times the row now holds, in its column order.
        row.suppliedPairs = {-1, -1};
        for (size_t column = 0; column < 2; ++column) {
            const QTime &start = write.shifts[2 * column];
            const QTime &end = write.shifts[2 * column + 1];
            if (!isShift(start, end) || write.hours == 0)
                continue;
            for (int pair = 0; pair < 4; ++pair)
                if (shifts[size_t(2 * pair)] == start && shifts[size_t(2 * pair + 1)] == end)
                    row.suppliedPairs[column] = pair;
        }
    }
    return after;
}
