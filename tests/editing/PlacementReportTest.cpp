// The status line after a change of the plan: a drop that takes a later lot off its machine
// names it, and its undo says what went back, as the plan session's actions leave them.

#include "EditingPlant.h"
#include "common/PlantValues.h"
#include "editing/PlacementReport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(PlacementReport, ADropThatTakesALaterLotOffItsMachineNamesIt)
{
    EditingPlant plant;
    const qint64 dropped = plant.add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/10 09:00"), .minutes = 83});
    const qint64 pushed = plant.add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = 60});
    plant.add({.start = QStringLiteral("2024/05/10 11:00"), .fixed = QStringLiteral("1")});
    plant.amend(pushed, [](PlanRecord &lot) { lot.ArrangementNo = 100725; });
    plant.start();

    PlacementReport report;
    const auto conflicts = [&] { return plant.session.watch().conflicts().count(); };
    report.take(plant.store, conflicts());
    QSignalSpy changed(plant.path, &EditPath::recordsChanged);
    const auto lineAfter = [&](const auto &act) {
        changed.clear();
        act();
        QList<qint64> indices;
        for (const QList<QVariant> &signal : changed)
            indices += signal.at(0).value<QList<qint64>>();
        return report.follow(plant.store, indices, conflicts());
    };

    // Pushed behind the dropped lot, the later lot would run into the fixed one: it leaves M01.
    plant.prompter.expectAnswer(true);
    const QString dropLine = lineAfter([&] {
        plant.session.drop(dropped, EditingPlant::M01, plant::naiveDateTime(QDate(2024, 5, 10), QTime(9, 0)));
    });
    ASSERT_EQ(plant.store[pushed].OnStrip, 1);
    EXPECT_EQ(dropLine, QStringLiteral("1件の日時・機械が変わりました。1件を未割付へ戻しました（手配番号 100725）"));
    EXPECT_EQ(report.unassigned(), QList<qint64>{pushed});

    // Undone, both lots go back to their machines; nothing is left on the strip.
    EXPECT_EQ(lineAfter([&] { plant.session.undo(); }), QStringLiteral("2件の日時・機械が変わりました"));
    EXPECT_TRUE(report.unassigned().isEmpty());

    // A lot moved by itself is no news.
    EXPECT_EQ(lineAfter([&] {
                  plant.session.drop(dropped, EditingPlant::M02, plant::naiveDateTime(QDate(2024, 5, 12), QTime(9, 0)));
              }),
              QString());
}

} // namespace
