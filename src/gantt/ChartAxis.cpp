#include "gantt/ChartAxis.h"

#include "common/PlantValues.h"

#include <algorithm>
#include <cmath>

void ChartAxis::setUp(double viewportWidth, const QDate &periodStart, const QTime &dayStart, int periodDays)
{
    m_scale.setUp(viewportWidth, periodStart, dayStart, periodDays);
    m_currentWidth = viewportWidth;
    m_scrollDays = 0;
    m_scrollValue = 0;
}

void ChartAxis::showMode(DisplayMode mode)
{
    m_caption = displayModeCaption(mode);
    m_modeValue = mode;

    // The position is kept in days across the change; before the first layout there is none.
    const double oldDayWidth = m_scale.dayWidth();
    m_scrollDays = oldDayWidth > 0 ? double(m_scrollValue) * TwipsPerPixel / oldDayWidth : 0;

    m_scale.applyMode(mode);
    const double dayWidth = m_scale.dayWidth();

    m_scrollMin = plant::roundHalfEven(-2.0 * dayWidth / TwipsPerPixel);
    // Day mode reaches fifteen days however short the period; the others reach its last day.
    const double reachDays = mode == DisplayMode::Day ? std::max(15, m_scale.periodDays() - 2)
                                                      : double(m_scale.periodDays() - 2);
    m_scrollMax = plant::roundHalfEven((reachDays * dayWidth - m_currentWidth) / TwipsPerPixel);
    // A period narrower than the viewport starts at its leading days rather than far before them.
    m_scrollMax = std::max(m_scrollMax, m_scrollMin);

    m_scrollValue = 0;
    m_surfaceLeft = m_scale.scaleLeft();

    const double kept = dayWidth * m_scrollDays / TwipsPerPixel;
    qint64 value;
    if (kept > double(m_scrollMax))
        value = m_scrollMax;
    else if (kept < double(m_scrollMin))
        value = m_scrollMin;
    else
        value = plant::roundHalfEven(kept);
    setScrollValue(value);
}

void ChartAxis::setScrollValue(qint64 value)
{
    value = std::clamp(value, m_scrollMin, m_scrollMax);
    m_surfaceLeft += double(m_scrollValue - value) * TwipsPerPixel;
    m_scrollValue = value;
}

qint64 ChartAxis::firstVisibleDay() const
{
    const double dayWidth = m_scale.dayWidth();
    if (dayWidth <= 0)
        return 0;
    return plant::intFloor(double(m_scrollValue) * TwipsPerPixel / dayWidth);
}

QString ChartAxis::firstVisibleDayText() const
{
    return longDateText(m_scale.periodStart().addDays(firstVisibleDay()));
}

QString longDateText(const QDate &date)
{
    // Qt's long format for Japanese adds the weekday; the system's long date does not.
    return date.toString(QStringLiteral("yyyy年M月d日"));
}
