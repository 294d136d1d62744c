#include "gantt/BarTooltip.h"

#include "common/PlantValues.h"
#include "gantt/PlanGridColumns.h"

#include <QStringList>

namespace {

QString stateOf(const PlanRecord &lot)
{
    QString state = lot.isConfirmed() ? QStringLiteral("確定") : QStringLiteral("予定");
    if (lot.isLocked())
        state += QStringLiteral("・完全固定");
    else if (lot.isEndFixed())
        state += QStringLiteral("・後ろ固定");
    return state;
}

QString momentText(const QDate &date, const QTime &time)
{
    return date.isValid() ? plant::dateText(date) + u' ' + time.toString(QStringLiteral("hh:mm")) : QString();
}

} // namespace

QString barTooltipText(const PlanRecord &lot, const QString &place)
{
    const QString name = lot.DisplayItemName.trimmed();
    const QStringList lines = {
        QStringLiteral("手配番号：%1（%2）").arg(plangrid::arrangementNoText(lot.ArrangementNo), stateOf(lot)),
        QStringLiteral("品名：%1%2").arg(lot.ItemCode.trimmed(), name.isEmpty() ? QString() : u' ' + name),
        QStringLiteral("手配数：%1").arg(plant::thousands(lot.Quantity)),
        QStringLiteral("機械：%1").arg(place),
        QStringLiteral("開始：%1").arg(momentText(lot.StartDate, lot.StartTime)),
        QStringLiteral("終了：%1").arg(momentText(lot.EndDate, lot.EndTime)),
        QStringLiteral("納期：%1").arg(plant::dateText(lot.DueDate)),
    };
    return lines.join(u'\n');
}
