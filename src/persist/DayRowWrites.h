#pragma once
// What saving writes into the stored working-hour rows (DB0491) of one changed calendar day,
// worked out from the day as the planner left it and from the rows the load read it from.
//
// Every row writes back the shift pairs it holds (see DayHolding), packed into its column
// pairs from the first; a pair with equal start and end is no shift and is left out. No row is
// given a pair another row supplied, so a reload never finds a shift twice. Rows whose hours
// counted at the load, and the holders, share the day's hours: the holders that keep a shift
// get the hours in whole hours, each in proportion to the shift time of its own pairs and at
// least one (a reload reads the shifts of a row with hours only), the last one the rest; when
// none keeps a shift the first holder takes the total; every other row gets 0. A reload adds
// the rows up to exactly the planner's total. When the total is smaller than the number of
// rows that keep a shift, a column that takes fractions gives the rows eighths of an hour
// beside the first one, which a reload still rounds to the planner's total; a whole-hour
// column gives the first rows an hour each and the rest 0, so the total is kept and the shifts
// of those last rows are not read again. A total of 0 is a day off: every row gets 0 hours.
//
// Pairs beyond what the rows hold are not written (the change window tells the planner), and a
// day without a stored row writes nothing. A reload reads a day's rows in the order of their
// first start time, so the planner's shifts come back in the same order as long as each row's
// first shift starts later than the shifts of the rows before it, as they did when loaded.

#include "calendar/WorkCalendar.h"

#include <QTime>
#include <array>
#include <vector>

struct DayRowWrite
{
    size_t row = 0;    // the stored row written (index into the StoredDay)
    double hours = 0;  // 勤務時間
    bool writesShifts = false;
    std::array<QTime, 4> shifts; // 開始時刻１, 終了時刻１, 開始時刻２, 終了時刻２ when writesShifts

    bool operator==(const DayRowWrite &) const = default;
};

std::vector<DayRowWrite> dayRowWrites(const CalendarDay &day, const StoredDay &stored, bool wholeHours);

// The day's stored rows as they stand after `writes`: their new hours and times, and the
// pairs each of them now supplies, so that a later save finds them again.
StoredDay storedAfter(const StoredDay &stored, const std::vector<DayRowWrite> &writes, const ShiftTimes &shifts);

// The shift pairs of the day (0 .. 3) that no stored row can hold and that are real shifts
// (start different from end): saving leaves them out.
std::vector<int> unheldShiftPairs(const ShiftTimes &shifts, const StoredDay &stored);
