#include "dialogs/DetailLines.h"

#include "db/Rows.h"
#include "db/Statements.h"
#include "calendar/ByteWidthText.h"
#include "common/PlantValues.h"

#include <QLocale>

namespace {

QString left(const QString &text, int width)
{
    return PadToByteWidth(text, width, u"L");
}

QString right(const QString &text, int width)
{
    return PadToByteWidth(text, width, u"R");
}

} // namespace

QString monthDay(const QString &yyyymmdd)
{
    const QString digits = yyyymmdd.trimmed();
    if (digits.size() < 4 || digits == QStringLiteral("00000000"))
        return QStringLiteral("     ");
    const QString last = digits.right(4);
    return last.left(2) + QLatin1Char('/') + last.right(2);
}

QString thousandsThousandths(double value)
{
    static const QLocale grouping(QLocale::English, QLocale::UnitedStates);
    return grouping.toString(value, 'f', 3);
}

QStringList requirementLines(const PlanRecord &lot)
{
    QStringList lines;
    for (const RequirementRow &row : lot.Requirements) {
        if (row.ItemCode.trimmed().isEmpty())
            break;
        QString line = left(row.ItemCode, 25) + QString(13, QLatin1Char(' ')) + left(row.ItemSpec, 40);
        for (const double value : {row.Quantity, row.RatioNum, row.RatioDen, 100 - row.DefectRate})
            line += QLatin1Char(' ') + right(thousandsThousandths(value), 15);
        lines << line;
    }
    return lines;
}

QStringList memberLines(const MemberSlots &members)
{
    QStringList lines;
    for (int index = 0; index < members.size(); ++index) {
        const MemberSlot &slot = members.at(index);
        if (slot.isFree())
            continue;
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(slot.ArrangementNo)
                     .arg(slot.ProcessName.trimmed(), slot.ModelName.trimmed())
                     .arg(slot.Quantity);
    }
    return lines;
}

QString relatedOrderLine(const RowReader &row)
{
    const bool order = row.text(QStringLiteral("受注データ区分")).trimmed() == QStringLiteral("2");
    const QString number = right(QString::number(row.integer(QStringLiteral("番号"))), 8);
    if (order) {
        const qint64 open = plant::intFloor(row.number(QStringLiteral("受注数量")) - row.number(QStringLiteral("出荷数量")));
        return QStringLiteral("受注     ") + number + QLatin1Char(' ') + left(row.text(QStringLiteral("注文番号")), 23)
               + QLatin1Char(' ') + left(row.text(QStringLiteral("受注品名コード")), 25)
               + left(row.text(QStringLiteral("受注品名")), 40) + left(row.text(QStringLiteral("受注得意先コード")), 12)
               + left(row.text(QStringLiteral("受注得意先名")), 20) + QLatin1Char(' ')
               + monthDay(row.text(QStringLiteral("受注納期"))) + QLatin1Char(' ') + right(QString::number(open), 8);
    }
    const qint64 planned = plant::intFloor(row.number(QStringLiteral("所要計画数量")));
    return QStringLiteral("所要計画 ") + number + QLatin1Char(' ') + right(QString(), 23) + QLatin1Char(' ')
           + left(row.text(QStringLiteral("所要品名コード")), 25) + left(row.text(QStringLiteral("所要品名")), 40)
           + left(row.text(QStringLiteral("所要得意先コード")), 12) + left(row.text(QStringLiteral("所要得意先名")), 20)
           + QLatin1Char(' ') + monthDay(row.text(QStringLiteral("所要納期"))) + QLatin1Char(' ')
           + right(QString::number(planned), 8);
}

QStringList relatedOrderLines(Database &db, qint64 arrangementNo)
{
    Rows orders = select(db, sql::RelatedOrders, {arrangementNo});
    QStringList lines;
    while (orders.next())
        lines << relatedOrderLine(orders.row());
    return lines;
}
