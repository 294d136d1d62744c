#pragma once
// How the overlap rules look at a lot: its start and end as comparable instants, the row it
// is on, whether it stands in the way of other lots and whether the scheduler may move it.

#include "plan/PlanRecord.h"

#include <QDateTime>
#include <QString>

namespace lots {

// An instant as seconds on one running count, so that comparing two numbers compares the
// dates first and the times only when the dates are equal. A missing date counts as the
// earliest day there is, a missing time as the start of the day.
qint64 instantKey(const QDate &date, const QTime &time);
qint64 startKey(const PlanRecord &lot);
qint64 endKey(const PlanRecord &lot);

QDateTime startInstant(const PlanRecord &lot);
QDateTime endInstant(const PlanRecord &lot);
// Writes an instant back as the lot's start (or end) date and time of day.
void setStart(PlanRecord &lot, const QDateTime &instant);
void setEnd(PlanRecord &lot, const QDateTime &instant);

// The row a lot sits on for the overlap rules: its machine when the machine code is not
// blank, else its subcontractor; empty when it has neither. Two lots are on the same row
// exactly when their keys are equal and not empty.
QString rowKey(const PlanRecord &lot);

// Confirmed lots and lots placed in this run stand in the way of others; lots merged away
// (Active 0) and tentative lots nobody has placed do not.
bool isObstacle(const PlanRecord &lot);

// Locked ("2") and end-fixed ("1") lots are never moved by the scheduler.
bool isFixed(const PlanRecord &lot);

// The blank codes of a lot without machine or without subcontractor.
inline QString blankMachine() { return QStringLiteral("        "); }
inline QString blankSupplier() { return QStringLiteral("            "); }

} // namespace lots
