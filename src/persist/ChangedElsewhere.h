#pragma once
// The check that keeps a save from overwriting what others changed since the plan read it.
// Before a lot's arrangement row is written, the row is read under the lot's transaction
// (locked on PostgreSQL) and compared with the fingerprint the plan took of it. A row that
// differs stops the lot: the transaction is undone, the lot keeps its changed flag and the
// save lists it. The planner may have such a lot written anyway, except when the row was
// completed or deleted elsewhere: those can only be read again.

#include "plan/ArrangementFingerprint.h"

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

class ArrangementRow;

// One lot whose arrangement changed elsewhere.
struct ElsewhereChange
{
    qint64 lot = 0;           // record index
    qint64 arrangementNo = 0; // the arrangement found changed
    QString itemCode;         // its item as stored now
    unsigned changes = 0;     // ArrangementChange flags
    bool gone = false;        // completed ("2") or deleted elsewhere: never overwritten

    // "数量・実績…" : what changed, in the planner's words.
    QString describe() const;
};

// One value a save wrote over: the row held `theirs`, written there by another program or
// planner since the plan read it, and the save put `ours` in its place.
struct OverwrittenValue
{
    qint64 arrangementNo = 0;
    QString column;
    QVariant theirs, ours;
};

// The values written over, one line each: "手配番号 1001 備考: 「至急」→「 」".
QString overwrittenReport(const std::vector<OverwrittenValue> &values);

// Thrown out of the lot's save when a row changed elsewhere; the caller undoes the lot.
struct LotChangedElsewhere
{
    ElsewhereChange change;
};

class ElsewhereCheck
{
public:
    // `known` may be null: a plan that was not read from the database has nothing to compare.
    explicit ElsewhereCheck(ArrangementFingerprints *known) : m_known(known) {}

    bool active() const { return m_known != nullptr; }

    // A transaction of one or more lots starts.
    void beginTransaction();
    // A lot's save starts within it; `overwrite` lets it write over rows changed elsewhere
    // unless they were completed or deleted.
    void beginLot(bool overwrite) { m_overwrite = overwrite; }
    // The stored row of arrangement `number` as read for the save; throws LotChangedElsewhere.
    // A row changed elsewhere that the lot may write over is remembered, to tell what it wrote
    // over.
    void compare(qint64 number, const ArrangementRow &stored);
    // Arrangement `number` is no longer in the table; throws LotChangedElsewhere when the plan
    // had read it.
    void missing(qint64 number) const;
    // How the stored row of arrangement `number` differs from what the plan read of it; nothing
    // when it does not, or when the plan never read it.
    std::optional<ElsewhereChange> changeOf(qint64 number, const ArrangementRow &stored) const;
    // The row as the save wrote it: its fingerprint once the lot's transaction is committed,
    // and the values of others it wrote over.
    void written(qint64 number, const ArrangementRow &row);
    // The transaction was committed: what it wrote is what the plan now knows of the rows.
    void lotCommitted();

    // The values the committed lots wrote over, in the order written.
    const std::vector<OverwrittenValue> &overwritten() const { return m_overwritten; }

private:
    // A row changed elsewhere as read before the lot wrote over it.
    struct OverwrittenRow
    {
        qint64 number = 0;
        unsigned changes = 0;
        std::vector<QVariant> theirs; // per fingerprint column
    };

    ArrangementFingerprints *m_known;
    bool m_overwrite = false;
    std::vector<std::pair<qint64, ArrangementFingerprint>> m_pending;
    std::vector<OverwrittenRow> m_overwriting;
    std::vector<OverwrittenValue> m_pendingOverwritten, m_overwritten;
};

ArrangementFingerprint fingerprintOfRow(const ArrangementRow &row);
