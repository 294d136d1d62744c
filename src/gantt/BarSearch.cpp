#include "gantt/BarSearch.h"

#include "plan/PlanStore.h"
#include "common/NarrowText.h"
#include "common/WildcardPattern.h"

namespace barsearch {

const QString NoCondition = QStringLiteral("検索条件を入力してください");
const QString NoHit = QStringLiteral("該当する手配が存在しません");

QList<qint64> find(const PlanStore &store, const QString &codePattern, const QString &namePattern)
{
    // The typed patterns are converted like the lots' texts, so that case and width do not
    // decide a hit.
    const WildcardPattern code(codePattern.isEmpty() ? QStringLiteral("*") : narrowUpper(codePattern));
    const WildcardPattern name(namePattern.isEmpty() ? QStringLiteral("*") : narrowUpper(namePattern));
    QList<qint64> hits;
    const qint64 last = store.lastIndex();
    for (qint64 i = 2; i <= last; ++i) {
        const PlanRecord &lot = store[i];
        if (lot.Quantity == 0 || lot.ArrangementNo == 0)
            continue;
        if (name.matches(narrowUpper(lot.DisplayItemName)) && code.matches(narrowUpper(lot.ItemCode)))
            hits.append(i);
    }
    return hits;
}

QString selectPlanLine(const PlanRecord &lot)
{
    const QChar blank = u' ';
    QString line = QString::number(lot.ArrangementNo) + blank + lot.EndDate.toString(QStringLiteral("MM/dd")) + blank
        + lot.MachineCode + blank + lot.ProcessName + blank + lot.DisplayItemName + blank
        + QString::number(lot.Quantity);
    if (lot.DetailMark == 1)
        line += QStringLiteral("削除済");
    return line;
}

} // namespace barsearch
