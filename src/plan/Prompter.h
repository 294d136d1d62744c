#pragma once
// Every message and question of the plant rules goes through this one interface. The windows
// answer it with message boxes; tests answer it from a script and record what was said.

#include <QString>

enum class PromptIcon { None, Information, Warning, Critical, Question };

class Prompter
{
public:
    virtual ~Prompter() = default;
    // A message with an OK button; no title unless the rule gives one.
    virtual void inform(const QString &text, const QString &title = {}, PromptIcon icon = PromptIcon::None) = 0;
    // A Yes/No question; true for Yes. defaultYes says which button is pre-selected.
    virtual bool ask(const QString &text, const QString &title = {}, bool defaultYes = true,
                     PromptIcon icon = PromptIcon::Question) = 0;
    // The same question with details the planner may unfold (which lots, which times); a
    // prompter that cannot show them asks the question alone.
    virtual bool askWithDetails(const QString &text, const QString &details, const QString &title = {},
                                bool defaultYes = true, PromptIcon icon = PromptIcon::Question)
    {
        Q_UNUSED(details);
        return ask(text, title, defaultYes, icon);
    }
};
