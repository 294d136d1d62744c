#include "dialogs/ProcessAdd.h"

#include "db/Rows.h"
#include "db/Statements.h"
#include "dialogs/DetailLines.h"
#include "editing/EditPath.h"
#include "plan/PlanStore.h"
#include "plan/Prompter.h"

#include <QSet>

namespace processAdd {
const QString CannotAdd = QStringLiteral("この工程に工程追加を行う事はできません");
const QString NothingToAdd = QStringLiteral("追加する手配が存在しません");
const QString NoneAdded = QStringLiteral("工程が追加されていません");
const QString TooMany = QStringLiteral("空きの工程枠が足りません。追加できるのは%1工程までです");
const QString HeldElsewhere = QStringLiteral("手配番号%1は他の計画に含まれているため追加できません");
const QString ActionLabel = QStringLiteral("工程追加");
} // namespace processAdd

namespace {

const QString Mixed = QStringLiteral("混合");

int freeSlots(const MemberSlots &members)
{
    int free = 0;
    for (int index = 0; index < MemberSlots::Capacity; ++index)
        free += members.at(index).isFree() ? 1 : 0;
    return free;
}

const MemberSlots &setOf(const PlanRecord &lot, bool altSet)
{
    return altSet ? lot.AltMembers : lot.Members;
}

// The member slot of an arrangement row of the chain.
MemberSlot slotOf(const RowReader &row)
{
    MemberSlot slot;
    slot.ModelName = row.text(QStringLiteral("型番名"));
    slot.HasPlanNo = !row.isNull(QStringLiteral("生産計画番号"));
    slot.PlanNo = row.integer(QStringLiteral("生産計画番号"));
    slot.ItemCode = row.text(QStringLiteral("品名コード"));
    slot.Sequence = int(row.integer(QStringLiteral("順序")));
    slot.ProcessName = row.text(QStringLiteral("工程内容名"));
    slot.ArrangementNo = row.integer(QStringLiteral("手配番号"));
    slot.Received = row.integer(QStringLiteral("受入実績数"));
    slot.Quantity = row.integer(QStringLiteral("手配数"));
    return slot;
}

} // namespace

qint64 memberLineArrangement(const QString &line)
{
    return line.section(QLatin1Char(' '), 0, 0).toLongLong();
}

bool ProcessAdd::open(const QStringList &inner, const QStringList &outer)
{
    m_chain.clear();
    if (inner.size() + outer.size() != 1) {
        m_prompter.inform(processAdd::CannotAdd);
        return false;
    }
    m_altSet = inner.isEmpty();
    const QString line = m_altSet ? outer.first() : inner.first();
    m_arrangementText = line.section(QLatin1Char(' '), 0, 0);
    m_chain = processAddChain(m_db, memberLineArrangement(line));
    if (m_chain.isEmpty()) {
        m_prompter.inform(processAdd::NothingToAdd);
        return false;
    }
    return true;
}

QStringList ProcessAdd::lines() const
{
    QStringList lines;
    for (const ChainLink &link : m_chain)
        lines << chainLine(link);
    return lines;
}

std::optional<ProcessAddition> ProcessAdd::execute(int selected, const PlanRecord &lot)
{
    selected = std::min<int>(selected, int(m_chain.size()));
    if (selected <= 1) {
        m_prompter.inform(processAdd::NoneAdded);
        return std::nullopt;
    }
    const int free = freeSlots(setOf(lot, m_altSet));
    if (selected - 1 > free) {
        m_prompter.inform(processAdd::TooMany.arg(free));
        return std::nullopt;
    }
    if (const qint64 held = heldElsewhere(selected)) {
        m_prompter.inform(processAdd::HeldElsewhere.arg(held));
        return std::nullopt;
    }
    ProcessAddition addition{m_altSet, {}};
    for (int line = 1; line < selected; ++line) {
        Rows rows = select(m_db, sql::ChainProcessWithModel, {m_chain[line].arrangementNo});
        if (rows.next())
            addition.processes.push_back(slotOf(rows.row()));
    }
    if (addition.processes.empty()) {
        m_prompter.inform(processAdd::NoneAdded);
        return std::nullopt;
    }
    return addition;
}

qint64 ProcessAdd::heldElsewhere(int selected) const
{
    QSet<qint64> chosen;
    for (int line = 1; line < selected; ++line)
        chosen.insert(m_chain[line].arrangementNo);
    for (qint64 index = 2; index <= m_store.lastIndex(); ++index) {
        const PlanRecord &other = m_store[index];
        if (index == m_lot || other.Active <= 0)
            continue;
        for (const MemberSlots *members : {&other.Members, &other.AltMembers})
            for (int slot = 0; slot < members->size(); ++slot)
                if (chosen.contains(members->at(slot).ArrangementNo))
                    return members->at(slot).ArrangementNo;
    }
    return 0;
}

bool applyProcessAddition(PlanRecord &lot, const ProcessAddition &addition)
{
    MemberSlots &members = addition.altSet ? lot.AltMembers : lot.Members;
    if (freeSlots(members) < int(addition.processes.size()))
        return false;
    for (const MemberSlot &slot : addition.processes)
        members.set(members.firstFree()) = slot;
    lot.ProcessName = Mixed;
    return true;
}

std::optional<ProcessAddition> nextProcesses(Database &db, Prompter &prompter, const PlanStore &store, qint64 lot,
                                             int count)
{
    const PlanRecord &record = store[lot];
    ProcessAdd add(db, prompter, store, lot);
    if (!add.open(memberLines(record.Members), memberLines(record.AltMembers)))
        return std::nullopt;
    // Line `count` checked: the lot's own line and `count` more (more than a set holds are
    // refused as such).
    const int selected = count < 0 ? 0 : std::min(count, MemberSlots::Capacity) + 1;
    return add.execute(selected, record);
}
