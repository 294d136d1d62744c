#include "calendar/LoadBreakTable.h"

#include "db/Rows.h"
#include "plan/Prompter.h"
#include "db/Statements.h"
#include "calendar/BreakTable.h"
#include "common/PlantValues.h"

namespace {

QString columnName(int slot)
{
    return QStringLiteral("Jikoku%1").arg(slot, 2, 10, QLatin1Char('0'));
}

} // namespace

BreakTableLoad LoadBreakTable(BreakTable &table, Database &db, Prompter &prompter)
{
    table.clear();
    Rows rows = select(db, sql::BreakMaster);
    if (!rows.next()) {
        prompter.inform(QStringLiteral("休憩マスタにデータがありません。"), QStringLiteral("警告"),
                        PromptIcon::Warning);
        return BreakTableLoad::EndProgram;
    }
    const RowReader &row = rows.row();
    for (int slot = 1; slot < 20; slot += 2) {
        // A stored number that is no time of day (such as 250000) reads as an invalid time,
        // which the table refuses.
        table.offer(plant::timeFromDb(row.integer(columnName(slot))),
                    plant::timeFromDb(row.integer(columnName(slot + 1))));
    }
    return BreakTableLoad::Loaded;
}
