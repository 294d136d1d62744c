#include "app/ui/AutoPlanLoadChart.h"

#include "plan/ChartRows.h"

#include <QPainter>
#include <algorithm>

namespace {

const QColor BeforeColour(160, 160, 160);
const QColor AfterColour(58, 120, 200);
constexpr int BarHeight = 9;
constexpr int BarGap = 2;
constexpr int LineGap = 8;
constexpr int Margin = 6;
constexpr int LabelWidthAtMost = 200;
constexpr int PercentWidth = 44;
constexpr int LegendHeight = 22;

} // namespace

AutoPlanLoadChart::AutoPlanLoadChart(const ChartRows &rows, const std::vector<RowPeriodLoad> &before,
                                     const std::vector<RowPeriodLoad> &after, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("AutoPlanLoadChart"));
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        const Press press{rows.row(before[i].row).caption.simplified(), before[i].percent(), after[i].percent()};
        m_scale = std::max({m_scale, press.before, press.after});
        m_presses.push_back(press);
    }
}

int AutoPlanLoadChart::labelWidth() const
{
    int widest = 0;
    for (const Press &press : m_presses)
        widest = std::max(widest, fontMetrics().horizontalAdvance(press.label));
    return std::min(widest, LabelWidthAtMost);
}

int AutoPlanLoadChart::lineHeight() const
{
    return std::max(2 * BarHeight + BarGap, fontMetrics().height()) + LineGap;
}

QSize AutoPlanLoadChart::sizeHint() const
{
    return {labelWidth() + 2 * Margin + 220 + PercentWidth, minimumSizeHint().height()};
}

// Every press in full height: the scroll area around the chart scrolls rather than squeezes.
QSize AutoPlanLoadChart::minimumSizeHint() const
{
    return {labelWidth() + 2 * Margin + 120 + PercentWidth, LegendHeight + int(m_presses.size()) * lineHeight() + Margin};
}

void AutoPlanLoadChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = fontMetrics();
    const int left = Margin + labelWidth() + Margin;
    const int barSpace = std::max(20, width() - left - PercentWidth - Margin);
    const auto barWidth = [&](int percent) { return int(double(barSpace) * std::max(0, percent) / m_scale); };

    // The legend, then the 100 % line behind the bars.
    int x = left;
    for (const auto &[colour, text] : {std::pair{BeforeColour, QStringLiteral("実行前")},
                                       std::pair{AfterColour, QStringLiteral("実行後")}}) {
        painter.fillRect(x, 6, 12, BarHeight, colour);
        painter.setPen(palette().text().color());
        painter.drawText(x + 16, 6 + metrics.ascent() - 2, text);
        x += 16 + metrics.horizontalAdvance(text) + 16;
    }
    const int fullLoad = left + barWidth(100);
    painter.setPen(QPen(palette().mid().color(), 1, Qt::DashLine));
    painter.drawLine(fullLoad, LegendHeight - 4, fullLoad, height() - Margin);
    const QString full = QStringLiteral("100%");
    const int fullLabel = fullLoad - metrics.horizontalAdvance(full) / 2;
    if (fullLabel > x) // beside the legend, never over it
        painter.drawText(fullLabel, 6 + metrics.ascent() - 2, full);

    int top = LegendHeight;
    for (const Press &press : m_presses) {
        const int line = lineHeight() - LineGap;
        painter.setPen(palette().text().color());
        painter.drawText(QRect(Margin, top, labelWidth(), line), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(press.label, Qt::ElideRight, labelWidth()));
        const int barsTop = top + (line - (2 * BarHeight + BarGap)) / 2;
        int y = barsTop;
        for (const auto &[colour, percent] : {std::pair{BeforeColour, press.before}, std::pair{AfterColour, press.after}}) {
            painter.fillRect(left, y, barWidth(percent), BarHeight, colour);
            painter.setPen(palette().text().color());
            QFont small = font();
            small.setPixelSize(BarHeight + 1);
            painter.setFont(small);
            painter.drawText(QRect(left + barWidth(percent) + 3, y - 2, PercentWidth, BarHeight + 4),
                             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1%").arg(percent));
            painter.setFont(font());
            y += BarHeight + BarGap;
        }
        top += lineHeight();
    }
}
