#include "gantt/PlanGridColumns.h"

#include "plan/PlanRecord.h"
#include "common/PlantValues.h"

#include <array>

namespace plangrid {

QString header(int column)
{
    static const std::array<QString, ColumnCount> headers = {
        QString(),
        QStringLiteral("表示"),
        QStringLiteral("確定"),
        QStringLiteral("機械"),
        QStringLiteral("手配番号"),
        QStringLiteral("品名ｺｰﾄﾞ"),
        QStringLiteral("品名"),
        QStringLiteral("順序"),
        QStringLiteral("工程内容"),
        QStringLiteral("作業開始"),
        QStringLiteral("作業終了"),
        QStringLiteral("希望納期"),
        QStringLiteral("手配数"),
        QStringLiteral("受注実績数"),
        QStringLiteral("金型ｺｰﾄﾞ"),
        QStringLiteral("金型名"),
        QStringLiteral("必要時間"),
        QStringLiteral("備考"),
        QStringLiteral("BarID"),
        QStringLiteral("KEY"),
    };
    return column >= 0 && column < ColumnCount ? headers[size_t(column)] : QString();
}

bool isEditable(int column)
{
    return column == Machine || column == Quantity || column == Remarks;
}

QString workHoursText(qint64 minutes)
{
    return plant::thousandsTenths(double(minutes) / 60.0);
}

QString arrangementNoText(qint64 arrangementNo)
{
    return arrangementNo < 0 ? QStringLiteral("新規") : QString::number(arrangementNo);
}

QString cellText(const PlanRecord &lot, int column)
{
    switch (column) {
    case Display:
        return lot.GanttDisplayClass == 1 ? tick() : QString();
    case Confirm:
        return lot.isConfirmed() ? tick() : QString();
    case Machine:
        return lot.MachineCode;
    case Arrangement:
        return arrangementNoText(lot.ArrangementNo);
    case ItemCode:
        return lot.ItemCode;
    case ItemName:
        return lot.DisplayItemName;
    case Sequence:
        return QString::number(lot.RateSequence);
    case Process:
        return lot.ProcessName;
    case Start:
        return plant::shortDateText(lot.StartDate);
    case End:
        return plant::shortDateText(lot.EndDate);
    case DesiredDue:
        return plant::shortDateText(lot.InitialDueDate);
    case Quantity:
        return plant::thousands(lot.Quantity);
    case Received:
        return plant::thousands(lot.ReceivedQty);
    case MoldCode:
        return lot.MoldNo;
    case MoldName:
        return lot.MoldShortName;
    case WorkTime:
        return workHoursText(lot.WorkMinutes);
    case Remarks:
        return lot.Remarks;
    case BarId:
        return QString::number(lot.BarIndex);
    case Key:
        return sortKey(lot);
    default:
        return QString();
    }
}

namespace {

// Appends a, separator, b, separator, c as two digits each ("24/05/01", "08:30:00"). The key
// is built for every lot on every rebuild, so it avoids the format-string conversions.
void appendTriple(QString &out, int a, int b, int c, char16_t separator)
{
    const char16_t text[8] = {char16_t(u'0' + a / 10 % 10), char16_t(u'0' + a % 10), separator,
                              char16_t(u'0' + b / 10), char16_t(u'0' + b % 10), separator,
                              char16_t(u'0' + c / 10), char16_t(u'0' + c % 10)};
    out.append(QStringView(text, 8));
}

} // namespace

QString sortKey(const PlanRecord &lot)
{
    QString key;
    key.reserve(24);
    key += QStringView(lot.MachineCode).left(8);
    key.resize(8, u' ');
    if (const QDate &d = lot.StartDate; d.isValid())
        appendTriple(key, d.year() % 100, d.month(), d.day(), u'/');
    if (const QTime &t = lot.StartTime; t.isValid())
        appendTriple(key, t.hour(), t.minute(), t.second(), u':');
    return key;
}

std::optional<RgbColor> rowColour(const PlanRecord &lot)
{
    if (lot.StoredConfirmState == QStringLiteral("1"))
        return StoredTentativeColour;
    if (lot.InstructionIssueDate == QStringLiteral("00000000"))
        return NoInstructionSheetColour;
    return std::nullopt;
}

} // namespace plangrid
