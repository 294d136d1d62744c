#pragma once
// The Gantt chart as data: the horizontal axis and its mode, one BarGeometry per lot, the
// calendar lines and shading and the row borders. Every layout of the chart happens here;
// the chart widgets paint what this holds and ask it what lies under the pointer.

#include "calendar/WorkingTime.h"
#include "gantt/BarLayout.h"
#include "gantt/BarSpatialIndex.h"
#include "gantt/BorderLines.h"
#include "gantt/CalendarLines.h"
#include "gantt/CalendarShading.h"
#include "gantt/ChartAxis.h"
#include "gantt/Twip2DateTime.h"

#include <QHash>
#include <QObject>
#include <utility>
#include <vector>

class ChartRows;
class PlanStore;
class WorkCalendar;

// What lies under a point of a surface.
struct ChartHit
{
    qint64 bar = 0;     // the top-most bar there, 0 when none
    int row = 0;        // the row whose band holds the point, 0 above the first and below the last
    QDateTime time;     // the moment the x stands for on that surface
};

class GanttChart : public QObject
{
    Q_OBJECT
public:
    GanttChart(const PlanStore &store, const ChartRows &rows, const WorkCalendar &calendar, QObject *parent = nullptr);

    // Fixes the scale for a load: the viewport width read once at start-up, the period start,
    // the day start time; the calendar gives the number of days. Bars are set aside.
    void setUp(double viewportWidth, const QDate &periodStart, const QTime &dayStart, const BarOptions &options,
               int gridUnitMinutes);
    // The viewport's current width, which follows the window; used at the next mode change.
    void setViewportCurrentWidth(double twips) { m_axis.setViewportCurrentWidth(twips); }

    // The opening layout: week scale; the mode button's first press goes on to four weeks.
    void openAtWeek();
    // DispDay, Disp3Day, DispWeek, DispMonth: the whole chart in a mode (Disp_Gantt).
    void showMode(DisplayMode mode);
    // Command4.
    void cycleMode();
    // HScroll1.
    void setScrollValue(qint64 value);

    // LayoutBar for lot `index`. keepSurface leaves the bar on its surface at its height.
    void layOutBar(qint64 index, bool keepSurface = false);
    // Moves a bar without touching its lot (the bar follows a drop before its times are set).
    void moveBar(qint64 index, qint64 left, qint64 top);
    // Repaints a bar in another colour until it is laid out again (dragging, highlighting).
    void setBarBackground(qint64 index, RgbColor colour);
    // Twip2DateTime without storing the times: the lot's start and end from the bar's left
    // edge on the row of `machineCode`, for the edit that stores them.
    LotTimes timesAtBarLeft(qint64 recordIndex, qint64 barIndex, const QString &machineCode) const;
    // The working calendar changed: shade it again.
    void redrawCalendar();

    const ChartAxis &axis() const { return m_axis; }
    const TimeScale &scale() const { return m_axis.scale(); }
    const ChartRows &rows() const { return m_rows; }
    const PlanStore &store() const { return m_store; }
    const WorkCalendar &calendar() const { return m_calendar; }
    qint64 barCount() const { return qint64(m_bars.size()); }
    const BarGeometry &bar(qint64 index) const;
    const std::vector<BarGeometry> &bars() const { return m_bars; }
    const std::vector<DayCaption> &headerCaptions() const { return m_headerCaptions; }
    const CalendarLines &calendarLines() const { return m_lines; }
    const CalendarShading &shading() const { return m_shading; }
    const BorderLines &borderLines() const { return m_borders; }

    // The visible bars of a surface that reach into the region (twips), in painting order
    // (overlapping bars bottom-most first).
    void barsIn(ChartSurface surface, double x0, double x1, double y0, double y1, std::vector<qint64> &out) const;
    // What lies under a point of a surface (twips in the surface's own coordinates).
    ChartHit hitTest(ChartSurface surface, double x, double y) const;
    // The row whose band holds height y of the main surface; 0 outside all rows.
    int rowAtY(double y) const;

signals:
    // The mode, the scroll position or the whole layout changed.
    void layoutChanged();
    // One or more bars changed.
    void barsChanged();

private:
    // Row tops by machine and destination code.
    using RowTops = QHash<std::pair<QString, QString>, double>;
    BarGeometry layOut(qint64 index, bool wasOnStrip, RowTops *known = nullptr);
    void layOutAllBars();
    void layOutCalendar();

    const PlanStore &m_store;
    const ChartRows &m_rows;
    const WorkCalendar &m_calendar;
    WorkingTime m_workingTime;
    BarOptions m_options;
    int m_gridUnitMinutes = 1;
    ChartAxis m_axis;
    std::vector<BarGeometry> m_bars;
    BarSpatialIndex m_index;
    std::vector<DayCaption> m_headerCaptions;
    CalendarLines m_lines;
    CalendarShading m_shading;
    BorderLines m_borders;
};
