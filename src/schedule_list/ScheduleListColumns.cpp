#include "schedule_list/ScheduleListColumns.h"

#include "common/PlantValues.h"
#include "plan/PlanRecord.h"

#include <QDate>
#include <limits>

namespace schedulelist {

QString header(int column)
{
    switch (column) {
    case SystemId: return QStringLiteral("SystemＩd");
    case Arrangement: return QStringLiteral("手配番号");
    case ItemCode: return QStringLiteral("品名コード");
    case ItemName: return QStringLiteral("品名");
    case Sequence: return QStringLiteral("順序");
    case Process: return QStringLiteral("工程内容名");
    case Machine: return QStringLiteral("機械コード");
    case Start: return QStringLiteral("開始日");
    case Due: return QStringLiteral("納期");
    case Quantity: return QStringLiteral("手配数");
    case Mold: return QStringLiteral("金型コード");
    case RequestNo: return QStringLiteral("製造依頼番号");
    default: return {};
    }
}

SortKind sortKind(int column)
{
    switch (column) {
    case SystemId:
    case Arrangement:
    case Sequence:
    case Quantity:
    case RequestNo:
        return SortKind::Number;
    case Start:
    case Due:
        return SortKind::Date;
    default:
        return SortKind::Text;
    }
}

bool alignsRight(int column)
{
    return sortKind(column) == SortKind::Number;
}

QString requestNumber(const PlanRecord &lot)
{
    return lot.PlanNoText.trimmed();
}

QString cellText(const PlanRecord &lot, qint64 index, int column)
{
    switch (column) {
    case SystemId: return QString::number(index);
    case Arrangement: return QString::number(lot.ArrangementNo);
    case ItemCode: return lot.ItemCode.trimmed();
    case ItemName: return lot.DisplayItemName.trimmed();
    case Sequence: return QString::number(lot.RateSequence);
    case Process: return lot.ProcessName.trimmed();
    case Machine: {
        const QString code = lot.MachineCode.trimmed();
        return code.isEmpty() ? QStringLiteral("未設定") : code;
    }
    case Start: return plant::shortDateText(lot.StartDate);
    case Due: return plant::shortDateText(lot.DueDate);
    case Quantity: return plant::thousands(lot.Quantity);
    case Mold: return lot.MoldNo.trimmed();
    case RequestNo: return requestNumber(lot);
    default: return {};
    }
}

qint64 sortNumber(const PlanRecord &lot, qint64 index, int column)
{
    const auto day = [](const QDate &date) {
        return date.isValid() ? date.toJulianDay() : std::numeric_limits<qint64>::min();
    };
    switch (column) {
    case SystemId: return index;
    case Arrangement: return lot.ArrangementNo;
    case Sequence: return lot.RateSequence;
    case Quantity: return lot.Quantity;
    // A production plan number is all digits; a lot without a plan sorts first.
    case RequestNo: return qint64(plant::leadingNumber(requestNumber(lot)));
    case Start: return day(lot.StartDate);
    case Due: return day(lot.DueDate);
    default: return 0;
    }
}

QVariant sortValue(const PlanRecord &lot, qint64 index, int column)
{
    switch (sortKind(column)) {
    case SortKind::Number:
        return sortNumber(lot, index, column);
    case SortKind::Date:
        return column == Start ? lot.StartDate : lot.DueDate;
    case SortKind::Text:
        return sortText(lot, index, column);
    }
    return {};
}

} // namespace schedulelist
