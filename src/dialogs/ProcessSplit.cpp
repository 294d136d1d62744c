#include "dialogs/ProcessSplit.h"

#include "dialogs/LotSplit.h"
#include "dialogs/SplitRecords.h"
#include "editing/EditPath.h"
#include "plan/Prompter.h"

#include <algorithm>

namespace processsplit {
const QString NothingChosen = QStringLiteral("分割する工程を指定してください");
const QString AllChosen = QStringLiteral("すべての工程を指定する事はできません");
const QString OuterRefused = QStringLiteral("外輪は分割する事はできません");
const QString SeparationRefused = QStringLiteral("分離工程は分割する事はできません");
const QString PartlyChosenInner = QStringLiteral("の工程(内輪)で指定されていない物がありますがよろしいですか？");
const QString PartlyChosenOuter = QStringLiteral("の工程(外輪)で指定されていない物がありますがよろしいですか？");
const QString PartlyChosenTitle = QStringLiteral("特殊分割の確認");
const QString BothRingsItem = QStringLiteral("1012001500011");
const QString MergedApart = QStringLiteral("合体で数量をまとめた手配は別々に分割できません");
const QString ActionLabel = QStringLiteral("工程分割");
} // namespace processsplit

namespace {

bool chosen(const std::vector<int> &rows, int row)
{
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

// Each line counts once, however often it was chosen.
size_t distinctLines(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    return size_t(std::unique(rows.begin(), rows.end()) - rows.begin());
}

bool mentionsSeparation(const QStringList &lines, const std::vector<int> &rows)
{
    for (const int row : rows)
        if (row >= 0 && row < lines.size() && lines[row].contains(QStringLiteral("分離")))
            return true;
    return false;
}

// Asks, for each process name chosen in the set that also has lines left unchosen there,
// whether the split may go on; false at the first No.
bool acceptsPartlyChosen(const MemberSlots &set, const std::vector<int> &rows, const QString &question,
                         Prompter &prompter)
{
    const std::vector<int> used = splitrecords::usedSlots(set);
    QStringList asked;
    for (const int row : rows) {
        if (row < 0 || row >= int(used.size()))
            continue;
        const QString name = set.at(used[size_t(row)]).ProcessName.trimmed();
        if (asked.contains(name))
            continue;
        for (int other = 0; other < int(used.size()); ++other) {
            if (chosen(rows, other) || set.at(used[size_t(other)]).ProcessName.trimmed() != name)
                continue;
            asked << name;
            if (!prompter.ask(name + question, processsplit::PartlyChosenTitle, false))
                return false;
            break;
        }
    }
    return true;
}

// The lines that move when `rows` are chosen. A merge that met the same member in both lots
// put its pieces into one slot and left the other slot empty, to be written as deleted: the
// two move together, so that the save writes them in one lot, both or neither, and never
// the deleted one without the one holding its pieces (or the other way round).
std::vector<int> withMergedPartners(const MemberSlots &set, const std::vector<int> &rows)
{
    const std::vector<int> used = splitrecords::usedSlots(set);
    const auto emptied = [&](int line) {
        const MemberSlot &slot = set.at(used[size_t(line)]);
        return slot.ArrangementNo > 0 && slot.Quantity == 0;
    };
    std::vector<int> moving;
    for (int line = 0; line < int(used.size()); ++line) {
        bool moves = chosen(rows, line);
        for (int other = 0; other < int(used.size()) && !moves; ++other)
            moves = other != line && chosen(rows, other) && (emptied(line) || emptied(other))
                 && sameMember(set.at(used[size_t(line)]), set.at(used[size_t(other)]));
        if (moves)
            moving.push_back(line);
    }
    return moving;
}

ProcessChoice withMergedPartners(const PlanRecord &lot, ProcessChoice choice)
{
    choice.chosenInner = withMergedPartners(lot.Members, choice.chosenInner);
    choice.chosenOuter = withMergedPartners(lot.AltMembers, choice.chosenOuter);
    return choice;
}

void moveChosen(MemberSlots &from, MemberSlots &to, const std::vector<int> &rows)
{
    const std::vector<int> used = splitrecords::usedSlots(from);
    for (int row = 0; row < int(used.size()); ++row) {
        if (!chosen(rows, row))
            continue;
        to.set(to.firstFree()) = from.at(used[size_t(row)]);
        from.clear(used[size_t(row)]);
    }
}

} // namespace

bool confirmProcessSplit(const PlanRecord &lot, const ProcessChoice &asked, const QString &itemCode,
                         Prompter &prompter)
{
    const ProcessChoice choice = withMergedPartners(lot, asked);
    const bool innerChosen = !choice.chosenInner.empty();
    const bool outerChosen = !choice.chosenOuter.empty();
    if (!innerChosen && !outerChosen) {
        prompter.inform(processsplit::NothingChosen);
        return false;
    }
    const auto allChosen = [](const ProcessChoice &c) {
        return distinctLines(c.chosenInner) == size_t(c.inner.size())
            && distinctLines(c.chosenOuter) == size_t(c.outer.size());
    };
    if (allChosen(choice)) {
        prompter.inform(allChosen(asked) ? processsplit::AllChosen : processsplit::MergedApart);
        return false;
    }
    if (innerChosen && outerChosen && itemCode.trimmed() != processsplit::BothRingsItem) {
        prompter.inform(processsplit::OuterRefused);
        return false;
    }
    if (mentionsSeparation(choice.inner, choice.chosenInner) || mentionsSeparation(choice.outer, choice.chosenOuter)) {
        prompter.inform(processsplit::SeparationRefused);
        return false;
    }
    if (!prompter.ask(lotsplit::Ask, lotsplit::AskTitle, false))
        return false;
    return acceptsPartlyChosen(lot.Members, choice.chosenInner, processsplit::PartlyChosenInner, prompter)
           && acceptsPartlyChosen(lot.AltMembers, choice.chosenOuter, processsplit::PartlyChosenOuter, prompter);
}

qint64 splitProcesses(Edit &edit, qint64 lot, const ProcessChoice &asked)
{
    const ProcessChoice choice = withMergedPartners(edit.record(lot), asked);
    PlanRecord rest = edit.record(lot);
    PlanRecord moved = splitrecords::emptyCopy(edit.store(), rest);
    moveChosen(rest.Members, moved.Members, choice.chosenInner);
    moveChosen(rest.AltMembers, moved.AltMembers, choice.chosenOuter);
    rest.ArrangementNo = splitrecords::firstMemberNumber(rest);
    moved.ArrangementNo = splitrecords::firstMemberNumber(moved);
    splitrecords::regroupAfterProcessSplit(edit.record(lot), rest, moved);
    moved.StartDate = rest.StartDate.addDays(1);
    moved.EndDate = rest.EndDate.addDays(1);

    edit.change(lot, [&](PlanRecord &record) {
        record = rest;
        record.MembersWritten = 1;
    });
    return edit.append(std::move(moved));
}
