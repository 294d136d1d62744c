#include "plan/ReturnPlanData.h"

#include "plan/ClassRequirementRows.h"
#include "db/Rows.h"
#include "plan/MoldShortNames.h"
#include "plan/NullKeyLots.h"
#include "plan/PlanRowReader.h"
#include "plan/PlanStore.h"
#include "plan/ProgressText.h"
#include "plan/RefusedLots.h"
#include "plan/RunContext.h"
#include "db/Statements.h"
#include "plan/TextPool.h"
#include "plan/UnreadableLots.h"
#include "common/PlantValues.h"

#include <QSet>

namespace {

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

    // Fills a fresh record with the lot of the reader's current row; each arrangement is
    // filled once, as it takes its requirement rows along.
    void fill(PlanRecord &record, PlanRowReader &reader, ArrangementFingerprints *fingerprints)
    {
        reader.fill(record);
        if (fingerprints)
            fingerprints->keep(record.ArrangementNo, reader.fingerprint());
        record.MoldShortName = molds.nameOf(record.MoldNo);
        record.Requirements = requirements.takeRowsOf(record.ArrangementNo);
    }

    TextPool pool;
    PlanLoadSettings settings;
    MoldShortNames molds;
    ClassRequirementRows requirements;
};

void failedIfBroken(const Rows &rows)
{
    if (const QString error = rows.error(); !error.isEmpty())
        throw DbError(QStringLiteral("計画データの読込に失敗しました。\n") + error);
}

// What the load must know of the arrangement numbers before it reads the lots, from one read:
// the numbers that several rows of DB0253 carry, whatever their class or plant, and the open
// lots of the class that the plan statement cannot take for a null key.
struct NumberChecks
{
    QSet<qint64> shared;
    NullKeyLots nullKeys;
};

NumberChecks checkNumbers(Database &db, const RunContext &context)
{
    constexpr qint64 kShared = 1;
    NumberChecks checks;
    Rows query = select(db, sql::ArrangementNumberChecks, {context.PlantCode, context.PlantCode, context.ProcessClassCode});
    while (query.next()) {
        if (plant::roundHalfEven(query.row().numberAt(0)) != kShared) {
            checks.nullKeys.add(query.valueAt(1));
            continue;
        }
        bool whole = false;
        const qint64 number = query.row().textAt(1).trimmed().toLongLong(&whole);
        if (whole)
            checks.shared.insert(number);
    }
    failedIfBroken(query);
    return checks;
}

// The lots of the class, each under its own arrangement number. A row whose number is no
// number, or a number that another row of DB0253 carries too, gives no lot: every write of
// the save finds its row by that number alone and would land on the wrong row or on both. The
// same row met again (the plan statement's joins may repeat it) is the lot already taken. A row
// with a value that cannot be read gives no lot either (UnreadableLots).
class ClassLots
{
public:
    ClassLots(PlanStore &store, ArrangementFingerprints *fingerprints, QSet<qint64> shared)
        : m_store(store), m_fingerprints(fingerprints), m_shared(std::move(shared))
    {
    }

    // The reader's current row, with its bar index; returns whether it became a lot.
    bool take(ClassValues &values, PlanRowReader &reader)
    {
        const std::optional<qint64> number = reader.validArrangementNo();
        if (!number) {
            refused.refuse(reader.lotName(), reader.hasArrangementNo() ? RefusedLots::Reason::BadNumber
                                                                       : RefusedLots::Reason::NoNumber);
            return false;
        }
        if (m_shared.contains(*number)) {
            refused.refuse(reader.lotName(), RefusedLots::Reason::SharedNumber);
            return false;
        }
        if (m_taken.contains(*number))
            return false;
        m_taken.insert(*number);
        // The lot is read straight into its place in the store.
        const qint64 index = m_store.append({});
        try {
            values.fill(m_store[index], reader, m_fingerprints);
            m_store[index].BarIndex = index;
        } catch (const UnreadableValue &value) {
            m_store.resize(index - 1);
            unreadable.leaveOut(QString::number(*number), value);
            return false;
        }
        return true;
    }

    RefusedLots refused;
    UnreadableLots unreadable;

private:
    PlanStore &m_store;
    ArrangementFingerprints *m_fingerprints;
    const QSet<qint64> m_shared;
    QSet<qint64> m_taken;
};

qint64 loadLots(Database &db, const RunContext &context, PlanStore &store, ProgressText *progress,
                ArrangementFingerprints *fingerprints, Prompter *prompter)
{
    ClassValues values(db, context);
    // Read before the plan statement: a connection reads one statement's rows at a time.
    NumberChecks checks = checkNumbers(db, context);
    Rows query = select(db, sql::PlanMain, {context.ProcessClassCode, context.PlantCode});
    PlanRowReader reader(query, values.settings, values.pool);
    ClassLots lots(store, fingerprints, std::move(checks.shared));
    qint64 count = 0;
    while (query.next()) {
        if (!reader.belongsToRun() || !lots.take(values, reader))
            continue;
        if (++count % kProgressEvery == 0)
            report(progress, kLoading, count);
    }
    failedIfBroken(query);
    report(progress, kLoaded, count);
    if (prompter) {
        lots.refused.tell(*prompter);
        lots.unreadable.tell(*prompter);
        checks.nullKeys.tell(*prompter);
    }
    return count;
}

} // namespace

qint64 ReturnPlanData(Database &db, const RunContext &context, PlanStore &store, ProgressText *progress,
                      ArrangementFingerprints *fingerprints, Prompter *prompter)
{
    const qint64 before = store.lastIndex();
    try {
        return loadLots(db, context, store, progress, fingerprints, prompter);
    } catch (const DbError &) {
        store.resize(before);
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
        Rows query = select(db, sql::PlanLot, {context.ProcessClassCode, context.PlantCode, number});
        PlanRowReader reader(query, values.settings, values.pool);
        std::optional<PlanRecord> lot;
        try {
            while (!lot && query.next())
                if (reader.belongsToRun())
                    values.fill(lot.emplace(), reader, fingerprints);
        } catch (const UnreadableValue &value) {
            throw DbError(QStringLiteral("計画データの読込に失敗しました。")
                          + unreadableValueText(QString::number(number), value));
        }
        failedIfBroken(query);
        lots.push_back(std::move(lot));
    }
    return lots;
}
