#include "gantt/GanttChart.h"

#include "plan/PlanStore.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"

#include <cmath>

GanttChart::GanttChart(const PlanStore &store, const ChartRows &rows, const WorkCalendar &calendar, QObject *parent)
    : QObject(parent), m_store(store), m_rows(rows), m_calendar(calendar), m_workingTime(rows, calendar)
{
}

void GanttChart::setUp(double viewportWidth, const QDate &periodStart, const QTime &dayStart,
                       const BarOptions &options, int gridUnitMinutes)
{
    m_options = options;
    m_gridUnitMinutes = std::max(gridUnitMinutes, 1);
    m_axis.setUp(viewportWidth, periodStart, dayStart, m_calendar.periodDays());
    m_bars.clear();
    m_index.rebuild(m_bars);
}

void GanttChart::openAtWeek()
{
    showMode(DisplayMode::Week);
}

void GanttChart::showMode(DisplayMode mode)
{
    m_axis.showMode(mode);
    layOutAllBars();
    layOutCalendar();
    emit layoutChanged();
}

void GanttChart::cycleMode()
{
    showMode(nextDisplayMode(m_axis.modeValue()));
}

void GanttChart::setScrollValue(qint64 value)
{
    if (value == m_axis.scrollValue())
        return;
    m_axis.setScrollValue(value);
    emit layoutChanged();
}

BarGeometry GanttChart::layOut(qint64 index, bool wasOnStrip, RowTops *known)
{
    const PlanRecord &record = m_store[index];
    if (record.BarIndex == 0)
        return {};
    double rowTop;
    if (known) {
        // Most lots share their codes with many others: each pair of codes is looked up once.
        const auto codes = std::make_pair(record.MachineCode, record.SupplierCode);
        const auto found = known->constFind(codes);
        rowTop = found != known->cend() ? *found
                                         : *known->insert(codes, m_rows.RowLookup(record.MachineCode, record.SupplierCode));
    } else {
        rowTop = m_rows.RowLookup(record.MachineCode, record.SupplierCode);
    }
    return layoutBar(record, index, rowTop, scale(), m_options, wasOnStrip);
}

void GanttChart::layOutAllBars()
{
    const qint64 last = m_store.lastIndex();
    std::vector<BarGeometry> before;
    before.swap(m_bars);
    m_bars.assign(size_t(std::max<qint64>(last + 1, 0)), BarGeometry());
    RowTops known;
    for (qint64 index = 2; index <= last; ++index) {
        const bool wasOnStrip = size_t(index) < before.size() && before[size_t(index)].onStrip;
        m_bars[size_t(index)] = layOut(index, wasOnStrip, &known);
    }
    m_index.rebuild(m_bars);
}

void GanttChart::layOutCalendar()
{
    m_headerCaptions = ::headerCaptions(scale());
    m_lines = mainSurfaceLines(scale());
    m_shading = shadeNonWorkingTime(scale(), m_rows, m_calendar);
    m_borders = DrawBorderLine(m_rows, qint64(std::floor(scale().scaleLeft())), qint64(std::ceil(scale().scaleRight())));
}

void GanttChart::redrawCalendar()
{
    m_shading = shadeNonWorkingTime(scale(), m_rows, m_calendar);
    emit layoutChanged();
}

const BarGeometry &GanttChart::bar(qint64 index) const
{
    static const BarGeometry none;
    return index >= 0 && index < barCount() ? m_bars[size_t(index)] : none;
}

void GanttChart::layOutBar(qint64 index, bool keepSurface)
{
    if (index < 2)
        return;
    if (index > m_store.lastIndex()) {
        // An undone split took the lot away: its bar goes with it.
        if (size_t(index) < m_bars.size()) {
            m_bars[size_t(index)] = BarGeometry();
            m_index.update(index, m_bars[size_t(index)], false);
            emit barsChanged();
        }
        return;
    }
    if (size_t(index) >= m_bars.size())
        m_bars.resize(size_t(index) + 1);
    BarGeometry &geometry = m_bars[size_t(index)];
    if (keepSurface && geometry.visible)
        geometry = relayoutBarInPlace(m_store[index], geometry, scale(), m_options);
    else
        geometry = layOut(index, geometry.onStrip);
    m_index.update(index, geometry, !keepSurface);
    emit barsChanged();
}

void GanttChart::moveBar(qint64 index, qint64 left, qint64 top)
{
    if (index < 0 || index >= barCount())
        return;
    BarGeometry &geometry = m_bars[size_t(index)];
    geometry.left = left;
    geometry.top = top;
    m_index.update(index, geometry, false);
    emit barsChanged();
}

void GanttChart::setBarBackground(qint64 index, RgbColor colour)
{
    if (index < 0 || index >= barCount())
        return;
    m_bars[size_t(index)].background = colour;
    emit barsChanged();
}

LotTimes GanttChart::timesAtBarLeft(qint64 recordIndex, qint64 barIndex, const QString &machineCode) const
{
    if (recordIndex < 2 || recordIndex > m_store.lastIndex())
        return {};
    return ::timesAtBarLeft(m_store[recordIndex], bar(barIndex), machineCode, scale(), m_rows, m_workingTime,
                            m_gridUnitMinutes);
}

void GanttChart::barsIn(ChartSurface surface, double x0, double x1, double y0, double y1,
                        std::vector<qint64> &out) const
{
    m_index.barsIn(m_bars, surface, x0, x1, y0, y1, out);
}

int GanttChart::rowAtY(double y) const
{
    if (y < 0)
        return 0;
    for (int row = 1; row <= m_rows.count(); ++row)
        if (m_rows.row(row).lowerBoundary > y)
            return row;
    return 0;
}

ChartHit GanttChart::hitTest(ChartSurface surface, double x, double y) const
{
    ChartHit hit;
    std::vector<qint64> under;
    barsIn(surface, x, x + 1, y, y + 1, under);
    hit.bar = m_index.topMost(under);
    hit.row = surface == ChartSurface::Strip ? 1 : rowAtY(y);
    hit.time = scale().dateTimeAtX(x, surface);
    return hit;
}
