#pragma once
// Where every control of the main window sits, in twips (15 per screen pixel), for a given
// window size. The chart and the side panel keep their design height; the plan grid below
// takes the rest. The side panel is anchored to the right edge; below the design width the
// window does not shrink further and everything keeps its design position.

#include <QHash>
#include <algorithm>
#include <QString>

namespace mainform {

struct TwipRect
{
    qint64 left = 0;
    qint64 top = 0;
    qint64 width = 0;
    qint64 height = 0;
    qint64 right() const { return left + width; }
    qint64 bottom() const { return top + height; }
};

// The narrowest window; a narrower request is widened to it.
constexpr qint64 kMinimumFormWidth = 19080;
// The ten row labels beside the chart.
constexpr int kRowLabels = 10;

struct Layout
{
    qint64 formWidth = 0;   // after the minimum width is applied
    qint64 formHeight = 0;  // after the minimum height is applied
    QHash<QString, TwipRect> controls; // by control name
};

// The top of the plan grid and the lowest window that still shows 1500 twips of it.
qint64 gridTop();
qint64 minimumFormHeight();

// The row label of chart row slot i (1..10).
QString rowLabelName(int slot);

Layout compute(qint64 formWidth, qint64 formHeight);

} // namespace mainform
