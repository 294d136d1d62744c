#pragma once
// The split tests' plant: the detail window's plant with its lot grown into a combined lot of
// 300 pieces (three hours at 36 seconds a piece from 2024/05/10 08:00 on M01) whose inner ring
// holds two processes of plan 700 and one of plan 701 (100 of its pieces received) and whose
// outer ring holds one process of plan 700 and one of plan 702 (100 received).

#include "DetailWindowPlant.h"
#include "common/PlantValues.h"
#include "dialogs/LotSplit.h"
#include "dialogs/ProvisionalNumbers.h"
#include "editing/LotRules.h"

class SplitPlant : public DetailWindowPlant
{
public:
    SplitPlant()
    {
        amend([](PlanRecord &lot) {
            lot.Quantity = 300;
            lot.WorkMinutes = 180;
            lots::setEnd(lot, EditingPlant::at(QStringLiteral("2024/05/10 11:00")));
            member(lot.Members, 0, 5001, 700, QStringLiteral("成形"), QStringLiteral("ケースＡ"));
            member(lot.Members, 1, 5002, 700, QStringLiteral("仕上"), QStringLiteral("ケースＡ"));
            member(lot.Members, 2, 5003, 701, QStringLiteral("成形"), QStringLiteral("カバーＢ"), 100);
            member(lot.AltMembers, 0, 6001, 700, QStringLiteral("組立"), QStringLiteral("ケースＡ"));
            member(lot.AltMembers, 1, 6002, 702, QStringLiteral("梱包"), QStringLiteral("箱Ｃ"), 100);
        });
    }

    static void member(MemberSlots &set, int k, qint64 number, qint64 planNo, const QString &process,
                       const QString &model, qint64 received = 0)
    {
        MemberSlot &slot = set.set(k);
        slot.ArrangementNo = number;
        slot.PlanNo = planNo;
        slot.HasPlanNo = true;
        slot.ItemCode = QStringLiteral("A100");
        slot.Sequence = 10 + k;
        slot.ProcessName = process;
        slot.ModelName = model;
        slot.Quantity = 300;
        slot.Received = received;
    }

    // The plan's provisional numbers, as the splits give them.
    const ProvisionalNumbers &numbers = plant.session.provisionalNumbers();
};
