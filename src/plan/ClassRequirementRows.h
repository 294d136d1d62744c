#pragma once
// The requirement rows (DB0252) of every open arrangement of a process class, read with one
// statement for the whole class and handed to each lot as it is loaded.

#include "plan/PlanRecord.h"

#include <QHash>
#include <vector>

class Database;
class TextPool;

class ClassRequirementRows
{
public:
    // Keeps at most `perLot` rows of each arrangement, the first ones by item code and
    // sequence. Throws DbError when the statement fails.
    static ClassRequirementRows load(Database &db, const QString &processClassCode, qint64 plantCode,
                                     int perLot, TextPool &pool);

    // The rows of one arrangement, in order; none when it has no requirement rows.
    std::vector<RequirementRow> rowsOf(qint64 arrangementNo) const;

    qsizetype rowCount() const { return qsizetype(m_rows.size()); }

private:
    struct Range
    {
        qsizetype begin = 0;
        qsizetype count = 0;
    };
    std::vector<RequirementRow> m_rows;
    QHash<qint64, Range> m_ranges;
};
