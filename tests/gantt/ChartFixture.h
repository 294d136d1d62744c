#pragma once
// A small plant for the chart's window tests: the strip, twelve presses and two
// subcontractors; presses work 08:00-17:00 with lunch on weekdays and rest at weekends; a few
// lots on each press, on a subcontractor and on the strip.

#include "plan/PlanStore.h"
#include "calendar/BreakTable.h"
#include "calendar/DaySpans.h"
#include "plan/ChartRows.h"
#include "gantt/GanttChart.h"
#include "calendar/WorkCalendar.h"

struct ChartFixture
{
    static constexpr double ViewportWidth = 13815;

    ChartFixture()
    {
        rows.append(QStringLiteral("        "), QString());
        for (int m = 1; m <= 12; ++m)
            rows.append(QStringLiteral("M%1").arg(m, 2, 10, QLatin1Char('0')),
                        QStringLiteral("M%1 成形機%2号").arg(m, 2, 10, QLatin1Char('0')).arg(m));
        rows.closeMachineRows();
        rows.append(QStringLiteral("S01"), QStringLiteral("S01\n協力工業\n(第二)"));
        rows.append(QStringLiteral("S02"), QStringLiteral("S02\n外注加工"));
        rows.padToMinimum();
        rows.computeBoundaries();

        BreakTable breaks;
        breaks.offer(QTime(12, 0), QTime(13, 0));
        breaks.offer(QTime(15, 0), QTime(15, 10));
        calendar.reset(periodStart, periodStart.addDays(29), dayStart, rows.lastMachineRow());
        for (int row = 2; row <= rows.lastMachineRow(); ++row)
            for (qint64 k = 0; k <= calendar.periodDays(); ++k) {
                if (calendar.dateOf(k).dayOfWeek() >= Qt::Saturday)
                    continue;
                CalendarDay *day = calendar.day(row, k);
                day->workHours = 8;
                day->shiftTimes[0] = QTime(8, 0);
                day->shiftTimes[1] = row % 3 == 0 ? QTime(20, 0) : QTime(17, 0);
                day->rebuildSpans(breaks, dayStart);
            }

        for (int m = 1; m <= 12; ++m)
            for (int n = 0; n < 6; ++n)
                addLot(rows.row(m + 1).code, periodStart.addDays(n * 4 + m % 3), QTime(8 + m % 4, 0),
                       9 + (n * 7 + m) % 30);
        addLot(QStringLiteral("        "), periodStart.addDays(1), QTime(8, 0), 12, QStringLiteral("S01"));
        for (int n = 0; n < 5; ++n)
            addLot(QStringLiteral("        "), periodStart.addDays(n * 3), QTime(10, 0), 4);
    }

    // A lot of `hours` clock hours; due the day after it ends unless every fifth.
    qint64 addLot(const QString &machine, const QDate &date, const QTime &start, int hours,
                  const QString &supplier = QStringLiteral("            "))
    {
        const qint64 index = store.lastIndex() + 1;
        store.resize(index);
        PlanRecord &r = store[index];
        const QDateTime from(date, start, Qt::UTC);
        const QDateTime to = from.addSecs(qint64(hours) * 3600);
        r.BarIndex = index;
        r.MachineCode = machine;
        r.SupplierCode = supplier;
        r.StartDate = from.date();
        r.StartTime = from.time();
        r.EndDate = to.date();
        r.EndTime = to.time();
        r.InitialDueDate = index % 5 == 0 ? to.date().addDays(-1) : to.date().addDays(index % 7);
        r.ConfirmState = index % 4 == 0 ? QStringLiteral("1") : QStringLiteral("2");
        r.MembersWritten = index % 6 == 0 ? 1 : 0;
        r.ItemCode = QStringLiteral("P%1").arg(1000 + index);
        r.DisplayItemName = QStringLiteral("ケース%1").arg(index);
        r.ProcessName = QStringLiteral("成形");
        r.Quantity = 1000;
        r.ReceivedQty = index % 3 == 0 ? 400 : 0;
        r.LastActualDate = date;
        r.PlanNoText = QString::number(5000 + index);
        r.InstructionIssueDate = index % 2 == 0 ? QStringLiteral("20240401") : QStringLiteral("00000000");
        return index;
    }

    const QDate periodStart{2024, 4, 1};
    const QTime dayStart{8, 0};
    PlanStore store;
    ChartRows rows;
    WorkCalendar calendar;
};
