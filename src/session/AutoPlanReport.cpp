#include "session/AutoPlanReport.h"

#include "plan/PlanStore.h"

const QString AutoPlanStoppedText =
    QStringLiteral("計画を途中で打ち切りました。それまでに見つかった最良の計画を採っています。");

std::vector<AutoPlanFigure> autoPlanFigures(const AutoPlanReport &report)
{
    const auto count = [](qint64 n) { return QString::number(n); };
    const auto hours = [](double h) { return QString::number(h, 'f', 1); };
    const auto percent = [](const std::vector<RowPeriodLoad> &loads) {
        return QString::number(allPresses(loads).percent());
    };
    const PlanFigures &b = report.before;
    const PlanFigures &a = report.after;
    return {{QStringLiteral("機械上のロット"), count(b.lotsOnMachines), count(a.lotsOnMachines)},
            {QStringLiteral("未割付のロット"), count(b.lotsOnStrip), count(a.lotsOnStrip)},
            {QStringLiteral("納期遅れのロット"), count(b.lateLots), count(a.lateLots)},
            {QStringLiteral("納期遅れ(時間)"), hours(b.latenessHours), hours(a.latenessHours)},
            {QStringLiteral("金型替え"), count(b.moldChanges), count(a.moldChanges)},
            {QStringLiteral("機械の負荷(%)"), percent(report.loadBefore), percent(report.loadAfter)}};
}

std::vector<std::pair<QString, qint64>> autoPlanCounts(const AutoPlanReport &report)
{
    return {{QStringLiteral("計画したロット"), report.planned},
            {QStringLiteral("サイクルで時間を計算し直したロット"), report.retimed},
            {QStringLiteral("保存された機械から移したロット"), report.offStoredMachine}};
}

QString autoPlanSummary(const AutoPlanReport &report)
{
    const auto counts = autoPlanCounts(report);
    return QStringLiteral("自動計画: %1 %2 (%3 %4、%5 %6)")
        .arg(counts[0].first)
        .arg(counts[0].second)
        .arg(counts[1].first)
        .arg(counts[1].second)
        .arg(counts[2].first)
        .arg(counts[2].second);
}

QStringList autoPlanReportLines(const AutoPlanReport &report, const PlanStore &store)
{
    QStringList lines{autoPlanSummary(report)};
    if (report.stopped)
        lines << AutoPlanStoppedText;
    lines << QStringLiteral("項目\t実行前\t実行後");
    for (const AutoPlanFigure &figure : autoPlanFigures(report))
        lines << figure.name + QLatin1Char('\t') + figure.before + QLatin1Char('\t') + figure.after;
    for (const LeftLot &left : report.left)
        lines << QStringLiteral("未割付: 手配番号 %1 %2").arg(store[left.lot].ArrangementNo).arg(left.reason);
    return lines;
}
