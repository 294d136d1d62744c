#pragma once
// A small molding plant in a database, loaded through a plan session as the window loads it:
// class "10" (成形) on machines M1 to M3 that work around the clock, item CASE-0001 (ninth
// character "1": counted in its lot's quantity) and CASE-0002 (ninth character "2"), each
// molding lot feeding a painting arrangement of class "20" (its last process, 順序 999), one
// material per molding lot, the numbering of arrangements, and a second connection for what
// the shop floor or the order desk writes meanwhile.

#include "ScriptedPrompter.h"
#include "TestPlant.h"
#include "persist/SaveProgress.h"
#include "plan/RunContext.h"
#include "session/PlanSession.h"

#include <map>
#include <memory>

class SessionPlant
{
public:
    // One molding lot and the painting arrangement it feeds (its number + 1000).
    struct Lot
    {
        qint64 number = 0;
        qint64 planNo = 700;
        QString item = QStringLiteral("CASE-0001");
        QString machine = QStringLiteral("M1      ");
        QString start = QStringLiteral("2024/04/10 09:00"); // the end follows at 36 s a piece
        qint64 quantity = 300;
        QString confirm = QStringLiteral("2");
        qint64 paintingQuantity = -1; // the painting arrangement's; -1: the same as the lot's
        bool lastProcess = false;     // molded at 順序 999 (item CASE-0011), nothing painted after
        QVariantMap columns;          // further columns of the molding arrangement
    };

    explicit SessionPlant(TestPlant::Backend backend);

    // A molding lot of `planNo` with the rest as given above.
    static Lot lot(qint64 number, qint64 planNo, const QString &item, const QString &machine, const QString &start,
                   qint64 quantity, const QString &confirm = QStringLiteral("2"));
    // The plant's lots: these unless the test adds others before load().
    static std::vector<Lot> standardLots();
    void add(const Lot &lot);

    // A new plan session of the class, loaded; replaces the previous one.
    PlanSession &load();
    // Another session of the class, loaded from the database as it stands (for comparing).
    std::unique_ptr<PlanSession> freshLoad();
    // DB0251 指示済数 as the confirmed, live last-process arrangements of each plan add up.
    void settlePlanTotals();
    PlanSession &session() { return *m_session; }
    const PlanStore &store() const { return m_session->store(); }
    // The record of arrangement `number` (0 when no shown lot holds it as its own number).
    qint64 lotOf(qint64 number) const;

    // Saves as the 保存 button does; `choose` answers the window for lots changed elsewhere.
    SaveResult save(const PlanSession::ElsewhereChoice &choose = {});
    // The chart row of `machine` (the strip's when no row has it).
    QString rowCode(const QString &machine);

    // The planner's actions, as the mouse and the detail window do them.
    bool move(qint64 lot, const QString &machine, const QString &when); // "yyyy/MM/dd HH:mm"
    // Drops `source` on `target`: a merge when it qualifies and the planner agrees, else a move.
    bool mergeOrMove(qint64 source, qint64 target);
    qint64 splitLot(qint64 lot, qint64 planNo, qint64 pieces);
    qint64 splitProcesses(qint64 lot, const std::vector<qint64> &members);
    bool addProcesses(qint64 lot, int count);

    // Plain readings of the database.
    qint64 number(const QString &sql, const QVariantList &values = {});
    QVariant value(const QString &sql, const QVariantList &values = {});
    // 手配数 of the live arrangements of each production plan, by plan and process step.
    std::map<std::pair<qint64, qint64>, qint64> livePieces();
    // 必要数 of the live requirement rows, summed over the plant.
    double liveDemand();
    // A trigger that makes the database refuse every write of arrangement `number`.
    void refuseWritesOf(qint64 number);
    void allowWrites();

    TestPlant plant;
    std::unique_ptr<Database> other; // the second connection
    RunContext run;
    ScriptedPrompter prompter;
    Prompter *sessionPrompter = &prompter; // what the sessions load() makes ask and tell
    QuietProgress progress;

private:
    std::unique_ptr<PlanSession> m_session;
};

#define SESSION_SUITE(name)                                                                                \
    INSTANTIATE_TEST_SUITE_P(Backends, name, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName)
