#include "editing/PlacementReport.h"

#include "editing/LotRules.h"
#include "gantt/PlanGridColumns.h"

#include <QStringList>

namespace {

// Arrangement numbers named in the line at most; more are counted, not named.
constexpr qsizetype NamedAtMost = 5;

} // namespace

PlacementReport::Place PlacementReport::placeOf(const PlanRecord &lot)
{
    return {lot.MachineCode.trimmed(), lot.SupplierCode.trimmed(), lots::startInstant(lot), lots::endInstant(lot),
            lot.OnStrip != 0, lot.Active > 0};
}

void PlacementReport::take(const PlanStore &store, qint64 conflicts)
{
    m_places.assign(size_t(store.lastIndex() + 1), Place{});
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        m_places[size_t(i)] = placeOf(store[i]);
    m_conflicts = conflicts;
    m_unassigned.clear();
}

QString PlacementReport::follow(const PlanStore &store, const QList<qint64> &indices, qint64 conflicts)
{
    qint64 moved = 0, added = 0, merged = 0;
    m_unassigned.clear();
    if (m_places.size() < size_t(store.lastIndex() + 1))
        m_places.resize(size_t(store.lastIndex() + 1));
    for (const qint64 i : indices) {
        if (i < 2 || i > store.lastIndex())
            continue; // a lot an undo took away again
        const Place was = m_places[size_t(i)];
        const Place now = placeOf(store[i]);
        m_places[size_t(i)] = now;
        if (!was.active && now.active)
            ++added;
        else if (was.active && !now.active)
            ++merged;
        else if (now.active && now.onStrip && !was.onStrip)
            m_unassigned.append(i);
        else if (now.active
                 && (now.machine != was.machine || now.supplier != was.supplier || now.start != was.start
                     || now.end != was.end))
            ++moved;
    }

    QStringList parts;
    if (moved > 1 || (moved > 0 && (added > 0 || merged > 0 || !m_unassigned.isEmpty())))
        parts.append(QStringLiteral("%1件の日時・機械が変わりました").arg(moved));
    if (!m_unassigned.isEmpty()) {
        QStringList numbers;
        for (qsizetype k = 0; k < m_unassigned.size() && k < NamedAtMost; ++k)
            numbers.append(plangrid::arrangementNoText(store[m_unassigned[k]].ArrangementNo));
        if (m_unassigned.size() > NamedAtMost)
            numbers.append(QStringLiteral("ほか"));
        parts.append(QStringLiteral("%1件を未割付へ戻しました（手配番号 %2）")
                         .arg(m_unassigned.size())
                         .arg(numbers.join(QStringLiteral("、"))));
    }
    if (added > 0)
        parts.append(QStringLiteral("%1件を追加しました").arg(added));
    if (merged > 0)
        parts.append(QStringLiteral("%1件を合体しました").arg(merged));
    if (conflicts != m_conflicts)
        parts.append(QStringLiteral("重複 %1件→%2件").arg(m_conflicts).arg(conflicts));
    m_conflicts = conflicts;
    return parts.join(QStringLiteral("。"));
}
