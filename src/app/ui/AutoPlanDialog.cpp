#include "app/ui/AutoPlanDialog.h"

#include "calendar/DateEntry.h"
#include "plan/ChartRows.h"
#include "session/AutoPlanRequest.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *made = named(new QPushButton(text, parent), name);
    // Enter completes a date box; it never runs the planner by surprise.
    made->setAutoDefault(false);
    return made;
}

QLineEdit *numberBox(const QString &text, const char *name, QWidget *parent)
{
    auto *box = named(new QLineEdit(text, parent), name);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    return box;
}

QWidget *withUnit(QLineEdit *box, const QString &unit)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    layout->addWidget(new QLabel(unit));
    layout->addStretch();
    return row;
}

} // namespace

AutoPlanDialog::AutoPlanDialog(const ChartRows &rows, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("AutoPlanDialog"));
    setWindowTitle(QStringLiteral("自動計画"));
    setModal(true);
    const AutoPlanTexts defaults;

    m_tentative = named(new QCheckBox(QStringLiteral("仮計画も組み直す"), this), "ChkTentative");
    m_tentative->setChecked(defaults.replanTentative);
    m_due = named(new QLineEdit(defaults.dueUpTo, this), "TxtDueUpTo");
    m_due->setPlaceholderText(QStringLiteral("指定なし"));
    m_due->setMaximumWidth(m_due->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) + 40);
    // A date typed the short way ("1225", "6/1") is shown whole as soon as it is left.
    connect(m_due, &QLineEdit::editingFinished, this, [this] {
        const QString date = ReadBoxDate(m_due->text(), QDate::currentDate());
        if (!date.isEmpty())
            m_due->setText(date);
    });
    m_machines = named(new QListWidget(this), "LstMachines");
    for (int row = 2; row <= rows.lastMachineRow(); ++row) {
        auto *item = new QListWidgetItem(rows.row(row).caption.simplified(), m_machines);
        item->setData(Qt::UserRole, rows.row(row).code.trimmed());
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    m_machines->setMinimumHeight(m_machines->fontMetrics().height() * 8);
    m_stock = numberBox(defaults.stockDays, "TxtStockDays", this);
    m_budget = numberBox(defaults.budgetSeconds, "TxtBudgetSeconds", this);

    auto *all = button(QStringLiteral("すべて選択"), "CmdAllMachines", this);
    auto *none = button(QStringLiteral("すべて解除"), "CmdNoMachine", this);
    connect(all, &QPushButton::clicked, this, [this] { tickAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { tickAll(false); });
    auto *tickButtons = new QHBoxLayout;
    tickButtons->addWidget(all);
    tickButtons->addWidget(none);
    tickButtons->addStretch();
    auto *machines = new QVBoxLayout;
    machines->addWidget(m_machines);
    machines->addLayout(tickButtons);

    auto *form = new QFormLayout;
    form->addRow(QString(), m_tentative);
    form->addRow(QStringLiteral("納期の上限:"), m_due);
    form->addRow(QStringLiteral("機械:"), machines);
    form->addRow(QStringLiteral("在庫の上限:"), withUnit(m_stock, QStringLiteral("稼働日 (納期のこの日数より前には始めない。0 は制限なし)")));
    form->addRow(QStringLiteral("計算時間:"), withUnit(m_budget, QStringLiteral("秒")));

    auto *runButton = button(QStringLiteral("実行"), "CmdRun", this);
    auto *cancel = button(QStringLiteral("キャンセル"), "CmdCancel", this);
    connect(runButton, &QPushButton::clicked, this, &AutoPlanDialog::run);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(runButton);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(named(new QLabel(QStringLiteral("未割付のロットと仮計画のロットを、納期順に作れる機械へ計画します。"), this),
                            "LblAutoPlanIntro"));
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QWidget *AutoPlanDialog::boxOf(AutoPlanBox box) const
{
    switch (box) {
    case AutoPlanBox::DueUpTo:
        return m_due;
    case AutoPlanBox::StockDays:
        return m_stock;
    case AutoPlanBox::BudgetSeconds:
        return m_budget;
    case AutoPlanBox::Machines:
    case AutoPlanBox::None:
        break;
    }
    return m_machines;
}

void AutoPlanDialog::tickAll(bool ticked)
{
    for (int i = 0; i < m_machines->count(); ++i)
        m_machines->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void AutoPlanDialog::run()
{
    AutoPlanTexts texts;
    texts.replanTentative = m_tentative->isChecked();
    texts.dueUpTo = m_due->text();
    texts.machineCount = m_machines->count();
    for (int i = 0; i < m_machines->count(); ++i)
        if (m_machines->item(i)->checkState() == Qt::Checked)
            texts.machines.append(m_machines->item(i)->data(Qt::UserRole).toString());
    texts.stockDays = m_stock->text();
    texts.budgetSeconds = m_budget->text();
    const AutoPlanRead read = readAutoPlanTexts(texts, QDate::currentDate(), m_prompter);
    if (!read.options) {
        QWidget *refused = boxOf(read.refused);
        refused->setFocus();
        if (auto *box = qobject_cast<QLineEdit *>(refused))
            box->selectAll();
        return;
    }
    m_options = *read.options;
    accept();
}
