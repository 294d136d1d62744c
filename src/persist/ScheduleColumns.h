#pragma once
// The schedule columns an arrangement takes from its lot: machine and destination, quantity,
// dates and times as placed on the chart, business dates, durations in hours, and the
// completion of a lot the planner removed from the chart.

#include <QString>

class ArrangementRow;
class SaveSession;
struct MemberSlot;
struct PlanRecord;

void applyScheduleColumns(SaveSession &session, ArrangementRow &row, const PlanRecord &lot, const MemberSlot &slot);

// The audit columns of a completed arrangement name the account that completed it: its last
// three characters as the program, and their number, when they have one, as the terminal.
QString completingProgram(const QString &accountName);
qint64 completingTerminal(const QString &accountName);

// The pieces the save writes as the slot's 手配数: the lot's quantity for a member of the lot's
// own process (a quantity typed for the lot reaches it), the member's own for a member of
// another process (a process added to the lot keeps its pieces).
qint64 writtenQuantity(const PlanRecord &lot, const MemberSlot &slot);
