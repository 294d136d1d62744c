// Start-up: from the plant's class to the main window's first frame, measured beside the load
// that `kalvuner-cli plan` does on the same plant (the plan session's load and the printed
// lots), so that the ratio shows what the windows add to the load. The ratio goes to stderr.

#include "BenchRegistry.h"
#include "CliSession.h"
#include "DemoCalendar.h"
#include "DemoMasters.h"
#include "DemoRows.h"
#include "app/PlantStartup.h"
#include "app/ui/ChartEditing.h"
#include "app/ui/MainForm.h"
#include "app/ui/SchedulerSplash.h"
#include "common/PlantValues.h"
#include "plan/ConsolePrompter.h"
#include "plan/RunContext.h"
#include "session/PlanSession.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

namespace {

// Every question of the load is answered No, as an unattended start does.
class Unattended : public ConsolePrompter
{
public:
    void inform(const QString &, const QString &, PromptIcon) override {}
    bool ask(const QString &, const QString &, bool, PromptIcon) override { return false; }
};

RunContext moldingClass(const BenchPlant &plant, Database &db)
{
    RunContext run;
    run.PlantCode = demo::PlantCode;
    run.ProcessClassCode = demo::MoldingClass;
    run.ProcessClassLabel = demo::MoldingClass;
    run.PeriodStart = plant::dateText(plant.start);
    run.PeriodEnd = plant::dateText(plant.start.addMonths(1));
    run.OperatorCode = demo::AdminOperator;
    startup::readPlant(db, run);
    run.DayStartTime = QTime(8, 0);
    run.WindowWidth = 1600 * 15;
    run.WindowHeight = 900 * 15;
    return run;
}

// What `kalvuner-cli plan` does after its options: the session's load and every lot printed
// (to the null device here).
qint64 cliPlanNanos(const BenchPlant &plant, Database &db)
{
    RunContext run = moldingClass(plant, db);
    Unattended prompter;
    QFile sink(QStringLiteral("/dev/null"));
    sink.open(QIODevice::WriteOnly);
    QElapsedTimer timer;
    timer.start();
    PlanSession session(run, db, prompter);
    session.load(nullptr);
    QTextStream out(&sink);
    printPlan(session, out);
    return timer.nsecsElapsed();
}

void startUp(const BenchPlant &plant, BenchWatch &watch)
{
    const auto db = plant.open(QStringLiteral("bench-start-up"));
    RunContext run = moldingClass(plant, *db);
    Unattended prompter;
    watch.measure([&] {
        // As the program opens its main window: the splash, the window with the chart's
        // editing, the load with its messages, and the first frame painted.
        SchedulerSplash splash;
        splash.showNow();
        MainForm form(run, *db, prompter);
        new ChartEditing(form);
        form.load(&splash);
        form.repaint();
    });
    const qint64 cli = cliPlanNanos(plant, *db);
    QTextStream(stderr) << QStringLiteral("  start-up: first frame %1 ms, kalvuner-cli plan %2 ms, ratio %3")
                               .arg(QString::number(double(watch.nanos()) / 1e6, 'f', 0),
                                    QString::number(double(cli) / 1e6, 'f', 0),
                                    QString::number(double(watch.nanos()) / double(std::max<qint64>(cli, 1)), 'f', 2))
                        << Qt::endl;
}

} // namespace

KALVUNER_BENCH_ROW("start-up to first frame", "main window over the molding class, splash to first frame, beside kalvuner-cli plan (ratio on stderr; target < 1.5)",
                   [](const BenchPlant &plant, BenchWatch &watch) { startUp(plant, watch); });
