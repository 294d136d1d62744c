#pragma once
// The mouse wheel over the main chart: the wheel scrolls the rows (KScroll), Shift+wheel the
// time (HScroll1) and Ctrl+wheel zooms to the next finer or coarser display mode, keeping the
// time under the pointer where it is.

#include <QObject>

class GanttChart;
class QScrollBar;
class QWidget;

class ChartWheel : public QObject
{
    Q_OBJECT
public:
    // Rows scrolled per wheel notch.
    static constexpr int RowsPerNotch = 1;
    // Time scrolled per wheel notch: this share of the viewport's width.
    static constexpr int NotchesPerViewport = 10;

    ChartWheel(QWidget *surface, GanttChart &chart, QScrollBar *rows, QScrollBar *time);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Ctrl+wheel: one notch up shows a finer mode, down a coarser one; the ends stay.
    void zoom(int notches, int pointerX);

    QWidget *m_surface;
    GanttChart &m_chart;
    QScrollBar *m_rows;
    QScrollBar *m_time;
    int m_pending = 0; // wheel angle not yet amounting to a notch (high-resolution wheels)
};
