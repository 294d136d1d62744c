#pragma once
// The mapping between date-time and horizontal chart position. Chart x is in twips measured
// from ChartOrigin (the period start date at the day start time); the main surface uses the
// current mode's hour width, the unassigned strip always shows four weeks across the viewport.

#include "gantt/DisplayMode.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

// 15 twips make one screen pixel; scroll values count steps of this size.
constexpr int TwipsPerPixel = 15;

enum class ChartSurface { Main, Strip };

class TimeScale
{
public:
    // Fixes what stays for the whole load: the viewport width W (twips), the period start,
    // the day start time and the number of days the calendar holds.
    void setUp(double viewportWidth, const QDate &periodStart, const QTime &dayStart, int periodDays);

    // Sets the day and hour widths of a mode from the mode table.
    void applyMode(DisplayMode mode);

    double viewportWidth() const { return m_viewportWidth; }
    double dayWidth() const { return m_dayWidth; }
    double hourWidth() const { return m_hourWidth; }
    double stripHourWidth() const { return m_viewportWidth / 672.0; }
    double hourWidthOn(ChartSurface surface) const;
    DisplayMode mode() const { return m_mode; }
    int periodDays() const { return m_periodDays; }
    QDate periodStart() const { return m_periodStart; }
    QTime dayStart() const { return m_dayStart; }
    QDateTime chartOrigin() const;

    // The days a surface holds in the current mode: the period's days, and in day mode at least
    // the seventeen that the day-mode scroll range reaches.
    int heldDays() const;
    // The first and the last day the surfaces hold.
    QDate firstHeldDay() const { return m_periodStart.addDays(-2); }
    QDate lastHeldDay() const { return firstHeldDay().addDays(heldDays() - 1); }
    // The x of the surfaces' left edge: two days before the period start.
    double scaleLeft() const { return -2.0 * m_dayWidth; }
    double scaleWidth() const { return heldDays() * m_dayWidth; }
    double scaleRight() const { return scaleLeft() + scaleWidth(); }

    // Whole minutes from ChartOrigin to the moment (negative before it); an empty date counts
    // as the origin's date.
    qint64 minutesFromOrigin(const QDate &date, const QTime &time) const;
    // PlanTimeToX: the moment's x on the surface, rounded halves to even.
    qint64 planTimeToX(const QDate &date, const QTime &time, ChartSurface surface) const;
    // The x of a moment given as minutes from the origin.
    qint64 xOfMinutes(double minutes, ChartSurface surface) const;
    // The inverse: the whole minutes from the origin that an x stands for (halves to even).
    qint64 minutesAtX(double x, ChartSurface surface) const;
    QDateTime dateTimeAtX(double x, ChartSurface surface) const;

private:
    double m_viewportWidth = 0;
    double m_dayWidth = 0;
    double m_hourWidth = 0;
    DisplayMode m_mode = DisplayMode::Week;
    QDate m_periodStart;
    QTime m_dayStart{0, 0};
    qint64 m_originMinute = 0; // the origin as minutes since the Julian epoch
    int m_periodDays = 0;
};
