#include "AutoPlanWords.h"

#include "PlanScript.h"

const QString AutoPlanUsage =
    QStringLiteral("auto-plan [tentative=yes|no] [due=yyyy/mm/dd] [machines=機械コード,…] [stock=日数] [budget=秒] [plain=yes|no]");

AutoPlanOptions autoPlanOptions(const QStringList &words)
{
    AutoPlanOptions options;
    for (const QString &word : words) {
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        const QString key = word.left(equals);
        const QString value = equals < 0 ? QString() : word.mid(equals + 1);
        if (key == QStringLiteral("tentative") && (value == QStringLiteral("yes") || value == QStringLiteral("no")))
            options.replanTentative = value == QStringLiteral("yes");
        else if (key == QStringLiteral("due"))
            options.dueUpTo = scriptwords::date(value);
        else if (key == QStringLiteral("machines") && !value.isEmpty())
            for (const QString &code : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
                options.machines.insert(code.trimmed());
        else if (key == QStringLiteral("stock"))
            options.stockDays = int(std::min<qint64>(scriptwords::wholeNumber(value, QStringLiteral("在庫日数")), 3650));
        else if (key == QStringLiteral("budget"))
            options.budgetSeconds = int(std::min<qint64>(scriptwords::wholeNumber(value, QStringLiteral("時間の上限")), 3600));
        else if (key == QStringLiteral("plain") && (value == QStringLiteral("yes") || value == QStringLiteral("no")))
            options.plainDispatch = value == QStringLiteral("yes");
        else
            throw ScriptFailure{QStringLiteral("自動計画の指定 \"%1\" が読めません。書式: %2").arg(word, AutoPlanUsage)};
    }
    return options;
}
