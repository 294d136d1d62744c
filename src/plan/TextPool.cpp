#include "plan/TextPool.h"

QString TextPool::intern(const QString &text)
{
    if (text.isEmpty())
        return QString();
    const auto found = m_texts.constFind(text);
    if (found != m_texts.constEnd())
        return *found;
    m_texts.insert(text);
    return text;
}
