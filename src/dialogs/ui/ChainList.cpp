#include "dialogs/ui/ChainList.h"

#include "dialogs/ui/ListFont.h"

#include <QSignalBlocker>

ChainList::ChainList(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("NList"));
    setFont(byteWidthListFont());
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) { checkUpTo(row(item)); });
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { checkUpTo(row(item)); });
}

void ChainList::setLines(const QStringList &lines)
{
    const QSignalBlocker quiet(this);
    clear();
    for (const QString &line : lines) {
        auto *item = new QListWidgetItem(line, this);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    checkUpTo(0);
}

int ChainList::checkedCount() const
{
    int checked = 0;
    while (checked < count() && item(checked)->checkState() == Qt::Checked)
        ++checked;
    return checked;
}

void ChainList::checkUpTo(int row)
{
    const QSignalBlocker quiet(this);
    for (int line = 0; line < count(); ++line)
        item(line)->setCheckState(line <= row ? Qt::Checked : Qt::Unchecked);
    if (row >= 0 && row < count())
        setCurrentRow(row);
}
