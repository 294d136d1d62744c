#pragma once
// Paints one page of the chart onto any paint device (a printer, a PDF, an image): the heading
// with the page number, the row labels, the date captions and the chart itself as the chart
// window paints it, or on the pages after the chart the list of the lots waiting on 未割付.
// Everything is drawn as shapes and text, so a PDF keeps its text.

#include "export/ChartPages.h"
#include "export/PageHeading.h"
#include "gantt/ui/ChartPainter.h"

#include <QFont>
#include <vector>

class GanttChart;

class ChartPagePainter
{
public:
    ChartPagePainter(const GanttChart &chart, ChartPages pages, const PageHeading &heading);

    const ChartPages &pages() const { return m_pages; }
    // The conflict marks and load strips the window shows; none without (nullptr).
    void setMarks(const ChartMarks *marks) { m_chartPainter.setMarks(marks); }
    // Paints `page` with its sheet filling the painter's device (proportions kept).
    void paint(QPainter &painter, const ChartPage &page);

private:
    void paintHeading(QPainter &painter, const ChartPage &page);
    void paintLabels(QPainter &painter, const ChartPage &page, const QRectF &labels);
    void paintWaitingList(QPainter &painter, const ChartPage &page);

    const GanttChart &m_chart;
    ChartPages m_pages;
    PageHeading m_heading;
    ChartPainter m_chartPainter;
    QFont m_font;
    std::vector<qint64> m_waiting;
};
