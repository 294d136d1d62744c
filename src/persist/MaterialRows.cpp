#include "persist/MaterialRows.h"

#include "db/Rows.h"
#include "plan/PlanRecord.h"
#include "db/RowWriter.h"
#include "db/Statements.h"
#include "common/PlantValues.h"
#include "persist/SaveSession.h"

namespace {

const QString Program = QStringLiteral("P210030");

QVariantMap updateAudit(const SaveSession &session)
{
    return {{QStringLiteral("更新日"), session.today()},
            {QStringLiteral("更新時刻"), session.nowTime()},
            {QStringLiteral("更新端末番号"), 0},
            {QStringLiteral("更新オペレータ"), QStringLiteral(" ")},
            {QStringLiteral("更新プログラム"), Program}};
}

QVariantMap registrationAudit(const SaveSession &session)
{
    return {{QStringLiteral("登録日"), session.today()},
            {QStringLiteral("登録時刻"), session.nowTime()},
            {QStringLiteral("登録端末番号"), 0},
            {QStringLiteral("登録オペレータ"), QStringLiteral(" ")},
            {QStringLiteral("登録プログラム"), Program}};
}

QVariantMap requirementKey(qint64 arrangement, const QString &itemCode)
{
    return {{QStringLiteral("上位手配番号"), arrangement},
            {QStringLiteral("品名コード"), itemCode},
            {QStringLiteral("順序"), 999}};
}

void markAllDeleted(SaveSession &session, qint64 arrangement)
{
    Rows rows = session.query(sql::RequirementRowsOfSlot, {arrangement});
    QList<QVariantMap> keys;
    while (rows.next()) {
        const RowReader &row = rows.row();
        keys.append({{QStringLiteral("上位手配番号"), arrangement},
                     {QStringLiteral("品名コード"), row.value(QStringLiteral("品名コード"))},
                     {QStringLiteral("順序"), row.value(QStringLiteral("順序"))}});
    }
    rows.finish();
    QVariantMap set = updateAudit(session);
    set.insert(QStringLiteral("削除フラグ"), QStringLiteral("1"));
    for (const QVariantMap &key : keys)
        session.update(QStringLiteral("DB0252"), key, set);
}

void writeEntry(SaveSession &session, const PlanRecord &lot, const MaterialTarget &target,
                const RequirementRow &entry, bool rebuilt)
{
    Rows existing = session.query(sql::RequirementEntry, {target.ArrangementNo, entry.ItemCode});
    const bool found = existing.next();
    existing.finish();
    const QVariantMap key = requirementKey(target.ArrangementNo, entry.ItemCode);

    if (found && target.Quantity == 0) {
        session.update(QStringLiteral("DB0252"), key, {{QStringLiteral("削除フラグ"), QStringLiteral("1")}});
        return;
    }
    // A deleted arrangement gets no new material demand.
    if (!found && target.Quantity == 0)
        return;

    QVariantMap set{{QStringLiteral("必要数"), entry.Quantity},
                    {QStringLiteral("確定区分"), lot.ConfirmState},
                    {QStringLiteral("開始日"), plant::dateToDb(lot.StartDate)},
                    {QStringLiteral("原単位分子"), entry.RatioNum},
                    {QStringLiteral("原単位分母"), entry.RatioDen},
                    {QStringLiteral("不良率"), entry.DefectRate},
                    {QStringLiteral("削除フラグ"), QStringLiteral("0")}};
    if (found) {
        if (rebuilt)
            set.insert(updateAudit(session));
        session.update(QStringLiteral("DB0252"), key, set);
        return;
    }

    Rows bill = session.query(sql::BillOfMaterialEntry,
                              {target.PlantCode, target.ItemCode, target.Sequence, entry.ItemCode});
    QString supplyControl = QStringLiteral(" ");
    QString chargeKind = QStringLiteral(" ");
    if (bill.next()) {
        const RowReader &row = bill.row();
        supplyControl = row.text(QStringLiteral("支給制御区分"));
        chargeKind = row.text(QStringLiteral("有償無償区分"));
    }
    bill.finish();
    set.insert(key);
    set.insert(QVariantMap{{QStringLiteral("生産工場コード"), target.PlantCode},
                {QStringLiteral("実績数"), 0},
                {QStringLiteral("支給数"), 0},
                {QStringLiteral("完納区分"), QStringLiteral("0")},
                {QStringLiteral("上位品名コード"), target.ItemCode},
                {QStringLiteral("上位順序"), target.Sequence},
                {QStringLiteral("生産計画番号"), target.PlanNo},
                {QStringLiteral("支給制御区分"), supplyControl},
                {QStringLiteral("有償無償区分"), chargeKind},
                {QStringLiteral("支給完納区分"), QStringLiteral("0")},
                {QStringLiteral("品名＿諸口"), QStringLiteral(" ")},
                {QStringLiteral("ﾛｯﾄ消費方法区分"), QStringLiteral("0")}});
    set.insert(registrationAudit(session));
    set.insert(updateAudit(session));
    session.insert(QStringLiteral("DB0252"), set);
}

} // namespace

void rewriteMaterials(SaveSession &session, const PlanRecord &lot, const MaterialTarget &target,
                      double storedQuantity, double writtenQuantity)
{
    const bool rebuilt = lot.SaveMark == 1 && lot.ReceivedQty == 0;
    if (!rebuilt && lot.ReceivedQty == 0) {
        if (target.Quantity == 0)
            markAllDeleted(session, target.ArrangementNo);
        else if (storedQuantity > 0 && writtenQuantity != storedQuantity)
            session.query(sql::ScaleRequirementsOfArrangement, {writtenQuantity / storedQuantity, target.ArrangementNo});
        return;
    }
    if (rebuilt)
        markAllDeleted(session, target.ArrangementNo);
    for (const RequirementRow &entry : lot.Requirements) {
        // An entry without a material code names no requirement row and no bill of material.
        if (entry.ItemCode.trimmed().isEmpty())
            continue;
        writeEntry(session, lot, target, entry, rebuilt);
    }
}

void copyRequirements(SaveSession &session, qint64 source, qint64 number)
{
    Rows rows = session.query(sql::RequirementsOfArrangement, {source});
    QList<QVariantMap> copies;
    while (rows.next()) {
        QVariantMap row = rows.values();
        for (auto it = row.begin(); it != row.end(); ++it)
            if (it.key().compare(QStringLiteral("上位手配番号"), Qt::CaseInsensitive) == 0)
                it.value() = number;
        copies.append(row);
    }
    rows.finish();
    for (const QVariantMap &copy : copies) {
        if (!session.retried([&] { session.insert(QStringLiteral("DB0252"), copy); })) {
            session.reportPart(QStringLiteral("所要量情報の保持に失敗しました(他の更新は問題ありません)"), number);
            return;
        }
    }
}
