#pragma once
// A small plant whose lots are laid out on a chart, so that the lots without a machine lie on
// the unassigned strip as the bar layout puts them there. Lots are described by the values
// the schedule list shows and searches.

#include "EditingPlant.h"
#include "gantt/GanttChart.h"

#include <memory>

struct WaitingLot
{
    QString item = QStringLiteral("A100");
    qint64 quantity = 100;
    QDate due{2024, 5, 20};
    QString mold{};
    QString moldName{};
    QString plan{};
    QString machine = QStringLiteral("        "); // no machine: the lot waits on the strip
};

class WaitingLots
{
public:
    // Adds a lot before lay-out().
    qint64 add(const WaitingLot &given)
    {
        const qint64 lot = plant.add({.machine = given.machine, .start = QStringLiteral("2024/05/02 00:00"),
                                      .quantity = given.quantity});
        plant.amend(lot, [&](PlanRecord &record) {
            record.ItemCode = given.item;
            record.DueDate = given.due;
            record.MoldNo = given.mold;
            record.MoldShortName = given.moldName;
            record.PlanNoText = given.plan;
            record.ArrangementNo = 500000 + lot;
        });
        return lot;
    }

    // Hands the store to the edit path and lays every bar out on the week scale.
    void layOut()
    {
        plant.start();
        chart = std::make_unique<GanttChart>(plant.store, plant.rows, plant.calendar);
        chart->setUp(15000, plant.run.periodStartDate(), plant.run.DayStartTime, {}, plant.run.GridUnitMinutes);
        chart->showMode(DisplayMode::Week);
    }

    EditingPlant plant;
    std::unique_ptr<GanttChart> chart;
};
