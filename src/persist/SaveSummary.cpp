#include "persist/SaveSummary.h"

#include "plan/RunContext.h"

QString savedText(const SaveResult &saved, const PlanStore &store, const RunContext &run)
{
    if (saved.outcome != SaveResult::Outcome::Complete)
        return {};
    QString text = QStringLiteral("保存しました（%1件）").arg(saved.savedLots.size());
    if (run.KeepMachineOfUnplaced != 0)
        return text;
    qint64 goBack = 0;
    for (const qint64 i : saved.savedLots) {
        const PlanRecord &lot = store[i];
        goBack += lot.Active > 0 && !lot.isConfirmed() && lot.OnStrip == 0 && !lot.MachineCode.trimmed().isEmpty() ? 1 : 0;
    }
    if (goBack > 0)
        text += QStringLiteral("。予定のまま機械に割り付けた%1件は、次に開くと未割付に戻ります（確定すれば機械に残ります）").arg(goBack);
    return text;
}
