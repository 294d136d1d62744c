#pragma once
// A small plant for the editing tests: the unassigned row, three machines working around the
// clock (so working minutes are clock minutes), two subcontractors, a 10-minute grid, and a
// plan session that takes the lots the test adds when the test starts it, as loading would.

#include "ScriptedPrompter.h"
#include "TestPlant.h"
#include "session/PlanSession.h"

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

    // The session reads the plant database `db`; without one, an empty plant database shared
    // by the test program.
    explicit EditingPlant(Database *db = nullptr);

    // Adds a lot; its end is its start plus its minutes.
    qint64 add(const LotSpec &given);
    // Changes a lot the way loading would have made it: before start() in the lots to hand
    // over, afterwards through the edit path without an undo step.
    template<class Apply>
    void amend(qint64 lot, Apply &&apply)
    {
        if (!m_started) {
            apply(m_lots[lot]);
            return;
        }
        Edit edit = path->beginLoadingChange();
        edit.change(lot, apply);
        edit.commit();
    }
    // Changes a calendar day the way loading would have made it (no undo step, no mark).
    template<class Apply>
    void amendDay(int row, qint64 day, Apply &&apply)
    {
        Edit edit = path->beginLoadingChange();
        edit.changeDay(row, day, apply);
        edit.commit();
    }
    // Changes the calendar as loading would have built it: the plan is handed to the session
    // again, with no history.
    template<class Apply>
    void amendCalendar(Apply &&apply)
    {
        WorkCalendar days = calendar;
        apply(days);
        session.adopt(rows, std::move(days), m_started ? store : PlanStore());
    }
    // A lot as it stands: before start() among the lots to hand over, afterwards in the store.
    const PlanRecord &lot(qint64 index) const { return m_started ? store[index] : m_lots[index]; }
    // Hands the added lots to the session, as loading does.
    void start();
    bool started() const { return m_started; }

    static QDateTime at(const QString &text); // "yyyy/MM/dd hh:mm"
    static std::string text(const QDate &date, const QTime &time);
    std::string startText(qint64 lot) const { return text(store[lot].StartDate, store[lot].StartTime); }
    std::string endText(qint64 lot) const { return text(store[lot].EndDate, store[lot].EndTime); }

    RunContext run;
    ScriptedPrompter prompter;

private:
    std::unique_ptr<PlanSession> m_session;
    PlanStore m_lots;
    bool m_started = false;

public:
    PlanSession &session;
    const ChartRows &rows;
    const WorkCalendar &calendar;
    const PlanStore &store;
    const WorkingTime *const time;
    EditPath *const path;
    const PlanInsertion *const insertion;
};
