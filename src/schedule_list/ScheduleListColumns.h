#pragma once
// The twelve columns of the schedule list (livIchiran): what each shows of a waiting lot and
// the value it sorts by. Numbers sort as numbers and dates as dates, so a sort never depends
// on how a value is written: no column is padded into a sortable text.

#include <QString>
#include <QVariant>

struct PlanRecord;

namespace schedulelist {

enum Column : int {
    SystemId = 0,    // SystemＩd: the lot's index in the plan store
    Arrangement,     // 手配番号
    ItemCode,        // 品名コード
    ItemName,        // 品名
    Sequence,        // 順序
    Process,         // 工程内容名
    Machine,         // 機械コード, "未設定" when the lot names none
    Start,           // 開始日 "yy/mm/dd"
    Due,             // 納期 "yy/mm/dd"
    Quantity,        // 手配数
    Mold,            // 金型コード
    RequestNo,       // 製造依頼番号
    ColumnCount
};

enum class SortKind { Number, Date, Text };

QString header(int column);
SortKind sortKind(int column);
bool alignsRight(int column);

QString cellText(const PlanRecord &lot, qint64 index, int column);

// The value a column sorts by: a number (qint64), a date (QDate, none before every date) or
// a text (QString, compared by character codes).
QVariant sortValue(const PlanRecord &lot, qint64 index, int column);
// The same value of a Number or Date column as one integer (a date as its Julian day, none as
// the smallest), for sorting many lots without a QVariant each.
qint64 sortNumber(const PlanRecord &lot, qint64 index, int column);
// The sort text of a Text column: the text the column shows.
inline QString sortText(const PlanRecord &lot, qint64 index, int column) { return cellText(lot, index, column); }

// The manufacturing request a lot is made for is its production plan: "製造依頼番号" shows
// and searches the lot's production plan number (empty for a lot without a plan).
QString requestNumber(const PlanRecord &lot);

} // namespace schedulelist
