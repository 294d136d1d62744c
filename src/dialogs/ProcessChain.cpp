#include "dialogs/ProcessChain.h"

#include "db/Rows.h"
#include "db/Statements.h"
#include "dialogs/DetailLines.h"

#include <QSet>

namespace {

// Follows the chain from `arrangementNo`: the first row through `first`, every next one
// through `next` with the previous row's 上位手配番号, each row handed to `visit`.
template<class Visit>
void walkChain(Database &db, const QString &first, const QString &next, qint64 arrangementNo, Visit &&visit)
{
    QSet<qint64> seen;
    const QString *statement = &first;
    qint64 number = arrangementNo;
    while (number != 0 && !seen.contains(number)) {
        seen.insert(number);
        Rows rows = select(db, *statement, {number});
        if (!rows.next())
            return;
        const RowReader &row = rows.row();
        visit(row);
        number = row.integer(QStringLiteral("上位手配番号"));
        statement = &next;
    }
}

QString showLine(const RowReader &row, const QString &placeColumn)
{
    return monthDay(row.text(QStringLiteral("納期"))) + QLatin1Char(' ')
           + QString::number(row.integer(QStringLiteral("手配番号"))) + QLatin1Char(' ')
           + row.text(QStringLiteral("品名コード")) + QLatin1Char(' ') + row.text(placeColumn) + QLatin1Char(' ')
           + row.text(QStringLiteral("工程内容名")).trimmed();
}

} // namespace

QList<ChainLink> processAddChain(Database &db, qint64 arrangementNo)
{
    QList<ChainLink> chain;
    walkChain(db, sql::ChainProcess, sql::ChainProcess, arrangementNo, [&](const RowReader &row) {
        chain.append({row.integer(QStringLiteral("手配番号")), row.text(QStringLiteral("工程内容名")).trimmed()});
    });
    return chain;
}

QString chainLine(const ChainLink &link)
{
    return QString::number(link.arrangementNo) + QLatin1Char(' ') + link.processName;
}

QStringList processShowLines(Database &db, qint64 arrangementNo)
{
    QStringList lines;
    // 0 is "no arrangement": every last process of the plant names it as its next.
    if (arrangementNo <= 0)
        return lines;
    walkChain(db, sql::ProcessShowByNo, sql::ProcessShowNext, arrangementNo,
              [&](const RowReader &row) { lines << showLine(row, QStringLiteral("機械コード")); });
    Rows earlier = select(db, sql::ProcessShowEarlier, {arrangementNo});
    while (earlier.next())
        lines.prepend(showLine(earlier.row(), QStringLiteral("ラインコード")));
    return lines;
}
