// The whole road of a plan through the plan session, tried at random: seeded sequences of the
// planner's actions (moves and merges answered either way, packing, both splits, process add,
// working hours, bulk confirmation, unassigning, undo, redo), saves (some stopped halfway by a
// write the database refuses, by a lot another connection changed since the load, or left
// cancelled) and reloads. After every save and reload the database, read plainly, must hold:
//   (a) the pieces of every production plan over its live arrangements, as at the start;
//   (b) each plan's DB0251 指示済数 equal to its live confirmed last-process arrangements;
//   (c) every lot a save wrote, loaded afresh, as memory shows it;
//   (d) a row the second connection changed, unless the planner chose to write over it;
//   (e) no arrangement numbered twice or left half written.
// A failure names the seed and the shortest sequence of steps that still fails.
//
// 200 sequences unless KALVUNER_MODEL_SEQUENCES sets another number per backend: 160 on
// SQLite and 40 on PostgreSQL, whose round trips take longer. KALVUNER_MODEL_SEED sets the
// first seed (1 unless set); KALVUNER_MODEL_TRACE prints each step and the lots after it.

#include "SessionPlant.h"
#include "db/RowWriter.h"
#include "db/Rows.h"
#include "dialogs/LinePlan.h"
#include "editing/LotRules.h"
#include "editing/PlanKakutei.h"

#include <QElapsedTimer>
#include <array>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

constexpr int StepsPerSequence = 30;
const QStringList Tables{"DB0253", "DB0252", "DB0251", "DB0492", "DB0491", "DB0018"};
// The start time the second connection writes: 03:12:00 and the step's number as seconds, a
// time no planner gives, and a new one each time.
qint64 markerTime(size_t step)
{
    return 31200 + qint64(step % 60);
}

// Questions answered at random, from the sequence's own stream.
class RandomPrompter : public Prompter
{
public:
    std::mt19937 *random = nullptr;
    void inform(const QString &, const QString &, PromptIcon) override {}
    bool ask(const QString &, const QString &, bool, PromptIcon) override { return coin(); }
    bool askWithDetails(const QString &, const QString &, const QString &, bool, PromptIcon) override
    {
        return coin();
    }

private:
    bool coin() { return random && (*random)() % 2 == 0; }
};

enum class Kind {
    Move, Merge, Pack, SplitLot, SplitProcess, AddProcess, Hours, Confirm, Unassign, Undo, Redo,
    Save, SaveRefused, SaveChangedElsewhere, Reload
};
const char *const KindNames[] = {"move", "merge", "pack", "split-lot", "split-process", "add-process", "hours",
                                 "confirm", "unassign", "undo", "redo", "save", "save-refused",
                                 "save-changed-elsewhere", "reload"};

// One step: what it does and the numbers that pick its lot, row, time or answer when it runs.
struct Step
{
    Kind kind;
    quint32 a, b, c;
    std::string text() const
    {
        return std::string(KindNames[int(kind)]) + "(" + std::to_string(a % 97) + "," + std::to_string(b % 97) + ","
               + std::to_string(c % 97) + ")";
    }
};

std::vector<Step> sequenceOf(quint32 seed)
{
    std::mt19937 random(seed);
    // Edits come more often than saves; reloads least.
    const std::vector<std::pair<Kind, int>> weights{
        {Kind::Move, 6},       {Kind::Merge, 4},        {Kind::Pack, 1},       {Kind::SplitLot, 3},
        {Kind::SplitProcess, 2}, {Kind::AddProcess, 2}, {Kind::Hours, 1},      {Kind::Confirm, 1},
        {Kind::Unassign, 1},   {Kind::Undo, 4},         {Kind::Redo, 2},       {Kind::Save, 3},
        {Kind::SaveRefused, 2}, {Kind::SaveChangedElsewhere, 2}, {Kind::Reload, 1}};
    int total = 0;
    for (const auto &weight : weights)
        total += weight.second;
    std::vector<Step> steps;
    for (int n = 0; n < StepsPerSequence; ++n) {
        int pick = int(random() % quint32(total));
        Kind kind = Kind::Move;
        for (const auto &[k, w] : weights) {
            if (pick < w) {
                kind = k;
                break;
            }
            pick -= w;
        }
        steps.push_back({kind, quint32(random()), quint32(random()), quint32(random())});
    }
    return steps;
}

class PlanModel : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override
    {
        for (const SessionPlant::Lot &lot : SessionPlant::standardLots())
            p.add(lot);
        for (SessionPlant::Lot single : {SessionPlant::lot(1031, 703, "CASE-0011", "M1      ", "2024/04/16 09:00", 300),
                                         SessionPlant::lot(1032, 703, "CASE-0011", "M2      ", "2024/04/16 09:00", 200, "1")}) {
            single.lastProcess = true;
            p.add(single);
        }
        p.settlePlanTotals();
        for (const QString &table : Tables) {
            Rows query = select(p.plant.db(), QStringLiteral("SELECT * FROM %1").arg(table));
            while (query.next())
                m_snapshot[table].append(query.values());
        }
        p.sessionPrompter = &m_prompter;
        m_prompter.random = &m_answers;
        m_startPieces = p.livePieces();
    }

    // Runs `steps`; the first broken promise, or an empty text.
    std::string run(const std::vector<Step> &steps, quint32 seed);

    // The database as the plant starts every sequence.
    void restore()
    {
        p.allowWrites();
        Database &db = p.plant.db();
        db.begin();
        for (const QString &table : Tables) {
            db.run(QStringLiteral("DELETE FROM %1").arg(table));
            for (const QVariantMap &row : m_snapshot[table])
                insertRow(db, table, row);
        }
        db.commit();
    }

    SessionPlant p{GetParam()};
    RandomPrompter m_prompter;
    std::mt19937 m_answers;
    std::map<QString, QList<QVariantMap>> m_snapshot;
    std::map<std::pair<qint64, qint64>, qint64> m_startPieces;
};

SESSION_SUITE(PlanModel);

// What one sequence keeps track of between its steps.
struct Ledger
{
    std::set<qint64> written;                 // arrangements a save wrote and nothing changed since
    struct Change
    {
        qint64 marker = 0;      // what the second connection wrote
        bool overwritten = false; // the planner chose to write over it
    };
    std::map<qint64, Change> changedElsewhere; // by arrangement
};

// The shown lots, in record order.
std::vector<qint64> shownLots(const PlanStore &store)
{
    std::vector<qint64> lots;
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        if (store[i].Active > 0)
            lots.push_back(i);
    return lots;
}

std::vector<const MemberSlot *> membersOf(const PlanRecord &lot)
{
    std::vector<const MemberSlot *> members;
    for (const MemberSlots *set : {&lot.Members, &lot.AltMembers})
        for (int k = 0; k < set->size(); ++k)
            if (!set->at(k).isFree())
                members.push_back(&set->at(k));
    return members;
}

std::string checkDatabase(SessionPlant &p, const std::map<std::pair<qint64, qint64>, qint64> &startPieces,
                          Ledger &ledger)
{
    // (a) pieces per production plan and step.
    const auto pieces = p.livePieces();
    for (const auto &[key, count] : startPieces)
        if (pieces.count(key) == 0 || pieces.at(key) != count)
            return "(a) plan " + std::to_string(key.first) + " step " + std::to_string(key.second) + " holds "
                   + std::to_string(pieces.count(key) ? pieces.at(key) : 0) + " pieces, not " + std::to_string(count);
    // (b) plan totals.
    const qint64 wrongTotals = p.number(QStringLiteral(
        "SELECT COUNT(*) FROM DB0251 WHERE 指示済数<>(SELECT COALESCE(SUM(a.手配数),0) FROM DB0253 a"
        " WHERE a.生産計画番号=DB0251.生産計画番号 AND a.品名コード=DB0251.品名コード AND a.順序=999"
        " AND a.手配確定区分='2' AND a.削除フラグ='0')"));
    if (wrongTotals != 0)
        return "(b) a plan's 指示済数 is not the sum of its live arrangements";
    // (d) rows changed elsewhere stay as changed unless the planner wrote over them.
    for (const auto &[number, change] : ledger.changedElsewhere)
        if (!change.overwritten
            && p.number(QStringLiteral("SELECT 作業開始時間 FROM DB0253 WHERE 手配番号=?"), {number}) != change.marker)
            return "(d) arrangement " + std::to_string(number) + " changed elsewhere was written over";
    // (e) numbering and whole rows.
    const qint64 counter = p.number(QStringLiteral("SELECT 現在番号 FROM DB0018"));
    if (counter != 0 && p.number(QStringLiteral("SELECT MAX(手配番号) FROM DB0253")) > std::max<qint64>(counter, 3000))
        return "(e) an arrangement number lies beyond the numbering";
    if (p.number(QStringLiteral("SELECT COUNT(*) FROM DB0253 WHERE 手配番号>5000 AND (生産計画番号 IS NULL OR 品名コード IS NULL"
                                " OR 作業開始日付 IS NULL OR 完納区分 IS NULL OR 削除フラグ IS NULL)"))
        != 0)
        return "(e) a created arrangement is half written";
    if (p.number(QStringLiteral("SELECT COUNT(*) FROM DB0253 a WHERE 手配番号>5000 AND 削除フラグ='0' AND 順序<>999"
                                " AND NOT EXISTS (SELECT 1 FROM DB0252 r WHERE r.上位手配番号=a.手配番号)"))
        != 0)
        return "(e) a created arrangement has no requirement rows";
    return {};
}

std::string placeOf(const PlanRecord &lot)
{
    return (lot.MachineCode.trimmed() + QLatin1Char(' ') + lot.StartDate.toString(Qt::ISODate) + QLatin1Char(' ')
            + lot.StartTime.toString() + QStringLiteral("-") + lot.EndDate.toString(Qt::ISODate) + QLatin1Char(' ')
            + lot.EndTime.toString())
        .toStdString();
}

// (c): every lot a save wrote and nothing changed since, loaded afresh, as memory shows it.
std::string checkFreshLoad(SessionPlant &p, const Ledger &ledger)
{
    std::unique_ptr<PlanSession> fresh = p.freshLoad();
    std::map<qint64, const PlanRecord *> loaded;
    for (const qint64 i : shownLots(fresh->store()))
        for (const MemberSlot *member : membersOf(fresh->store()[i]))
            loaded[member->ArrangementNo] = &fresh->store()[i];
    for (const qint64 i : shownLots(p.store())) {
        const PlanRecord &lot = p.store()[i];
        if (lot.MembersWritten != 0)
            continue;
        for (const MemberSlot *member : membersOf(lot)) {
            if (!ledger.written.count(member->ArrangementNo) || member->Quantity == 0)
                continue;
            const auto found = loaded.find(member->ArrangementNo);
            if (found == loaded.end()) {
                if (member->ProcessName == QStringLiteral("塗装"))
                    continue; // a painting arrangement belongs to another class's chart
                return "(c) saved arrangement " + std::to_string(member->ArrangementNo) + " does not load again";
            }
            const PlanRecord &again = *found->second;
            if (again.Quantity != lot.Quantity)
                return "(c) lot " + std::to_string(lot.ArrangementNo) + " loads with another quantity";
            // A lot sent back to its loaded dates has no times (midnight to midnight, over one day
            // or several): the load lets it wait on the strip, and the save says so.
            const bool placed = lot.StartTime != QTime(0, 0) || lot.EndTime != QTime(0, 0);
            if (lot.isConfirmed() && placed
                && (again.StartDate != lot.StartDate || again.StartTime != lot.StartTime || again.EndDate != lot.EndDate
                    || again.MachineCode.trimmed() != lot.MachineCode.trimmed()))
                return "(c) confirmed lot " + std::to_string(lot.ArrangementNo) + " shown at " + placeOf(lot)
                       + ", loads at " + placeOf(again);
        }
    }
    return {};
}

// With KALVUNER_MODEL_TRACE set, each step and the lots after it go to the output.
void trace(const Step &step, const PlanStore &store)
{
    static const bool on = qEnvironmentVariableIsSet("KALVUNER_MODEL_TRACE");
    if (!on)
        return;
    std::cout << step.text() << '\n';
    for (const qint64 i : shownLots(store)) {
        const PlanRecord &lot = store[i];
        std::cout << "  [" << i << "] " << lot.ArrangementNo << " q" << lot.Quantity << (lot.MembersWritten ? "*" : "")
                  << " " << placeOf(lot) << " :";
        for (const MemberSlot *m : membersOf(lot))
            std::cout << ' ' << m->ArrangementNo << '/' << m->AuxNo << '=' << m->Quantity;
        std::cout << '\n';
    }
}

void noteWritten(const PlanStore &store, const SaveResult &result, Ledger &ledger)
{
    for (const qint64 index : result.savedLots)
        if (index <= store.lastIndex())
            for (const MemberSlot *member : membersOf(store[index]))
                ledger.written.insert(member->ArrangementNo);
}

std::string PlanModel::run(const std::vector<Step> &steps, quint32 seed)
{
    restore();
    m_answers.seed(seed);
    p.load();
    Ledger ledger;
    const auto afterSave = [&](const SaveResult &result) -> std::string {
        noteWritten(p.store(), result, ledger);
        std::string broken = checkDatabase(p, m_startPieces, ledger);
        return broken.empty() ? checkFreshLoad(p, ledger) : broken;
    };
    for (size_t n = 0; n < steps.size(); ++n) {
        const Step &step = steps[n];
        PlanSession &session = p.session();
        const std::vector<qint64> lots = shownLots(session.store());
        if (lots.empty())
            break;
        const qint64 lot = lots[step.a % lots.size()];
        const qint64 other = lots[step.b % lots.size()];
        const QStringList machines{"M1", "M2", "M3"};
        const QString day = QDate(2024, 4, 8).addDays(step.c % 14).toString(QStringLiteral("yyyy/MM/dd"));
        // Any change of the plan may touch what a save wrote: it is compared again once saved.
        if (step.kind != Kind::Save && step.kind != Kind::SaveRefused && step.kind != Kind::SaveChangedElsewhere
            && step.kind != Kind::Reload)
            ledger.written.clear();
        try {
            switch (step.kind) {
            case Kind::Move:
                p.move(lot, machines[int(step.b % 3)], day + QStringLiteral(" %1:00").arg(8 + step.c % 10, 2, 10, QChar(u'0')));
                break;
            case Kind::Merge:
                if (lot != other)
                    p.mergeOrMove(lot, other);
                break;
            case Kind::Pack:
                session.pack(2 + int(step.a % 3));
                break;
            case Kind::SplitLot: {
                const PlanRecord &record = session.store()[lot];
                if (record.Members.at(0).isFree() || record.Members.at(0).Quantity < 2)
                    break;
                p.splitLot(lot, record.Members.at(0).PlanNo, 1 + qint64(step.b % quint32(record.Members.at(0).Quantity - 1)));
                break;
            }
            case Kind::SplitProcess: {
                const std::vector<const MemberSlot *> members = membersOf(session.store()[lot]);
                if (members.size() >= 2)
                    p.splitProcesses(lot, {members[step.b % members.size()]->ArrangementNo});
                break;
            }
            case Kind::AddProcess:
                p.addProcesses(lot, 1);
                break;
            case Kind::Hours: {
                const int row = 2 + int(step.a % 3);
                if (const auto hours = linePlanDayOn(session.rows(), session.calendar(), row,
                                                     QDate(2024, 4, 8).addDays(step.c % 14))) {
                    LinePlanTexts texts;
                    texts.hours = QString::number(8 + step.b % 17);
                    session.changeMachineDay(*hours, texts);
                }
                break;
            }
            case Kind::Confirm: {
                KakuteiScope scope;
                session.confirmLots(step.a % 2 ? QStringLiteral("2") : QStringLiteral("1"), scope);
                break;
            }
            case Kind::Unassign:
                session.returnToLoadedDates(lot);
                break;
            case Kind::Undo:
                session.undo();
                break;
            case Kind::Redo:
                session.redo();
                break;
            case Kind::Save:
                if (std::string broken = afterSave(p.save()); !broken.empty())
                    return broken;
                break;
            case Kind::SaveRefused: {
                const std::vector<const MemberSlot *> members = membersOf(session.store()[lot]);
                p.refuseWritesOf(members.empty() ? 0 : members[step.b % members.size()]->ArrangementNo);
                const SaveResult result = p.save();
                p.allowWrites();
                if (std::string broken = afterSave(result); !broken.empty())
                    return broken;
                break;
            }
            case Kind::SaveChangedElsewhere: {
                // A row of the class's own chart: the plan read it at the load.
                const std::vector<const MemberSlot *> members = membersOf(session.store()[lot]);
                const MemberSlot *member = members.empty() ? nullptr : members[step.b % members.size()];
                const qint64 number = member && member->ProcessName != QStringLiteral("塗装") ? member->ArrangementNo : 0;
                if (number > 0) {
                    p.other->run(QStringLiteral("UPDATE DB0253 SET 作業開始時間=? WHERE 手配番号=?"), {markerTime(n), number});
                    ledger.changedElsewhere[number] = {markerTime(n), false};
                    ledger.written.erase(number); // memory no longer shows what the row holds
                }
                // The window for lots changed elsewhere: 上書き, 破棄して再読込 or キャンセル.
                using Policy = PlanSession::ElsewherePolicy;
                const Policy policy = std::array{Policy::Overwrite, Policy::ReadAgain, Policy::KeepUnsaved}[step.c % 3];
                bool asked = false;
                std::string broken;
                const SaveResult result = p.save([&](const SaveResult &left) {
                    asked = true;
                    broken = afterSave(left);
                    for (const ElsewhereChange &change : left.changedElsewhere)
                        if (policy == Policy::Overwrite)
                            ledger.changedElsewhere[change.arrangementNo].overwritten = true;
                        else if (policy == Policy::ReadAgain)
                            ledger.changedElsewhere.erase(change.arrangementNo);
                    return policy;
                });
                if (broken.empty() && (!asked || policy == Policy::Overwrite))
                    broken = afterSave(result);
                if (!broken.empty())
                    return broken;
                break;
            }
            case Kind::Reload:
                p.load();
                ledger = Ledger();
                if (std::string broken = checkDatabase(p, m_startPieces, ledger); !broken.empty())
                    return broken;
                break;
            }
        } catch (const DbError &error) {
            return "a database error: " + error.text.toStdString();
        }
        trace(step, p.store());
    }
    // The last word: everything saved, the database read afresh.
    const SaveResult last = p.save();
    if (last.outcome == SaveResult::Outcome::Complete || !last.savedLots.empty())
        if (std::string broken = afterSave(last); !broken.empty())
            return broken;
    return {};
}

// The shortest sequence found by leaving out steps one at a time while it still fails.
std::vector<Step> shortened(std::vector<Step> steps, const std::function<bool(const std::vector<Step> &)> &fails)
{
    bool shorter = true;
    while (shorter) {
        shorter = false;
        for (size_t k = 0; k < steps.size(); ++k) {
            std::vector<Step> without = steps;
            without.erase(without.begin() + qsizetype(k));
            if (fails(without)) {
                steps = std::move(without);
                shorter = true;
                break;
            }
        }
    }
    return steps;
}

int environmentNumber(const char *name, int otherwise)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : otherwise;
}

TEST_P(PlanModel, RandomSequencesOfActionsSavesAndReloadsLoseNothing)
{
    const int sequences =
        environmentNumber("KALVUNER_MODEL_SEQUENCES", GetParam() == TestPlant::Backend::Sqlite ? 160 : 40);
    const quint32 first = quint32(environmentNumber("KALVUNER_MODEL_SEED", 1));
    QElapsedTimer timer;
    timer.start();
    for (quint32 seed = first; seed < first + quint32(sequences); ++seed) {
        const std::vector<Step> steps = sequenceOf(seed);
        const std::string broken = run(steps, seed);
        if (broken.empty())
            continue;
        const std::vector<Step> shortest =
            shortened(steps, [&](const std::vector<Step> &tried) { return !run(tried, seed).empty(); });
        std::string listed;
        for (const Step &step : shortest)
            listed += "\n  " + step.text();
        FAIL() << "seed " << seed << ": " << run(shortest, seed) << "\nshortest failing sequence:" << listed;
    }
    std::cout << "[ model    ] seeds " << first << " to " << first + quint32(sequences) - 1 << " on "
              << TestPlant::name(GetParam()) << ", " << StepsPerSequence << " steps each, in " << timer.elapsed()
              << " ms\n";
}

} // namespace
