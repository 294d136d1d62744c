#include "dialogs/SplitLines.h"

#include "calendar/ByteWidthText.h"
#include "common/PlantValues.h"

namespace splitlines {

namespace {

constexpr int NumberWidth = 9;
constexpr int ProcessWidth = 16;
constexpr int ModelWidth = 24;
// The chosen count, "/" and the available quantity close every line.
constexpr int TailWidth = 2 * NumberWidth + 1;

qint64 numberIn(const QString &text)
{
    return plant::intFloor(plant::leadingNumber(text.trimmed()));
}

QString rightAligned(qint64 number)
{
    return QString::number(number).rightJustified(NumberWidth, QLatin1Char(' '));
}

} // namespace

QString header()
{
    return PadToByteWidth(QStringLiteral("計画番号"), NumberWidth, u"L") + PadToByteWidth(QStringLiteral("工程"), ProcessWidth, u"L")
           + QLatin1Char(' ') + PadToByteWidth(QStringLiteral("型番"), ModelWidth, u"L") + QLatin1Char(' ')
           + PadToByteWidth(QStringLiteral("分割数"), NumberWidth, u"R") + QLatin1Char('/')
           + PadToByteWidth(QStringLiteral("残数"), NumberWidth, u"L");
}

QString line(const MemberSlot &slot)
{
    const QString plan = slot.HasPlanNo ? QString::number(slot.PlanNo) : QString();
    return plan.leftJustified(NumberWidth, QLatin1Char(' ')) + PadToByteWidth(slot.ProcessName.trimmed(), ProcessWidth, u"L")
           + QLatin1Char(' ') + PadToByteWidth(slot.ModelName.trimmed(), ModelWidth, u"L") + QLatin1Char(' ')
           + rightAligned(0) + QLatin1Char('/')
           + QString::number(slot.Quantity - slot.Received).leftJustified(NumberWidth, QLatin1Char(' '));
}

QStringList lines(const MemberSlots &set)
{
    QStringList result;
    for (int k = 0; k < set.size(); ++k)
        if (!set.at(k).isFree())
            result << line(set.at(k));
    return result;
}

qint64 planNo(const QString &line)
{
    return numberIn(line.left(8));
}

qint64 chosen(const QString &line)
{
    return numberIn(line.mid(line.size() - TailWidth, NumberWidth));
}

qint64 available(const QString &line)
{
    return numberIn(line.right(NumberWidth));
}

QString withChosen(const QString &line, qint64 count)
{
    QString result = line;
    result.replace(line.size() - TailWidth, NumberWidth, rightAligned(count));
    return result;
}

void choose(QStringList &lines, qint64 plan, qint64 count)
{
    for (QString &line : lines)
        if (planNo(line) == plan)
            line = withChosen(line, count);
}

qint64 total(const QStringList &lines)
{
    qint64 sum = 0;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (i == 0 || planNo(lines[i]) != planNo(lines[i - 1]))
            sum += chosen(lines[i]);
    return sum;
}

} // namespace splitlines
