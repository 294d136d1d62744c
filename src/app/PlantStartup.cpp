#include "app/PlantStartup.h"

#include "db/Rows.h"
#include "db/Statements.h"
#include "common/PlantValues.h"
#include "plan/RunContext.h"

#include <algorithm>

namespace startup {

std::optional<QString> readAuthority(Database &db, const QString &operatorCode)
{
    Rows rows = select(db, sql::OperatorAuthority, {operatorCode});
    if (!rows.next())
        return std::nullopt;
    return rows.row().text(QStringLiteral("Kalvuner権限区分")).trimmed();
}

QString unknownOperatorText(const QString &operatorCode)
{
    return QStringLiteral("担当者コード「%1」は登録されていません。").arg(operatorCode);
}

int clampDisplayMonths(qint64 stored)
{
    return int(std::clamp<qint64>(stored, 1, 3));
}

int clampGridUnitMinutes(qint64 stored)
{
    // A grid wider than a day would round every start to the next day; a day is the limit.
    return int(std::clamp<qint64>(stored, 1, 24 * 60));
}

DisplaySettings readDisplaySettings(Database &db)
{
    Rows rows = select(db, sql::SystemSettings);
    DisplaySettings settings;
    if (rows.next()) {
        const RowReader &row = rows.row();
        settings.displayMonths = clampDisplayMonths(row.integer(QStringLiteral("表示期間＿ヶ月")));
        settings.gridUnitMinutes = clampGridUnitMinutes(row.integer(QStringLiteral("グリッド単位＿分")));
    }
    return settings;
}

std::optional<QString> readPlant(Database &db, RunContext &context)
{
    const DisplaySettings display = readDisplaySettings(db);
    context.DisplayMonths = display.displayMonths;
    context.GridUnitMinutes = display.gridUnitMinutes;
    // A period without an end runs the plant's display months, as the class window fills it.
    if (context.PeriodEnd.isEmpty() && context.periodStartDate().isValid())
        context.PeriodEnd = plant::dateText(context.periodStartDate().addMonths(context.DisplayMonths));
    context.Authority.clear();
    if (context.OperatorCode.isEmpty())
        return std::nullopt;
    if (const std::optional<QString> authority = readAuthority(db, context.OperatorCode)) {
        context.Authority = *authority;
        return std::nullopt;
    }
    return unknownOperatorText(context.OperatorCode);
}

std::optional<QString> classProblem(Database &db, const RunContext &context)
{
    bool listed = false;
    Rows classes = select(db, sql::ProcessClasses);
    while (!listed && classes.next())
        listed = classes.row().text(QStringLiteral("工程分類コード")).trimmed() == context.ProcessClassCode.trimmed();
    if (!listed)
        return QStringLiteral("工程分類コード「%1」はありません。").arg(context.ProcessClassCode);
    if (!select(db, sql::ClassMachines, {context.PlantCode, context.ProcessClassCode}).next())
        return QStringLiteral("生産工場コード %1 に工程分類コード「%2」の機械がありません。")
            .arg(context.PlantCode)
            .arg(context.ProcessClassCode);
    return std::nullopt;
}

} // namespace startup
