#include "plan/ReturnPlanData.h"

#include "plan/ClassRequirementRows.h"
#include "db/Database.h"
#include "plan/MoldShortNames.h"
#include "plan/PlanRowReader.h"
#include "plan/PlanStore.h"
#include "plan/ProgressText.h"
#include "plan/RunContext.h"
#include "db/Statements.h"
#include "plan/TextPool.h"
#include "common/PlantValues.h"

#include <QSqlError>

namespace {

// Room for this many indices is made before reading, so that ordinary loads never move the
// store while it fills.
constexpr qint64 kInitialCapacity = 5000;
// A lot takes the first 19 requirement rows; the twentieth entry is left for the planner.
constexpr int kLoadedRequirementRows = PlanRecord::MaxRequirementRows - 1;
constexpr qint64 kProgressEvery = 100;

const QString kLoading = QStringLiteral("計画データを読み込んでいます。しばらくお待ちください．．．");
const QString kLoaded = QStringLiteral("計画データ読込完了。次の処理を開始します．．．");

void report(ProgressText *progress, const QString &text, qint64 count)
{
    if (progress)
        progress->show(text + plant::thousands(count));
}

qint64 loadLots(Database &db, const RunContext &context, PlanStore &store, ProgressText *progress,
                ArrangementFingerprints *fingerprints)
{
    const PlanLoadSettings settings{context.PlantCode, context.ProcessClassCode, context.KeepMachineOfUnplaced != 0,
                                    context.periodStartDate()};
    TextPool pool;
    const MoldShortNames molds = MoldShortNames::load(db, pool);
    const ClassRequirementRows requirements = ClassRequirementRows::load(
        db, context.ProcessClassCode, context.PlantCode, kLoadedRequirementRows, pool);

    QSqlQuery query = db.run(sql::PlanMain, {context.ProcessClassCode, context.PlantCode});
    PlanRowReader reader(query, settings, pool);
    store.reserve(std::max(kInitialCapacity, store.lastIndex()));
    qint64 count = 0;
    while (query.next()) {
        if (!reader.belongsToRun())
            continue;
        PlanRecord record;
        reader.fill(record);
        if (fingerprints)
            fingerprints->keep(record.ArrangementNo, reader.fingerprint());
        record.MoldShortName = molds.nameOf(record.MoldNo);
        record.Requirements = requirements.rowsOf(record.ArrangementNo);
        const qint64 index = store.append(std::move(record));
        store[index].BarIndex = index;
        if (++count % kProgressEvery == 0)
            report(progress, kLoading, count);
    }
    if (query.lastError().isValid())
        throw DbError(QStringLiteral("計画データの読込に失敗しました。\n") + query.lastError().text());
    report(progress, kLoaded, count);
    return count;
}

} // namespace

qint64 ReturnPlanData(Database &db, const RunContext &context, PlanStore &store, ProgressText *progress,
                      ArrangementFingerprints *fingerprints)
{
    const qint64 before = store.lastIndex();
    try {
        const qint64 count = loadLots(db, context, store, progress, fingerprints);
        store.trimTo(store.lastIndex());
        return count;
    } catch (const DbError &) {
        store.trimTo(before);
        throw;
    }
}
