#include "gantt/TimeScale.h"

#include "common/PlantValues.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 MinutesPerDay = 1440;

qint64 minuteNumber(const QDate &date, const QTime &time)
{
    const qint64 minuteOfDay = time.isValid() ? time.msecsSinceStartOfDay() / 60000 : 0;
    return date.toJulianDay() * MinutesPerDay + minuteOfDay;
}

} // namespace

void TimeScale::setUp(double viewportWidth, const QDate &periodStart, const QTime &dayStart, int periodDays)
{
    m_viewportWidth = viewportWidth;
    m_periodStart = periodStart;
    m_dayStart = dayStart.isValid() ? dayStart : QTime(0, 0);
    m_periodDays = std::max(periodDays, 0);
    m_originMinute = minuteNumber(m_periodStart, m_dayStart);
}

void TimeScale::applyMode(DisplayMode mode)
{
    m_mode = mode;
    switch (mode) {
    case DisplayMode::Day:
        m_dayWidth = m_viewportWidth;
        m_hourWidth = m_dayWidth / 24.0;
        break;
    case DisplayMode::ThreeDays:
        m_dayWidth = m_viewportWidth / 3.0;
        m_hourWidth = m_dayWidth / 24.0;
        break;
    case DisplayMode::Week:
        m_dayWidth = m_viewportWidth / 7.0;
        m_hourWidth = m_dayWidth / 24.0;
        break;
    case DisplayMode::FourWeeks:
        m_hourWidth = m_viewportWidth / 672.0;
        m_dayWidth = 24.0 * m_hourWidth;
        break;
    }
}

double TimeScale::hourWidthOn(ChartSurface surface) const
{
    return surface == ChartSurface::Strip ? stripHourWidth() : m_hourWidth;
}

QDateTime TimeScale::chartOrigin() const
{
    return plant::naiveDateTime(m_periodStart, m_dayStart);
}

int TimeScale::heldDays() const
{
    // Day mode scrolls over fifteen days after the two leading ones whatever the period, so the
    // surfaces hold at least seventeen days there.
    if (m_mode == DisplayMode::Day)
        return std::max(m_periodDays, 17);
    return m_periodDays;
}

qint64 TimeScale::minutesFromOrigin(const QDate &date, const QTime &time) const
{
    if (!date.isValid())
        return minuteNumber(m_periodStart, time) - m_originMinute;
    return minuteNumber(date, time) - m_originMinute;
}

qint64 TimeScale::planTimeToX(const QDate &date, const QTime &time, ChartSurface surface) const
{
    return xOfMinutes(double(minutesFromOrigin(date, time)), surface);
}

qint64 TimeScale::xOfMinutes(double minutes, ChartSurface surface) const
{
    return plant::roundHalfEven(minutes * hourWidthOn(surface) / 60.0);
}

qint64 TimeScale::minutesAtX(double x, ChartSurface surface) const
{
    const double width = hourWidthOn(surface);
    if (width <= 0)
        return 0;
    return plant::roundHalfEven(x / width * 60.0);
}

QDateTime TimeScale::dateTimeAtX(double x, ChartSurface surface) const
{
    return chartOrigin().addSecs(minutesAtX(x, surface) * 60);
}
