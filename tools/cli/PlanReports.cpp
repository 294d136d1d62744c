#include "PlanReports.h"

#include "CliSession.h"
#include "common/PlantValues.h"
#include "session/PlanSession.h"

namespace {

QStringList lotFields(const PlanRecord &lot)
{
    const QString machine = lot.MachineCode.trimmed().isEmpty() ? lot.SupplierCode : lot.MachineCode;
    return {QString::number(lot.ArrangementNo), lot.ItemCode.trimmed(), lot.MoldNo.trimmed(), machine.trimmed(),
            dateTime(lot.StartDate, lot.StartTime), dateTime(lot.EndDate, lot.EndTime)};
}

} // namespace

void printConflicts(const PlanSession &session, QTextStream &out)
{
    const PlanStore &store = session.store();
    for (const PlanConflict &conflict : session.watch().conflicts().conflicts()) {
        const QStringList fields = QStringList{conflictKindText(conflict.kind)} + lotFields(store[conflict.first])
                                   + lotFields(store[conflict.second])
                                   + QStringList{QString::number(PlanConflicts::overlapMinutes(store, conflict))};
        out << fields.join(u'\t') << u'\n';
    }
    out.flush();
}

void printLoad(const PlanSession &session, QTextStream &out)
{
    const WorkCalendar &calendar = session.calendar();
    const MachineLoad &load = session.watch().load();
    // Day 2 is the period's first day, periodDays - 1 its last.
    const qint64 firstDay = 2;
    const qint64 lastDay = calendar.periodDays() - 1;
    QStringList header{QStringLiteral("機械")};
    for (qint64 day = firstDay; day <= lastDay; ++day)
        header << plant::dateText(calendar.dateOf(day));
    out << header.join(u'\t') << u'\n';
    for (int row = 2; row <= session.rows().lastMachineRow(); ++row) {
        QStringList line{session.rows().row(row).code.trimmed()};
        for (qint64 day = firstDay; day <= lastDay; ++day)
            line << QStringLiteral("%1/%2").arg(load.plannedMinutes(row, day)).arg(load.workingMinutes(row, day));
        out << line.join(u'\t') << u'\n';
    }
    out.flush();
}
