#pragma once
// How the chart is cut into printed pages. Every page repeats the row labels at its left and
// the date captions over its top, and carries a heading (plant, class, period, printed at,
// operator) and its number "n / m". The chart is cut by whole days across and whole rows
// down, so no day and no machine is split between two sheets; the days are shared evenly
// among the sheets across.
//
// Page order: across the time first, then down the rows. The sheets of one group of machines
// follow each other in time, so the sheets posted at a press hall (or sent to one group of
// subcontractors) are consecutive pages and can be laid side by side into one strip. The lots
// waiting on 未割付 follow on pages of their own, as a list: they have no machine row and no
// place on the chart's time axis.
//
// All lengths of a page are in chart pixels (15 twips each, the chart's own unit on screen);
// on paper one such pixel is pixelMillimetres() long.

#include "plan/ChartRows.h"
#include "gantt/TimeScale.h"

#include <QDate>
#include <QRectF>
#include <QString>
#include <vector>

enum class PaperSize { A4, A3 };

// The parts of a sheet: the heading across the top, then the date band over the chart, the
// row labels left of it.
struct PageFrame
{
    QSizeF sheet;
    double margin = 0;
    double headingHeight = 0;
    double dateBandHeight = 0;
    double labelWidth = 0;

    QRectF headingArea() const;
    // The area for the most days and rows a sheet holds; the date band stands over it and the
    // labels left of it.
    QRectF chartArea() const;
};

// What is printed: the days from `firstDay` to `lastDay` (both included) and the chart rows
// `firstRow` .. `lastRow`.
struct ChartPrintChoice
{
    QDate firstDay;
    QDate lastDay;
    int firstRow = 0;
    int lastRow = 0;
    PaperSize paper = PaperSize::A3;
    int waitingLots = 0; // lots listed after the chart
};

struct ChartPage
{
    int number = 0; // 1 .. count
    int count = 0;
    int firstRow = 0;
    int lastRow = 0;
    QDate firstDay; // the page's days; empty for a picture of a stretch that is not whole days
    QDate lastDay;
    double x0 = 0;  // chart x (twips) at the chart area's left and right edges
    double x1 = 0;
    double y0 = 0;  // main-surface height (twips) at the chart area's top
    // A page of the waiting lots' list: the first and last of them it lists (0-based), -1 on a
    // page of the chart.
    int firstWaiting = -1;
    int lastWaiting = -1;

    bool listsWaiting() const { return firstWaiting >= 0; }
    QString numberText() const; // "n / m"
};

class ChartPages
{
public:
    // The pages of a choice on landscape paper. Days and rows outside the chart are left out;
    // a choice with no day or no row gives no page.
    static ChartPages onPaper(const TimeScale &scale, const ChartRows &rows, const ChartPrintChoice &choice);
    // One sheet holding the chart from x0 to x1 (twips) over rows firstRow .. lastRow at the
    // chart's own size: the picture of a stretch of the chart.
    static ChartPages asOneSheet(const ChartRows &rows, double x0, double x1, int firstRow, int lastRow);

    const PageFrame &frame() const { return m_frame; }
    const std::vector<ChartPage> &pages() const { return m_pages; }
    // The length of one chart pixel on paper (0 for a picture).
    double pixelMillimetres() const { return m_pixelMm; }

    // The height of a line of the waiting lots' list, its column captions one line too.
    static constexpr double WaitingLinePixels = 18;

    // The landscape sheet of a paper size, in millimetres.
    static QSizeF paperMillimetres(PaperSize paper);
    // The rows worth printing: the machines and subcontractors, without the unassigned row and
    // the empty rows that only pad the chart to ten.
    static std::pair<int, int> plantRows(const ChartRows &rows);

private:
    PageFrame m_frame;
    std::vector<ChartPage> m_pages;
    double m_pixelMm = 0;
};
