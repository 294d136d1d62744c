#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

void ScriptedPrompter::inform(const QString &text, const QString &title, PromptIcon icon)
{
    m_said.push_back({false, text, title, false, icon, {}});
}

bool ScriptedPrompter::ask(const QString &text, const QString &title, bool defaultYes, PromptIcon icon)
{
    m_said.push_back({true, text, title, defaultYes, icon, {}});
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

bool ScriptedPrompter::askWithDetails(const QString &text, const QString &details, const QString &title,
                                      bool defaultYes, PromptIcon icon)
{
    const bool answer = ask(text, title, defaultYes, icon);
    m_said.back().details = details;
    return answer;
}

QStringList ScriptedPrompter::texts() const
{
    QStringList list;
    for (const Said &s : m_said)
        list << s.text;
    return list;
}
