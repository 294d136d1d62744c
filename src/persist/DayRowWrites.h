#pragma once
// What saving writes into the stored working-hour rows (DB0491) of one changed calendar day,
// worked out from the day as the planner left it and from the rows the load read it from.
//
// Every row writes back the shift pairs it holds (see DayHolding), packed into its column
// pairs from the first; a pair with equal start and end is no shift and is left out. No row is
// given a pair another row supplied, so a reload never finds a shift twice. Rows whose hours
// counted at the load, and the holders, share the day's hours: the holders that keep a shift
// get the hours (each at least one, so a reload reads their shifts; the earlier ones keep their
// stored hours as far as the total allows and the last takes the rest; when none keeps a
// shift the first holder takes the total), every other one gets 0. A reload adds the rows up to exactly the planner's total. When the total is smaller than
// the number of rows that keep a shift, the rows get eighths of an hour beside the first one,
// which a reload still rounds to the planner's total. A total of 0 is a day off: every row gets
// 0 hours and a reload shows no shift.
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
    qint64 serial = 0; // 連番 of the row
    double hours = 0;  // 勤務時間
    bool writesShifts = false;
    std::array<QTime, 4> shifts; // 開始時刻１, 終了時刻１, 開始時刻２, 終了時刻２ when writesShifts

    bool operator==(const DayRowWrite &) const = default;
};

std::vector<DayRowWrite> dayRowWrites(const CalendarDay &day, const StoredDay &stored);

// The shift pairs of the day (0 .. 3) that no stored row can hold and that are real shifts
// (start different from end): saving leaves them out.
std::vector<int> unheldShiftPairs(const ShiftTimes &shifts, const StoredDay &stored);
