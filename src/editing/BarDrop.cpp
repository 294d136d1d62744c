#include "editing/BarDrop.h"

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

void BarDrop::dropOnSurface(qint64 bar, const std::optional<QString> &row, double left, const QString &originRow)
{
    const qint64 lot = m_store.findByBar(bar);
    if (lot < 2)
        return;
    if (row) {
        const bool later = left > double(m_chart.bar(bar).left);
        const ChartRows &rows = m_chart.rows();
        const int rowIndex = rows.rowOfCode(*row);
        const qint64 top = rowIndex > 0 ? qint64(rows.row(rowIndex).top) : 0;
        // The bar's new height decides whose scale its left edge is read on: the strip's for the
        // unassigned row, the main surface's below it.
        const ChartSurface surface = double(top) > StripRowLimit ? ChartSurface::Main : ChartSurface::Strip;
        const QDateTime moment = m_chart.scale().dateTimeAtX(left, surface);
        // The bar shows where it was let go while the insertion's questions are open.
        const bool endFixed = m_store[lot].isEndFixed();
        if (!(endFixed && (later || row->trimmed().isEmpty())))
            m_chart.moveBar(bar, qint64(left), top);
        m_drop.drop(lot, *row, moment, originRow, later);
    }
    m_chart.layOutBar(lot);
}

void BarDrop::dropOnBar(qint64 bar, qint64 onBar, const std::optional<QString> &row, double left,
                        const QString &originRow)
{
    const qint64 source = m_store.findByBar(bar);
    const qint64 target = m_store.findByBar(onBar);
    if (source >= 2 && target >= 2 && m_merge.dropOn(source, target) == PlanMerge::Outcome::Merged) {
        // The source's bar disappears and the drag colour ends with it.
        m_chart.layOutBar(source);
        return;
    }
    dropOnSurface(bar, row, left, originRow);
}
