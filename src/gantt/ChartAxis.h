#pragma once
// The horizontal state of the chart: the display mode, the time scale it implies, the
// horizontal scroll bar HScroll1 (values in 15-twip steps) and where the surfaces stand in the
// viewport. The chart's widgets show this state; they keep none of their own.

#include "gantt/DisplayMode.h"
#include "gantt/TimeScale.h"

#include <QString>

class ChartAxis
{
public:
    // Fixes the scale for a load: viewport width W (twips, read once), period and day start,
    // calendar days, and the viewport's current width (which may later follow the window).
    void setUp(double viewportWidth, const QDate &periodStart, const QTime &dayStart, int periodDays);
    void setViewportCurrentWidth(double twips) { m_currentWidth = twips; }

    // DispDay, Disp3Day, DispWeek, DispMonth: the mode caption and value, then the layout of
    // the axis with the position kept in days.
    void showMode(DisplayMode mode);
    // The mode button: lays out the mode after the current mode value.
    void cycleMode() { showMode(nextDisplayMode(m_modeValue)); }

    // HScroll1 change or scroll: moves the surfaces and the first visible day.
    void setScrollValue(qint64 value);

    const TimeScale &scale() const { return m_scale; }
    DisplayMode modeValue() const { return m_modeValue; }
    QString modeCaption() const { return m_caption; }

    qint64 scrollMinimum() const { return m_scrollMin; }
    qint64 scrollMaximum() const { return m_scrollMax; }
    qint64 scrollValue() const { return m_scrollValue; }
    double scrollDays() const { return m_scrollDays; }

    // The main and header surfaces' left edge within the viewport (twips).
    double surfaceLeft() const { return m_surfaceLeft; }
    // The chart x at the viewport's left edge.
    double viewportLeftX() const { return double(m_scrollValue) * TwipsPerPixel; }

    // Days after the period start of the first visible day (-1, -2 for the leading days).
    qint64 firstVisibleDay() const;
    // DayDispArea: the first visible day as a long date.
    QString firstVisibleDayText() const;

private:
    TimeScale m_scale;
    DisplayMode m_modeValue = DisplayMode::Week;
    QString m_caption;
    double m_currentWidth = 0;
    qint64 m_scrollMin = 0;
    qint64 m_scrollMax = 0;
    qint64 m_scrollValue = 0;
    double m_scrollDays = 0;
    double m_surfaceLeft = 0;
};

// A date in the long form of the plant's Japanese screens, as the Japanese system's long date
// shows it: "2024年4月1日", without the weekday.
QString longDateText(const QDate &date);
