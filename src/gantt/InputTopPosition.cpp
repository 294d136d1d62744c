#include "gantt/InputTopPosition.h"

#include "calendar/LoadBreakTable.h"
#include "gantt/MachineCalendar.h"

RowsBuild InputTopPosition(ChartRows &rows, WorkCalendar &calendar, BreakTable &breaks,
                           const QList<RowSource> &machines, const ChartPeriod &period, Database &db,
                           Prompter &prompter)
{
    if (LoadBreakTable(breaks, db, prompter) == BreakTableLoad::EndProgram)
        return RowsBuild::EndProgram;

    rows.clear();
    rows.append(QStringLiteral("        "), QString());
    for (const RowSource &machine : machines)
        rows.append(machine.code, machine.code.trimmed() + u' ' + machine.name);
    rows.closeMachineRows();

    calendar.reset(period.start, period.end, period.dayStart, rows.lastMachineRow());
    for (int row = 2; row <= rows.lastMachineRow(); ++row) {
        const QString &code = rows.row(row).code;
        applyCalendarRows(calendar, row, code, readCalendarRows(db, code, calendar), breaks, prompter);
    }
    return RowsBuild::Built;
}

void InputTopPosition2(ChartRows &rows, const QList<RowSource> &subcontractors)
{
    for (const RowSource &subcontractor : subcontractors)
        rows.append(subcontractor.code, subcontractorCaption(subcontractor.code, subcontractor.name));
    rows.padToMinimum();
    rows.computeBoundaries();
}

QString subcontractorCaption(const QString &code, const QString &shortName)
{
    QString caption = code + u'\n' + shortName;
    for (const QChar bracket : {QChar(u'('), QChar(u'（')}) {
        const qsizetype at = caption.indexOf(bracket);
        if (at >= 0)
            caption.insert(at, u'\n');
    }
    return caption;
}
