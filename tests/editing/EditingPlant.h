#pragma once
// A small plant for the editing tests: the unassigned row, three machines working around the
// clock (so working minutes are clock minutes), two subcontractors, a 10-minute grid, and a
// store that tests fill with lots before handing it to the edit path.

#include "ScriptedPrompter.h"
#include "plan/PlanStore.h"
#include "plan/RunContext.h"
#include "calendar/WorkingTime.h"
#include "editing/EditPath.h"
#include "editing/PlanInsertion.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"

#include <memory>

struct LotSpec
{
    QString machine = QStringLiteral("M01     ");
    QString supplier = QStringLiteral("            ");
    QString start = QStringLiteral("2024/05/10 08:00");
    qint64 minutes = 60; // work minutes
    QString confirm = QStringLiteral("2");
    QString fixed = QStringLiteral("0");
    qint64 quantity = 100;
    quint8 placed = 0;   // MembersWritten
};

class EditingPlant
{
public:
    static const QString M01, M02, M03, S01, S02;

    EditingPlant();

    // Adds a lot (before start()); its end is its start plus its minutes.
    qint64 add(const LotSpec &given);
    // Hands the filled store to the edit path, as loading does.
    void start();

    static QDateTime at(const QString &text); // "yyyy/MM/dd hh:mm"
    static std::string text(const QDate &date, const QTime &time);
    std::string startText(qint64 lot) const { return text(store[lot].StartDate, store[lot].StartTime); }
    std::string endText(qint64 lot) const { return text(store[lot].EndDate, store[lot].EndTime); }

    RunContext run;
    ChartRows rows;
    WorkCalendar calendar;
    PlanStore store;
    ScriptedPrompter prompter;
    std::unique_ptr<WorkingTime> time;
    std::unique_ptr<EditPath> path;
    std::unique_ptr<PlanInsertion> insertion;
};
