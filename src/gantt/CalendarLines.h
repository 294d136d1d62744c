#pragma once
// The calendar behind the bars: the day captions of the header band, which stays at the top
// of the chart while the rows scroll under it, and the vertical day and hour lines of the main
// surface, for the current mode.

#include "gantt/RgbColor.h"
#include "gantt/TimeScale.h"

#include <QString>
#include <vector>

struct DayCaption
{
    qint64 x = 0; // the caption's left edge
    QString text;
    RgbColor color;
};

struct VerticalLine
{
    qint64 x = 0;
    RgbColor color;
};

struct CalendarLines
{
    std::vector<VerticalLine> dayLines;  // day starts, and in the 1- and 3-day modes every 8 hours
    std::vector<VerticalLine> hourLines; // the other hours, in the 1- and 3-day modes
};

// Captions of the header surface (DrawDayLine2).
std::vector<DayCaption> headerCaptions(const TimeScale &scale);
// Lines of the main surface (DrawDayLine).
CalendarLines mainSurfaceLines(const TimeScale &scale);

// The colour of a day's caption: Sunday red, Saturday blue, other days black.
RgbColor dayCaptionColor(const QDate &date);
// The colour of the line where a day begins: Sunday red, Saturday blue, other days grey.
RgbColor dayLineColor(const QDate &date);
