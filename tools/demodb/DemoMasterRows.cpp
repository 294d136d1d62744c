#include "DemoRows.h"

#include "DemoCalendar.h"
#include "common/PlantValues.h"

#include <cmath>

namespace demo {

namespace {

QStringList breakColumns()
{
    QStringList columns{QStringLiteral("自社企業コード")};
    const QString digits = QStringLiteral("０１２３４５６７８９");
    for (int n = 1; n <= 10; ++n) {
        QString wide;
        for (QChar c : QString::number(n))
            wide += digits[c.digitValue()];
        columns << QStringLiteral("開始時刻") + wide << QStringLiteral("終了時刻") + wide;
    }
    return columns << QStringLiteral("削除フラグ");
}

void writeBreaksAndCalendars(Database &db, const Masters &masters, const Book &book, RowCounts &counts)
{
    writeTable(db, counts, QStringLiteral("DB0496"), breakColumns(), [&](TableWriter &w) {
        QVariantList row{QStringLiteral("1")};
        for (int pair = 0; pair < 10; ++pair) {
            const bool used = pair < plantBreaks().size();
            row << (used ? plant::timeToDb(plantBreaks()[pair].start) : 0)
                << (used ? plant::timeToDb(plantBreaks()[pair].end) : 0);
        }
        w.add(row << Live);
    });
    writeTable(db, counts, QStringLiteral("DB0491"),
               {QStringLiteral("機械コード"), QStringLiteral("年月日"), QStringLiteral("連番"), QStringLiteral("勤務時間"),
                QStringLiteral("開始時刻１"), QStringLiteral("終了時刻１"), QStringLiteral("開始時刻２"),
                QStringLiteral("終了時刻２"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (int m = 0; m < masters.machines.size(); ++m) {
                       for (QDate d = book.calendarFirst; d <= book.calendarLast; d = d.addDays(1)) {
                           const QList<CalendarRowShifts> rows = shiftRows(shiftPatternOf(masters.machines[m], m, d));
                           // A day off keeps one row without hours, as the plant's calendar does.
                           if (rows.isEmpty())
                               w.add({masters.machines[m].code, plant::dateToDb(d), 1, 0, 0, 0, 0, 0, Live});
                           for (int n = 0; n < rows.size(); ++n) {
                               const CalendarRowShifts &row = rows[n];
                               const TimePair second = row.size() > 1 ? row[1] : TimePair{QTime(0, 0), QTime(0, 0)};
                               w.add({masters.machines[m].code, plant::dateToDb(d), n + 1, shiftHours(row),
                                      plant::timeToDb(row[0].start), plant::timeToDb(row[0].end),
                                      plant::timeToDb(second.start), plant::timeToDb(second.end), Live});
                           }
                       }
                   }
               });
}

void writeItems(Database &db, const Masters &masters, RowCounts &counts)
{
    writeTable(db, counts, QStringLiteral("DB0378"),
               {QStringLiteral("品名コード"), QStringLiteral("品名＿品名仕様"), QStringLiteral("品名略称"),
                QStringLiteral("型番名"), QStringLiteral("型番名仕様ＡＮＫ"), QStringLiteral("包装単位数量"),
                QStringLiteral("品目分類コード２"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const QList<Item> *items : {&masters.products, &masters.components})
                       for (const Item &i : *items)
                           w.add({i.code, i.name, i.shortName, i.model, i.ankSpec, i.packQty, i.category, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0381"),
               {QStringLiteral("品名コード"), QStringLiteral("順序"), QStringLiteral("生産工場コード"),
                QStringLiteral("工程内容コード"), QStringLiteral("標準生産性＿機械"), QStringLiteral("生産性＿機械＿単位"),
                QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Item &i : masters.products)
                       for (const Step &s : i.steps)
                           w.add({i.code, s.sequence, PlantCode, masters.processes[s.process].code,
                                  std::round(s.productivity * 10000) / 10000, QString::number(s.unit), Live});
               });
    writeTable(db, counts, QStringLiteral("DB0451"),
               {QStringLiteral("品名コード"), QStringLiteral("順序"), QStringLiteral("生産工場コード"),
                QStringLiteral("サイクル"), QStringLiteral("取数"), QStringLiteral("ショット重量"),
                QStringLiteral("製品重量"), QStringLiteral("前段取時間"), QStringLiteral("後段取時間"),
                QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Item &i : masters.products)
                       for (const Step &s : i.steps)
                           if (s.molding)
                               w.add({i.code, s.sequence, PlantCode, s.cycle, s.cavities, s.shotWeight,
                                      s.productWeight, s.setupBefore, s.setupAfter, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0383"),
               {QStringLiteral("生産工場コード"), QStringLiteral("上位品名コード"), QStringLiteral("順序"),
                QStringLiteral("下位品名コード"), QStringLiteral("表示順"), QStringLiteral("支給制御区分"),
                QStringLiteral("有償無償区分"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Item &i : masters.products)
                       for (const Step &s : i.steps)
                           for (const BomLine &b : s.bom)
                               w.add({PlantCode, i.code, s.sequence, masters.components[b.child].code,
                                      b.displayOrder, b.supplyControl, b.paidClass, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0492"),
               {QStringLiteral("品名コード"), QStringLiteral("順序"), QStringLiteral("機械コード"),
                QStringLiteral("サイクル"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Item &i : masters.products)
                       for (const Step &s : i.steps)
                           for (const auto &c : s.machineCycles)
                               w.add({i.code, s.sequence, masters.machines[c.first].code, c.second, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0471"),
               {QStringLiteral("金型番号"), QStringLiteral("金型略称"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Mold &m : masters.molds)
                       w.add({m.number, m.shortName, Live});
               });
}

// Each step that subcontractors of its class can do has prices from two of them, an older
// and a newer one, and now and then a price for any supplier ('0').
void writePrices(Database &db, const Masters &masters, const QDate &start, RowCounts &counts)
{
    writeTable(db, counts, QStringLiteral("DB0386"),
               {QStringLiteral("取引先コード"), QStringLiteral("品名コード"), QStringLiteral("工場コード"),
                QStringLiteral("順序"), QStringLiteral("開始日"), QStringLiteral("単価"), QStringLiteral("単価区分"),
                QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (int i = 0; i < masters.products.size(); ++i) {
                       const Item &item = masters.products[i];
                       for (const Step &s : item.steps) {
                           const QList<int> subs = masters.subcontractorsOfClass(s.classCode);
                           const double price = subcontractPrice(s);
                           for (int k = 0; k < std::min<qsizetype>(2, subs.size()); ++k) {
                               const QString code = masters.suppliers[subs[(i + k) % subs.size()]].code;
                               w.add({code, item.code, PlantCode, s.sequence, plant::dateToDb(start.addYears(-1)),
                                      price, QStringLiteral("1"), Live});
                               w.add({code, item.code, PlantCode, s.sequence, plant::dateToDb(start.addMonths(-2)),
                                      std::round(price * 105) / 100, QStringLiteral("2"), Live});
                           }
                           if (i % 3 == 0)
                               w.add({QStringLiteral("0"), item.code, PlantCode, s.sequence,
                                      plant::dateToDb(start.addYears(-2)), std::round(price * 110) / 100,
                                      QStringLiteral("1"), Live});
                       }
                   }
               });
}

} // namespace

double subcontractPrice(const Step &step)
{
    return std::round((step.secondsPerPiece * 0.8 + 1.0) * 100) / 100;
}

void writeMasterRows(Database &db, const Masters &masters, const Book &book, const QDate &start, RowCounts &counts)
{
    writeTable(db, counts, QStringLiteral("DB0003"),
               {QStringLiteral("担当者コード"), QStringLiteral("担当者名"), QStringLiteral("Kalvuner権限区分"),
                QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   w.add({AdminOperator, QStringLiteral("計画 太郎"), QStringLiteral("1"), Live});
                   w.add({InquiryOperator, QStringLiteral("照会 花子"), QStringLiteral("0"), Live});
               });
    const qint64 lastLot = book.lots.isEmpty() ? FirstLotNumber - 1 : book.lots.last().number;
    writeTable(db, counts, QStringLiteral("DB0018"),
               {QStringLiteral("番号管理キー"), QStringLiteral("現在番号"), QStringLiteral("開始番号"),
                QStringLiteral("終了番号"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   w.add({QStringLiteral("手配番号"), lastLot, FirstLotNumber, 999999999, Live});
                   w.add({QStringLiteral("受注番号"), 300000 + book.orders.size(), 300001, 399999, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0351"),
               {QStringLiteral("表示期間＿ヶ月"), QStringLiteral("グリッド単位＿分"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) { w.add({3, GridMinutes, Live}); });
    writeTable(db, counts, QStringLiteral("DB0399"),
               {QStringLiteral("工程分類コード"), QStringLiteral("工程分類名"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const ProcessClass &c : masters.classes)
                       w.add({c.code, c.name, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0370"),
               {QStringLiteral("部コード"), QStringLiteral("課コード"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Section &s : masters.sections)
                       w.add({s.department, s.section, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0369"),
               {QStringLiteral("仕入先コード"), QStringLiteral("仕入先名略名"), QStringLiteral("仕入先分類"),
                QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Supplier &s : masters.suppliers)
                       w.add({s.code, s.shortName, s.kind, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0493"),
               {QStringLiteral("工程分類コード"), QStringLiteral("指示先コード"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Supplier &s : masters.suppliers)
                       if (!s.classCode.isEmpty())
                           w.add({s.classCode, s.code, Live});
               });
    writeTable(db, counts, QStringLiteral("DB0394"),
               {QStringLiteral("機械コード"), QStringLiteral("機械名"), QStringLiteral("生産工場コード"),
                QStringLiteral("工程分類コード"), QStringLiteral("指示先コード"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Machine &m : masters.machines)
                       w.add({m.code, m.name, PlantCode, m.classCode, m.sectionCode, Live});
               });
    writeBreaksAndCalendars(db, masters, book, counts);
    writeTable(db, counts, QStringLiteral("DB0382"),
               {QStringLiteral("工程内容コード"), QStringLiteral("工程内容名"), QStringLiteral("工程分類コード"),
                QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Process &p : masters.processes)
                       w.add({p.code, p.name, p.classCode, Live});
               });
    writeItems(db, masters, counts);
    writePrices(db, masters, start, counts);
    writeTable(db, counts, QStringLiteral("DB0361"),
               {QStringLiteral("得意先コード"), QStringLiteral("得意先略名"), QStringLiteral("削除フラグ")},
               [&](TableWriter &w) {
                   for (const Customer &c : masters.customers)
                       w.add({c.code, c.shortName, Live});
               });
}

} // namespace demo
