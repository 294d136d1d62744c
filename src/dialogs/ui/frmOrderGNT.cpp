#include "dialogs/ui/frmOrderGNT.h"

#include "plan/PlanStore.h"
#include "common/PlantValues.h"
#include "editing/LotRules.h"
#include "gantt/BarLayout.h"
#include "plan/ChartRows.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int LabelWidth = 140;
constexpr int RowHeight = 44;
constexpr int HeaderHeight = 24;
constexpr int PixelsPerHour = 12;

QColor colourOf(const RgbColor &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The chart row of a lot: its machine row, else its subcontractor row, else the unassigned row.
int chartRowOf(const ChartRows &rows, const PlanRecord &lot)
{
    for (const QString &code : {lot.MachineCode, lot.SupplierCode}) {
        if (code.trimmed().isEmpty())
            continue;
        for (int row = 2; row <= rows.count(); ++row)
            if (rows.row(row).code.trimmed() == code.trimmed())
                return row;
    }
    return 1;
}

class OrderGanttSurface : public QWidget
{
public:
    OrderGanttSurface(const PlanStore &store, const OrderGanttPlan &plan, qint64 bar, QWidget *parent)
        : QWidget(parent), m_store(store), m_plan(plan), m_bar(bar)
    {
        // From midnight of the first day to a day after the last end.
        const QDateTime origin = plant::naiveDateTime(m_plan.first.date(), QTime(0, 0));
        const qint64 hours = origin.secsTo(m_plan.last) / 3600 + 24;
        setMinimumSize(LabelWidth + int(hours) * PixelsPerHour + 20,
                       HeaderHeight + int(m_plan.rowCaptions.size()) * RowHeight + 4);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const QDate firstDay = m_plan.first.date();
        const QDateTime origin = plant::naiveDateTime(firstDay, QTime(0, 0));
        const auto xOf = [&](const QDateTime &moment) {
            return LabelWidth + int(origin.secsTo(moment) * PixelsPerHour / 3600);
        };
        // Day lines and captions.
        painter.setPen(Qt::lightGray);
        for (QDate day = firstDay; xOf(plant::naiveDateTime(day, QTime(0, 0))) < width(); day = day.addDays(1)) {
            const int x = xOf(plant::naiveDateTime(day, QTime(0, 0)));
            painter.drawLine(x, 0, x, height());
            painter.setPen(Qt::black);
            painter.drawText(x + 3, 16, day.toString(QStringLiteral("MM/dd")));
            painter.setPen(Qt::lightGray);
        }
        // Rows.
        for (int row = 0; row < m_plan.rowCaptions.size(); ++row) {
            const int top = HeaderHeight + row * RowHeight;
            painter.setPen(Qt::lightGray);
            painter.drawLine(0, top + RowHeight, width(), top + RowHeight);
            painter.setPen(Qt::black);
            painter.drawText(QRect(4, top, LabelWidth - 8, RowHeight), Qt::AlignVCenter | Qt::TextWordWrap,
                             m_plan.rowCaptions[row]);
        }
        // Bars in the chart's colours.
        for (const OrderGanttBar &bar : m_plan.bars) {
            const PlanRecord &lot = m_store[bar.lot];
            const int left = xOf(bar.start);
            const int barWidth = std::max(3, xOf(bar.end) - left);
            const QRect box(left, HeaderHeight + bar.row * RowHeight + 4, barWidth, RowHeight - 8);
            painter.fillRect(box, colourOf(barBackground(lot)));
            painter.setPen(QPen(Qt::black, lot.BarIndex == m_bar ? 3 : 1));
            painter.drawRect(box);
            painter.setPen(colourOf(barTextColor(lot, false)));
            painter.drawText(box.adjusted(3, 1, -2, -1), Qt::AlignLeft | Qt::AlignVCenter,
                             barCaption(lot, false).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        }
    }

private:
    const PlanStore &m_store;
    const OrderGanttPlan &m_plan;
    qint64 m_bar;
};

} // namespace

OrderGanttPlan orderGanttPlan(const PlanStore &store, const ChartRows &rows, qint64 planNo)
{
    OrderGanttPlan plan;
    std::vector<std::pair<int, qint64>> lotsByRow;
    for (qint64 index = 2; index <= store.lastIndex(); ++index) {
        const PlanRecord &lot = store[index];
        if (lot.PlanNo == planNo && lot.Active > 0 && lot.DetailMark == 0 && lot.StartDate.isValid())
            lotsByRow.emplace_back(chartRowOf(rows, lot), index);
    }
    std::stable_sort(lotsByRow.begin(), lotsByRow.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    int lastChartRow = -1;
    for (const auto &[chartRow, index] : lotsByRow) {
        if (chartRow != lastChartRow) {
            plan.rowCaptions << (chartRow == 1 ? QStringLiteral("未割当") : rows.row(chartRow).caption);
            lastChartRow = chartRow;
        }
        const PlanRecord &lot = store[index];
        OrderGanttBar bar{index, int(plan.rowCaptions.size()) - 1, lots::startInstant(lot), lots::endInstant(lot)};
        if (bar.end < bar.start)
            bar.end = bar.start;
        if (!plan.first.isValid() || bar.start < plan.first)
            plan.first = bar.start;
        if (!plan.last.isValid() || bar.end > plan.last)
            plan.last = bar.end;
        plan.bars.push_back(bar);
    }
    return plan;
}

frmOrderGNT::frmOrderGNT(const PlanStore &store, const ChartRows &rows, qint64 barIndex, qint64 planNo,
                         QWidget *parent)
    : QDialog(parent), m_plan(orderGanttPlan(store, rows, planNo)), m_bar(barIndex)
{
    setObjectName(QStringLiteral("frmOrderGNT"));
    setWindowTitle(QStringLiteral("生産計画別ガントチャート"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("生産計画番号 %1").arg(planNo), this));
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(new OrderGanttSurface(store, m_plan, barIndex, scroll));
    layout->addWidget(scroll);
    resize(900, 400);
}
