#include "persist/PlanTotals.h"

#include "db/Rows.h"
#include "db/Statements.h"
#include "persist/SaveSession.h"

void refreshPlanTotals(SaveSession &session, qint64 planNo, const QString &itemCode, qint64 sequence,
                       const QString &confirmState)
{
    if (planNo == 0)
        return;
    Rows plan = session.query(sql::ProductionPlanByNo, {planNo});
    if (!plan.next())
        return;
    const QString planItem = plan.row().text(QStringLiteral("品名コード"));
    plan.finish();

    QVariantMap set{{QStringLiteral("確定区分"), confirmState}};
    if (planItem == itemCode && sequence == 999) {
        Rows totals = session.query(sql::ConfirmedTotalsOfPlan, {planNo, itemCode});
        if (totals.next()) {
            const RowReader &row = totals.row();
            set.insert(QStringLiteral("指示済数"), row.number(QStringLiteral("手配数合計")));
            set.insert(QStringLiteral("生産完了日"), row.text(QStringLiteral("最大納期")));
        } else {
            set.insert(QStringLiteral("指示済数"), 0);
        }
        totals.finish();
    }
    session.update(QStringLiteral("DB0251"), {{QStringLiteral("生産計画番号"), planNo}}, set);
}
