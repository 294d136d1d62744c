#pragma once
// Process add: the next processes of a lot's chain combined into the lot, so that one bar
// stands for the molding and the secondary processes that run straight on after it. The
// detail window offers it for a lot of exactly one member; the planner picks how far along
// the chain to go, and the chosen processes take the first free member slots of the set
// that holds the lot's own process (never the lot's own slot), the lot becoming "混合".

#include "plan/PlanRecord.h"
#include "dialogs/ProcessChain.h"

#include <optional>
#include <vector>

class Database;
class PlanStore;
class Prompter;

namespace processAdd {
extern const QString CannotAdd;    // the lot has not exactly one member line
extern const QString NothingToAdd; // the lot's own arrangement is not found for an add
extern const QString NoneAdded;    // only the lot's own process is chosen
extern const QString TooMany;      // more processes chosen than free slots; %1 = the free slots
extern const QString HeldElsewhere; // a chosen process is a lot of the chart; %1 = its number
extern const QString ActionLabel;  // the undo step of an add made outside the detail window's close
} // namespace processAdd

// The processes one add puts into a lot, in chain order, and the set they go to.
struct ProcessAddition
{
    bool altSet = false; // set B (the outer group) instead of set A
    std::vector<MemberSlot> processes;
};

// The add window's state: the lot's own arrangement, its chain and the add itself. A process
// that another lot of the plan holds (its own bar, or a member of one) is not added: the save
// would write that arrangement twice, once with each lot's times. Lots of the chart are
// combined by merging them.
class ProcessAdd
{
public:
    // For lot `lot` of `store`.
    ProcessAdd(Database &db, Prompter &prompter, const PlanStore &store, qint64 lot)
        : m_db(db), m_prompter(prompter), m_store(store), m_lot(lot)
    {
    }

    // Opening from the detail window's member lists (inner, outer): false, after its message,
    // when they do not hold exactly one line together or the chain is empty. Throws DbError.
    bool open(const QStringList &inner, const QStringList &outer);

    QString arrangementText() const { return m_arrangementText; } // Text1
    const QList<ChainLink> &chain() const { return m_chain; }
    QStringList lines() const;

    // Command3 with the first `selected` lines of the chain chosen, for a lot whose member
    // slots are those of `lot`: the processes to add, or nothing (after its message) when
    // none is added. Throws DbError.
    std::optional<ProcessAddition> execute(int selected, const PlanRecord &lot);

private:
    // The first of the first `selected` processes that another live lot of the plan holds;
    // 0 when none.
    qint64 heldElsewhere(int selected) const;

    Database &m_db;
    Prompter &m_prompter;
    const PlanStore &m_store;
    qint64 m_lot;
    QString m_arrangementText;
    bool m_altSet = false;
    QList<ChainLink> m_chain;
};

// The lot with the added processes in the first free slots of their set, named "混合".
// Returns false and leaves the lot as it was when the set has too few free slots.
bool applyProcessAddition(PlanRecord &lot, const ProcessAddition &addition);

// The add without the windows (a script's "add-process"): what lot `lot` of `store` takes
// when the next `count` processes of its chain are added, as checking line `count` of the add
// window and pressing 追加実施 would. A count beyond the chain takes the whole chain. Nothing,
// after the same messages as the windows, when nothing is added. Throws DbError.
std::optional<ProcessAddition> nextProcesses(Database &db, Prompter &prompter, const PlanStore &store, qint64 lot,
                                             int count);

// The arrangement number of a member line: the text before its first blank.
qint64 memberLineArrangement(const QString &line);
