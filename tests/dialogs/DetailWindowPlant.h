#pragma once
// The detail window's test plant: the editing tests' small plant (three machines working
// around the clock, two subcontractors, a 10-minute grid) over a plant database of its own,
// and one lot of 100 pieces at 36 seconds a piece (60 minutes) on M01 from 2024/05/10 08:00.

#include "EditingPlant.h"
#include "TestPlant.h"
#include "dialogs/PlanDetailFill.h"
#include "dialogs/ui/PlanWindow.h"

#include <QTest>
#include <memory>

class DetailWindowPlant
{
public:
    static constexpr qint64 Arrangement = 5001;

    explicit DetailWindowPlant(TestPlant::Backend backend = TestPlant::Backend::Sqlite) : database(backend)
    {
        lot = plant.add({.start = QStringLiteral("2024/05/10 08:00"), .minutes = 60, .quantity = 100});
        amend([](PlanRecord &record) {
            record.ArrangementNo = Arrangement;
            record.PlanNo = 700;
            record.PlanNoText = QStringLiteral("700");
            record.ItemCode = QStringLiteral("A100");
            record.DisplayItemName = QStringLiteral("部品Ａ");
            record.SecondsPerPiece = 36;
            record.Cycle = 36;
            record.Cavities = 1;
            record.Persons = 1;
            record.PackQty = 30;
            MemberSlot &self = record.Members.set(0);
            self.ArrangementNo = Arrangement;
            self.Quantity = 100;
            self.ProcessName = QStringLiteral("成形");
            self.ModelName = QStringLiteral("ケースＡ");
        });
    }

    const PlanRecord &record() const { return plant.lot(lot); }
    // Changes the lot as loading would have made it.
    template<class Apply>
    void amend(Apply &&apply)
    {
        plant.amend(lot, std::forward<Apply>(apply));
    }

    // The detail window on the lot, shown, as the context menu opens it (the plan handed to
    // the edit path first).
    std::unique_ptr<PlanWindow> openWindow()
    {
        if (!plant.started())
            plant.start();
        auto window = std::make_unique<PlanWindow>(plant.session);
        window->openOn(lot, plant.session.detailTexts(lot));
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    TestPlant database;
    EditingPlant plant{&database.db()};
    qint64 lot = 0;
};
