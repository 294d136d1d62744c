#pragma once
// How one lot's bar looks and where it lies: plain data that bar layout produces and the
// chart widgets paint and hit-test. Positions are twips on the bar's surface, measured from
// ChartOrigin horizontally and from the surface's top vertically.

#include "plan/ChartRows.h"
#include "gantt/RgbColor.h"
#include "gantt/TimeScale.h"

#include <QString>

// The bar template's height: the upper half of a row, with room for the ±45-twip stagger.
constexpr qint64 PlanBarHeight = qint64(ChartRows::BarHeight);
// The progress overlay sits this far right of and below the bar's top-left corner.
constexpr qint64 OverlayInset = 15;

struct BarGeometry
{
    ChartSurface surface = ChartSurface::Main;
    qint64 left = 0;
    qint64 top = 0;
    qint64 width = 0;
    RgbColor background;
    RgbColor text;
    bool bold = false;
    QString caption;          // two lines separated by "\r\n"
    qint64 overlayWidth = 0;  // the received share, 0 when the overlay is hidden
    bool overlayVisible = false;
    bool visible = false;
    bool onStrip = false;

    qint64 right() const { return left + width; }
    qint64 bottom() const { return top + PlanBarHeight; }
    qint64 overlayLeft() const { return left + OverlayInset; }
    qint64 overlayTop() const { return top + OverlayInset; }
};
