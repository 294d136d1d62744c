#pragma once
// The chart's rules while a bar is dragged or hovered: the row scroll near the viewport's
// top and bottom edges, and where the hover label with the bar's caption goes.

#include "gantt/BarGeometry.h"

// Dragging near the top or bottom edge of the viewport scrolls the rows by one, every fifth
// drag-over event in those zones. Both zones count on one counter that is not reset when the
// pointer leaves them.
class DragAutoScroll
{
public:
    // y: the pointer's height in twips from the viewport's top (negative above it); the row
    // scroll value and its maximum. Returns the new row scroll value.
    int dragOver(double y, double viewportHeight, int value, int maximum);
    int ticks() const { return m_ticks; }

private:
    bool tick();
    int m_ticks = 0;
};

// Where the hover label goes, in twips of the viewport: stepped along the bar in 600-twip
// steps, two days to the right of the pointer for bars of the rows (never past 15000), below
// the bar, or above it near the bottom.
struct HoverLabelPlace
{
    double left = 0;
    double top = 0;
    double width = 0;
};

// xInBar: the pointer's x inside the bar; surfaceLeft/surfaceTop: where the bar's surface
// origin lies in the viewport; captionChars: the caption's length.
HoverLabelPlace hoverLabelPlace(double xInBar, const BarGeometry &bar, double surfaceLeft, double surfaceTop,
                                double dayWidth, qsizetype captionChars);
