#include "dialogs/ui/AddPlan.h"

#include "db/Database.h"
#include "dialogs/ui/ChainForm.h"
#include "dialogs/ui/ChainList.h"
#include "plan/Prompter.h"

#include <QPushButton>

AddPlan::AddPlan(ProcessAdd &add, const PlanRecord &lot, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_add(add), m_lot(lot), m_prompter(prompter)
{
    setObjectName(QStringLiteral("AddPlan"));
    setWindowTitle(QStringLiteral("工程追加"));
    setModal(true);
    ChainForm form(this, add.arrangementText(), add.lines(),
                   {{QStringLiteral("Command3"), QStringLiteral("追加実施")},
                    {QStringLiteral("Command1"), QStringLiteral("追加キャンセル")}});
    m_list = form.list;
    m_text1 = form.text1;
    connect(button(QStringLiteral("Command3")), &QPushButton::clicked, this, &AddPlan::execute);
    connect(button(QStringLiteral("Command1")), &QPushButton::clicked, this, &QDialog::reject);
}

QPushButton *AddPlan::button(const QString &name) const
{
    return findChild<QPushButton *>(name);
}

void AddPlan::execute()
{
    try {
        m_addition = m_add.execute(m_list->checkedCount(), m_lot);
    } catch (const DbError &error) {
        m_prompter.inform(error.text);
        return;
    }
    if (m_addition)
        accept();
}
