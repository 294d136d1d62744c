#pragma once
// What the plan knew of one arrangement row (DB0253) when it read it: a small hash per group
// of the columns that the save writes or that decide what it writes. The shop floor books
// actuals and completion, the order desk changes quantities and a second planner may move
// the same lots; comparing the stored row with this fingerprint before writing tells whether
// someone changed the row since the plan read it, and roughly what.

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <functional>

// What changed in a row, as flags.
enum ArrangementChange : unsigned {
    QuantityChanged = 1u << 0,   // 手配数
    ActualsChanged = 1u << 1,    // 受入実績数
    CompletionChanged = 1u << 2, // 完納区分, 削除フラグ
    ScheduleChanged = 1u << 3,   // machine, destination, dates, times, durations
    StateChanged = 1u << 4,      // confirmation, fixing, the audit columns
    NotesChanged = 1u << 5,      // 備考, サイクル, display class, parent arrangement
    PriceChanged = 1u << 6,      // arrangement and purchase kinds, unit price and amounts
};

struct ArrangementFingerprint
{
    quint32 quantity = 0;
    quint32 actuals = 0;
    quint32 completion = 0;
    quint32 schedule = 0;
    quint32 state = 0;
    quint32 notes = 0;
    quint32 price = 0;

    bool operator==(const ArrangementFingerprint &) const = default;
    // The ArrangementChange flags of the groups that differ from `other`.
    unsigned changesFrom(const ArrangementFingerprint &other) const;
};

// The columns of the fingerprint, in the order `fingerprintOf` asks for them: every column the
// save writes to an arrangement it read.
const QStringList &fingerprintColumns();
// The ArrangementChange flag of column k of fingerprintColumns().
unsigned fingerprintColumnGroup(int k);
// Whether two values of column k read the same (numbers by value, texts without trailing blanks).
bool sameFingerprintValue(int k, const QVariant &a, const QVariant &b);
// The same names in lower case (as PostgreSQL folds them).
const QStringList &fingerprintColumnsLowerCase();
// The fingerprint of a row whose value of column k of fingerprintColumns() is valueAt(k).
// Numbers compare by value and texts without trailing blanks, so that a row reads the same
// whichever backend or type gave its values.
ArrangementFingerprint fingerprintOf(const std::function<QVariant(int)> &valueAt);

// The fingerprints of the arrangements of a plan by arrangement number: taken at the load,
// replaced by what the save wrote. Kept beside the plan store rather than in the lots, so
// that undo and redo, which restore lots, never touch what is known of the database.
class ArrangementFingerprints
{
public:
    const ArrangementFingerprint *find(qint64 arrangementNo) const;
    void keep(qint64 arrangementNo, const ArrangementFingerprint &fingerprint);
    void clear() { m_known.clear(); }
    qsizetype size() const { return m_known.size(); }

private:
    QHash<qint64, ArrangementFingerprint> m_known;
};
