#include "export/ui/ChartPagePainter.h"

#include "gantt/GanttChart.h"
#include "gantt/RowScroll.h"
#include "export/WaitingLots.h"
#include "plan/PlanStore.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <algorithm>
#include <array>
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
    if (std::any_of(m_pages.pages().begin(), m_pages.pages().end(), [](const ChartPage &p) { return p.listsWaiting(); }))
        m_waiting = waitingLots(chart);
}

void ChartPagePainter::paint(QPainter &painter, const ChartPage &page)
{
    const PageFrame &frame = m_pages.frame();
    const QPaintDevice *device = painter.device();
    const double scale = std::min(device->width() / frame.sheet.width(), device->height() / frame.sheet.height());
    painter.save();
    painter.scale(scale, scale);
    paintHeading(painter, page);
    if (page.listsWaiting()) {
        paintWaitingList(painter, page);
        painter.restore();
        return;
    }

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

void ChartPagePainter::paintWaitingList(QPainter &painter, const ChartPage &page)
{
    // Shares of the list's width, column by column: number, item code, item name, process,
    // quantity, start, due date.
    static constexpr std::array<double, 7> Shares{0.09, 0.15, 0.30, 0.14, 0.10, 0.11, 0.11};
    const PageFrame &frame = m_pages.frame();
    const QRectF area = frame.chartArea();
    const QRectF title(area.left() - frame.labelWidth, area.top() - frame.dateBandHeight,
                       area.width() + frame.labelWidth, frame.dateBandHeight);
    QFont font = m_font;
    font.setPixelSize(int(LabelPixels));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("未割付の計画（%1件）").arg(m_waiting.size()));

    const double line = ChartPages::WaitingLinePixels;
    const auto paintLine = [&](double top, const QStringList &cells) {
        double left = title.left();
        for (size_t c = 0; c < Shares.size() && c < size_t(cells.size()); ++c) {
            const double width = title.width() * Shares[c];
            const QRectF cell(left + LabelPadding, top, width - 2 * LabelPadding, line);
            // Numbers and dates stand right, so that their digits line up.
            const bool right = c == 0 || c >= 4;
            painter.drawText(cell, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                             QFontMetricsF(painter.font()).elidedText(cells[int(c)], Qt::ElideRight, cell.width()));
            left += width;
        }
    };
    painter.fillRect(QRectF(title.left(), area.top(), title.width(), line), DateBand);
    paintLine(area.top(), waitingListCaptions());
    font.setBold(false);
    painter.setFont(font);
    double top = area.top() + line;
    const PlanStore &store = m_chart.store();
    for (int k = page.firstWaiting; k <= page.lastWaiting && size_t(k) < m_waiting.size(); ++k, top += line) {
        paintLine(top, waitingListLine(store[m_waiting[size_t(k)]]));
        painter.setPen(QPen(Rule, 0));
        painter.drawLine(QPointF(title.left(), top), QPointF(title.right(), top));
        painter.setPen(Qt::black);
    }
    painter.setPen(QPen(Rule, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(title.left(), area.top(), title.width(), top - area.top()));
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
