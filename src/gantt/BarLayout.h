#pragma once
// LayoutBar: lays out one lot's bar from its record, the top of its row and the time scale.

#include "gantt/BarGeometry.h"

struct PlanRecord;

// The settings-file switches that change how bars look.
struct BarOptions
{
    bool markTentative = false; // captions of unconfirmed lots in blue
    bool showMold = false;      // the mold short name ends the caption
};

// Rows whose top lies above this belong to the unassigned strip.
constexpr double StripRowLimit = 300;
// Strip bars are raised by this much and are always this wide.
constexpr qint64 StripLift = 180;
constexpr qint64 StripBarWidth = 1500;
// No bar is narrower than three pixels.
constexpr qint64 MinimumBarWidth = 45;

// Lays out bar `index` of `record` on the row whose top is `rowTop` (0 when the lot's codes
// match no row). A record hidden by the detail window gives an invisible bar that keeps the
// on-strip flag its bar had before (`wasOnStrip`).
BarGeometry layoutBar(const PlanRecord &record, qint64 index, double rowTop, const TimeScale &scale,
                      const BarOptions &options, bool wasOnStrip = false);

// The same with the bar kept on its surface at its height: only position along the time
// axis, caption, colours and sizes are renewed.
BarGeometry relayoutBarInPlace(const PlanRecord &record, const BarGeometry &previous, const TimeScale &scale,
                               const BarOptions &options);

// The parts, for the plan list and the hover label.
QString barCaption(const PlanRecord &record, bool showMold);
RgbColor barBackground(const PlanRecord &record);
RgbColor barTextColor(const PlanRecord &record, bool markTentative);
