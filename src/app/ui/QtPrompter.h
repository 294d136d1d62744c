#pragma once
// The prompter of the windows: a QMessageBox with the rule's exact text, title and icon.

#include "plan/Prompter.h"

class QWidget;

class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    void inform(const QString &text, const QString &title, PromptIcon icon) override;
    bool ask(const QString &text, const QString &title, bool defaultYes, PromptIcon icon) override;
    bool askWithDetails(const QString &text, const QString &details, const QString &title, bool defaultYes,
                        PromptIcon icon) override;

private:
    QWidget *m_parent;
};
