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

    // The rows of one arrangement, in order, handed over rather than copied (a load takes
    // each arrangement once); none when it has no requirement rows or they were taken.
    std::vector<RequirementRow> takeRowsOf(qint64 arrangementNo);

private:
    QHash<qint64, std::vector<RequirementRow>> m_rows;
};
