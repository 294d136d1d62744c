#pragma once
// The lots of a machine follow a change of its working hours on one day: a lot that runs on
// that day keeps its start and gets the end its work minutes give under the new hours, and a
// later lot that followed it (started one minute after its grid-rounded end) or that it now
// runs into follows its new end, as the push-back places lots. Overtime thus pulls the lots
// after it forward, a shorter day pushes them back. Fixed lots stay where they are; a lot
// that did not follow a moved one and is not run into keeps its place, and so do all after it.

#include <QDateTime>

class Edit;
class PlanInsertion;
struct RunContext;

// Moves the lots of machine `machineCode` (its chart row's code) within `edit` after the
// working day from `dayFrom` to `dayTo` was changed. Returns the number of lots moved.
int followChangedDay(Edit &edit, const PlanInsertion &insertion, const RunContext &run, const QString &machineCode,
                     const QDateTime &dayFrom, const QDateTime &dayTo);
