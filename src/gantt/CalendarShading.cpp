#include "gantt/CalendarShading.h"

#include "calendar/WorkingDay.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int SecondsPerDay = workday::SecondsPerDay;

// A stretch of non-working time within a working day, in seconds from its start.
struct Stretch
{
    int from = 0;
    int to = 0;
};

// The working day's time outside its spans.
std::vector<Stretch> nonWorkingStretches(const CalendarDay &day, const QTime &dayStart)
{
    std::vector<Stretch> stretches;
    int covered = 0;
    for (int i = 0; i < day.hourly.size(); ++i) {
        const int from = workday::startOffset(day.hourly.start(i), dayStart);
        const int to = workday::endOffset(day.hourly.end(i), dayStart);
        if (to <= from)
            continue;
        if (from > covered)
            stretches.push_back({covered, from});
        covered = std::max(covered, to);
    }
    if (covered < SecondsPerDay)
        stretches.push_back({covered, SecondsPerDay});
    return stretches;
}

// Week mode shades the time after the day's last shift from the whole hour of that shift's
// end; -1 when the day has no working time or its last shift ends at the day start. The last
// shift is the one that ends latest in the working day, whichever pair of slots holds it.
int hoursToLastShiftEnd(const CalendarDay &day, const QTime &dayStart)
{
    if (day.hourly.size() == 0)
        return -1;
    std::optional<QTime> lastEnd;
    for (size_t pair = 0; pair < 4; ++pair) {
        const QTime &start = day.shiftTimes[2 * pair];
        const QTime &end = day.shiftTimes[2 * pair + 1];
        if (start != end && (!lastEnd || workday::endOffset(end, dayStart) > workday::endOffset(*lastEnd, dayStart)))
            lastEnd = end;
    }
    if (!lastEnd || *lastEnd == dayStart)
        return -1;
    return (lastEnd->hour() - dayStart.hour() + 24) % 24;
}

class RowShader
{
public:
    RowShader(const TimeScale &scale, std::vector<ShadingBox> &out) : m_scale(scale), m_out(out) {}

    void shadeDay(const CalendarDay &day, qint64 dayIndex, qint64 top)
    {
        const QTime &dayStart = m_scale.dayStart();
        m_dayMinutes = (dayIndex - 2) * 1440;
        m_top = top;
        std::vector<Stretch> stretches = nonWorkingStretches(day, dayStart);
        const int lastShiftHours = m_scale.mode() == DisplayMode::Week ? hoursToLastShiftEnd(day, dayStart) : -1;
        if (lastShiftHours >= 0 && !stretches.empty() && stretches.back().to == SecondsPerDay) {
            // The box after the last shift starts one pixel right of its hour line and reaches
            // the next day's line; what the spans leave before that hour is shaded as usual.
            const int boxFrom = lastShiftHours * 3600;
            Stretch &tail = stretches.back();
            const qint64 left = x(boxFrom) + 15;
            const qint64 right = x(SecondsPerDay);
            if (tail.from < boxFrom)
                tail.to = boxFrom;
            else
                stretches.pop_back();
            for (const Stretch &s : stretches)
                add(x(s.from), x(s.to));
            add(left, right);
            return;
        }
        for (const Stretch &s : stretches)
            add(x(s.from), x(s.to));
    }

private:
    qint64 x(int seconds) const
    {
        return m_scale.xOfMinutes(double(m_dayMinutes) + seconds / 60.0, ChartSurface::Main);
    }

    // Stretches narrower than a pixel at this scale are not shown.
    void add(qint64 left, qint64 right)
    {
        if (right - left < TwipsPerPixel)
            return;
        if (!m_out.empty() && m_out.back().top == m_top && m_out.back().right() >= left) {
            m_out.back().width = std::max(m_out.back().right(), right) - m_out.back().left;
            return;
        }
        m_out.push_back({left, m_top, right - left, qint64(ChartRows::RowHeight)});
    }

    const TimeScale &m_scale;
    std::vector<ShadingBox> &m_out;
    qint64 m_dayMinutes = 0;
    qint64 m_top = 0;
};

} // namespace

CalendarShading shadeNonWorkingTime(const TimeScale &scale, const ChartRows &rows, const WorkCalendar &calendar)
{
    CalendarShading shading;
    shading.rowBegin.assign(size_t(rows.count()) + 2, 0);
    if (scale.dayWidth() <= 0)
        return shading;
    RowShader shader(scale, shading.boxes);
    const qint64 days = std::min<qint64>(scale.heldDays(), calendar.periodDays() + 1);
    for (int row = 1; row <= rows.count(); ++row) {
        shading.rowBegin[size_t(row)] = shading.boxes.size();
        if (!rows.isMachineRow(row))
            continue;
        const qint64 top = qint64(rows.row(row).lowerBoundary - ChartRows::RowHeight);
        for (qint64 k = 0; k < days; ++k)
            if (const CalendarDay *day = calendar.day(row, k))
                shader.shadeDay(*day, k, top);
    }
    shading.rowBegin[size_t(rows.count()) + 1] = shading.boxes.size();
    return shading;
}

std::pair<const ShadingBox *, const ShadingBox *> CalendarShading::rowBoxesIn(int row, double x0, double x1) const
{
    if (row < 1 || size_t(row) + 1 >= rowBegin.size())
        return {nullptr, nullptr};
    const ShadingBox *begin = boxes.data() + rowBegin[size_t(row)];
    const ShadingBox *end = boxes.data() + rowBegin[size_t(row) + 1];
    begin = std::lower_bound(begin, end, x0, [](const ShadingBox &box, double x) { return double(box.right()) <= x; });
    end = std::lower_bound(begin, end, x1, [](const ShadingBox &box, double x) { return double(box.left) < x; });
    return {begin, end};
}
