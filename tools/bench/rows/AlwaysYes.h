#pragma once
// The planner of the bench rows: says yes to every question and reads no message.

#include "plan/Prompter.h"

class AlwaysYes : public Prompter
{
public:
    void inform(const QString &, const QString &, PromptIcon) override {}
    bool ask(const QString &, const QString &, bool, PromptIcon) override { return true; }
};
