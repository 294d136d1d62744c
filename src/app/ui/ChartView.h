#pragma once
// The chart part of the main window: the painted main surface in Picture1 and strip in
// Picture2, the scroll bars HScroll1 and KScroll, the ten row labels, the mode button
// Command4 with its caption Text1 and the first-day box DayDispArea. It owns the chart's
// geometry (GanttChart) over the window's plan session and lays it out once the session holds
// the loaded plan.

#include "gantt/GanttChart.h"

#include <QObject>
#include <initializer_list>
#include <utility>

class ChartSurfaceWidget;
class MainForm;

class ChartView : public QObject
{
    Q_OBJECT
public:
    explicit ChartView(MainForm &form);

    GanttChart &chart() { return m_chart; }
    ChartSurfaceWidget *mainSurface() const { return m_main; }
    ChartSurfaceWidget *strip() const { return m_strip; }

    // The time axis of the loaded plan: the scale from the viewport width, which is read once
    // here.
    void layoutTimeAxis();
    // The chart of the loaded plan: it opens at week scale, or in the mode asked for on the
    // command line.
    void drawChart();

    // A lot chosen in the schedule list: its bar on the strip comes to the front in the
    // selection colour, ready to be dragged onto a machine; the strip moves so that the bar
    // is in view and the chart scrolls to the lot's start. The bar chosen before gets its own
    // colours back.
    void selectOnStrip(qint64 lot);
    // A lot chosen in the plan list or by the bar search: its bar in the selection colour (the
    // bar chosen before gets its own colours back), scrolled into view on the chart or brought
    // to the front of the strip. A lot without a bar (hidden, merged away) changes nothing.
    void showLot(qint64 lot);
    // The two lots of a conflict: both bars in the selection colour (the pair chosen before
    // gets its colours back), the chart scrolled to the earlier start and to their rows.
    void showPair(qint64 first, qint64 second);
    // The lots shown by showPair, 0 and 0 when none.
    std::pair<qint64, qint64> shownPair() const { return m_pair; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showAxis();
    void showRowLabels(int firstRow);
    // Scrolls the chart so that x (twips) lies a little inside its left edge and the bars'
    // rows (their tops; those on the strip left out) begin at the top.
    void scrollToBars(qint64 x, std::initializer_list<qint64> lots);

    MainForm &m_form;
    GanttChart m_chart;
    ChartSurfaceWidget *m_main = nullptr;
    ChartSurfaceWidget *m_strip = nullptr;
    qint64 m_selected = 0;
    std::pair<qint64, qint64> m_pair{0, 0};
};
