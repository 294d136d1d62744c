#include "dialogs/ui/LinePlanWindow.h"

#include "dialogs/DetailActions.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

LinePlanWindow::LinePlanWindow(DetailActions &actions, QWidget *parent) : QDialog(parent), m_actions(actions)
{
    setObjectName(QStringLiteral("LinePlanWindow"));
    setWindowTitle(lineplan::Caption);
    setModal(true);
    for (int box = 0; box < PlanTimeBoxes; ++box) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("PlanTime(%1)").arg(box));
        m_planTime[size_t(box)] = edit;
    }
    m_planSum = new QLineEdit(this);
    m_planSum->setObjectName(QStringLiteral("PlanSum"));
    m_command1 = new QPushButton(QStringLiteral("変更"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAutoDefault(false);
    for (QLineEdit *edit : m_planTime)
        edit->installEventFilter(this);
    m_planSum->installEventFilter(this);
    connect(m_command1, &QPushButton::clicked, this, &LinePlanWindow::change);
    buildLayout();
}

void LinePlanWindow::buildLayout()
{
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("計画内容")), 0, 0, 1, 4);
    for (int pair = 0; pair < PlanTimeBoxes / 2; ++pair) {
        grid->addWidget(new QLabel(QStringLiteral("%1").arg(pair + 1)), pair + 1, 0);
        grid->addWidget(m_planTime[size_t(2 * pair)], pair + 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("～")), pair + 1, 2, Qt::AlignCenter);
        grid->addWidget(m_planTime[size_t(2 * pair + 1)], pair + 1, 3);
    }
    grid->addWidget(new QLabel(QStringLiteral("合計計画時間")), 5, 0, 1, 2);
    grid->addWidget(m_planSum, 5, 3);
    const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 16;
    for (QLineEdit *edit : m_planTime)
        edit->setMinimumWidth(boxWidth);
    m_planSum->setMinimumWidth(boxWidth);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("LineDay"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(grid);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    layout->addLayout(buttons);
}

void LinePlanWindow::openOn(const LinePlanDay &day, const QString &machineCaption)
{
    m_day = day;
    m_changed = false;
    const CalendarDay *calendarDay = m_actions.calendar().day(day.MachineNo, day.DateNum);
    const LinePlanTexts texts = calendarDay ? linePlanTexts(*calendarDay) : LinePlanTexts{};
    for (int box = 0; box < PlanTimeBoxes; ++box)
        m_planTime[size_t(box)]->setText(texts.shiftTimes[size_t(box)]);
    m_planSum->setText(texts.hours);
    m_heading->setText(machineCaption + QStringLiteral("　")
                       + m_actions.calendar().dateOf(day.DateNum).toString(QStringLiteral("yyyy/MM/dd")));
    m_planTime[0]->setFocus();
}

bool LinePlanWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (edit && event->type() == QEvent::FocusIn) {
        edit->selectAll();
    } else if (edit && event->type() == QEvent::MouseButtonRelease && !edit->hasSelectedText()) {
        edit->selectAll();
    } else if (edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const auto box = std::find(m_planTime.begin(), m_planTime.end(), edit);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && box != m_planTime.end()) {
            enterIn(int(box - m_planTime.begin()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QLineEdit *LinePlanWindow::boxAt(int focus) const
{
    return focus == PlanSumBox ? m_planSum : m_planTime[size_t(focus)];
}

void LinePlanWindow::enterIn(int box)
{
    const TimeBoxEnter entered = enterTimeBox(box, m_planTime[size_t(box)]->text(), m_actions.prompter());
    m_planTime[size_t(box)]->setText(entered.text);
    QLineEdit *next = boxAt(entered.focus);
    next->setFocus();
    next->selectAll();
}

void LinePlanWindow::change()
{
    LinePlanTexts texts;
    for (int box = 0; box < PlanTimeBoxes; ++box)
        texts.shiftTimes[size_t(box)] = m_planTime[size_t(box)]->text();
    texts.hours = m_planSum->text();
    const LinePlanChange result = m_actions.changeMachineDay(m_day, texts);
    if (!result.closes) {
        QLineEdit *box = boxAt(result.focus);
        box->setFocus();
        box->selectAll();
        return;
    }
    m_changed = result.changed;
    accept();
}
