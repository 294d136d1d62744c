#include "session/AutoPlanReport.h"

#include "plan/PlanStore.h"

QStringList autoPlanReportLines(const AutoPlanReport &report, const PlanStore &store)
{
    QStringList lines;
    lines << QStringLiteral("自動計画: 計画したロット %1 (サイクルで時間を計算し直したロット %2、保存された機械から移したロット %3)")
                 .arg(report.planned)
                 .arg(report.retimed)
                 .arg(report.offStoredMachine);
    lines << QStringLiteral("項目\t実行前\t実行後");
    const auto row = [&lines](const QString &name, const QString &before, const QString &after) {
        lines << name + QLatin1Char('\t') + before + QLatin1Char('\t') + after;
    };
    row(QStringLiteral("機械上のロット"), QString::number(report.before.lotsOnMachines),
        QString::number(report.after.lotsOnMachines));
    row(QStringLiteral("未割付のロット"), QString::number(report.before.lotsOnStrip),
        QString::number(report.after.lotsOnStrip));
    row(QStringLiteral("納期遅れのロット"), QString::number(report.before.lateLots),
        QString::number(report.after.lateLots));
    row(QStringLiteral("納期遅れ(時間)"), QString::number(report.before.latenessHours, 'f', 1),
        QString::number(report.after.latenessHours, 'f', 1));
    row(QStringLiteral("金型替え"), QString::number(report.before.moldChanges),
        QString::number(report.after.moldChanges));
    for (const LeftLot &left : report.left)
        lines << QStringLiteral("未割付: 手配番号 %1 %2").arg(store[left.lot].ArrangementNo).arg(left.reason);
    return lines;
}
