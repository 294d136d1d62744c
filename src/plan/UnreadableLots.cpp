#include "plan/UnreadableLots.h"

#include "plan/Prompter.h"

#include <QStringList>

namespace {

// Lots named per column; the others are counted.
constexpr size_t kNamedPerColumn = 5;

QString shownValue(const QString &value, bool null)
{
    return null ? QStringLiteral("（空）") : QStringLiteral("「%1」").arg(value);
}

} // namespace

void UnreadableLots::leaveOut(const QString &arrangement, const UnreadableValue &value)
{
    auto [column, added] = m_byColumn.try_emplace(value.column);
    if (added)
        m_order.push_back(value.column);
    column->second.push_back({arrangement.trimmed(), value.value, value.null});
}

QString UnreadableLots::text() const
{
    if (m_byColumn.empty())
        return {};
    QString text = QStringLiteral("次の手配は読めない値があるため読み込みませんでした。計画表に表示せず、保存もしません。");
    for (const QString &name : m_order) {
        const std::vector<Lot> &lots = m_byColumn.at(name);
        QStringList named;
        for (size_t i = 0; i < lots.size() && i < kNamedPerColumn; ++i)
            named << QStringLiteral("%1%2").arg(lots[i].arrangement, shownValue(lots[i].value, lots[i].null));
        text += QStringLiteral("\n・%1 %2件: 手配番号 %3").arg(name).arg(lots.size()).arg(named.join(QStringLiteral("、")));
        if (lots.size() > kNamedPerColumn)
            text += QStringLiteral(" ほか");
    }
    return text;
}

void UnreadableLots::tell(Prompter &prompter) const
{
    if (!m_byColumn.empty())
        prompter.inform(text(), {}, PromptIcon::Warning);
}

QString unreadableValueText(const QString &arrangement, const UnreadableValue &value)
{
    return QStringLiteral("手配番号 %1 の%2%3を読めません。")
        .arg(arrangement.trimmed(), value.column, shownValue(value.value, value.null));
}
