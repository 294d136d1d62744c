#include "editing/PlanKakutei.h"

#include "calendar/DateEntry.h"
#include "common/PlantValues.h"

const QString kakutei::BadFirstDue = QStringLiteral("納期の開始日付を正しく入力してください");
const QString kakutei::BadLastDue = QStringLiteral("納期の終了日付を正しく入力してください");

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

bool changes(const PlanRecord &lot, const QString &confirmState, const KakuteiScope &scope)
{
    return inScope(lot, scope) && lot.ConfirmState != confirmState;
}

bool confirming(const QString &confirmState)
{
    return confirmState == QLatin1String("2");
}

} // namespace

std::optional<QString> dueBoundOfBox(const QString &typed, const QDate &today)
{
    if (typed.trimmed().isEmpty())
        return QString();
    const QString date = ReadBoxDate(typed, today);
    if (date.isEmpty())
        return std::nullopt;
    return date;
}

qint64 countKakutei(const PlanStore &store, const QString &confirmState, const KakuteiScope &scope)
{
    qint64 count = 0;
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        count += changes(store[i], confirmState, scope) ? 1 : 0;
    return count;
}

QString confirmLotsQuestion(const QString &confirmState, qint64 count, const KakuteiScope &scope)
{
    const auto bound = [](const QDate &date) { return date.isValid() ? plant::dateText(date) : QStringLiteral("指定なし"); };
    const QString machine = scope.allMachines ? QStringLiteral("全機械") : scope.machineCode.trimmed();
    return QStringLiteral("機械：%1　納期：%2～%3\n").arg(machine, bound(scope.firstDue), bound(scope.lastDue))
           + (confirming(confirmState) ? QStringLiteral("%1件を確定します。よろしいですか？")
                                       : QStringLiteral("%1件を予定にします。よろしいですか？"))
                 .arg(count);
}

qint64 FunPlanKakutei(EditPath &path, const QString &confirmState, const KakuteiScope &scope)
{
    Edit edit = path.beginAction(confirming(confirmState) ? QStringLiteral("一括確定") : QStringLiteral("一括予定"));
    qint64 changed = 0;
    const qint64 last = edit.store().lastIndex();
    for (qint64 i = 2; i <= last; ++i) {
        const PlanRecord &lot = edit.record(i);
        if (!changes(lot, confirmState, scope))
            continue;
        edit.change(i, [&confirmState](PlanRecord &r) { r.ConfirmState = confirmState; });
        ++changed;
    }
    edit.commit();
    return changed;
}

QString confirmLotsText(const QString &confirmState, const KakuteiResult &result)
{
    if (result.declined)
        return confirming(confirmState) ? QStringLiteral("確定を取りやめました") : QStringLiteral("予定への変更を取りやめました");
    if (result.changed == 0)
        return QStringLiteral("該当する計画はありません");
    return (confirming(confirmState) ? QStringLiteral("%1件を確定しました") : QStringLiteral("%1件を予定にしました"))
        .arg(result.changed);
}
