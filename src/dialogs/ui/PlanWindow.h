#pragma once
// PlanWindow "詳細情報": one lot with everything the planner may change by hand. The boxes
// are edited with the rules of PlanDetail; the lot itself changes only when the window
// closes, in one planner action of the plan (DetailActions::writeBackDetail), unless the
// planner cancels.

#include "dialogs/PlanDetail.h"
#include "dialogs/PlanDetailWriteBack.h"

#include <QDialog>
#include <QHash>
#include <vector>

class DetailActions;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class PlanWindow : public QDialog
{
    Q_OBJECT
public:
    explicit PlanWindow(DetailActions &actions, QWidget *parent = nullptr);

    // Shows the lot's texts and takes the working copy of the lot.
    void openOn(qint64 lot, const DetailTexts &texts);

    // The box of that name (Text1 .. Text42, txt_After_StartYMD, ...); nullptr when none.
    QLineEdit *box(const QString &name) const { return m_boxes.value(name); }
    QComboBox *machineBox() const { return m_text5; }      // Text5
    QComboBox *destinationBox() const { return m_text12; } // Text12
    QListWidget *list(const QString &name) const { return m_lists.value(name); }
    QPushButton *button(const QString &name) const { return m_buttons.value(name); }
    const PlanDetail &rules() const { return m_rules; }
    WriteBackResult lastWriteBack() const { return m_writeBack; }

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *addBox(const QString &name, bool readOnly = false);
    QListWidget *addList(const QString &name);
    QPushButton *addButton(const QString &name, const QString &caption);
    void buildLayout();
    void setTabIndices();
    void fitDateBoxes();
    void readBoxes();
    void showBoxes();
    void enterPressed(QWidget *control);
    void focusNextFrom(QWidget *control);
    void runRule(EntryOutcome (PlanDetail::*rule)(), QWidget *control);
    void leaveItemCode();
    void chooseComposition();
    // Command4 "×工程追加" and Command5 "×工程照会".
    void addProcesses();
    void showProcesses();
    // Command3: the lot split in BunWindow; Command2: the process split of the chosen lines.
    void splitLot();
    void splitProcesses();
    void followSplit(bool retimed);

    DetailActions &m_actions;
    PlanDetail m_rules;
    qint64 m_lot = 0;
    bool m_closing = false;
    WriteBackResult m_writeBack = WriteBackResult::NothingWritten;

    QHash<QString, QLineEdit *> m_boxes;
    QHash<QString, QListWidget *> m_lists;
    QHash<QString, QPushButton *> m_buttons;
    QComboBox *m_text5 = nullptr;
    QComboBox *m_text12 = nullptr;
    std::vector<QWidget *> m_tabOrder; // by tab index; 0..13 take part in the Enter order
    QHash<QWidget *, EntryOutcome (PlanDetail::*)()> m_entryRules;
};
