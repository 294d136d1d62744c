#pragma once
// The rules of the detail window PlanWindow, without widgets: the texts of its boxes, the
// working copy of the lot, and what each entry does to them. The window copies its boxes into
// texts() before a rule runs and shows them again afterwards, so every rule is tested here
// with plain strings.

#include "dialogs/ProcessAdd.h"
#include "plan/PlanRecord.h"

#include <QDateTime>
#include <QStringList>
#include <initializer_list>
#include <optional>

class Database;
class Prompter;
class WorkingTime;

namespace detail {
extern const QString BadDate;           // a start or end date that is no date
extern const QString BadTime;           // a start time that is no time
extern const QString BadEndTime;        // an end time that is no time
extern const QString EndBeforeStart;    // an end at or before the start
extern const QString AskRecalculate;    // after a quantity entry
extern const QString AskQuantityFromEnd; // after an end time entry
extern const QString CompositionLocked; // a composition choice after actual production
extern const QString AskHide;           // Command7
// Item codes of the plant's sundry items, which have no item master row to look up.
bool isSundryItem(const QString &itemCode);
} // namespace detail

// What the window's boxes hold, named for their content (the window's own box names, which
// the window file keeps, are in brackets).
struct DetailTexts
{
    QString arrangementNo;                            // 手配番号 (Text14)
    QString startDate, startTime;                     // (Text7, Text1)
    QString endDate, endTime;                         // (Text8, Text6)
    QString machineCode;                              // (Text5)
    QString destinationCode;                          // 指示先 (Text12)
    QString itemCode, itemName, itemDescription;      // (Text10, Text2, Text9)
    QString productionPlanNo;                         // 生産計画番号 (Text4)
    QString quantity;                                 // 手配数 (Text3)
    QString setupMinutes, workMinutes, totalMinutes;  // (Text13, Text19, Text16)
    QString secondsPerPiece, cycle, cavities;         // (Text15, Text24, Text25)
    QString persons;                                  // (Text40)
    QString fixingState, acceptanceMode;              // (Text18, Text30)
    QString requestedDueDate, remark;                 // (Text11, Text39)
    QString receivedQuantity, lastActualDate, actualMinutes; // (Text20, Text21, Text42)
    QString piecesPerCase, cases, loosePieces;        // (Text22, Text27, Text28)
    QString mold;                                     // (Text29)
    QString chosenComposition;                        // 構成選択 (Text37)
    QString txt_After_StartYMD, txt_After_StartTIME;
    QString txt_Before_EndYMD, txt_Before_EndTIME;

    QStringList machineRows;    // the machine rows (Text5's list)
    QStringList subcontractors; // the subcontractors (Text12's list)
    QStringList compositions;   // composition choices (KList)
    QStringList materialLines;  // 使用部材 (ZList)
    QStringList innerMembers, outerMembers; // the lot's member processes (NList, GList)
    QStringList relatedOrders;  // 関連受注 (JList)
};

// The boxes that hold numbers. A box that holds no number is refused with a message naming it
// (its caption), so that a typo never becomes a quantity or a time of 0.
enum class NumberBox { Quantity, SetupMinutes, WorkMinutes, TotalMinutes, SecondsPerPiece, Cycle, Cavities, Persons };
// The window's name of the box ("Text3" for 手配数), which the focus goes back to.
QString numberBoxName(NumberBox box);

// What an entry rule leaves for the window's focus.
enum class EntryOutcome { Next, Stay, ToDestination };

class PlanDetail
{
public:
    PlanDetail(const WorkingTime &time, Prompter &prompter) : m_time(time), m_prompter(prompter) {}

    // Takes the working copy of the lot; the texts are filled by the opener.
    void open(const PlanRecord &lot, const DetailTexts &texts);

    DetailTexts &texts() { return m_texts; }
    const DetailTexts &texts() const { return m_texts; }
    const PlanRecord &workingCopy() const { return m_copy; }

    // A split has changed the lot while the window shows it: the working copy becomes the lot
    // as the split left it, so that closing the window keeps the split, and the boxes show its
    // number and members. After a lot split (`retimed`) they show its quantity, minutes and
    // end too.
    void followSplit(const PlanRecord &lot, bool retimed);

    // Entry rules, each run when Enter is pressed in its box.
    EntryOutcome enterStartDate();    // Text7
    EntryOutcome enterStartTime();    // Text1
    EntryOutcome enterEndDate();      // Text8
    EntryOutcome enterQuantity();     // Text3
    EntryOutcome enterSetupMinutes();     // Text13
    EntryOutcome enterSecondsPerPiece();  // Text15
    EntryOutcome enterPersons();          // Text40
    EntryOutcome enterWorkMinutes();  // Text19
    EntryOutcome enterTotalMinutes(); // Text16
    EntryOutcome enterEndTime();      // Text6
    // Leaving Text10: the item's names from the item master. Throws DbError.
    void leaveItemCode(Database &db);
    // KList clicked or focused, with the chosen line (empty when none is chosen).
    void chooseComposition(const QString &line);

    // Processes added by the process add window: they join the working copy's member slots
    // and lists at once and reach the lot at close. False (nothing changes) when the set has
    // too few free slots.
    bool addProcesses(const ProcessAddition &addition);
    const std::vector<ProcessAddition> &additions() const { return m_additions; }
    // The added processes have reached the lot ahead of the close.
    void additionsWritten() { m_additions.clear(); }

    // Command1, Command7 (after its question), Command8.
    void finish() { m_detailMark = 0; }
    bool askHide();
    void cancel() { m_cancelled = true; }
    bool cancelled() const { return m_cancelled; }
    quint8 detailMark() const { return m_detailMark; }

    // The first of `boxes` that holds no number, after the planner was told which; none when
    // every one holds a number.
    std::optional<NumberBox> refuseNonNumbers(std::initializer_list<NumberBox> boxes) const;

    // The start and end the boxes hold; invalid when a box holds no date or time.
    QDateTime enteredStart() const;
    QDateTime enteredEnd() const;

private:
    // Rule 8 and 9 after an entry in a box the work minutes are computed from; refused (the
    // focus stays) when one of the boxes they read holds no number.
    EntryOutcome enterRate(NumberBox entered);
    void recalculateWork();   // work minutes from quantity, cycle and persons
    void recalculateEnd();    // the end from start and total, above 30 minutes only
    void showCaseCounts();
    QDateTime endAfter(const QDateTime &start, qint64 minutes) const;

    const WorkingTime &m_time;
    Prompter &m_prompter;
    DetailTexts m_texts;
    PlanRecord m_copy;
    quint8 m_detailMark = 0;
    bool m_cancelled = false;
    std::vector<ProcessAddition> m_additions;
};

// The number a box holds, as the plant reads a column: its leading number, 0 for junk.
qint64 boxInteger(const QString &text);
double boxNumber(const QString &text);
// A typed time in its normal form "hh:mm:ss"; empty when the entry is no time.
QString normalTime(const QString &text);
