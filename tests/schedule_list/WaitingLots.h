#pragma once
// A small plant whose lots without a machine wait on the unassigned strip, as the edit path
// finds them there from their codes. Lots are described by the values the schedule list shows
// and searches.

#include "EditingPlant.h"

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
    // Adds a lot before start().
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

    // Hands the store to the edit path, which marks the lots waiting on the strip.
    void start() { plant.start(); }

    EditingPlant plant;
};
