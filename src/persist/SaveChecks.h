#pragma once
// The checks before anything is written: durations the arrangement columns can hold, and
// lots that would use the same mold at the same time.

#include <QString>
#include <vector>

class PlanStore;
struct PlanRecord;

// Setup plus work over 9,999,999 minutes, or either of them at 10,000 hours or more as
// stored (Int(minutes * 100 / 60) / 100).
bool durationExceedsLimit(qint64 setupMinutes, qint64 workMinutes);

// A negative setup time, work time or quantity, or a quantity the columns cannot hold: such
// a lot is never written.
bool valuesOutOfRange(qint64 setupMinutes, qint64 workMinutes, qint64 quantity);

// A date of the lot that its eight-digit column cannot hold (a year before 1000 or after
// 9999): written, it would make the class unloadable.
bool datesOutOfRange(const PlanRecord &lot);

// For every changed lot with a mold number, the other lots on a machine with the same mold
// whose time overlaps its own (end after the other's start and the other's end after its
// start). Two changed lots that overlap count once from each side. Lots merged away (no
// longer active) take no part. Each overlap is the changed lot and the other lot (store
// indices).
struct MoldOverlap
{
    qint64 changed;
    qint64 other;
};
std::vector<MoldOverlap> moldOverlaps(const PlanStore &store);
// Their number, as the save's question counts them.
qint64 moldOverlapCount(const PlanStore &store);
// The overlaps for the planner, one line each: the mold, then each lot's arrangement number,
// machine and time ("金型 K-12: 手配 1001 M01 2024/04/10 09:00～2024/04/10 17:00 ／ 手配 …").
QString moldOverlapDetails(const PlanStore &store, const std::vector<MoldOverlap> &overlaps);
