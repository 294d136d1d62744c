#pragma once
// The main window's unsaved-changes state. The plan session's edit path reports here whether
// the plan differs from the database; saving is possible exactly while there are unsaved
// changes and the operator is not in inquiry mode. Closing and the restart cycle ask before
// unsaved changes are thrown away.

#include <QObject>

class Prompter;

class UnsavedChanges : public QObject
{
    Q_OBJECT
public:
    explicit UnsavedChanges(bool inquiryMode, QObject *parent = nullptr);

    bool inquiryMode() const { return m_inquiry; }
    // Unsaved changes exist (the save button is enabled). Never true in inquiry mode.
    bool hasUnsavedChanges() const { return m_unsaved; }

    // An edit changed the plan: saving becomes possible, unless in inquiry mode.
    void markChanged();
    // The save routine asks this first and writes nothing when it says no.
    bool maySave() const { return !m_inquiry; }
    // The plan was saved, or reloaded from the database: nothing is unsaved any more.
    void markSaved();

    // Closing the window: true when it may close. With unsaved changes the planner is asked
    // whether to end without saving (No pre-selected) unless the window is closing for a
    // restart, which asked already.
    bool mayClose(Prompter &prompter) const;
    // The restart cycle: true when it may go on; with unsaved changes the planner is asked
    // whether to discard them (No pre-selected).
    bool mayRestart(Prompter &prompter) const;

    bool restartPending() const { return m_restartPending; }
    void setRestartPending(bool pending) { m_restartPending = pending; }

signals:
    void unsavedChangesChanged(bool unsaved);

private:
    void setUnsaved(bool unsaved);

    bool m_inquiry;
    bool m_unsaved = false;
    bool m_restartPending = false;
};
