#pragma once
// The chart's scale as the gantt tests lay bars and lines out on it: a 1280-pixel window's
// viewport over a period from Monday 2024/04/01, 33 days long, days starting at 08:00.

#include "gantt/TimeScale.h"

#include <QDate>
#include <QTime>

inline constexpr double W = 13815; // the viewport's width in twips
inline const QDate PeriodStart(2024, 4, 1);
inline const QTime DayStart(8, 0);

inline TimeScale scaleIn(DisplayMode mode, const QTime &dayStart = DayStart)
{
    TimeScale scale;
    scale.setUp(W, PeriodStart, dayStart, 33);
    scale.applyMode(mode);
    return scale;
}
