#include "DemoRows.h"

#include "common/PlantValues.h"

#include <cmath>

namespace demo {

namespace {

const QString Blank = QStringLiteral(" ");
// The production-management program that registered the rows, and its operator.
const QString RegisteringProgram = QStringLiteral("P210010");

QVariant dateOrNull(const QDate &date) { return date.isValid() ? QVariant(plant::dateToDb(date)) : QVariant(QMetaType(QMetaType::QString)); }
double hundredths(double value) { return std::round(value * 100) / 100; }

QStringList lotColumns()
{
    return QStringLiteral("手配番号,上位手配番号,生産計画番号,生産工場コード,品名コード,順序,工程内容コード,機械コード,"
                          "指示先コード,計上先コード,手配区分,社内社外区分,仕入区分,手配確定区分,スケジューラ固定区分,"
                          "受入即検収区分,GNT表示区分,完納区分,手配数,受入実績数,手配実績数,開始日,納期,作業開始日付,"
                          "作業開始時間,作業終了日付,作業終了時間,GNT初期納期,GNT所要時間＿分,段取時間,作業時間,実績時間,"
                          "必要人員,サイクル,金型番号,品名＿諸口,製造依頼番号,指示書発行日,最終実績日,備考,単価,単価区分,"
                          "金額,消費税額,合計金額,削除フラグ,登録日,登録時刻,登録端末番号,登録オペレータ,登録プログラム")
        .split(u',');
}

QVariantList lotRow(const Masters &masters, const Lot &lot, const QDate &start)
{
    const Item &item = masters.products[lot.item];
    const Step &step = item.steps[lot.step];
    const bool outside = lot.supplier >= 0;
    const bool saved = lot.durationsSaved && lot.placed();
    const double price = outside ? subcontractPrice(step) : 0.0;
    const double amount = hundredths(price * double(lot.quantity));
    return {lot.number, lot.parent, lot.planNo, PlantCode, item.code, step.sequence,
            masters.processes[step.process].code, lot.machineCode, lot.destination, lot.destination,
            outside ? QStringLiteral("2") : QStringLiteral("3"), outside ? QStringLiteral("2") : QStringLiteral("1"),
            outside ? QStringLiteral("2") : Blank, lot.confirm, lot.fixed, outside ? QStringLiteral("1") : Blank,
            Live, lot.complete, lot.quantity, lot.received, lot.received, plant::dateToDb(lot.startDay),
            plant::dateToDb(lot.due), plant::dateToDb(lot.start.date()),
            lot.placed() ? plant::timeToDb(lot.start.time()) : 0, plant::dateToDb(lot.end.date()),
            lot.placed() ? plant::timeToDb(lot.end.time()) : 0, dateOrNull(lot.initialDue),
            saved ? lot.setupMinutes + lot.workMinutes : 0, saved ? plant::minutesToDbHours(lot.setupMinutes) : 0.0,
            saved ? plant::minutesToDbHours(lot.workMinutes) : 0.0, plant::minutesToDbHours(lot.actualMinutes),
            step.persons, step.cycle, step.molding ? QVariant(masters.molds[item.mold].number) : QVariant(QMetaType(QMetaType::QString)),
            lot.miscName.isEmpty() ? Blank : lot.miscName,
            lot.planNo ? QStringLiteral("SI%1").arg(lot.planNo) : Blank, plant::dateToDb(lot.instructionIssued),
            plant::dateToDb(lot.lastActual), lot.remarks.isEmpty() ? Blank : lot.remarks, price,
            outside ? QStringLiteral("1") : Blank, amount, 0.0, amount, Live,
            plant::dateToDb(std::min(start, lot.startDay.isValid() ? lot.startDay : start).addDays(-20)), 90000, 0,
            AdminOperator, RegisteringProgram};
}

QStringList requirementColumns()
{
    return QStringLiteral("上位手配番号,生産工場コード,品名コード,順序,必要数,実績数,支給数,完納区分,確定区分,開始日,"
                          "上位品名コード,上位順序,生産計画番号,原単位分子,原単位分母,不良率,支給制御区分,有償無償区分,"
                          "支給完納区分,品名＿諸口,ﾛｯﾄ消費方法区分,削除フラグ,登録日,登録時刻,登録端末番号,"
                          "登録オペレータ,登録プログラム")
        .split(u',');
}

// One requirement row per material of the lot's step, sized for the lot's quantity with
// the material's defect allowance.
void addRequirements(TableWriter &w, const Masters &masters, const Lot &lot, const QDate &start)
{
    const Item &item = masters.products[lot.item];
    const Step &step = item.steps[lot.step];
    const QString registered = plant::dateToDb(start.addDays(-30));
    for (const BomLine &b : step.bom) {
        const double perPiece = b.ratioNum / b.ratioDen;
        const double needed = std::round(double(lot.quantity) * perPiece / (1.0 - b.defectRate / 100.0) * 1000) / 1000;
        const double used = std::round(double(lot.received) * perPiece * 1000) / 1000;
        const bool supplied = b.supplyControl == QStringLiteral("1");
        w.add({lot.number, PlantCode, masters.components[b.child].code, 999, needed, used, supplied ? needed : 0.0,
               lot.complete == QStringLiteral("2") ? QStringLiteral("1") : Live, lot.confirm,
               plant::dateToDb(lot.startDay), item.code, step.sequence, lot.planNo, b.ratioNum, b.ratioDen,
               b.defectRate, b.supplyControl, b.paidClass, Live, Blank, Live, Live, registered, 90000, 0,
               AdminOperator, RegisteringProgram});
    }
}

} // namespace

void writeLotRows(Database &db, const Masters &masters, const Book &book, const QDate &start, RowCounts &counts)
{
    writeTable(db, counts, QStringLiteral("DB0251"),
               QStringLiteral("生産計画番号,品名コード,計画数,指示済数,生産完了日,確定区分,削除フラグ").split(u','),
               [&](TableWriter &w) {
                   for (const Plan &p : book.plans)
                       w.add({p.number, masters.products[p.item].code, p.quantity, p.instructed,
                              plant::dateToDb(p.completion), p.confirm, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0253"), lotColumns(), [&](TableWriter &w) {
        for (const Lot &lot : book.lots)
            w.add(lotRow(masters, lot, start));
    });
    writeTable(db, counts, QStringLiteral("DB0252"), requirementColumns(), [&](TableWriter &w) {
        for (const Lot &lot : book.lots)
            addRequirements(w, masters, lot, start);
    });
    writeTable(db, counts, QStringLiteral("DB0204"),
               QStringLiteral("受注番号,得意先コード,品名コード,納期,注文番号,受注数量,出荷数量,削除フラグ").split(u','),
               [&](TableWriter &w) {
                   for (const Order &o : book.orders)
                       w.add({o.number, masters.customers[o.customer].code, masters.products[o.item].code,
                              plant::dateToDb(o.due), o.orderNo, o.quantity, o.shipped, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0202"),
               QStringLiteral("所要計画No,得意先コード,品名コード,納期,所要計画数量,削除フラグ").split(u','),
               [&](TableWriter &w) {
                   for (const Demand &d : book.demands)
                       w.add({d.number, masters.customers[d.customer].code, masters.products[d.item].code,
                              plant::dateToDb(d.due), d.quantity, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0494"), QStringLiteral("手配番号,受注データ区分,番号,削除フラグ").split(u','),
               [&](TableWriter &w) {
                   for (const Link &l : book.links)
                       w.add({l.lot, l.kind, l.number, Live});
               });
}

} // namespace demo
