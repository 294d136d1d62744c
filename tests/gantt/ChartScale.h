#pragma once
// The chart's scale as the gantt tests lay bars and lines out on it: a 1280-pixel window's
// viewport over a period from Monday 2024/04/01, 33 days long.

#include "gantt/TimeScale.h"

#include <QDate>
#include <QTime>

inline TimeScale scaleIn(DisplayMode mode, const QTime &dayStart = QTime(8, 0))
{
    TimeScale scale;
    scale.setUp(13815, QDate(2024, 4, 1), dayStart, 33);
    scale.applyMode(mode);
    return scale;
}
