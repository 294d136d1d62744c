#include "plan/NullKeyLots.h"

#include "common/PlantValues.h"
#include "db/Rows.h"
#include "db/Statements.h"
#include "plan/Prompter.h"
#include "plan/RunContext.h"

#include <QStringList>
#include <optional>

namespace {

constexpr qint64 kNamed = 5;

} // namespace

void warnOfNullKeyLots(Database &db, const RunContext &context, Prompter &prompter)
{
    std::optional<Rows> lots;
    try {
        lots = select(db, sql::ClassLotsWithNullKeys, {context.PlantCode, context.PlantCode, context.ProcessClassCode});
    } catch (const DbError &error) {
        // The plan itself is loaded: the count is only a warning, and its failure is one too.
        prompter.inform(QStringLiteral("空の列のため計画表に表示できない手配があるか、確認できませんでした。\n") + error.text,
                        {}, PromptIcon::Warning);
        return;
    }
    qint64 count = 0;
    QStringList named;
    while (lots->next()) {
        if (++count <= kNamed)
            named.append(lots->row().isNullAt(0) ? QStringLiteral("(なし)") : lots->row().textAt(0));
    }
    if (count == 0)
        return;
    QString numbers = named.join(QStringLiteral(", "));
    if (count > kNamed)
        numbers += QStringLiteral(" ほか");
    prompter.inform(QStringLiteral("完納区分・削除フラグ・生産工場コード・品名コードのいずれかが空のため、"
                                   "計画表に表示できない手配が %1件あります。\n手配番号: %2")
                        .arg(plant::thousands(count), numbers),
                    {}, PromptIcon::Warning);
}
