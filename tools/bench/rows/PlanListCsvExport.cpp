// The plan list of the demo plant's molding class written as a CSV file, in UTF-8 and in
// Shift_JIS: the file built from the list as the window shows it and written whole. Loading
// the plan and building the list are not timed.

#include "AlwaysYes.h"
#include "BenchRegistry.h"
#include "MoldingMonth.h"
#include "export/PlanListCsv.h"
#include "export/WholeFile.h"
#include "gantt/PlanGridModel.h"
#include "session/PlanSession.h"

#include <QDir>

namespace {

void exportList(const BenchPlant &plant, BenchWatch &watch, TextEncoding encoding)
{
    auto db = plant.open(QStringLiteral("bench-plan-list-csv"));
    RunContext run = moldingMonth(plant, *db);
    AlwaysYes prompter;
    PlanSession session(run, *db, prompter);
    session.load(nullptr);
    PlanGridModel list(session.store());
    list.rebuild();
    const QString path = QDir(plant.workDir).filePath(QStringLiteral("plan-list.csv"));
    watch.measure([&] {
        TextEncoder encoder(encoding);
        const PlanListCsv csv = planListCsv(list, encoder);
        if (const auto failed = writeWholeFile(path, csv.bytes))
            throw DbError(*failed);
    });
}

} // namespace

KALVUNER_BENCH_ROW("plan list csv utf-8", "the molding class's plan list as a CSV file, UTF-8 (target < 1 s)",
                   [](const BenchPlant &plant, BenchWatch &watch) { exportList(plant, watch, TextEncoding::Utf8); });
KALVUNER_BENCH_ROW("plan list csv shift_jis", "the molding class's plan list as a CSV file, Shift_JIS (target < 1 s)",
                   [](const BenchPlant &plant, BenchWatch &watch) { exportList(plant, watch, TextEncoding::ShiftJis); });
