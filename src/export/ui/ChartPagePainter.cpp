#include "export/ui/ChartPagePainter.h"

#include "gantt/GanttChart.h"
#include "gantt/RowScroll.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <cmath>

namespace {

const QColor Rule(120, 120, 120);
const QColor DateBand(240, 240, 240);
constexpr double HeadingPixels = 12;
constexpr double LabelPixels = 10;
constexpr double LabelPadding = 4;
constexpr double RowPixels = ChartRows::RowHeight / TwipsPerPixel;

} // namespace

ChartPagePainter::ChartPagePainter(const GanttChart &chart, ChartPages pages, const PageHeading &heading)
    : m_chart(chart), m_pages(std::move(pages)), m_heading(heading), m_chartPainter(chart)
{
    m_font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")});
    // Glyphs straight from the font's character map: a PDF reader can then turn every glyph
    // back into its character (shaped digits in Noto CJK have no way back and vanish from a
    // copied or searched text).
    m_font.setStyleStrategy(QFont::PreferNoShaping);
}

void ChartPagePainter::paint(QPainter &painter, const ChartPage &page)
{
    const PageFrame &frame = m_pages.frame();
    const QPaintDevice *device = painter.device();
    const double scale = std::min(device->width() / frame.sheet.width(), device->height() / frame.sheet.height());
    painter.save();
    painter.scale(scale, scale);
    paintHeading(painter, page);

    // The chart area holds the page's days and rows; on the last pages it may be narrower.
    const QRectF area = frame.chartArea();
    const QRectF chart(area.topLeft(), QSizeF(std::ceil((page.x1 - page.x0) / TwipsPerPixel),
                                              (page.lastRow - page.firstRow + 1) * RowPixels));
    const QRectF band(chart.left(), chart.top() - frame.dateBandHeight, chart.width(), frame.dateBandHeight);
    const QRectF labels(frame.margin, chart.top(), frame.labelWidth, chart.height());

    painter.fillRect(band, DateBand);
    painter.save();
    painter.translate(band.topLeft());
    painter.setClipRect(QRectF(QPointF(0, 0), band.size()));
    m_chartPainter.paintHeaderCaptions(painter, band.size().toSize(), page.x0);
    painter.restore();

    painter.save();
    painter.translate(chart.topLeft());
    painter.setClipRect(QRectF(QPointF(0, 0), chart.size()));
    m_chartPainter.paintMainSurface(painter, chart.size().toSize(), page.x0, page.y0);
    painter.restore();

    paintLabels(painter, page, labels);
    painter.setPen(QPen(Rule, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(band.united(chart));
    painter.drawRect(QRectF(labels.left(), band.top(), labels.width(), labels.bottom() - band.top()));
    painter.restore();
}

void ChartPagePainter::paintHeading(QPainter &painter, const ChartPage &page)
{
    const QRectF area = m_pages.frame().headingArea();
    QFont font = m_font;
    font.setPixelSize(int(HeadingPixels));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString number = page.numberText();
    const double numberWidth = QFontMetricsF(font).horizontalAdvance(number) + 2 * HeadingPixels;
    painter.drawText(area.adjusted(0, 0, -numberWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetricsF(font).elidedText(m_heading.text(), Qt::ElideRight, area.width() - numberWidth));
    painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, number);
}

void ChartPagePainter::paintLabels(QPainter &painter, const ChartPage &page, const QRectF &labels)
{
    const ChartRows &rows = m_chart.rows();
    QFont codeFont = m_font;
    codeFont.setPixelSize(int(LabelPixels));
    codeFont.setBold(true);
    QFont nameFont = codeFont;
    nameFont.setBold(false);
    const double textWidth = labels.width() - 2 * LabelPadding;
    painter.setPen(Qt::black);
    for (int row = page.firstRow; row <= page.lastRow; ++row) {
        const QRectF cell(labels.left(), labels.top() + (row - page.firstRow) * RowPixels, labels.width(), RowPixels);
        const QRectF text = cell.adjusted(LabelPadding, LabelPadding, -LabelPadding, -LabelPadding);
        const QRectF upper(text.left(), text.top(), text.width(), text.height() / 2);
        const QRectF lower(text.left(), upper.bottom(), text.width(), text.height() / 2);
        painter.setFont(codeFont);
        painter.drawText(upper, Qt::AlignLeft | Qt::AlignVCenter,
                         QFontMetricsF(codeFont).elidedText(rowLabelCode(rows, row), Qt::ElideRight, textWidth));
        painter.setFont(nameFont);
        painter.drawText(lower, Qt::AlignLeft | Qt::AlignVCenter,
                         QFontMetricsF(nameFont).elidedText(rowLabelName(rows, row), Qt::ElideRight, textWidth));
        if (row > page.firstRow) {
            painter.setPen(QPen(Rule, 0));
            painter.drawLine(cell.topLeft(), cell.topRight());
            painter.setPen(Qt::black);
        }
    }
}
