#pragma once
// Paints the chart's geometry at one pixel per 15 twips: the main surface with its calendar,
// shading, row borders and bars, the caption band that stays over its top, and the unassigned
// strip. Only what lies in the painted area is looked at.

#include "gantt/ChartMarks.h"
#include "gantt/RgbColor.h"
#include "gantt/TimeScale.h"

#include <QPainter>
#include <utility>
#include <vector>

class GanttChart;

class ChartPainter
{
public:
    explicit ChartPainter(const GanttChart &chart);

    // The conflict marks and load strips to paint; none without (nullptr).
    void setMarks(const ChartMarks *marks) { m_marks = marks; }
    // The machine row and calendar day whose load strip holds a pixel of the main surface seen
    // from `x0`, `y0`; row 0 when no strip is there.
    std::pair<int, qint64> loadStripAt(QPoint pixel, double x0, double y0) const;

    // The main surface as seen through a viewport of `size` pixels whose top-left corner shows
    // chart x `x0` and surface height `y0` (twips).
    void paintMainSurface(QPainter &painter, QSize size, double x0, double y0);
    // The day captions across the top of the viewport; they do not scroll with the rows.
    void paintHeaderCaptions(QPainter &painter, QSize size, double x0);
    // The unassigned strip: four weeks across, never scrolled.
    // The strip with chart x `x0` at its left edge.
    void paintStrip(QPainter &painter, QSize size, double x0);

private:
    void paintLoadStrips(QPainter &painter, QSize size, double x0, double y0);
    void paintConflictMark(QPainter &painter, const QRect &bar);
    void paintBars(QPainter &painter, ChartSurface surface, double x0, double x1, double y0, double y1);
    void paintShading(QPainter &painter, QSize size, double x0, double y0);
    void paintVerticalLines(QPainter &painter, QSize size, double x0);
    void paintBorders(QPainter &painter, QSize size, double x0, double y0);
    std::vector<QRect> &slivers(const RgbColor &colour);
    void paintSlivers(QPainter &painter);

    const GanttChart &m_chart;
    const ChartMarks *m_marks = nullptr;
    QFont m_font;
    QFont m_boldFont;
    std::vector<qint64> m_visible; // scratch list of the bars in view
    // Bars too narrow for a frame, gathered by colour while the others are painted.
    struct Slivers
    {
        RgbColor colour;
        std::vector<QRect> rects;
    };
    std::vector<Slivers> m_slivers;
};
