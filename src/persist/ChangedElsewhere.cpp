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
    if (changes & NotesChanged)
        parts << QStringLiteral("備考・サイクル");
    if (changes & PriceChanged)
        parts << QStringLiteral("手配区分・単価");
    return parts.join(QStringLiteral("・"));
}

namespace {

QString shown(const QVariant &value)
{
    return value.isNull() ? QStringLiteral("空") : QStringLiteral("「%1」").arg(value.toString());
}

} // namespace

QString overwrittenReport(const std::vector<OverwrittenValue> &values)
{
    QStringList lines;
    for (const OverwrittenValue &value : values)
        lines << QStringLiteral("手配番号 %1 %2: %3→%4")
                     .arg(value.arrangementNo)
                     .arg(value.column, shown(value.theirs), shown(value.ours));
    return lines.join(u'\n');
}

ArrangementFingerprint fingerprintOfRow(const ArrangementRow &row)
{
    const QStringList &columns = fingerprintColumnsLowerCase();
    return fingerprintOf([&](int k) { return row.valueOfLowerCase(columns[k]); });
}

void ElsewhereCheck::beginTransaction()
{
    m_pending.clear();
    m_overwriting.clear();
    m_pendingOverwritten.clear();
}

std::optional<ElsewhereChange> ElsewhereCheck::changeOf(qint64 number, const ArrangementRow &stored) const
{
    const ArrangementFingerprint *loaded = m_known ? m_known->find(number) : nullptr;
    if (!loaded)
        return std::nullopt;
    const ArrangementFingerprint now = fingerprintOfRow(stored);
    if (now == *loaded)
        return std::nullopt;
    const bool gone = stored.text(QStringLiteral("完納区分")) == QStringLiteral("2")
                      || stored.text(QStringLiteral("削除フラグ")) == QStringLiteral("1");
    return ElsewhereChange{0, number, stored.text(QStringLiteral("品名コード")).trimmed(), now.changesFrom(*loaded), gone};
}

void ElsewhereCheck::compare(qint64 number, const ArrangementRow &stored)
{
    const std::optional<ElsewhereChange> change = changeOf(number, stored);
    if (!change)
        return;
    if (m_overwrite && !change->gone) {
        OverwrittenRow row{number, change->changes, {}};
        for (const QString &column : fingerprintColumnsLowerCase())
            row.theirs.push_back(stored.valueOfLowerCase(column));
        m_overwriting.push_back(std::move(row));
        return;
    }
    throw LotChangedElsewhere{*change};
}

void ElsewhereCheck::missing(qint64 number) const
{
    if (m_known && m_known->find(number))
        throw LotChangedElsewhere{{0, number, QString(), CompletionChanged, true}};
}

void ElsewhereCheck::written(qint64 number, const ArrangementRow &row)
{
    if (!m_known)
        return;
    m_pending.emplace_back(number, fingerprintOfRow(row));
    // Within the groups others changed, each value that differs from what the lot wrote.
    const QStringList &columns = fingerprintColumns();
    for (const OverwrittenRow &before : m_overwriting) {
        if (before.number != number)
            continue;
        for (int k = 0; k < columns.size(); ++k) {
            const QVariant ours = row.valueOfLowerCase(fingerprintColumnsLowerCase()[k]);
            if ((before.changes & fingerprintColumnGroup(k)) && !sameFingerprintValue(k, before.theirs[size_t(k)], ours))
                m_pendingOverwritten.push_back({number, columns[k], before.theirs[size_t(k)], ours});
        }
    }
}

void ElsewhereCheck::lotCommitted()
{
    for (const auto &[number, fingerprint] : m_pending)
        m_known->keep(number, fingerprint);
    m_pending.clear();
    m_overwritten.insert(m_overwritten.end(), m_pendingOverwritten.begin(), m_pendingOverwritten.end());
    m_pendingOverwritten.clear();
    m_overwriting.clear();
}
