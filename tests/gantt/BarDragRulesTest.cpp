// The rules of a dragged or hovered bar: the row scroll every fifth drag-over event near the
// viewport's edges (one shared counter, stopping at the ends), and the hover label's place.

#include "gantt/BarDragRules.h"

#include <gtest/gtest.h>

namespace {

constexpr double Height = 6000; // a viewport of ten rows

TEST(DragAutoScroll, ScrollsOneRowEveryFifthEventInTheBottomZoneAndStopsAtTheMaximum)
{
    DragAutoScroll scroll;
    int value = 3;
    std::vector<int> values;
    for (int event = 0; event < 15; ++event)
        values.push_back(value = scroll.dragOver(Height * 0.98, Height, value, 5));
    EXPECT_EQ(values, (std::vector<int>{3, 3, 3, 3, 4, 4, 4, 4, 4, 5, 5, 5, 5, 5, 5}));
}

TEST(DragAutoScroll, BothZonesShareOneCounterThatLeavingDoesNotReset)
{
    DragAutoScroll scroll;
    int value = 4;
    for (int event = 0; event < 3; ++event)
        value = scroll.dragOver(Height * 0.99, Height, value, 9); // three at the bottom
    value = scroll.dragOver(Height * 0.5, Height, value, 9);      // the middle counts nothing
    EXPECT_EQ(scroll.ticks(), 3);
    value = scroll.dragOver(-100, Height, value, 9);              // fourth, above the viewport
    EXPECT_EQ(value, 4);
    value = scroll.dragOver(Height * 0.05, Height, value, 9);     // fifth: one row up
    EXPECT_EQ(value, 3);
    EXPECT_EQ(scroll.ticks(), 0);
    EXPECT_EQ(scroll.dragOver(10, Height, 0, 9), 0);              // nothing above the first row
    EXPECT_EQ(scroll.ticks(), 0);
}

TEST(HoverLabel, StepsAlongTheBarTwoDaysRightClampedAndFlipsAboveNearTheBottom)
{
    struct Case
    {
        double xInBar;
        qint64 barLeft, barTop;
        double surfaceTop;
        qsizetype chars;
        double left, top, width;
    };
    const double day = 1000;
    const std::vector<Case> cases{
        {650, 2000, 840, 0, 10, 600 + 2000 + 750 + 2 * day, 840 + 300 + 400, 800}, // a row's bar
        {650, 12000, 840, 0, 10, 15000 - 800, 840 + 300 + 400, 800},              // clamped at the right
        {599, 2000, 120, 0, 10, 0 + 2000 + 750, 120 + 300 + 400, 800},             // strip bar: no shift
        {0, 2000, 5640, 0, 5, 2000 + 750 + 2 * day, 5640 + 300 + 400 - 775, 400},  // flips above
        {0, 2000, 5640, -600, 5, 2000 + 750 + 2 * day, 5640 + 300 + 400 - 600, 400}, // scrolled up: stays below
    };
    for (const Case &c : cases) {
        BarGeometry bar;
        bar.left = c.barLeft;
        bar.top = c.barTop;
        const HoverLabelPlace place = hoverLabelPlace(c.xInBar, bar, 0, c.surfaceTop, day, c.chars);
        EXPECT_DOUBLE_EQ(place.left, c.left) << c.barLeft << ' ' << c.barTop;
        EXPECT_DOUBLE_EQ(place.top, c.top) << c.barLeft << ' ' << c.barTop;
        EXPECT_DOUBLE_EQ(place.width, c.width);
    }
}

} // namespace
