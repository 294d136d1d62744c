#include "plan/MachineLookup.h"

#include "db/Rows.h"
#include "db/Statements.h"

void MachineLookup::load(Database &db, int plantCode)
{
    Rows machines = select(db, sql::PlantMachines, {plantCode});
    QStringList codes;
    QStringList names;
    while (machines.next()) {
        const RowReader &row = machines.row();
        codes << row.text(QStringLiteral("機械コード")).trimmed();
        names << row.text(QStringLiteral("機械名")).trimmed();
    }
    m_codes = codes;
    m_names = names;
}

QString MachineLookup::nameOf(const QString &code) const
{
    const qsizetype i = m_codes.indexOf(code.trimmed());
    return i < 0 ? QString() : m_names[i];
}
