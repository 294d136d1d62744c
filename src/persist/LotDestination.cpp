#include "persist/LotDestination.h"

#include "db/Rows.h"
#include "db/Statements.h"
#include "persist/SaveSession.h"

namespace {

// The first section (課コード other than 0) of a department; empty when it has none.
QString firstSectionCode(SaveSession &session, const QVariant &department)
{
    Rows sections = session.query(sql::SectionsOfDepartment, {department});
    if (!sections.next())
        return {};
    const RowReader &row = sections.row();
    return sectionDestinationCode(row.integer(QStringLiteral("部コード")), row.integer(QStringLiteral("課コード")));
}

} // namespace

QString sectionDestinationCode(qint64 department, qint64 section)
{
    return QStringLiteral("%1%2        ").arg(department, 2, 10, QLatin1Char('0')).arg(section, 2, 10, QLatin1Char('0'));
}

void resolveDestination(SaveSession &session, LotDestination &lot)
{
    if (!lot.MachineCode.trimmed().isEmpty() || lot.SupplierCode.trimmed().isEmpty()) {
        Rows machine = session.query(sql::MachineByCode, {lot.MachineCode});
        if (machine.next()) {
            const RowReader &row = machine.row();
            const QString destination = row.text(QStringLiteral("指示先コード"));
            if (!row.isNull(QStringLiteral("指示先コード")) && !destination.trimmed().isEmpty())
                lot.SupplierCode = destination;
        } else {
            machine.finish();
            const QString plantSection = firstSectionCode(session, session.run().PlantCode);
            if (!plantSection.isEmpty())
                lot.SupplierCode = plantSection;
        }
    }
    if (lot.SupplierCode.size() == 1) {
        // A department is named by its one-digit code; a code that is no number names none.
        bool isNumber = false;
        const int department = lot.SupplierCode.toInt(&isNumber);
        if (!isNumber)
            return;
        const QString section = firstSectionCode(session, department);
        if (!section.isEmpty()) {
            lot.SupplierCode = section;
            lot.MachineCode = QString(8, u' ');
        }
    }
}
