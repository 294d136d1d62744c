#include "plan/MoldShortNames.h"

#include "db/Rows.h"
#include "db/Statements.h"
#include "plan/TextPool.h"

MoldShortNames MoldShortNames::load(Database &db, TextPool &pool)
{
    MoldShortNames result;
    Rows molds = select(db, sql::MoldShortNames);
    const RowReader &row = molds.row();
    const int moldNo = row.column(QStringLiteral("金型番号"));
    const int shortName = row.column(QStringLiteral("金型略称"));
    while (molds.next()) {
        // A mold number listed twice keeps the name of its first row.
        const QString key = row.textAt(moldNo);
        if (!result.m_names.contains(key))
            result.m_names.insert(key, pool.intern(row.textAt(shortName)));
    }
    if (const QString error = molds.error(); !error.isEmpty())
        throw DbError(QStringLiteral("金型データの読込に失敗しました。\n") + error);
    return result;
}
