// Working hours: every day of every molding machine over the period changed in the
// operating-time window's core (the shift an hour longer) and saved, each day into the
// calendar rows it was loaded from.

#include "BenchRegistry.h"
#include "DemoMasters.h"
#include "calendar/BreakTable.h"
#include "common/PlantValues.h"
#include "dialogs/LinePlan.h"
#include "editing/EditPath.h"
#include "gantt/ClassRows.h"
#include "persist/EditPathSave.h"
#include "persist/SaveProgress.h"
#include "plan/PlanStore.h"
#include "plan/Prompter.h"
#include "plan/RunContext.h"

#include <QTextStream>

namespace {

// The rows' notes on loading are no failure; a question is.
class BenchPrompter : public Prompter
{
public:
    void inform(const QString &, const QString &, PromptIcon) override {}
    bool ask(const QString &text, const QString &, bool, PromptIcon) override
    {
        throw DbError(QStringLiteral("稼働時間の保存が質問しました: ") + text);
    }
};

class NoProgress : public SaveProgress
{
public:
    void started(qint64) override {}
    void advanced(qint64, qint64, bool) override {}
    void finished() override {}
};

} // namespace

KALVUNER_BENCH_ROW("working hours saving", "savePlan of every molding machine's days of a month, each changed in 変更",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       auto db = plant.open(QStringLiteral("bench-working-hours"));
                       RunContext run;
                       run.PlantCode = demo::PlantCode;
                       run.ProcessClassCode = demo::MoldingClass;
                       run.PeriodStart = plant::dateText(plant.start);
                       run.PeriodEnd = plant::dateText(plant.start.addMonths(1));
                       run.DayStartTime = QTime(8, 0);
                       run.Authority = QStringLiteral("1");
                       BenchPrompter prompter;
                       ChartRows rows;
                       WorkCalendar calendar;
                       BreakTable breaks;
                       buildClassRows(rows, calendar, breaks, run, *db, prompter);
                       PlanStore store;
                       EditPath path(store, calendar, rows, run);
                       qint64 changed = 0;
                       for (int row = 2; row <= rows.lastMachineRow(); ++row)
                           for (qint64 k = 0; k <= calendar.periodDays(); ++k) {
                               LinePlanTexts texts = linePlanTexts(*calendar.day(row, k));
                               texts.PlanTime[1] = QStringLiteral("20:00");
                               texts.PlanSum = QString::number(calendar.day(row, k)->workHours + 1);
                               changed += changeLinePlan(path, {row, k}, texts, breaks, prompter).changed ? 1 : 0;
                           }
                       NoProgress progress;
                       const EditPathSaveRequest request{rows, run, *db, prompter, progress, QStringLiteral("bench"),
                                                         QDateTime(plant.start, QTime(12, 0), Qt::UTC)};
                       SaveResult result;
                       watch.measure([&] { result = saveThroughEditPath(path, request); });
                       if (result.outcome != SaveResult::Outcome::Complete
                           || qint64(result.savedDays.size()) != changed)
                           throw DbError(QStringLiteral("稼働時間の保存が完了しませんでした。"));
                       QTextStream(stderr) << "  working hours saving: " << changed << " days" << Qt::endl;
                   });
