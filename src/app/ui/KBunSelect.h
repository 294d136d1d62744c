#pragma once
// The window "工程分類指定": the planner picks the process class (ComboKBun) and the planning
// period (strYYMMDD to endYYMMDD). Accepted when the choice is taken, rejected when the
// planner leaves the program from here.

#include "app/ClassSelection.h"

#include <QDialog>

class Prompter;
class QComboBox;
class QLineEdit;

class KBunSelect : public QDialog
{
    Q_OBJECT
public:
    // `selection` must be loaded; the window shows and edits it.
    KBunSelect(ClassSelection &selection, Prompter &prompter, QWidget *parent = nullptr);

public slots:
    // Escape and the close box (the dialog routes it here): asks before the program ends.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void confirmChoice();
    void takeChoice();
    void moveFocus(ClassSelection::Focus focus);
    void syncDates();
    void readDates();
    bool askToLeave();

    ClassSelection &m_selection;
    Prompter &m_prompter;
    QComboBox *m_comboKBun;
    QLineEdit *m_strYYMMDD;
    QLineEdit *m_endYYMMDD;
    bool m_activated = false;
};
