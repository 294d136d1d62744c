#include "plan/GatheringPrompter.h"

#include "common/PlantValues.h"

#include <algorithm>

namespace {

int gravity(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Critical:
        return 3;
    case PromptIcon::Warning:
        return 2;
    case PromptIcon::Information:
        return 1;
    default:
        return 0;
    }
}

} // namespace

void GatheringPrompter::inform(const QString &text, const QString &title, PromptIcon icon)
{
    m_messages.push_back({text, title, icon});
}

bool GatheringPrompter::ask(const QString &text, const QString &title, bool defaultYes, PromptIcon icon)
{
    return m_target.ask(text, title, defaultYes, icon);
}

bool GatheringPrompter::askWithDetails(const QString &text, const QString &details, const QString &title,
                                       bool defaultYes, PromptIcon icon)
{
    return m_target.askWithDetails(text, details, title, defaultYes, icon);
}

void GatheringPrompter::tell(int shown)
{
    std::vector<Message> messages = std::move(m_messages);
    m_messages.clear();
    // The gravest first, so that none of them is among those only counted.
    std::stable_sort(messages.begin(), messages.end(),
                     [](const Message &a, const Message &b) { return gravity(a.icon) > gravity(b.icon); });
    if (messages.empty())
        return;
    if (messages.size() == 1) {
        m_target.inform(messages.front().text, messages.front().title, messages.front().icon);
        return;
    }
    const PromptIcon icon = messages.front().icon;
    QString text = QStringLiteral("計画データの読込で %1 件のお知らせがあります。").arg(plant::thousands(qint64(messages.size())));
    for (size_t i = 0; i < messages.size() && i < size_t(shown); ++i)
        text += QStringLiteral("\n\n") + messages[i].text;
    if (messages.size() > size_t(shown))
        text += QStringLiteral("\n\nほか %1 件").arg(plant::thousands(qint64(messages.size() - size_t(shown))));
    m_target.inform(text, {}, icon);
}
