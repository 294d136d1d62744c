#include "app/PlanSession.h"

#include "plan/Prompter.h"

PlanSession::PlanSession(bool inquiryMode, QObject *parent) : QObject(parent), m_inquiry(inquiryMode)
{
}

void PlanSession::setUnsaved(bool unsaved)
{
    if (m_unsaved == unsaved)
        return;
    m_unsaved = unsaved;
    emit unsavedChangesChanged(unsaved);
}

void PlanSession::markChanged()
{
    if (!m_inquiry)
        setUnsaved(true);
}

void PlanSession::markSaved()
{
    setUnsaved(false);
}

bool PlanSession::mayClose(Prompter &prompter) const
{
    if (!m_unsaved || m_restartPending)
        return true;
    return prompter.ask(QStringLiteral("変更を保存せずに終了しますか？"), {}, false);
}

bool PlanSession::mayRestart(Prompter &prompter) const
{
    if (!m_unsaved)
        return true;
    return prompter.ask(QStringLiteral("変更を保存せずに破棄しますか？"), {}, false);
}
