#include "dialogs/ScriptedSplits.h"

#include "dialogs/DetailLines.h"
#include "dialogs/SplitRecords.h"

#include <algorithm>

namespace {

// The list line of `member` in one of the lot's sets; false when the set does not hold it.
bool chooseMember(const MemberSlots &set, qint64 member, std::vector<int> &rows)
{
    const std::vector<int> used = splitrecords::usedSlots(set);
    for (int row = 0; row < int(used.size()); ++row)
        if (set.at(used[size_t(row)]).ArrangementNo == member) {
            // A member named twice is chosen once.
            if (std::find(rows.begin(), rows.end(), row) == rows.end())
                rows.push_back(row);
            return true;
        }
    return false;
}

} // namespace

ScriptedChoice<SplitChoice> chooseLotSplit(const PlanRecord &lot,
                                           const std::vector<std::pair<qint64, QString>> &counts,
                                           Prompter &prompter)
{
    LotSplit rules(prompter);
    rules.open(lot);
    for (const auto &[planNo, count] : counts) {
        if (!rules.clickPlan(planNo))
            return {std::nullopt, QStringLiteral("生産計画番号 %1 の工程はこの手配にありません。").arg(planNo)};
        rules.texts().splitCount = count;
        if (!rules.enterCount())
            return {};
    }
    if (!rules.confirm())
        return {};
    return {rules.choice(), {}};
}

ScriptedChoice<ProcessChoice> chooseProcessSplit(const PlanRecord &lot, const std::vector<qint64> &members,
                                                 Prompter &prompter)
{
    ProcessChoice choice{memberLines(lot.Members), memberLines(lot.AltMembers), {}, {}};
    for (const qint64 member : members)
        if (!chooseMember(lot.Members, member, choice.chosenInner)
            && !chooseMember(lot.AltMembers, member, choice.chosenOuter))
            return {std::nullopt, QStringLiteral("手配番号 %1 の工程はこの手配にありません。").arg(member)};
    if (!confirmProcessSplit(lot, choice, lot.ItemCode, prompter))
        return {};
    return {choice, {}};
}
