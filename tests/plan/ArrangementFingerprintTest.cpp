// The fingerprint of an arrangement row: the same row reads the same whichever types the
// backend gives its values, and each kind of change elsewhere shows in its own group.

#include "plan/ArrangementFingerprint.h"

#include <QVariantMap>
#include <gtest/gtest.h>

namespace {

ArrangementFingerprint of(const QVariantMap &row)
{
    const QStringList &columns = fingerprintColumns();
    return fingerprintOf([&](int k) { return row.value(columns[k]); });
}

const QVariantMap Stored{
    {QStringLiteral("手配数"), 100.0},         {QStringLiteral("受入実績数"), 0.0},
    {QStringLiteral("完納区分"), QStringLiteral("0")}, {QStringLiteral("削除フラグ"), QStringLiteral("0")},
    {QStringLiteral("機械コード"), QStringLiteral("IM100-01")}, {QStringLiteral("作業開始時間"), 83000},
    {QStringLiteral("作業時間"), 1.25},        {QStringLiteral("手配確定区分"), QStringLiteral("2")},
};

TEST(ArrangementFingerprint, NumbersCompareByValueAndTextsWithoutTrailingBlanks)
{
    QVariantMap asText = Stored;
    asText[QStringLiteral("手配数")] = QStringLiteral("100");
    asText[QStringLiteral("作業開始時間")] = qint64(83000);
    asText[QStringLiteral("作業時間")] = QStringLiteral("1.25");
    asText[QStringLiteral("機械コード")] = QStringLiteral("IM100-01  ");
    EXPECT_EQ(of(asText), of(Stored));
}

TEST(ArrangementFingerprint, EachChangeShowsInItsGroup)
{
    const struct
    {
        const char *column;
        QVariant value;
        unsigned changes;
    } cases[] = {
        {"手配数", 101.0, QuantityChanged},
        {"受入実績数", 7, ActualsChanged},
        {"完納区分", QStringLiteral("2"), CompletionChanged},
        {"削除フラグ", QStringLiteral("1"), CompletionChanged},
        {"機械コード", QStringLiteral("IM100-02"), ScheduleChanged},
        {"作業開始時間", 90000, ScheduleChanged},
        {"手配確定区分", QStringLiteral("1"), StateChanged},
        {"更新時刻", 120000, StateChanged},
    };
    for (const auto &c : cases) {
        QVariantMap changed = Stored;
        changed[QString::fromUtf8(c.column)] = c.value;
        EXPECT_EQ(of(changed).changesFrom(of(Stored)), c.changes) << c.column;
    }
}

} // namespace
