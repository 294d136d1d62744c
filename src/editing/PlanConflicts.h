#pragma once
// What is wrong with the plan, kept current lot by lot: lots on one machine row whose times
// overlap, and lots that need the same mold at the same time on different rows. Hidden lots
// (left open in the detail window) and merged-away lots stand on no row; the mold rule is the
// save's (see MoldOverlap.h), so the save's mold question and the chart's marks agree, except
// that a lot waiting on the unassigned strip is shown in no mold conflict: it has no time on
// a press, so it holds no mold while another lot runs (the save still counts it).
//
// Each lot is indexed by its row and by its mold; a changed lot is taken out and put back,
// meeting only the lots of its row and its mold near its time.

#include "editing/LotIntervals.h"
#include "plan/ChartRows.h"
#include "plan/PlanStore.h"

#include <QHash>
#include <QList>
#include <QString>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

struct PlanConflict
{
    enum class Kind { Row, Mold };
    Kind kind = Kind::Row;
    qint64 first = 0;  // store index, the smaller of the two
    qint64 second = 0;
    auto operator<=>(const PlanConflict &) const = default;
};

// "機械重複" for lots overlapping on one row, "金型重複" for a mold needed twice at once.
QString conflictKindText(PlanConflict::Kind kind);

class PlanConflicts
{
public:
    explicit PlanConflicts(const ChartRows &rows) : m_rows(rows) {}

    // Indexes every lot of `store` afresh (after loading).
    void rebuild(const PlanStore &store);
    // Follows the change of these lots (indices beyond the store's last one are gone). Returns
    // the lots whose conflicts may have changed: them and the lots they met before and after.
    QList<qint64> update(const PlanStore &store, const QList<qint64> &indices);

    // The conflicts to show: every row overlap and every mold overlap across rows.
    qint64 count() const { return m_rowPairs + m_shownMoldPairs; }
    std::vector<PlanConflict> conflicts() const;
    // The lot is in a conflict to show.
    bool isMarked(qint64 lot) const;
    // The count of the save's mold question for the plan as it stands.
    qint64 moldQuestionCount() const { return m_saveCount; }

    // The chart row a lot stands on for the conflicts (2 or more), 0 when on none.
    int rowOf(qint64 lot) const;
    // The lots standing on a row; null when none ever did.
    const LotIntervals *lotsOnRow(int row) const;

    // Minutes the two lots of a conflict run at the same time.
    static qint64 overlapMinutes(const PlanStore &store, const PlanConflict &conflict);

private:
    // What of a lot the index holds.
    struct Print
    {
        int row = 0;
        QString mold;        // empty when the lot takes no part in the mold check
        qint64 start = 0;
        qint64 end = 0;
        bool onMachine = false; // holds its mold in a press
        bool waits = false;     // waits on the unassigned strip
        bool changed = false;
    };
    Print printOf(const PlanRecord &lot);
    int chartRow(const PlanRecord &lot);
    void take(qint64 index, QList<qint64> &touched);
    void put(const PlanStore &store, qint64 index, QList<qint64> &touched);
    void meetOnRow(qint64 index, const Print &print, QList<qint64> &touched);
    void meetOnMold(qint64 index, const Print &print, QList<qint64> &touched);
    static qint64 saveShare(const Print &a, const Print &b);
    // A mold conflict is shown between lots off the strip that stand on different rows.
    static bool shown(const Print &a, const Print &b)
    {
        return !a.waits && !b.waits && (a.row == 0 || a.row != b.row);
    }

    const ChartRows &m_rows;
    QHash<std::pair<QString, QString>, int> m_rowOfCodes; // machine and subcontractor code -> row
    std::vector<Print> m_prints;                           // by store index
    std::unordered_map<int, LotIntervals> m_rowLots;
    QHash<QString, LotIntervals> m_moldLots;
    std::unordered_map<qint64, std::set<qint64>> m_rowPartners;
    std::unordered_map<qint64, std::map<qint64, bool>> m_moldPartners; // partner -> shown
    std::vector<int> m_shownCount; // shown conflicts of each lot, by store index
    qint64 m_rowPairs = 0;
    qint64 m_shownMoldPairs = 0;
    qint64 m_saveCount = 0;
};
