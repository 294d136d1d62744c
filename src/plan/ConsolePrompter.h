#pragma once
// The prompter of an unattended run (a screenshot): messages go to the error output and
// every question takes its pre-selected answer, so nothing waits for a planner.

#include "plan/Prompter.h"

class ConsolePrompter : public Prompter
{
public:
    void inform(const QString &text, const QString &title, PromptIcon icon) override;
    bool ask(const QString &text, const QString &title, bool defaultYes, PromptIcon icon) override;
};
