#include "export/ChartPages.h"

#include <algorithm>
#include <cmath>

namespace {

// On paper a chart pixel is a quarter millimetre, about its size on a screen, unless one day
// would then not fit across a sheet (day mode on A4): the scale shrinks until it does.
constexpr double ScreenPixelMm = 0.25;
constexpr double MarginMm = 10;
constexpr double HeadingMm = 9;
constexpr double DateBandMm = 5;
constexpr double LabelMm = 32;
// A picture keeps the same parts, sized for a screen.
constexpr double PictureMargin = 8;
constexpr double PictureHeading = 26;
constexpr double PictureDateBand = 18;
constexpr double PictureLabel = 120;

constexpr double RowPixels = ChartRows::RowHeight / TwipsPerPixel;

double topOfRow(const ChartRows &rows, int row)
{
    return rows.row(row).lowerBoundary - ChartRows::RowHeight;
}

} // namespace

QRectF PageFrame::headingArea() const
{
    return {margin, margin, sheet.width() - 2 * margin, headingHeight};
}

QRectF PageFrame::chartArea() const
{
    const double top = margin + headingHeight + dateBandHeight;
    return {margin + labelWidth, top, sheet.width() - 2 * margin - labelWidth, sheet.height() - margin - top};
}

QString ChartPage::numberText() const
{
    return QStringLiteral("%1 / %2").arg(number).arg(count);
}

QSizeF ChartPages::paperMillimetres(PaperSize paper)
{
    return paper == PaperSize::A4 ? QSizeF(297, 210) : QSizeF(420, 297);
}

std::pair<int, int> ChartPages::plantRows(const ChartRows &rows)
{
    int last = rows.count();
    while (last >= 2 && rows.row(last).code.trimmed().isEmpty())
        --last;
    return {2, last};
}

ChartPages ChartPages::onPaper(const TimeScale &scale, const ChartRows &rows, const ChartPrintChoice &choice)
{
    ChartPages result;
    const QSizeF paper = paperMillimetres(choice.paper);
    const double dayPixels = scale.dayWidth() / TwipsPerPixel;
    const double chartWidthMm = paper.width() - 2 * MarginMm - LabelMm;
    result.m_pixelMm = dayPixels > 0 ? std::min(ScreenPixelMm, chartWidthMm / dayPixels) : ScreenPixelMm;
    const double mm = result.m_pixelMm;
    PageFrame &frame = result.m_frame;
    frame.sheet = paper / mm;
    frame.margin = MarginMm / mm;
    frame.headingHeight = HeadingMm / mm;
    frame.dateBandHeight = DateBandMm / mm;
    frame.labelWidth = LabelMm / mm;

    // Only the days the chart's surface holds can be printed.
    const QDate surfaceFirst = scale.periodStart().addDays(-2);
    const QDate first = std::max(choice.firstDay, surfaceFirst);
    const QDate last = std::min(choice.lastDay, surfaceFirst.addDays(scale.heldDays() - 1));
    const int firstRow = std::max(choice.firstRow, 1);
    const int lastRow = std::min(choice.lastRow, rows.count());
    if (!first.isValid() || !last.isValid() || first > last || firstRow > lastRow || dayPixels <= 0)
        return result;

    const QRectF chart = frame.chartArea();
    // As few sheets across as the days need, the days shared evenly among them: four weeks that
    // need three sheets come as 10 + 10 + 8 days, not 11 + 11 + 6.
    const qint64 days = first.daysTo(last) + 1;
    const qint64 fitting = std::max<qint64>(1, qint64(std::floor(chart.width() / dayPixels + 1e-9)));
    const qint64 sheetsAcross = (days + fitting - 1) / fitting;
    const qint64 daysPerPage = (days + sheetsAcross - 1) / sheetsAcross;
    const int rowsPerPage = std::max(1, int(std::floor(chart.height() / RowPixels)));
    const auto xOfDay = [&](const QDate &day) {
        return double(scale.planTimeToX(day, scale.dayStart(), ChartSurface::Main));
    };
    for (int top = firstRow; top <= lastRow; top += rowsPerPage) {
        const int bottom = std::min(lastRow, top + rowsPerPage - 1);
        for (QDate from = first; from <= last; from = from.addDays(daysPerPage)) {
            ChartPage page;
            page.firstRow = top;
            page.lastRow = bottom;
            page.firstDay = from;
            page.lastDay = std::min(last, from.addDays(daysPerPage - 1));
            page.x0 = xOfDay(page.firstDay);
            page.x1 = xOfDay(page.lastDay.addDays(1));
            page.y0 = topOfRow(rows, top);
            result.m_pages.push_back(page);
        }
    }
    // The list's title stands in the date band; its column captions take the chart area's
    // first line.
    const int linesPerPage = std::max(1, int(std::floor(chart.height() / WaitingLinePixels)) - 1);
    for (int from = 0; from < choice.waitingLots; from += linesPerPage) {
        ChartPage page;
        page.firstWaiting = from;
        page.lastWaiting = std::min(choice.waitingLots, from + linesPerPage) - 1;
        result.m_pages.push_back(page);
    }
    const int count = int(result.m_pages.size());
    for (int n = 0; n < count; ++n) {
        result.m_pages[size_t(n)].number = n + 1;
        result.m_pages[size_t(n)].count = count;
    }
    return result;
}

ChartPages ChartPages::asOneSheet(const ChartRows &rows, double x0, double x1, int firstRow, int lastRow)
{
    ChartPages result;
    firstRow = std::max(firstRow, 1);
    lastRow = std::min(lastRow, rows.count());
    if (x1 <= x0 || firstRow > lastRow)
        return result;
    PageFrame &frame = result.m_frame;
    frame.margin = PictureMargin;
    frame.headingHeight = PictureHeading;
    frame.dateBandHeight = PictureDateBand;
    frame.labelWidth = PictureLabel;
    const double chartWidth = std::ceil((x1 - x0) / TwipsPerPixel);
    const double chartHeight = (lastRow - firstRow + 1) * RowPixels;
    frame.sheet = QSizeF(2 * PictureMargin + PictureLabel + chartWidth,
                         2 * PictureMargin + PictureHeading + PictureDateBand + chartHeight);
    ChartPage page;
    page.number = page.count = 1;
    page.firstRow = firstRow;
    page.lastRow = lastRow;
    page.x0 = x0;
    page.x1 = x1;
    page.y0 = topOfRow(rows, firstRow);
    result.m_pages.push_back(page);
    return result;
}
