#include "editing/BarDrop.h"

#include "common/PlannerLocale.h"
#include "gantt/BarLayout.h"
#include "plan/ChartRows.h"

std::optional<QString> RowAtY(const ChartRows &rows, double y)
{
    if (y < 0)
        return std::nullopt;
    for (int i = 1; i <= rows.count(); ++i)
        if (rows.row(i).lowerBoundary > y)
            return rows.row(i).code;
    return QString();
}

namespace {
// The drop point's moment: the bar's new height decides whose scale its left edge is read on,
// the strip's for the unassigned row, the main surface's below it.
QDateTime momentAt(const GanttChart &chart, const QString &row, double left, qint64 &top)
{
    const ChartRows &rows = chart.rows();
    const int rowIndex = rows.rowOfCode(row);
    top = rowIndex > 0 ? qint64(rows.row(rowIndex).top) : 0;
    const ChartSurface surface = double(top) > StripRowLimit ? ChartSurface::Main : ChartSurface::Strip;
    return chart.scale().dateTimeAtX(left, surface);
}
} // namespace

void BarDrop::dropOnSurface(qint64 bar, const std::optional<QString> &row, double left)
{
    const qint64 lot = m_store.findByBar(bar);
    if (lot < 2)
        return;
    if (row)
        m_actions.drop(lot, *row, showLetGo(bar, lot, *row, left));
    m_chart.layOutBar(lot);
}

QDateTime BarDrop::showLetGo(qint64 bar, qint64 lot, const QString &row, double left)
{
    const bool later = left > double(m_chart.bar(bar).left);
    qint64 top = 0;
    const QDateTime moment = momentAt(m_chart, row, left, top);
    const bool endFixed = m_store[lot].isEndFixed();
    if (!(endFixed && (later || row.trimmed().isEmpty())))
        m_chart.moveBar(bar, qint64(left), top);
    return moment;
}

QString BarDrop::landingText(qint64 bar, const std::optional<QString> &row, double left) const
{
    const qint64 lot = m_store.findByBar(bar);
    if (lot < 2 || !row)
        return {};
    const ChartRows &rows = m_chart.rows();
    const int rowIndex = rows.rowOfCode(*row);
    if (row->trimmed().isEmpty() || rowIndex <= 1)
        return QStringLiteral("→ 未割付");
    const QString place = QStringLiteral("→ ") + rows.row(rowIndex).caption.simplified() + QStringLiteral("　");
    qint64 top = 0;
    const std::optional<LotTimes> times = m_actions.dropLanding(lot, *row, momentAt(m_chart, *row, left, top));
    if (!times)
        return place + QStringLiteral("ここへは移動できません");
    const QLocale locale = plant::plannerLocale();
    const QString format = QStringLiteral("MM/dd(ddd) hh:mm");
    return place + locale.toString(times->start, format) + u'～' + locale.toString(times->end, format);
}

void BarDrop::dropOnBar(qint64 bar, qint64 onBar, const std::optional<QString> &row, double left)
{
    const qint64 source = m_store.findByBar(bar);
    const qint64 target = m_store.findByBar(onBar);
    if (source < 2 || target < 2 || !row) {
        dropOnSurface(bar, row, left);
        return;
    }
    m_actions.merge(source, target, *row, showLetGo(bar, source, *row, left));
    // A merged source's bar disappears; a moved one shows its new place; the drag colour ends.
    m_chart.layOutBar(source);
}
