#include "app/StartupQueries.h"

#include "db/Database.h"
#include "db/Statements.h"
#include "plan/Prompter.h"

#include <algorithm>

namespace startup {

std::optional<QString> readAuthority(Database &db, const QString &operatorCode)
{
    QSqlQuery query = db.run(sql::OperatorAuthority, {operatorCode});
    if (!query.next())
        return std::nullopt;
    return RowReader(query).text(QStringLiteral("Kalvuner権限区分")).trimmed();
}

QString unknownOperatorText(const QString &operatorCode)
{
    return QStringLiteral("担当者コード「%1」は登録されていません。").arg(operatorCode);
}

QString operatorAuthority(Database &db, const QString &operatorCode, Prompter &prompter)
{
    if (operatorCode.isEmpty())
        return {};
    if (const std::optional<QString> authority = readAuthority(db, operatorCode))
        return *authority;
    prompter.inform(unknownOperatorText(operatorCode) + QStringLiteral("\n照会モードで開きます（保存はできません）。"),
                    {}, PromptIcon::Warning);
    return QStringLiteral("0");
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
    QSqlQuery query = db.run(sql::SystemSettings);
    DisplaySettings settings;
    if (query.next()) {
        const RowReader row(query);
        settings.displayMonths = clampDisplayMonths(row.integer(QStringLiteral("表示期間＿ヶ月")));
        settings.gridUnitMinutes = clampGridUnitMinutes(row.integer(QStringLiteral("グリッド単位＿分")));
    }
    return settings;
}

} // namespace startup
