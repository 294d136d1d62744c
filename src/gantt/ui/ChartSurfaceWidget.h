#pragma once
// One painted chart surface: the main surface seen through Picture1, with the day captions
// over its top, or the unassigned strip in Picture2. Bars are painted, not child widgets; a
// press is turned into what lies under the pointer in one place, hitAt().

#include "gantt/GanttChart.h"
#include "gantt/ui/ChartPainter.h"

#include <QWidget>

class ChartSurfaceWidget : public QWidget
{
    Q_OBJECT
public:
    ChartSurfaceWidget(GanttChart &chart, ChartSurface surface, QWidget *parent = nullptr);

    ChartSurface surface() const { return m_surface; }
    // The first row shown at the top (the row scroll bar KScroll); main surface only.
    void setRowScroll(int value);
    int rowScroll() const { return m_rowScroll; }
    // The strip's chart x at its left edge: 0 shows the four weeks from the period start; a
    // lot chosen from the schedule list outside them is brought into view by moving it.
    void setStripLeft(double x);
    double stripLeft() const { return m_stripLeft; }

    // Conflict marks over the bars and, on the main surface, load strips under the machine rows
    // with the day's load in a tooltip.
    void setMarks(const ChartMarks *marks);
    const ChartMarks *marks() const { return m_marks; }

    // The surface position (twips) of a pixel of this widget.
    QPointF twipsAt(const QPoint &pixel) const;
    // What lies under a pixel of this widget: bar, row and time.
    ChartHit hitAt(const QPoint &pixel) const;

signals:
    // A mouse button went down on the surface.
    void pressed(const ChartHit &hit, Qt::MouseButton button, const QPoint &pixel);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    GanttChart &m_chart;
    ChartSurface m_surface;
    ChartPainter m_painter;
    int m_rowScroll = 0;
    double m_stripLeft = 0;
    const ChartMarks *m_marks = nullptr;
};
