#include "persist/SaveSummary.h"

#include "plan/RunContext.h"

QString savedText(const SaveResult &saved, const PlanStore &store, const RunContext &run)
{
    if (saved.outcome != SaveResult::Outcome::Complete)
        return {};
    QString text = QStringLiteral("保存しました（%1件）").arg(saved.savedLots.size());
    const bool keepMachine = run.KeepMachineOfUnplaced != 0;
    qint64 goBack = 0;
    qint64 withoutTimes = 0;
    for (const qint64 i : saved.savedLots) {
        const PlanRecord &lot = store[i];
        if (lot.Active <= 0 || lot.OnStrip != 0 || lot.MachineCode.trimmed().isEmpty())
            continue;
        if (!lot.isConfirmed() && !keepMachine)
            ++goBack;
        else if (lot.isConfirmed() && lot.StartTime == QTime(0, 0) && lot.EndTime == QTime(0, 0))
            ++withoutTimes;
    }
    if (goBack > 0)
        text += QStringLiteral("。予定のまま機械に割り付けた%1件は、次に開くと未割付に戻ります（確定すれば機械に残ります）").arg(goBack);
    if (withoutTimes > 0)
        text += keepMachine ? QStringLiteral("。予定に戻した%1件は時刻がないため、次に開くと予定として読み込まれます").arg(withoutTimes)
                            : QStringLiteral("。予定に戻した%1件は時刻がないため、次に開くと未割付の予定に戻ります").arg(withoutTimes);
    return text;
}
