#pragma once
// One production lot in memory: the arrangement row with what the chart joins to it, its
// placement on the chart, its member lots and its requirement rows.

#include <QDate>
#include <QString>
#include <QTime>
#include <vector>

// One member lot of a record (slot set A holds the lot itself and the lots combined with
// it; set B is a second list of the same shape). A slot whose ArrangementNo is 0 is free.
struct MemberSlot
{
    qint64 PlanNo = 0;          // 生産計画番号
    bool HasPlanNo = false;     // false: the slot's plan number is empty
    qint64 ArrangementNo = 0;   // 手配番号; negative for a provisional arrangement of a split
    qint64 AuxNo = 0;           // for a provisional slot: the stored arrangement it was cut from
    QString ItemCode;           // 品名コード
    int Sequence = 0;           // 順序
    QString ProcessName;        // 工程内容名
    QString ModelName;          // 型番名
    qint64 Quantity = 0;        // 手配数
    qint64 Received = 0;        // 受入実績数

    bool isFree() const { return ArrangementNo == 0; }
};

// Up to 20 slots; only the slots up to the last used one are held, so a lot with one
// member costs one slot, not twenty.
class MemberSlots
{
public:
    static constexpr int Capacity = 20;

    // The slot at 0..19; a slot beyond those held reads as free.
    const MemberSlot &at(int index) const;
    // The slot for writing; grows the list up to it.
    MemberSlot &set(int index);
    void clear(int index);
    // The first free slot, or -1 when all 20 are taken.
    int firstFree() const;
    // The number of slots held (the last used one + 1 at most).
    int size() const { return int(m_slots.size()); }
    bool empty() const;

    bool operator==(const MemberSlots &other) const;

private:
    std::vector<MemberSlot> m_slots;
};

// One requirement row of the lot (DB0252).
struct RequirementRow
{
    QString ItemCode;       // 品名コード
    QString ItemSpec;       // 品名＿品名仕様
    double Quantity = 0;    // 必要数
    double RatioNum = 0;    // 原単位分子 (working value)
    double RatioDen = 0;    // 原単位分母 (working value)
    double RatioNumLoaded = 0;
    double RatioDenLoaded = 0;
    double DefectRate = 0;  // 不良率

    bool operator==(const RequirementRow &) const = default;
};

struct PlanRecord
{
    static constexpr int MaxRequirementRows = 20;

    MemberSlots Members;      // slot set A
    MemberSlots AltMembers;   // slot set B

    qint64 PlanNo = 0;
    qint64 BarIndex = 0;
    qint64 ArrangementNo = 0;
    QString MachineCode;
    QString SupplierCode;
    double SecondsPerPiece = 0;
    double SecondsPerPieceBase = 0;
    QString RateItemCode;
    int RateSequence = 0;
    qint64 SetupMinutes = 0;
    QString ItemCode;
    QString ProcessName;
    QString GroupProcessName;
    QString DisplayItemName;
    int Active = 1;             // 0 once merged into another lot: no bar, no list, no overlaps
    QDate ColumnStartDate;
    QDate DueDate;
    QDate StartDate;
    QTime StartTime;
    QDate EndDate;
    QTime EndTime;
    QDate InitialDueDate;
    QDate LoadedStartDate;
    QDate LoadedEndDate;
    qint64 Quantity = 0;
    qint64 ReceivedQty = 0;
    QDate LastActualDate;
    QString PlanNoText;
    quint8 MembersWritten = 0;  // the changed flag
    quint8 SaveMark = 0;        // requirement rows to rebuild at the next save
    QString ConfirmState;       // "2" confirmed, "1" tentative
    QString StoredConfirmState;
    QString GroupKind;
    qint64 WorkMinutes = 0;
    qint64 PlannedQty = 0;
    QString InstructionIssueDate;
    quint8 DetailMark = 0;      // hidden by the detail window; completed at the next save
    QString SchedulerFixed;     // "2" locked, "1" end fixed
    QString AcceptOnReceipt;
    qint64 PackQty = 0;
    qint64 Cavities = 0;
    double PieceWeight = 0;
    qint64 Persons = 0;
    qint64 ActualTime = 0;
    double Cycle = 0;
    QString MoldNo;
    int OnStrip = 0;          // 1 while the lot waits on the unassigned strip; kept by the edit path
    qint64 ParentArrangementNo = 0;
    QString StoredMachineCode;
    std::vector<RequirementRow> Requirements; // at most MaxRequirementRows
    QString MoldShortName;
    int GanttDisplayClass = 0;
    QString Remarks;

    // Every field equal: the edit path uses it to tell a touched record from a changed one.
    bool operator==(const PlanRecord &) const = default;

    bool isConfirmed() const { return ConfirmState == QStringLiteral("2"); }
    bool isLocked() const { return SchedulerFixed == QStringLiteral("2"); }
    bool isEndFixed() const { return SchedulerFixed == QStringLiteral("1"); }
};

// Two slots of one member: the same production plan, item and process. Pieces move only
// between the slots of one member: a lot split cuts them off, a merge folds them together.
bool sameMember(const MemberSlot &a, const MemberSlot &b);
// What names a slot's member, as sameMember compares it: equal for two slots of one member.
QString memberKey(const MemberSlot &slot);

// Calls visit(slot) for each used slot of the lot, set A first, then set B.
template<class Visit>
void forEachMember(const PlanRecord &lot, Visit &&visit)
{
    for (const MemberSlots *set : {&lot.Members, &lot.AltMembers})
        for (int k = 0; k < set->size(); ++k)
            if (!set->at(k).isFree())
                visit(set->at(k));
}
