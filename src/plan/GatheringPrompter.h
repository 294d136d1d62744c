#pragma once
// The messages of one plan load in one box: a load reads hundreds of rows, and a junk column
// in a table they all share would otherwise stop the planner with a box for each row (one
// unreadable shift column of a machine calendar gave over a thousand). Questions go through
// at once; messages wait until the load has read everything and are then told together.

#include "plan/Prompter.h"

#include <vector>

class GatheringPrompter : public Prompter
{
public:
    explicit GatheringPrompter(Prompter &target) : m_target(target) {}

    void inform(const QString &text, const QString &title = {}, PromptIcon icon = PromptIcon::None) override;
    bool ask(const QString &text, const QString &title = {}, bool defaultYes = true,
             PromptIcon icon = PromptIcon::Question) override;
    bool askWithDetails(const QString &text, const QString &details, const QString &title = {},
                        bool defaultYes = true, PromptIcon icon = PromptIcon::Question) override;

    // Tells what was gathered and forgets it: one message as it was; several in one, the
    // gravest first (the first `shown` of them, then how many more), under the gravest icon.
    void tell(int shown = 10);

private:
    struct Message
    {
        QString text, title;
        PromptIcon icon;
    };
    Prompter &m_target;
    std::vector<Message> m_messages;
};
