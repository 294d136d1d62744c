#pragma once
// LinePlanWindow "機械別稼働時間変更": one machine's shift times PlanTime(0) .. PlanTime(7) and
// total planned hours PlanSum for one working day, changed with "変更" (Command1) by the rules
// of LinePlan, as one planner action. Opened modally from a right press on an empty spot of a
// machine row of the chart.

#include "dialogs/LinePlan.h"

#include <QDialog>
#include <array>

class DetailActions;
class QLabel;
class QLineEdit;
class QPushButton;

class LinePlanWindow : public QDialog
{
    Q_OBJECT
public:
    explicit LinePlanWindow(DetailActions &actions, QWidget *parent = nullptr);

    // Shows the day's values: MachineNo and DateNum are the day's row and day index.
    void openOn(const LinePlanDay &day, const QString &machineCaption);

    const LinePlanDay &day() const { return m_day; }
    QLineEdit *planTime(int box) const { return m_planTime[size_t(box)]; }
    QLineEdit *planSum() const { return m_planSum; }
    QPushButton *command1() const { return m_command1; }
    // "変更" changed the day.
    bool changedDay() const { return m_changed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void enterIn(int box);
    void change();
    QLineEdit *boxAt(int focus) const;

    DetailActions &m_actions;
    LinePlanDay m_day;
    bool m_changed = false;
    QLabel *m_heading = nullptr;
    std::array<QLineEdit *, PlanTimeBoxes> m_planTime{};
    QLineEdit *m_planSum = nullptr;
    QPushButton *m_command1 = nullptr;
};
