#include "editing/BarDrop.h"

#include "db/Database.h"
#include "plan/Prompter.h"
#include "editing/LotRules.h"
#include "editing/StretchBar.h"

namespace dropping {
const QString EndFixedNotUnassigned = QStringLiteral("終了時間を固定されているので、予定に戻す事はできません");
const QString EndFixedNotLater = QStringLiteral("終了時間を固定されているので、計画を後ろにずらす事はできません");
} // namespace dropping

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
    const qint64 lot = m_path.store().findByBar(bar);
    if (lot < 2)
        return;
    if (row && row->trimmed().isEmpty() && m_path.store()[lot].isEndFixed())
        m_prompter.inform(dropping::EndFixedNotUnassigned);
    else if (row) {
        try {
            QString target = *row;
            Edit edit = m_path.beginAction(QStringLiteral("計画の移動"));
            followMove(edit, lot, bar, target, left, originRow);
            if (target != originRow)
                StretchBar(edit, bar, target, m_chart.rows(), m_db);
            m_insertion.Insert_PlanBarStep2(edit, bar, target, QString());
            edit.commit();
        } catch (const DbError &error) {
            // The action is rolled back: the lot keeps its row and times.
            m_prompter.inform(error.text);
        }
    }
    m_chart.layOutBar(lot);
}

void BarDrop::dropOnBar(qint64 bar, qint64 onBar, const std::optional<QString> &row, double left,
                        const QString &originRow)
{
    const PlanStore &store = m_path.store();
    const qint64 source = store.findByBar(bar);
    const qint64 target = store.findByBar(onBar);
    if (source >= 2 && target >= 2 && m_merge.dropOn(source, target) == PlanMerge::Outcome::Merged) {
        // The source's bar disappears and the drag colour ends with it.
        m_chart.layOutBar(source);
        return;
    }
    dropOnSurface(bar, row, left, originRow);
}

void BarDrop::followMove(Edit &edit, qint64 lot, qint64 bar, QString &row, double left, const QString &originRow)
{
    if (edit.record(lot).isEndFixed() && left > double(m_chart.bar(bar).left)) {
        m_prompter.inform(dropping::EndFixedNotLater);
        row = originRow;
        return;
    }
    const ChartRows &rows = m_chart.rows();
    const int rowIndex = rows.rowOfCode(row);
    m_chart.moveBar(bar, qint64(left), rowIndex > 0 ? qint64(rows.row(rowIndex).top) : 0);
    const LotTimes times = m_chart.timesAtBarLeft(lot, bar, row);
    edit.change(lot, [&](PlanRecord &record) {
        lots::setStart(record, times.start);
        lots::setEnd(record, times.end);
    });
}
