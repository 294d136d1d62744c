#include "plan/NullKeyLots.h"

#include "common/PlantValues.h"
#include "plan/Prompter.h"

namespace {

constexpr qint64 kNamed = 5;

} // namespace

void NullKeyLots::add(const QVariant &arrangementNo)
{
    if (++m_count <= kNamed)
        m_named.append(arrangementNo.isNull() ? QStringLiteral("(なし)") : arrangementNo.toString());
}

void NullKeyLots::tell(Prompter &prompter) const
{
    if (m_count == 0)
        return;
    QString numbers = m_named.join(QStringLiteral(", "));
    if (m_count > kNamed)
        numbers += QStringLiteral(" ほか");
    prompter.inform(QStringLiteral("完納区分・削除フラグ・生産工場コード・品名コードのいずれかが空のため、"
                                   "計画表に表示できない手配が %1件あります。\n手配番号: %2")
                        .arg(plant::thousands(m_count), numbers),
                    {}, PromptIcon::Warning);
}
