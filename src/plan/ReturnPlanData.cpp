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

// What every lot of the class takes besides its own row: the mold short names and the
// requirement rows, each read once for the whole class.
struct ClassValues
{
    ClassValues(Database &db, const RunContext &context)
        : settings{context.PlantCode, context.ProcessClassCode, context.KeepMachineOfUnplaced != 0,
                   context.periodStartDate()},
          molds(MoldShortNames::load(db, pool)),
          requirements(ClassRequirementRows::load(db, context.ProcessClassCode, context.PlantCode,
                                                  kLoadedRequirementRows, pool))
    {
    }

    // The lot of the reader's current row.
    PlanRecord lot(PlanRowReader &reader, ArrangementFingerprints *fingerprints) const
    {
        PlanRecord record;
        reader.fill(record);
        if (fingerprints)
            fingerprints->keep(record.ArrangementNo, reader.fingerprint());
        record.MoldShortName = molds.nameOf(record.MoldNo);
        record.Requirements = requirements.rowsOf(record.ArrangementNo);
        return record;
    }

    TextPool pool;
    PlanLoadSettings settings;
    MoldShortNames molds;
    ClassRequirementRows requirements;
};

void failedIfBroken(const QSqlQuery &query)
{
    if (query.lastError().isValid())
        throw DbError(QStringLiteral("計画データの読込に失敗しました。\n") + query.lastError().text());
}

qint64 loadLots(Database &db, const RunContext &context, PlanStore &store, ProgressText *progress,
                ArrangementFingerprints *fingerprints)
{
    ClassValues values(db, context);
    QSqlQuery query = db.run(sql::PlanMain, {context.ProcessClassCode, context.PlantCode});
    PlanRowReader reader(query, values.settings, values.pool);
    store.reserve(std::max(kInitialCapacity, store.lastIndex()));
    qint64 count = 0;
    while (query.next()) {
        if (!reader.belongsToRun())
            continue;
        const qint64 index = store.append(values.lot(reader, fingerprints));
        store[index].BarIndex = index;
        if (++count % kProgressEvery == 0)
            report(progress, kLoading, count);
    }
    failedIfBroken(query);
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

std::vector<std::optional<PlanRecord>> ReloadPlanLots(Database &db, const RunContext &context,
                                                      const std::vector<qint64> &arrangementNos,
                                                      ArrangementFingerprints *fingerprints)
{
    ClassValues values(db, context);
    std::vector<std::optional<PlanRecord>> lots;
    for (const qint64 number : arrangementNos) {
        QSqlQuery query = db.run(sql::PlanLot, {context.ProcessClassCode, context.PlantCode, number});
        PlanRowReader reader(query, values.settings, values.pool);
        std::optional<PlanRecord> lot;
        while (!lot && query.next())
            if (reader.belongsToRun())
                lot = values.lot(reader, fingerprints);
        failedIfBroken(query);
        lots.push_back(std::move(lot));
    }
    return lots;
}
