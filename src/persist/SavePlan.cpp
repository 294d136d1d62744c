#include "persist/SavePlan.h"

#include "db/Rows.h"
#include "persist/ArrangementNumbers.h"
#include "persist/ArrangementRow.h"
#include "persist/ChangedElsewhere.h"
#include "persist/LotSaver.h"
#include "persist/SaveChecks.h"
#include "persist/SaveProgress.h"
#include "persist/SaveSession.h"
#include "persist/SaveTarget.h"
#include "persist/WorkingHours.h"
#include "plan/LotFamilies.h"

#include <algorithm>
#include <map>
#include <optional>

namespace {

const QString CheckTitle = QStringLiteral("保存の確認");

// Shows the progress window for the whole save and closes it on every way out.
class ProgressWindow
{
public:
    ProgressWindow(SaveProgress &progress, qint64 lastIndex) : m_progress(progress) { m_progress.started(lastIndex); }
    ~ProgressWindow() { m_progress.finished(); }
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;

private:
    SaveProgress &m_progress;
};

// The checks before writing; false when the save stops.
bool passesChecks(SaveRequest &request, SaveResult &result)
{
    const PlanStore &store = request.plan.store();
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const PlanRecord &lot = store[i];
        if (lot.MembersWritten == 0 || lot.Active <= 0)
            continue;
        if (valuesOutOfRange(lot.SetupMinutes, lot.WorkMinutes, lot.Quantity)) {
            request.prompter.inform(QStringLiteral("手配番号 %1 の時間または数量が範囲外です。\r保存処理を中止します。")
                                        .arg(lot.ArrangementNo),
                                    CheckTitle);
            return false;
        }
        if (datesOutOfRange(lot)) {
            request.prompter.inform(QStringLiteral("手配番号 %1 の日付が範囲外です。\r保存処理を中止します。")
                                        .arg(lot.ArrangementNo),
                                    CheckTitle);
            return false;
        }
        if (!durationExceedsLimit(lot.SetupMinutes, lot.WorkMinutes))
            continue;
        request.prompter.inform(QStringLiteral("時間が10000時間を越えています。\r保存処理を中止します。"), CheckTitle);
        if (!lot.isEndFixed() && !lot.isLocked())
            result.relayoutLots.push_back(i);
        return false;
    }
    const std::vector<MoldOverlap> overlaps = moldOverlaps(store);
    if (!overlaps.empty()
        && !request.prompter.askWithDetails(
            QStringLiteral("金型が重複します。 [ %1件]\rそのまま保存しますか？").arg(overlaps.size()),
            moldOverlapDetails(store, overlaps), CheckTitle, false)) {
        request.prompter.inform(QStringLiteral("保存を中断しました。"));
        return false;
    }
    return true;
}

enum class LotOutcome { Saved, ChangedElsewhere, Failed };

// Commits the lots' transaction; the database's error when the commit failed. A commit that
// fails on a connection still open was undone; when the connection itself is gone (the server
// stopped, the network broke) during the commit, whether the server wrote the lots cannot be
// known, and the planner is told so rather than "not saved": the text of that failure. A
// failure known to have undone the lots is thrown.
std::optional<QString> commitLot(Database &db)
{
    try {
        db.commit();
        return std::nullopt;
    } catch (const DbError &failed) {
        try {
            db.rollback();
            select(db, QStringLiteral("SELECT 1"));
        } catch (const DbError &) {
            return failed.text;
        }
        throw;
    }
}

// The family's arrangements changed elsewhere: the one that stopped the save of lot
// `family[stoppedAt]`, then every other one, so that the planner chooses for the lots knowing
// all of them (上書き writes a lot whole).
void listChangesElsewhere(const PlanStore &store, SaveSession &session, const std::vector<qint64> &family,
                          size_t stoppedAt, ElsewhereChange first, SaveResult &result)
{
    first.lot = family[stoppedAt];
    result.changedElsewhere.push_back(first);
    for (const qint64 lot : family)
        forEachMember(store[lot], [&](const MemberSlot &slot) {
            const qint64 number = slot.ArrangementNo;
            if (number <= 0 || number == first.arrangementNo)
                return;
            const std::optional<ArrangementRow> row = ArrangementRow::readToCompare(session, number);
            if (std::optional<ElsewhereChange> change = row ? session.elsewhere().changeOf(number, *row) : std::nullopt) {
                change->lot = lot;
                result.changedElsewhere.push_back(*change);
            }
        });
}

// Writes one family of lots (the changed lots holding pieces of one member) in a transaction
// of its own; rolled back unless every lot of it was saved, so that no pieces moved between
// them are written on one side only.
LotOutcome saveFamilyInTransaction(SaveRequest &request, SaveSession &session, const std::vector<qint64> &family,
                                   SaveResult &result)
{
    std::vector<PlanRecord> lots;
    for (const qint64 index : family)
        lots.push_back(request.plan.store()[index]);
    const auto &overwrite = request.overwriteLots;
    size_t k = 0;
    std::vector<qint64> partlyFailed;
    session.elsewhere().beginTransaction();
    try {
        request.db.begin();
        for (; k < lots.size(); ++k) {
            session.elsewhere().beginLot(std::find(overwrite.begin(), overwrite.end(), family[k]) != overwrite.end());
            const qint64 failuresBefore = session.partFailures();
            saveLot(session, lots[k]);
            if (session.partFailures() > failuresBefore)
                partlyFailed.push_back(family[k]);
        }
        if (const std::optional<QString> unknown = commitLot(request.db)) {
            session.report(QStringLiteral("手配番号 %1 の計画は保存されたか確認できません。読み込み直して確認してください。"
                                          "これ以降の計画は保存されていません。\n%2")
                               .arg(lots.front().ArrangementNo)
                               .arg(*unknown));
            return LotOutcome::Failed;
        }
    } catch (const LotChangedElsewhere &changed) {
        request.db.rollback();
        listChangesElsewhere(request.plan.store(), session, family, k, changed.change, result);
        return LotOutcome::ChangedElsewhere;
    } catch (const NoArrangementNumbering &) {
        request.db.rollback();
        session.report(QStringLiteral("手配番号を採番できませんでした"));
        return LotOutcome::Failed;
    } catch (const DbError &error) {
        request.db.rollback();
        session.report(QStringLiteral("手配番号 %1 の計画を保存できませんでした。"
                                      "この計画とこれ以降の計画は保存されていません。\n%2")
                           .arg(lots[k < lots.size() ? k : 0].ArrangementNo)
                           .arg(error.text));
        return LotOutcome::Failed;
    }
    session.elsewhere().lotCommitted();
    result.partlyFailedLots.insert(result.partlyFailedLots.end(), partlyFailed.begin(), partlyFailed.end());
    for (k = 0; k < lots.size(); ++k)
        request.plan.lotSaved(family[k], lots[k]);
    return LotOutcome::Saved;
}

bool saveWorkingHours(SaveRequest &request, SaveSession &session, SaveResult &result)
{
    try {
        request.db.begin();
        WrittenHours written = writeChangedWorkingHours(session, request.plan.calendar(), request.rows);
        request.db.commit();
        result.savedDays = std::move(written.days);
        result.daysChangedElsewhere = std::move(written.changedElsewhere);
    } catch (const DbError &error) {
        request.db.rollback();
        result.savedDays.clear();
        session.report(QStringLiteral("機械の稼働時間を保存できませんでした。稼働時間の変更は保存されていません。\n%1")
                           .arg(error.text));
        return false;
    }
    for (const SavedDay &day : result.savedDays)
        request.plan.dayWritten(day.row, day.day, day.stored);
    return result.daysChangedElsewhere.empty();
}

// Writes the changed lots, each in a transaction of its own, then the changed working days.
// The first lot that fails stops the save; what failed is gathered in the session. A lot
// changed elsewhere stays unsaved and listed while the others are saved.
SaveResult::Outcome writeAll(SaveRequest &request, SaveSession &session, SaveResult &result)
{
    const qint64 last = request.plan.store().lastIndex();
    std::map<qint64, std::vector<qint64>> families; // by their first lot
    for (std::vector<qint64> &family : changedLotFamilies(request.plan.store()))
        families.emplace(family.front(), std::move(family));
    for (qint64 i = 2; i <= last; ++i) {
        request.progress.advanced(i, last, i % 10 == 0);
        const auto family = families.find(i);
        if (family == families.end())
            continue;
        const LotOutcome saved = saveFamilyInTransaction(request, session, family->second, result);
        if (saved == LotOutcome::Failed)
            return SaveResult::Outcome::Failed;
        if (saved == LotOutcome::Saved)
            result.savedLots.insert(result.savedLots.end(), family->second.begin(), family->second.end());
    }
    std::sort(result.savedLots.begin(), result.savedLots.end());
    if (!saveWorkingHours(request, session, result))
        return SaveResult::Outcome::Failed;
    return result.changedElsewhere.empty() ? SaveResult::Outcome::Complete : SaveResult::Outcome::ChangedElsewhere;
}

} // namespace

SaveResult savePlan(SaveRequest &request)
{
    SaveResult result;
    if (request.run.inquiryMode()) {
        request.prompter.inform(QStringLiteral("照会モードでは保存できません。"));
        return result;
    }
    if (request.db.isReadOnly()) {
        request.prompter.inform(QStringLiteral("データベースが読み取り専用のため保存できません。"));
        return result;
    }
    SaveSession session(request.db, request.run, request.prompter, request.now, request.accountName, request.retry,
                        request.fingerprints);
    {
        ProgressWindow window(request.progress, request.plan.store().lastIndex());
        result.outcome = SaveResult::Outcome::Cancelled;
        if (!passesChecks(request, result))
            return result;
        result.outcome = writeAll(request, session, result);
        result.statements = session.statements();
        result.overwritten = session.elsewhere().overwritten();
    }
    // One message for the whole save, after its progress window has closed.
    const QString failures = session.gatheredReport();
    if (!failures.isEmpty())
        request.prompter.inform(failures);
    return result;
}

std::vector<qint64> SaveResult::changedElsewhereLots(bool overwritableOnly) const
{
    // A lot is listed once however many of its arrangements changed; it can be written over
    // only when none of them was completed or deleted.
    std::vector<qint64> lots;
    for (const ElsewhereChange &change : changedElsewhere)
        if (std::find(lots.begin(), lots.end(), change.lot) == lots.end())
            lots.push_back(change.lot);
    if (overwritableOnly)
        std::erase_if(lots, [this](qint64 lot) {
            return std::any_of(changedElsewhere.begin(), changedElsewhere.end(),
                               [lot](const ElsewhereChange &change) { return change.lot == lot && change.gone; });
        });
    return lots;
}
