#include "plan/ConsolePrompter.h"

#include <cstdio>

namespace {
void print(const QString &title, const QString &text)
{
    const QString line = (title.isEmpty() ? QString() : u'[' + title + QStringLiteral("] ")) + text + u'\n';
    std::fputs(line.toLocal8Bit().constData(), stderr);
}
} // namespace

void ConsolePrompter::inform(const QString &text, const QString &title, PromptIcon)
{
    print(title, text);
}

bool ConsolePrompter::ask(const QString &text, const QString &title, bool defaultYes, PromptIcon)
{
    print(title, text + (defaultYes ? QStringLiteral(" -> はい") : QStringLiteral(" -> いいえ")));
    return defaultYes;
}
