#include "app/ui/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QMessageBox::Icon boxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Critical: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtPrompter::inform(const QString &text, const QString &title, PromptIcon icon)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? QApplication::applicationName() : title, text,
                    QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtPrompter::ask(const QString &text, const QString &title, bool defaultYes, PromptIcon icon)
{
    return askWithDetails(text, QString(), title, defaultYes, icon);
}

bool QtPrompter::askWithDetails(const QString &text, const QString &details, const QString &title, bool defaultYes,
                                PromptIcon icon)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? QApplication::applicationName() : title, text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    box.setDetailedText(details);
    return box.exec() == QMessageBox::Yes;
}
