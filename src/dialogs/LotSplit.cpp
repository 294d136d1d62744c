#include "dialogs/LotSplit.h"

#include "calendar/GridRounding.h"
#include "dialogs/ProvisionalNumbers.h"
#include "dialogs/SplitLines.h"
#include "dialogs/SplitRecords.h"
#include "editing/EditPath.h"
#include "editing/LotRules.h"
#include "plan/Prompter.h"

#include <QRegularExpression>

namespace lotsplit {
const QString NothingChosen = QStringLiteral("分割するロットを選択してください");
const QString ChooseInner = QStringLiteral("内輪を選択してください");
const QString ChooseOuter = QStringLiteral("外輪を選択してください");
const QString TotalsDiffer = QStringLiteral("内輪と外輪のロット数量を同じにしてください");
const QString InnerExceeds = QStringLiteral("内輪で指定数がロット数量を上回っています");
const QString OuterExceeds = QStringLiteral("外輪で指定数がロット数量を上回っています");
const QString WholeLot = QStringLiteral("ロットの全数を選択する事はできません");
const QString BadCount = QStringLiteral("分割数は0以上の整数で入力してください");
const QString Ask = QStringLiteral("この内容で分割を実施しますか？");
const QString AskTitle = QStringLiteral("分割の確認");
const QString ActionLabel = QStringLiteral("手配分割");
} // namespace lotsplit

namespace {

QString totalText(const QStringList &lines)
{
    const qint64 total = splitlines::total(lines);
    return total != 0 ? QString::number(total) : QString();
}

bool anyExceeds(const QStringList &lines)
{
    for (const QString &line : lines)
        if (splitlines::chosen(line) > splitlines::available(line))
            return true;
    return false;
}

bool allInFull(const QStringList &lines)
{
    for (const QString &line : lines)
        if (splitlines::chosen(line) != splitlines::available(line))
            return false;
    return true;
}

std::vector<qint64> chosenCounts(const QStringList &lines)
{
    std::vector<qint64> counts;
    for (const QString &line : lines)
        counts.push_back(splitlines::chosen(line));
    return counts;
}

// The set without the slots `removed`: the slots after each one move up one place.
MemberSlots withoutSlots(const MemberSlots &set, const std::vector<int> &removed)
{
    MemberSlots kept;
    int to = 0;
    for (int k = 0; k < set.size(); ++k) {
        if (std::find(removed.begin(), removed.end(), k) != removed.end())
            continue;
        if (!set.at(k).isFree())
            kept.set(to) = set.at(k);
        ++to;
    }
    return kept;
}

// Moves the chosen pieces of each line's slot of `from` into a provisional slot of `to`. A
// slot left without pieces leaves the lot.
void moveChosen(MemberSlots &from, MemberSlots &to, const std::vector<qint64> &counts, ProvisionalNumbers &numbers)
{
    const std::vector<int> used = splitrecords::usedSlots(from);
    std::vector<int> emptied;
    for (size_t line = 0; line < used.size() && line < counts.size(); ++line) {
        const qint64 count = counts[line];
        if (count == 0)
            continue;
        const int k = used[line];
        MemberSlot &moved = to.set(to.firstFree());
        moved = from.at(k);
        moved.Quantity = count;
        // A slot cut from a provisional one keeps the stored arrangement both came from.
        if (moved.AuxNo == 0)
            moved.AuxNo = moved.ArrangementNo;
        moved.ArrangementNo = numbers.next();
        MemberSlot &rest = from.set(k);
        rest.Quantity -= count;
        if (rest.Quantity == 0)
            emptied.push_back(k);
    }
    if (!emptied.empty())
        from = withoutSlots(from, emptied);
}

bool holdsNumber(const PlanRecord &record, qint64 number)
{
    for (const MemberSlots *set : {&record.Members, &record.AltMembers})
        for (int k = 0; k < set->size(); ++k)
            if (!set->at(k).isFree() && set->at(k).ArrangementNo == number)
                return true;
    return false;
}

void retime(const SplitContext &context, PlanRecord &record, const QDateTime &start)
{
    const splitrecords::Timing timing = splitrecords::timeFor(context.time, record, start, record.Quantity);
    lots::setStart(record, start);
    lots::setEnd(record, timing.end);
    record.WorkMinutes = timing.workMinutes;
}

} // namespace

void LotSplit::open(const PlanRecord &lot)
{
    m_texts = BunTexts();
    m_texts.innerLines = splitlines::lines(lot.Members);
    m_texts.outerLines = splitlines::lines(lot.AltMembers);
}

void LotSplit::clickLine(SplitRing ring, int row)
{
    const QStringList &lines = ring == SplitRing::Inner ? m_texts.innerLines : m_texts.outerLines;
    if (row < 0 || row >= lines.size())
        return;
    // One line is selected in the two lists together.
    m_texts.innerRow = ring == SplitRing::Inner ? row : -1;
    m_texts.outerRow = ring == SplitRing::Outer ? row : -1;
    m_texts.planNo = QString::number(splitlines::planNo(lines[row]));
    m_texts.splitCount = QString::number(splitlines::chosen(lines[row]));
    m_texts.splitCountEnabled = true;
}

bool LotSplit::clickPlan(qint64 planNo)
{
    for (const SplitRing ring : {SplitRing::Inner, SplitRing::Outer}) {
        const QStringList &lines = ring == SplitRing::Inner ? m_texts.innerLines : m_texts.outerLines;
        for (int row = 0; row < lines.size(); ++row)
            if (splitlines::planNo(lines[row]) == planNo) {
                clickLine(ring, row);
                return true;
            }
    }
    return false;
}

bool LotSplit::enterCount()
{
    if (!m_texts.splitCountEnabled)
        return false;
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const QString typed = m_texts.splitCount.trimmed();
    if (!typed.isEmpty() && !digits.match(typed).hasMatch()) {
        m_prompter.inform(lotsplit::BadCount);
        return false;
    }
    const qint64 plan = splitlines::planNo(m_texts.planNo);
    const qint64 count = typed.toLongLong();
    splitlines::choose(m_texts.innerLines, plan, count);
    splitlines::choose(m_texts.outerLines, plan, count);
    m_texts.innerRow = m_texts.outerRow = -1;
    m_texts.planNo.clear();
    m_texts.splitCount.clear();
    m_texts.innerTotal = totalText(m_texts.innerLines);
    m_texts.outerTotal = totalText(m_texts.outerLines);
    m_texts.splitCountEnabled = false;
    return true;
}

bool LotSplit::refuse(const QString &message)
{
    m_prompter.inform(message);
    return false;
}

bool LotSplit::confirm()
{
    const BunTexts &t = m_texts;
    if (t.innerTotal.isEmpty() && t.outerTotal.isEmpty())
        return refuse(lotsplit::NothingChosen);
    if (t.innerTotal.isEmpty() && !t.innerLines.isEmpty())
        return refuse(lotsplit::ChooseInner);
    if (t.outerTotal.isEmpty() && !t.outerLines.isEmpty())
        return refuse(lotsplit::ChooseOuter);
    if (!t.innerTotal.isEmpty() && !t.outerTotal.isEmpty() && t.innerTotal != t.outerTotal)
        return refuse(lotsplit::TotalsDiffer);
    if (anyExceeds(t.innerLines))
        return refuse(lotsplit::InnerExceeds);
    if (anyExceeds(t.outerLines))
        return refuse(lotsplit::OuterExceeds);
    if (allInFull(t.innerLines) && allInFull(t.outerLines))
        return refuse(lotsplit::WholeLot);
    return m_prompter.ask(lotsplit::Ask, lotsplit::AskTitle, false);
}

SplitChoice LotSplit::choice() const
{
    SplitChoice choice;
    choice.inner = chosenCounts(m_texts.innerLines);
    choice.outer = chosenCounts(m_texts.outerLines);
    const qint64 inner = splitlines::total(m_texts.innerLines);
    choice.quantity = inner != 0 ? inner : splitlines::total(m_texts.outerLines);
    return choice;
}

qint64 splitLot(Edit &edit, const SplitContext &context, qint64 lot, const SplitChoice &choice)
{
    PlanRecord rest = edit.record(lot);
    PlanRecord cut = splitrecords::emptyCopy(edit.store(), rest);
    moveChosen(rest.Members, cut.Members, choice.inner, context.numbers);
    moveChosen(rest.AltMembers, cut.AltMembers, choice.outer, context.numbers);

    cut.Quantity = choice.quantity;
    cut.ReceivedQty = 0;
    rest.Quantity -= choice.quantity;
    cut.ArrangementNo = splitrecords::firstMemberNumber(cut);
    if (!holdsNumber(rest, rest.ArrangementNo))
        rest.ArrangementNo = splitrecords::firstMemberNumber(rest);

    // The lot keeps its start and ends earlier; the new lot follows it.
    retime(context, rest, lots::startInstant(rest));
    retime(context, cut, RoundToGrid(lots::endInstant(rest), context.gridUnitMinutes).addSecs(60));

    edit.change(lot, [&](PlanRecord &record) {
        record = rest;
        record.MembersWritten = 1;
    });
    return edit.append(std::move(cut));
}
