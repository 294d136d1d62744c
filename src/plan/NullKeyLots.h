#pragma once
// Open arrangements of the class that the plan statement cannot take because 完納区分,
// 削除フラグ, 生産工場コード or 品名コード is null: its comparisons are false on a null, so such
// a lot would be missing from the chart without a word. The statement stays as the plant runs
// it; the load's check of the arrangement numbers finds them and the planner is warned once.

#include <QStringList>
#include <QVariant>

class Prompter;

class NullKeyLots
{
public:
    // One such arrangement by its number (null when it has none).
    void add(const QVariant &arrangementNo);
    qint64 count() const { return m_count; }

    // A warning with the count and the first five arrangement numbers; nothing when there
    // are none.
    void tell(Prompter &prompter) const;

private:
    qint64 m_count = 0;
    QStringList m_named;
};
