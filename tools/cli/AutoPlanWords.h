#pragma once
// The options of 自動計画 as words, the same for an "auto-plan" script line and for
// "kalvuner-cli schedule": tentative=yes|no (仮計画も組み直す, yes unless given),
// due=yyyy/mm/dd (only lots due up to it), machines=M1,M2 (only these presses),
// stock=N (no start more than N working days before the due date, 0 for no limit),
// budget=S (the improvement's time in seconds, 0 for no limit), plain=yes (only the plain
// due-date dispatch the planner is compared with).

#include "editing/AutoPlanner.h"

#include <QStringList>

extern const QString AutoPlanUsage;

// Throws ScriptFailure naming the word that does not fit.
AutoPlanOptions autoPlanOptions(const QStringList &words);
