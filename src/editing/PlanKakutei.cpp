#include "editing/PlanKakutei.h"

namespace {

bool inScope(const PlanRecord &lot, const KakuteiScope &scope)
{
    // A lot merged into another (or no longer on the chart) is no lot of its own to confirm.
    if (lot.Active <= 0)
        return false;
    if (lot.StoredConfirmState == QStringLiteral("2"))
        return false;
    if (!scope.allMachines && lot.MachineCode != scope.machineCode)
        return false;
    if (scope.firstDue.isValid() && !(lot.DueDate.isValid() && scope.firstDue <= lot.DueDate))
        return false;
    if (scope.lastDue.isValid() && !(lot.DueDate.isValid() && scope.lastDue >= lot.DueDate))
        return false;
    return true;
}

} // namespace

qint64 FunPlanKakutei(EditPath &path, const QString &confirmState, const KakuteiScope &scope)
{
    Edit edit = path.beginAction(confirmState == QStringLiteral("2") ? QStringLiteral("一括確定")
                                                                     : QStringLiteral("一括予定"));
    qint64 changed = 0;
    const qint64 last = edit.store().lastIndex();
    for (qint64 i = 2; i <= last; ++i) {
        const PlanRecord &lot = edit.record(i);
        if (!inScope(lot, scope) || lot.ConfirmState == confirmState)
            continue;
        edit.change(i, [&confirmState](PlanRecord &r) { r.ConfirmState = confirmState; });
        ++changed;
    }
    edit.commit();
    return changed;
}

QString confirmLotsText(const QString &confirmState, qint64 changed)
{
    if (changed == 0)
        return QStringLiteral("該当する計画はありません");
    return (confirmState == QLatin1String("2") ? QStringLiteral("%1件を確定しました")
                                               : QStringLiteral("%1件を予定にしました"))
        .arg(changed);
}
