#pragma once
// A prompter for tests: records every message and question, answers questions from a queue
// and fails the test on a question nobody expected.

#include "plan/Prompter.h"

#include <QStringList>
#include <deque>

class ScriptedPrompter : public Prompter
{
public:
    struct Said
    {
        bool question;
        QString text;
        QString title;
        bool defaultYes;
        PromptIcon icon;
        QString details;
    };

    void expectAnswer(bool yes) { m_answers.push_back(yes); }
    void inform(const QString &text, const QString &title, PromptIcon icon) override;
    bool ask(const QString &text, const QString &title, bool defaultYes, PromptIcon icon) override;
    bool askWithDetails(const QString &text, const QString &details, const QString &title, bool defaultYes,
                        PromptIcon icon) override;

    const std::vector<Said> &said() const { return m_said; }
    QStringList texts() const;
    bool pendingAnswers() const { return !m_answers.empty(); }
    void clear() { m_said.clear(); m_answers.clear(); }

private:
    std::vector<Said> m_said;
    std::deque<bool> m_answers;
};
