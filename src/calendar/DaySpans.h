#pragma once
// The working spans of one machine on one working day: up to fourteen start/end pairs of times
// of day (four shift pairs, each break cutting one of them in two), in time order within the
// working day, packed from the first pair; unused pairs hold 00:00:00. An end of 00:00:00 is
// midnight at the end of the date. Spans never overlap a break and together cover the day's
// shift time minus the breaks.

#include "calendar/BreakTable.h"

#include <QTime>
#include <array>

class DaySpans
{
public:
    static constexpr int Capacity = 4 + BreakTable::Capacity;

    DaySpans();

    // Slots 1..28 (odd = span start, even = span end); 00:00:00 when unused.
    QTime slot(int number) const;
    // The number of spans, counted from the first pair up to the first unused one.
    int size() const;
    QTime start(int index) const { return m_values[size_t(2 * index)]; } // 0 .. size()-1
    QTime end(int index) const { return m_values[size_t(2 * index + 1)]; }

    // Appends a span after the last one; a full table keeps its spans.
    void append(const QTime &start, const QTime &end);

    bool operator==(const DaySpans &other) const { return m_values == other.m_values; }

private:
    std::array<QTime, 2 * Capacity> m_values;
};

// The eight shift slots of a calendar day: up to four start/end pairs, slot 1 = first start,
// slot 2 = first end, ...; an unused pair holds 00:00:00 twice.
using ShiftTimes = std::array<QTime, 8>;

// The day's spans from its shift times and the break table: every shift pair of the day, in
// time order within the working day, cut by the breaks; pairs that overlap or adjoin (a shift
// to midnight and one from midnight) make one stretch. A pair that starts before DayStartTime
// on the date and ends after it starts at DayStartTime (the earlier part belongs to the
// previous working day); a pair that runs past the next day's start ends there.
DaySpans BuildDaySpans(const ShiftTimes &shifts, const BreakTable &breaks, const QTime &dayStart);

// Whole minutes of the working day that the shift pairs make working time, breaks not taken
// off; overlapping pairs count once (the stretches BuildDaySpans starts from).
qint64 ShiftMinutes(const ShiftTimes &shifts, const QTime &dayStart);

// Whole minutes of a span; an end of 00:00:00 is midnight at the end of the date, and an end
// earlier than the start is on the next date. An unused pair (start = end) has none.
qint64 SpanMinutes(const QTime &start, const QTime &end);
