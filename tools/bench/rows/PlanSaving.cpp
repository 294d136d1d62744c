// Saving: 1,000 changed lots of the demo plant's molding class written back (each lot moved
// by one day), with the statements each lot costs on stderr.

#include "BenchRegistry.h"
#include "DemoMasters.h"
#include "plan/PlanStore.h"
#include "plan/Prompter.h"
#include "plan/ReturnPlanData.h"
#include "plan/RunContext.h"
#include "common/PlantValues.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"
#include "persist/SavePlan.h"
#include "persist/SaveProgress.h"
#include "persist/SaveTarget.h"

#include <QTextStream>

namespace {

constexpr qint64 ChangedLots = 1000;

// Goes on past the mold question; any other message means the save did not do its work.
class BenchPrompter : public Prompter
{
public:
    void inform(const QString &text, const QString &, PromptIcon) override
    {
        throw DbError(QStringLiteral("保存がメッセージを出しました: ") + text);
    }
    bool ask(const QString &, const QString &, bool, PromptIcon) override { return true; }
};

class NoProgress : public SaveProgress
{
public:
    void started(qint64) override {}
    void advanced(qint64, qint64, bool) override {}
    void finished() override {}
};

} // namespace

KALVUNER_BENCH_ROW("plan saving, 1000 lots", "savePlan of 1,000 changed molding lots (statements per lot on stderr)",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       auto db = plant.open(QStringLiteral("bench-plan-saving"));
                       RunContext run;
                       run.PlantCode = demo::PlantCode;
                       run.ProcessClassCode = demo::MoldingClass;
                       run.PeriodStart = plant::dateText(plant.start);
                       run.PeriodEnd = plant::dateText(plant.start.addMonths(1));
                       run.Authority = QStringLiteral("1");
                       PlanStore store;
                       ReturnPlanData(*db, run, store, nullptr);
                       qint64 changed = 0;
                       for (qint64 i = 2; i <= store.lastIndex() && changed < ChangedLots; ++i) {
                           PlanRecord &lot = store[i];
                           if (!lot.StartDate.isValid() || !lot.EndDate.isValid())
                               continue;
                           lot.StartDate = lot.StartDate.addDays(1);
                           lot.EndDate = lot.EndDate.addDays(1);
                           lot.MembersWritten = 1;
                           ++changed;
                       }
                       ChartRows rows;
                       rows.append(QString(8, u' '), QString());
                       rows.closeMachineRows();
                       WorkCalendar calendar;
                       calendar.reset(run.periodStartDate(), run.periodEndDate(), run.DayStartTime, rows.lastMachineRow());
                       DirectSaveTarget target(store, calendar);
                       BenchPrompter prompter;
                       NoProgress progress;
                       SaveRequest request{target,   rows,     run, *db, prompter, progress, QStringLiteral("bench"),
                                           QDateTime(plant.start, QTime(12, 0), Qt::UTC)};
                       SaveResult result;
                       watch.measure([&] { result = savePlan(request); });
                       if (result.outcome != SaveResult::Outcome::Complete || qint64(result.savedLots.size()) != changed)
                           throw DbError(QStringLiteral("保存が完了しませんでした。"));
                       QTextStream(stderr) << "  plan saving: " << changed << " lots, "
                                           << QString::number(double(result.statements) / double(qMax<qint64>(changed, 1)), 'f', 1)
                                           << " statements per lot" << Qt::endl;
                   });
