#pragma once
// The process split of the detail window (Command2 "×工程分割"): the member arrangements
// (processes) chosen in the window's lists NList and GList move whole, with their own
// numbers, to a new lot a day later; nothing new is created in the database.

#include "plan/PlanRecord.h"

#include <QStringList>
#include <vector>

class Edit;
class Prompter;

namespace processsplit {
extern const QString NothingChosen;   // no line chosen
extern const QString AllChosen;       // every line of both lists chosen
extern const QString OuterRefused;    // lines chosen in both lists of an ordinary item
extern const QString SeparationRefused; // a separation process chosen
extern const QString MergedApart;     // the lines chosen would take every line along with them
extern const QString PartlyChosenInner; // after the process name
extern const QString PartlyChosenOuter;
extern const QString PartlyChosenTitle;
// The one item whose inner and outer processes may move together.
extern const QString BothRingsItem;
extern const QString ActionLabel; // the undo step of a process split
} // namespace processsplit

// The lines of the window's lists and which of them are chosen (line numbers from 0).
struct ProcessChoice
{
    QStringList inner, outer;
    std::vector<int> chosenInner, chosenOuter;
};

// In both functions below, a slot a merge emptied into another slot of the same member moves
// with that slot: choosing either line moves both.

// The checks and questions before a process split, in their order; true when it is to be
// carried out. `itemCode` is the item code the window shows.
bool confirmProcessSplit(const PlanRecord &lot, const ProcessChoice &choice, const QString &itemCode,
                         Prompter &prompter);

// Moves the chosen slots of lot `lot` to a new lot one day later, in the open planner action
// `edit`. Each
// lot then goes by the number of its first inner member (of its first outer one when it has
// no inner member). Returns the new lot's index.
qint64 splitProcesses(Edit &edit, qint64 lot, const ProcessChoice &choice);
