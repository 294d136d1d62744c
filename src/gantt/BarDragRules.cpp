#include "gantt/BarDragRules.h"

#include <cmath>

namespace {
constexpr double TopZone = 0.1;
constexpr double BottomZone = 0.97;
constexpr int EventsPerRow = 5;
constexpr double LabelStep = 600;
constexpr double LabelOffset = 750;
constexpr double TwipsPerCharacter = 80;
constexpr double LabelRightLimit = 15000;
constexpr double StripBarTopLimit = 300;
constexpr double LabelGap = 400;
constexpr double LabelBottomLimit = 6400;
constexpr double LabelFlip = 475;
} // namespace

bool DragAutoScroll::tick()
{
    const bool scroll = m_ticks == EventsPerRow - 1;
    m_ticks = scroll ? 0 : m_ticks + 1;
    return scroll;
}

int DragAutoScroll::dragOver(double y, double viewportHeight, int value, int maximum)
{
    if (y < TopZone * viewportHeight && value > 0 && tick())
        --value;
    if (y > BottomZone * viewportHeight && value < maximum && tick())
        ++value;
    return value;
}

HoverLabelPlace hoverLabelPlace(double xInBar, const BarGeometry &bar, double surfaceLeft, double surfaceTop,
                                double dayWidth, qsizetype captionChars)
{
    HoverLabelPlace place;
    place.width = TwipsPerCharacter * double(captionChars);
    place.left = std::floor(xInBar / LabelStep) * LabelStep + double(bar.left) + LabelOffset + surfaceLeft;
    if (double(bar.top) >= StripBarTopLimit) {
        if (place.width + 2 * dayWidth + place.left >= LabelRightLimit)
            place.left = LabelRightLimit - place.width;
        else
            place.left += 2 * dayWidth;
    }
    const double height = double(PlanBarHeight);
    place.top = double(bar.top) + height + LabelGap + surfaceTop;
    if (place.top + height > LabelBottomLimit)
        place.top -= height + LabelFlip;
    return place;
}
