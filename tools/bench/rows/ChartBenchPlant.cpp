#include "ChartBenchPlant.h"

#include "calendar/BreakTable.h"
#include "calendar/DaySpans.h"

#include <random>

namespace {

constexpr int Presses = 40;
constexpr int Subcontractors = 5;

} // namespace

ChartBenchPlant::ChartBenchPlant(qint64 lots)
{
    rows.append(QStringLiteral("        "), QString());
    for (int m = 1; m <= Presses; ++m)
        rows.append(QStringLiteral("M%1").arg(m, 3, 10, QLatin1Char('0')), QStringLiteral("成形機%1").arg(m));
    rows.closeMachineRows();
    for (int s = 1; s <= Subcontractors; ++s)
        rows.append(QStringLiteral("S%1").arg(s, 2, 10, QLatin1Char('0')), QStringLiteral("協力会社%1").arg(s));
    rows.computeBoundaries();

    BreakTable breaks;
    breaks.offer(QTime(12, 0), QTime(13, 0));
    breaks.offer(QTime(15, 0), QTime(15, 10));
    calendar.reset(periodStart, periodEnd, dayStart, rows.lastMachineRow());
    for (int row = 2; row <= rows.lastMachineRow(); ++row)
        for (qint64 k = 0; k <= calendar.periodDays(); ++k) {
            if (calendar.dateOf(k).dayOfWeek() >= Qt::Saturday)
                continue;
            CalendarDay *day = calendar.day(row, k);
            day->workHours = row % 2 ? 8 : 11;
            day->shiftTimes[0] = QTime(8, 0);
            day->shiftTimes[1] = row % 2 ? QTime(17, 0) : QTime(20, 0);
            day->rebuildSpans(breaks, dayStart);
        }

    // Each row's lots follow one another over the period; every twentieth lot waits on the strip.
    std::mt19937 random(20240401);
    const int placedRows = Presses + Subcontractors;
    const double periodMinutes = double(periodStart.daysTo(periodEnd) + 1) * 1440;
    const double slot = periodMinutes * placedRows / double(std::max<qint64>(lots, 1));
    std::vector<double> rowClock(size_t(placedRows), 0);
    store.resize(lots + 1);
    const QDateTime origin(periodStart, dayStart, Qt::UTC);
    for (qint64 index = 2; index <= lots + 1; ++index) {
        PlanRecord &r = store[index];
        const bool waiting = index % 20 == 0;
        const int row = int(index % placedRows);
        const double minutes = slot * (0.5 + 0.5 * double(random() % 1000) / 1000.0);
        const QDateTime start = origin.addSecs(qint64(rowClock[size_t(row)]) * 60);
        const QDateTime end = start.addSecs(qint64(minutes) * 60);
        if (!waiting)
            rowClock[size_t(row)] += slot;
        const QString &code = rows.row(row + 2).code;
        r.BarIndex = index;
        r.MachineCode = waiting || row >= Presses ? QStringLiteral("        ") : code;
        r.SupplierCode = !waiting && row >= Presses ? code : QStringLiteral("            ");
        r.StartDate = start.date();
        r.StartTime = start.time();
        r.EndDate = end.date();
        r.EndTime = end.time();
        r.InitialDueDate = end.date().addDays(qint64(random() % 9) - 2);
        r.ConfirmState = index % 3 ? QStringLiteral("2") : QStringLiteral("1");
        r.ItemCode = QStringLiteral("P%1").arg(100000 + index);
        r.DisplayItemName = QStringLiteral("ケース本体%1").arg(index % 500);
        r.ProcessName = QStringLiteral("成形");
        r.Quantity = 1000 + index % 7 * 500;
        r.ReceivedQty = index % 4 ? 0 : r.Quantity / 3;
        r.LastActualDate = start.date();
        r.PlanNoText = QString::number(700000 + index);
        r.InstructionIssueDate = index % 2 ? QStringLiteral("20240401") : QStringLiteral("00000000");
        r.MembersWritten = index % 11 == 0 ? 1 : 0;
    }
}

RunContext ChartBenchPlant::runContext() const
{
    RunContext run;
    run.Authority = QStringLiteral("1");
    run.GridUnitMinutes = 10;
    run.DayStartTime = dayStart;
    run.PeriodStart = periodStart.toString(QStringLiteral("yyyy/MM/dd"));
    run.PeriodEnd = periodEnd.toString(QStringLiteral("yyyy/MM/dd"));
    return run;
}
