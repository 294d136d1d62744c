#include "gantt/CalendarLines.h"

#include "common/PlannerLocale.h"

namespace {

constexpr RgbColor Red{255, 0, 0};
constexpr RgbColor Blue{0, 0, 255};
constexpr RgbColor Black{0, 0, 0};
constexpr RgbColor LineGrey{192, 192, 192};
constexpr RgbColor HourGrey{228, 228, 228};

// The 1- and 3-day modes step in 8 hours and name the hour; the others step in days.
bool stepsInHours(DisplayMode mode)
{
    return mode == DisplayMode::Day || mode == DisplayMode::ThreeDays;
}

// Every position is taken from the time it stands for, so lines stay on the bars' scale
// however far the chart reaches.
qint64 xAtHours(const TimeScale &scale, qint64 hoursFromScaleLeft)
{
    return scale.xOfMinutes(double(hoursFromScaleLeft * 60 - 2 * 1440), ChartSurface::Main);
}

// Calls visit(k, x) for each 8-hour step k of the days the surfaces hold.
template<typename Visit>
void forEightHourSteps(const TimeScale &scale, Visit visit)
{
    const qint64 steps = qint64(scale.heldDays()) * 3;
    for (qint64 k = 0; k < steps; ++k)
        visit(k, xAtHours(scale, 8 * k));
}

// Calls visit(day, date) for each day the surfaces hold, from two days before the period start.
template<typename Visit>
void forDays(const TimeScale &scale, Visit visit)
{
    const QDate first = scale.periodStart().addDays(-2);
    for (qint64 day = 0; day < scale.heldDays(); ++day)
        visit(day, first.addDays(day));
}

// The room a day needs for its caption after the caption's place in the day (9 to 12 hours
// in): about 110 pixels for "12/31(水)", 40 for "12/1".
constexpr double RoomForWeekday = 110 * TwipsPerPixel;
constexpr double RoomForMonth = 40 * TwipsPerPixel;

// A day's caption: month, day and weekday where the day has room; in narrower days the day
// of the month, and the month with it on the first of a month where that fits.
QString dayCaptionText(const QDate &date, double dayWidth)
{
    if (dayWidth >= RoomForWeekday)
        return QStringLiteral("%1/%2(%3)")
            .arg(date.month())
            .arg(date.day())
            .arg(plant::plannerLocale().dayName(date.dayOfWeek(), QLocale::NarrowFormat));
    if (dayWidth >= RoomForMonth && date.day() == 1)
        return QStringLiteral("%1/%2").arg(date.month()).arg(date.day());
    return QString::number(date.day());
}

// The captions of a surface: hours with the date at each day start in the 1- and 3-day
// modes; the day (see dayCaptionText) in the others.
std::vector<DayCaption> captions(const TimeScale &scale)
{
    std::vector<DayCaption> result;
    if (scale.dayWidth() <= 0)
        return result;
    const DisplayMode mode = scale.mode();
    if (stepsInHours(mode)) {
        const int startHour = scale.dayStart().hour();
        const QDate first = scale.periodStart().addDays(-2);
        forEightHourSteps(scale, [&](qint64 k, qint64 x) {
            const int hour = int((startHour + 8 * k) % 24);
            if (k > 0 && k % 3 == 0) {
                const QDate date = first.addDays(k / 3);
                result.push_back({x, QStringLiteral("%1(%2/%3)").arg(hour).arg(date.month()).arg(date.day()), Red});
            } else {
                result.push_back({x, QString::number(hour), Black});
            }
        });
        return result;
    }
    // The day of the month stands some hours into its day: the first 12, the others 11 in
    // week mode and 9 in four-week mode.
    const qint64 captionHours = mode == DisplayMode::Week ? 11 : 9;
    forDays(scale, [&](qint64 day, const QDate &date) {
        const qint64 hours = day == 0 ? 12 : captionHours;
        result.push_back({xAtHours(scale, 24 * day + hours), dayCaptionText(date, scale.dayWidth()),
                          dayCaptionColor(date)});
    });
    return result;
}

} // namespace

RgbColor dayCaptionColor(const QDate &date)
{
    switch (date.dayOfWeek()) {
    case Qt::Sunday:
        return Red;
    case Qt::Saturday:
        return Blue;
    default:
        return Black;
    }
}

RgbColor dayLineColor(const QDate &date)
{
    switch (date.dayOfWeek()) {
    case Qt::Sunday:
        return Red;
    case Qt::Saturday:
        return Blue;
    default:
        return LineGrey;
    }
}

std::vector<DayCaption> headerCaptions(const TimeScale &scale)
{
    return captions(scale);
}

CalendarLines mainSurfaceLines(const TimeScale &scale)
{
    CalendarLines lines;
    if (scale.dayWidth() <= 0)
        return lines;
    const QDate first = scale.periodStart().addDays(-2);
    if (stepsInHours(scale.mode())) {
        forEightHourSteps(scale, [&](qint64 k, qint64 x) {
            lines.dayLines.push_back({x, k % 3 == 0 ? dayLineColor(first.addDays(k / 3)) : LineGrey});
        });
        const qint64 hours = qint64(scale.heldDays()) * 24;
        for (qint64 hour = 0; hour < hours; ++hour)
            if (hour % 8 != 0)
                lines.hourLines.push_back({xAtHours(scale, hour), HourGrey});
        return lines;
    }
    forDays(scale, [&](qint64 day, const QDate &date) {
        lines.dayLines.push_back({xAtHours(scale, 24 * day), dayLineColor(date)});
    });
    return lines;
}
