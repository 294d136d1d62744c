#pragma once
// Where each day of a machine's working calendar came from: the machine's working-hour rows
// (DB0491) of that date in the order the load read them, and what each of them supplied to the
// day (its hours, and which of the day's shift pairs its two column pairs filled). Saving a
// changed day writes every row back its own shift pairs from this, so that a day held in
// several rows comes back from a reload as the planner left it and no shift is copied into a
// second row.

#include "calendar/DaySpans.h"

#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

// One stored row of a day. A plant's table need not have a key of its own: saving finds the
// row again by the machine, the date and the values read here (and by 連番 where the table
// has that column), so a row someone changed since the load is not found and not written over.
struct StoredDayRow
{
    std::optional<qint64> serial; // 連番 where the table has it
    double hours = 0;  // 勤務時間 as stored; a row with 0 hours adds nothing to the day
    std::array<qint64, 4> times{}; // 開始時刻１, 終了時刻１, 開始時刻２, 終了時刻２ as stored (hhmmss)
    // The day's shift pair (0 = slots 1-2, 1 = slots 3-4, ...) that the row's first and its
    // second column pair (開始時刻１/終了時刻１, 開始時刻２/終了時刻２) filled; -1 where it filled none.
    std::array<int, 2> suppliedPairs{-1, -1};

    int suppliedCount() const { return (suppliedPairs[0] >= 0) + (suppliedPairs[1] >= 0); }
    bool operator==(const StoredDayRow &) const = default;
};

// The rows of one day, in load order.
using StoredDay = std::vector<StoredDayRow>;

// Which of the day's shift pairs each stored row holds when the day is written back.
// A row that supplied pairs holds them; the last such row also holds the pairs after its own
// as far as it has a column pair left. When no row supplied a pair, the day's first row holds
// pairs 0 and 1 (both its column pairs). The held pairs always run from pair 0 without a gap.
struct DayHolding
{
    struct Holder
    {
        size_t row = 0;         // index into the StoredDay
        std::vector<int> pairs; // the held pairs, in order
    };
    std::vector<Holder> holders; // in load order
    // The number of the day's shift pairs the rows can hold (pairs 0 .. capacity - 1).
    int capacity() const;
};

DayHolding holdingOf(const StoredDay &day);

// The day's shift pairs (0 .. 3) beyond what its stored rows can hold that are real shifts
// (start different from end): saving cannot write them.
std::vector<int> unheldShiftPairs(const ShiftTimes &shifts, const StoredDay &day);
