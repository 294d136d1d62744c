#pragma once
// The list lines of the split window BunWindow: one line per used member slot, holding the
// slot's production plan number, its process and model names, the count chosen to split off
// and the quantity available ("700      成形 ... ケースＡ ...         0/100      "). The
// window keeps its state in these lines: the plan number is read back from the first 8
// characters, the chosen count from the 9 before the last 10, the available quantity from
// the last 9.

#include "plan/PlanRecord.h"

#include <QStringList>

namespace splitlines {

// Counts wider than the 9 characters of their place in a line cannot be chosen.
constexpr qint64 MaxCount = 999999999;

// The caption over a list, its columns over the lines' columns.
QString header();

QString line(const MemberSlot &slot);
QStringList lines(const MemberSlots &set);

qint64 planNo(const QString &line);
qint64 chosen(const QString &line);
qint64 available(const QString &line);

// The line with `count` as its chosen count.
QString withChosen(const QString &line, qint64 count);

// Every line of `lines` whose plan number is `planNo` gets `count` as its chosen count.
void choose(QStringList &lines, qint64 planNo, qint64 count);

// The sum of the chosen counts, where a run of neighbouring lines of the same plan number
// counts once (the plan's processes split off the same pieces).
qint64 total(const QStringList &lines);

} // namespace splitlines
