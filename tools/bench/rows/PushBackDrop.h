#pragma once
// The plan of the push-back bench rows, held by a plan session: the bench plant's lots with
// work minutes as long as their bars, one press whose 1,000 lots follow one another, and a lot
// of another press to be dropped at that press's first start, pushing all 1,000 back.

#include "AlwaysYes.h"
#include "BenchRegistry.h"
#include "ChartBenchPlant.h"
#include "db/Database.h"
#include "session/PlanSession.h"

#include <memory>

// The bench plant's lots with work minutes as long as their bars, and every tentative lot
// named on a press so that the placement has work to do.
void giveLotsWork(ChartBenchPlant &plant);

class PushBackDrop
{
public:
    PushBackDrop(const BenchPlant &demo, qint64 lots);

    PlanSession &session() { return *m_session; }
    // The drop as one planner action of the session: the waiting lot let go on the press at
    // its first start.
    void drop();

private:
    static constexpr qint64 Later = 1000;
    RunContext m_run;
    AlwaysYes m_prompter;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<PlanSession> m_session;
    QString m_press;
    qint64 m_dropped = 0;
    QDateTime m_at;
};
