#include "db/RowWriter.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// A plain table or column name of the plant database: letters (Japanese included), digits
// and underscores, nothing that could end a name or start another clause.
void checkName(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[\\p{L}\\p{M}\\p{N}_＿]+$"));
    if (!plain.match(name).hasMatch())
        throw DbError(QStringLiteral("書き込み先の名前が正しくありません: 「%1」").arg(name));
}

} // namespace

qint64 updateRow(Database &db, const QString &table, const QVariantMap &key, const QVariantMap &set)
{
    checkName(table);
    if (key.isEmpty() || set.isEmpty())
        throw DbError(QStringLiteral("%1 の更新にキーまたは更新項目がありません。").arg(table));
    QStringList assignments;
    QStringList conditions;
    QVariantList values;
    for (auto it = set.cbegin(); it != set.cend(); ++it) {
        checkName(it.key());
        assignments << it.key() + QStringLiteral("=?");
        values << it.value();
    }
    for (auto it = key.cbegin(); it != key.cend(); ++it) {
        checkName(it.key());
        conditions << it.key() + QStringLiteral("=?");
        values << it.value();
    }
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                            .arg(table, assignments.join(u','), conditions.join(QStringLiteral(" AND ")));
    return db.run(sql, values).numRowsAffected();
}

void insertRow(Database &db, const QString &table, const QVariantMap &columns)
{
    checkName(table);
    if (columns.isEmpty())
        throw DbError(QStringLiteral("%1 に追加する項目がありません。").arg(table));
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (auto it = columns.cbegin(); it != columns.cend(); ++it) {
        checkName(it.key());
        names << it.key();
        marks << QStringLiteral("?");
        values << it.value();
    }
    db.run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(u','), marks.join(u',')), values);
}
