#include "dialogs/ui/SelectPlan.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

SelectPlan::SelectPlan(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SelectPlan"));
    setWindowTitle(QStringLiteral("手配選択"));
    setModal(true);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("NList"));
    QFont fixed(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_list->setFont(fixed);
    auto *button = new QPushButton(QStringLiteral("選択"), this);
    button->setObjectName(QStringLiteral("Command1"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(button);
    resize(560, 320);

    connect(button, &QPushButton::clicked, this, &SelectPlan::choose);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &SelectPlan::choose);
}

void SelectPlan::addLine(const QString &text, qint64 lot)
{
    auto *item = new QListWidgetItem(text, m_list);
    item->setData(Qt::UserRole, lot);
    if (m_list->count() == 1)
        m_list->setCurrentRow(0);
}

void SelectPlan::choose()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_selected = row + 1;
    accept();
}

qint64 SelectPlan::selectedLot() const
{
    if (m_selected == 0)
        return 0;
    return m_list->item(m_selected - 1)->data(Qt::UserRole).toLongLong();
}
