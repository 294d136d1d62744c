#pragma once
// The lot split of the split window BunWindow "手配分割": the planner chooses, per production
// plan number, how many pieces of the lot's members move to a new lot; the moved pieces become
// provisional arrangements that the next save creates from the ones they were cut from. This
// holds the window's texts and rules without widgets; the window shows them and turns clicks
// and keys into calls here.

#include "plan/PlanRecord.h"

#include <QStringList>

class Edit;
class Prompter;
class ProvisionalNumbers;
class WorkingTime;

namespace lotsplit {
extern const QString NothingChosen;      // both totals empty
extern const QString ChooseInner;        // the inner total empty while the inner ring has lines
extern const QString ChooseOuter;        // the same for the outer ring
extern const QString TotalsDiffer;       // inner and outer totals differ
extern const QString InnerExceeds;       // an inner count above what is available
extern const QString OuterExceeds;       // the same for the outer ring
extern const QString WholeLot;           // every line chosen in full
extern const QString BadCount;           // a count that is no whole number of pieces
extern const QString Ask;                // the question before the split
extern const QString AskTitle;
extern const QString ActionLabel;        // the undo step of a split
} // namespace lotsplit

enum class SplitRing { Inner, Outer }; // NList "内輪" (set A), GList "外輪" (set B)

// What the boxes and lists of the split window hold (the window's box names in brackets).
struct BunTexts
{
    QStringList innerLines, outerLines; // the two lists (NList, GList)
    int innerRow = -1, outerRow = -1; // the selected line; -1 for none
    QString planNo;                   // 生産計画番号 of the line last clicked (Text1)
    QString splitCount;               // 分割数 (Text14)
    bool splitCountEnabled = false;
    QString innerTotal, outerTotal;   // the totals chosen in each list (Text2, Text3)
};

// What moves: the count chosen on each line of each list, and the pieces the new lot holds.
struct SplitChoice
{
    std::vector<qint64> inner, outer;
    qint64 quantity = 0;
};

class LotSplit
{
public:
    explicit LotSplit(Prompter &prompter) : m_prompter(prompter) {}

    // Fills the lists from the lot's member slots, nothing chosen.
    void open(const PlanRecord &lot);
    BunTexts &texts() { return m_texts; }
    const BunTexts &texts() const { return m_texts; }

    // A click on line `row` of a list: its plan number in Text1, its count in Text14.
    void clickLine(SplitRing ring, int row);
    // A click on the first line of plan `planNo` (inner lines first); false when no line shows it.
    bool clickPlan(qint64 planNo);
    // Enter in Text14: the count goes to every line of Text1's plan number in both lists and
    // the totals are counted again. False (after a message) when Text14 holds no count.
    bool enterCount();

    // Command3's checks and question, in their order; true when the split is to be carried out.
    bool confirm();
    SplitChoice choice() const;

private:
    bool refuse(const QString &message);

    Prompter &m_prompter;
    BunTexts m_texts;
};

// The context a split works in.
struct SplitContext
{
    const WorkingTime &time;
    int gridUnitMinutes = 1;
    ProvisionalNumbers &numbers;
};

// Carries out a confirmed lot split of lot `lot` in the open planner action `edit`: the new lot is
// appended with the chosen pieces as provisional arrangements, the lot keeps the rest, and
// both are timed again (the new lot one grid-rounded minute after the lot's new end). Returns
// the new lot's index.
qint64 splitLot(Edit &edit, const SplitContext &context, qint64 lot, const SplitChoice &choice);
