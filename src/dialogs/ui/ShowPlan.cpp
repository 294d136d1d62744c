#include "dialogs/ui/ShowPlan.h"

#include "dialogs/ui/ChainForm.h"

#include <QPushButton>

ShowPlan::ShowPlan(const QString &arrangement, const QStringList &lines, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ShowPlan"));
    setWindowTitle(QStringLiteral("工程照会"));
    setModal(true);
    const ChainForm form(this, arrangement, lines, {{QStringLiteral("Command1"), QStringLiteral("照会終了")}});
    m_list = form.list;
    m_text1 = form.text1;
    connect(findChild<QPushButton *>(QStringLiteral("Command1")), &QPushButton::clicked, this, &QDialog::accept);
}
