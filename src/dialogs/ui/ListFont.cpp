#include "dialogs/ui/ListFont.h"

QFont byteWidthListFont()
{
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setStyleHint(QFont::Monospace);
    return font;
}
