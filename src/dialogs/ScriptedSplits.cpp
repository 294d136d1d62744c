#include "dialogs/ScriptedSplits.h"

#include "dialogs/DetailLines.h"
#include "dialogs/ProcessSplit.h"
#include "dialogs/SplitRecords.h"
#include "editing/EditPath.h"

namespace {

// The list line of `member` in one of the lot's sets; false when the set does not hold it.
bool chooseMember(const MemberSlots &set, qint64 member, std::vector<int> &rows)
{
    const std::vector<int> used = splitrecords::usedSlots(set);
    for (int row = 0; row < int(used.size()); ++row)
        if (set.at(used[size_t(row)]).ArrangementNo == member) {
            rows.push_back(row);
            return true;
        }
    return false;
}

} // namespace

ScriptedSplit splitLotByPlans(const SplitContext &context, qint64 lot,
                              const std::vector<std::pair<qint64, QString>> &counts, Prompter &prompter)
{
    LotSplit rules(prompter);
    rules.open(context.path.store()[lot]);
    for (const auto &[planNo, count] : counts) {
        if (!rules.clickPlan(planNo))
            return {0, QStringLiteral("生産計画番号 %1 の工程はこの手配にありません。").arg(planNo)};
        rules.texts().Text14 = count;
        if (!rules.enterCount())
            return {};
    }
    if (!rules.confirm())
        return {};
    return {splitLot(context, lot, rules.choice()), {}};
}

ScriptedSplit splitProcessesByMembers(EditPath &path, qint64 lot, const std::vector<qint64> &members,
                                      Prompter &prompter)
{
    const PlanRecord &record = path.store()[lot];
    ProcessChoice choice{memberLines(record.Members), memberLines(record.AltMembers), {}, {}};
    for (const qint64 member : members)
        if (!chooseMember(record.Members, member, choice.chosenInner)
            && !chooseMember(record.AltMembers, member, choice.chosenOuter))
            return {0, QStringLiteral("手配番号 %1 の工程はこの手配にありません。").arg(member)};
    if (!confirmProcessSplit(record, choice, record.ItemCode, prompter))
        return {};
    return {splitProcesses(path, lot, choice), {}};
}
