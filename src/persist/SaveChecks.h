#pragma once
// The checks before anything is written: durations the arrangement columns can hold, and
// lots that would use the same mold at the same time.

#include <QtGlobal>

class PlanStore;

// Setup plus work over 9,999,999 minutes, or either of them at 10,000 hours or more as
// stored (Int(minutes * 100 / 60) / 100).
bool durationExceedsLimit(qint64 setupMinutes, qint64 workMinutes);

// For every changed lot with a mold number, the other lots on a machine with the same mold
// whose time overlaps its own (end after the other's start and the other's end after its
// start). Two changed lots that overlap count once from each side. Lots merged away (no
// longer active) take no part.
qint64 moldOverlapCount(const PlanStore &store);
