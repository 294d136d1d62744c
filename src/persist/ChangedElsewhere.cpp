#include "persist/ChangedElsewhere.h"

#include "persist/ArrangementRow.h"

QString ElsewhereChange::describe() const
{
    QStringList parts;
    if (gone)
        parts << (changes & CompletionChanged ? QStringLiteral("完納または削除") : QStringLiteral("削除"));
    else if (changes & CompletionChanged)
        parts << QStringLiteral("完納区分");
    if (changes & QuantityChanged)
        parts << QStringLiteral("数量");
    if (changes & ActualsChanged)
        parts << QStringLiteral("実績");
    if (changes & ScheduleChanged)
        parts << QStringLiteral("機械・日時");
    if (changes & StateChanged)
        parts << QStringLiteral("確定・固定・更新");
    return parts.join(QStringLiteral("・"));
}

ArrangementFingerprint fingerprintOfRow(const ArrangementRow &row)
{
    const QStringList &columns = fingerprintColumnsLowerCase();
    return fingerprintOf([&](int k) { return row.valueOfLowerCase(columns[k]); });
}

void ElsewhereCheck::compare(qint64 number, const ArrangementRow &stored) const
{
    if (!m_known)
        return;
    const ArrangementFingerprint *loaded = m_known->find(number);
    if (!loaded)
        return;
    const ArrangementFingerprint now = fingerprintOfRow(stored);
    const bool gone = stored.text(QStringLiteral("完納区分")) == QStringLiteral("2")
                      || stored.text(QStringLiteral("削除フラグ")) == QStringLiteral("1");
    if (now == *loaded || (m_overwrite && !gone))
        return;
    throw LotChangedElsewhere{{0, number, stored.text(QStringLiteral("品名コード")).trimmed(), now.changesFrom(*loaded),
                               gone}};
}

void ElsewhereCheck::missing(qint64 number) const
{
    if (m_known && m_known->find(number))
        throw LotChangedElsewhere{{0, number, QString(), CompletionChanged, true}};
}

void ElsewhereCheck::written(qint64 number, const ArrangementRow &row)
{
    if (m_known)
        m_pending.emplace_back(number, fingerprintOfRow(row));
}

void ElsewhereCheck::lotCommitted()
{
    for (const auto &[number, fingerprint] : m_pending)
        m_known->keep(number, fingerprint);
    m_pending.clear();
}
