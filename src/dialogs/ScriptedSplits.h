#pragma once
// The splits as a script names them, for planner actions that come without the windows:
// a lot split by counts per production plan number, entered as Text14 would enter them, and
// a process split by the member arrangements to move, chosen as lines of the detail window's
// lists would be. The checks, messages and questions are those of the windows.

#include "dialogs/LotSplit.h"

#include <QString>
#include <utility>
#include <vector>

#include "dialogs/ProcessSplit.h"

#include <optional>

struct ScriptedSplit
{
    qint64 newLot = 0; // the lot the split made; 0 when a check or a question stopped it
    QString error;     // what of the script names nothing of the lot; nothing is changed then
};

// What a script's split chooses: the choice once every check and question passed; nothing
// when one stopped it (after its message) or when `error` names what the lot does not hold.
template<class Choice>
struct ScriptedChoice
{
    std::optional<Choice> choice;
    QString error;
};

// `counts`: production plan number and the count typed for it, in the order typed.
ScriptedChoice<SplitChoice> chooseLotSplit(const PlanRecord &lot,
                                           const std::vector<std::pair<qint64, QString>> &counts,
                                           Prompter &prompter);

// `members`: the arrangement numbers of the processes to move.
ScriptedChoice<ProcessChoice> chooseProcessSplit(const PlanRecord &lot, const std::vector<qint64> &members,
                                                 Prompter &prompter);
