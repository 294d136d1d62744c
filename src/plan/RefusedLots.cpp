#include "plan/RefusedLots.h"

#include "plan/Prompter.h"

namespace {

constexpr qsizetype kListed = 20;

QString reasonText(RefusedLots::Reason reason)
{
    switch (reason) {
    case RefusedLots::Reason::NoNumber:
        return QStringLiteral("手配番号がありません");
    case RefusedLots::Reason::BadNumber:
        return QStringLiteral("手配番号が正しくありません");
    case RefusedLots::Reason::SharedNumber:
        return QStringLiteral("手配番号が重複しています");
    }
    return {};
}

} // namespace

QString lotNameOf(const QString &numberText, const QString &itemCode, const QString &sequence)
{
    return QStringLiteral("手配番号「%1」（品名コード %2・順序 %3）").arg(numberText, itemCode.trimmed(), sequence);
}

void RefusedLots::refuse(const QString &lot, Reason reason)
{
    m_lines.append(lot + QStringLiteral("：") + reasonText(reason));
}

void RefusedLots::tell(Prompter &prompter) const
{
    if (m_lines.isEmpty())
        return;
    QString text = QStringLiteral("次の手配は手配番号で区別できないため読み込みませんでした。"
                                  "計画表に表示せず、保存もしません。\n");
    text += m_lines.mid(0, kListed).join(u'\n');
    if (m_lines.size() > kListed)
        text += QStringLiteral("\nほか %1件").arg(m_lines.size() - kListed);
    prompter.inform(text, {}, PromptIcon::Warning);
}
