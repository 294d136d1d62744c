#include "plan/PlanStore.h"
#include "gantt/BarSearch.h"

#include <gtest/gtest.h>

namespace {

qint64 add(PlanStore &store, const QString &code, const QString &name, qint64 quantity = 100, qint64 arrangement = 5001)
{
    PlanRecord lot;
    lot.ItemCode = code;
    lot.DisplayItemName = name;
    lot.Quantity = quantity;
    lot.ArrangementNo = arrangement;
    return store.append(std::move(lot));
}

TEST(BarSearch, MatchesInUpperCaseAndNarrowCharactersAndSkipsEmptyLots)
{
    PlanStore store;
    const qint64 cover = add(store, QStringLiteral("a100"), QStringLiteral("カバー"));
    const qint64 wideCode = add(store, QStringLiteral("Ａ200"), QStringLiteral("ｶﾊﾞｰ大"));
    const qint64 caseLot = add(store, QStringLiteral("B100"), QStringLiteral("ケース"));
    add(store, QStringLiteral("A300"), QStringLiteral("カバー"), 0);        // no quantity
    add(store, QStringLiteral("A400"), QStringLiteral("カバー"), 10, 0);    // no arrangement

    struct Case
    {
        QString code;
        QString name;
        QList<qint64> hits;
    };
    const QList<Case> cases = {
        {QStringLiteral("A*"), QString(), {cover, wideCode}},
        {QStringLiteral("a#00"), QString(), {cover, wideCode}},
        {QString(), QStringLiteral("カバー*"), {cover, wideCode}},
        {QString(), QStringLiteral("ｶﾊﾞｰ"), {cover}},
        {QStringLiteral("[!A]*"), QStringLiteral("*ス"), {caseLot}},
        {QStringLiteral("A1"), QString(), {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(barsearch::find(store, c.code, c.name), c.hits) << c.code.toStdString() << "/" << c.name.toStdString();
}

TEST(BarSearch, SelectionLineNamesTheLotAndMarksDeletedOnes)
{
    PlanRecord lot;
    lot.ArrangementNo = 7001;
    lot.EndDate = QDate(2024, 5, 9);
    lot.MachineCode = QStringLiteral("M01     ");
    lot.ProcessName = QStringLiteral("成形");
    lot.DisplayItemName = QStringLiteral("カバー");
    lot.Quantity = 1200;
    EXPECT_EQ(barsearch::selectPlanLine(lot), QStringLiteral("7001 05/09 M01      成形 カバー 1200"));
    lot.DetailMark = 1;
    EXPECT_EQ(barsearch::selectPlanLine(lot), QStringLiteral("7001 05/09 M01      成形 カバー 1200削除済"));
}

} // namespace
