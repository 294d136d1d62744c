#include "persist/ui/ElsewhereWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

ElsewhereWindow::ElsewhereWindow(const std::vector<ElsewhereChange> &changes, QWidget *parent)
    : QDialog(parent),
      m_list(new QTableWidget(int(changes.size()), 4, this)),
      m_overwrite(new QPushButton(QStringLiteral("上書き保存"), this)),
      m_reload(new QPushButton(QStringLiteral("破棄して再読込"), this)),
      m_cancel(new QPushButton(QStringLiteral("キャンセル"), this))
{
    setObjectName(QStringLiteral("ElsewhereWindow"));
    setWindowTitle(QStringLiteral("他で変更された計画"));
    m_list->setObjectName(QStringLiteral("ElsewhereList"));
    m_overwrite->setObjectName(QStringLiteral("ComOverwrite"));
    m_reload->setObjectName(QStringLiteral("ComReload"));
    m_cancel->setObjectName(QStringLiteral("ComCancel"));

    auto *note = new QLabel(QStringLiteral("次の計画は読込後に他で変更されたため、保存していません。"), this);
    m_list->setHorizontalHeaderLabels({QStringLiteral("手配番号"), QStringLiteral("品名コード"),
                                       QStringLiteral("他での変更"), QStringLiteral("上書き")});
    m_list->verticalHeader()->hide();
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    bool anyOverwritable = false;
    for (int r = 0; r < int(changes.size()); ++r) {
        const ElsewhereChange &change = changes[size_t(r)];
        m_list->setItem(r, 0, cell(QString::number(change.arrangementNo)));
        m_list->setItem(r, 1, cell(change.itemCode));
        m_list->setItem(r, 2, cell(change.describe()));
        m_list->setItem(r, 3, cell(change.gone ? QStringLiteral("不可 (再読込のみ)") : QStringLiteral("可")));
        anyOverwritable = anyOverwritable || !change.gone;
    }
    m_list->resizeColumnsToContents();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_overwrite->setEnabled(anyOverwritable);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_overwrite);
    buttons->addWidget(m_reload);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(620, 320);

    connect(m_overwrite, &QPushButton::clicked, this, [this] { chosen(Choice::Overwrite); });
    connect(m_reload, &QPushButton::clicked, this, [this] { chosen(Choice::Reload); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { chosen(Choice::Cancel); });
    m_cancel->setDefault(true);
}

void ElsewhereWindow::chosen(Choice choice)
{
    m_choice = choice;
    accept();
}

ElsewhereWindow::Choice ElsewhereWindow::choose()
{
    m_choice = Choice::Cancel;
    exec();
    return m_choice;
}
