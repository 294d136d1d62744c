// 自動計画 of the demo plant's molding class (about 4,400 lots of the 10,000-lot plant): the
// planning action through the plan session, cycle rows read and one undo step written; the
// report's figures before and after on stderr.

#include "AlwaysYes.h"
#include "BenchRegistry.h"
#include "MoldingMonth.h"
#include "session/PlanSession.h"

#include <QTextStream>

KALVUNER_BENCH_ROW("automatic planning", "自動計画 of the molding class through the plan session (target < 2 s at 10,000 lots)",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       auto db = plant.open(QStringLiteral("bench-auto-planning"));
                       RunContext run = moldingMonth(plant, *db);
                       AlwaysYes prompter;
                       PlanSession session(run, *db, prompter);
                       session.load(nullptr);
                       AutoPlanReport report;
                       watch.measure([&] { report = session.autoPlan(AutoPlanOptions()); });
                       QTextStream(stderr) << "  automatic planning: " << report.planned << " placed, "
                                           << report.left.size() << " left, late " << report.before.lateLots << " -> "
                                           << report.after.lateLots << ", mold changes " << report.before.moldChanges
                                           << " -> " << report.after.moldChanges << Qt::endl;
                   });
