#include "app/UnsavedChanges.h"

#include "plan/Prompter.h"

UnsavedChanges::UnsavedChanges(bool inquiryMode, QObject *parent) : QObject(parent), m_inquiry(inquiryMode)
{
}

void UnsavedChanges::setUnsaved(bool unsaved)
{
    if (m_unsaved == unsaved)
        return;
    m_unsaved = unsaved;
    emit unsavedChangesChanged(unsaved);
}

void UnsavedChanges::markChanged()
{
    if (!m_inquiry)
        setUnsaved(true);
}

void UnsavedChanges::markSaved()
{
    setUnsaved(false);
}

bool UnsavedChanges::mayClose(Prompter &prompter) const
{
    if (!m_unsaved || m_restartPending)
        return true;
    return prompter.ask(QStringLiteral("変更を保存せずに終了しますか？"), {}, false);
}

bool UnsavedChanges::mayRestart(Prompter &prompter) const
{
    if (!m_unsaved)
        return true;
    return prompter.ask(QStringLiteral("変更を保存せずに破棄しますか？"), {}, false);
}
