#include "plan/MoldShortNames.h"

#include "db/Database.h"
#include "db/Statements.h"
#include "plan/TextPool.h"

#include <QSqlError>

MoldShortNames MoldShortNames::load(Database &db, TextPool &pool)
{
    MoldShortNames result;
    QSqlQuery query = db.run(sql::MoldShortNames);
    const RowReader row(query);
    const int moldNo = row.column(QStringLiteral("金型番号"));
    const int shortName = row.column(QStringLiteral("金型略称"));
    while (query.next()) {
        // A mold number listed twice keeps the name of its first row.
        const QString key = row.textAt(moldNo);
        if (!result.m_names.contains(key))
            result.m_names.insert(key, pool.intern(row.textAt(shortName)));
    }
    if (query.lastError().isValid())
        throw DbError(QStringLiteral("金型データの読込に失敗しました。\n") + query.lastError().text());
    return result;
}
