#include "dialogs/ui/BunWindow.h"
#include "dialogs/ui/ListFont.h"

#include "dialogs/SplitLines.h"
#include "dialogs/DetailActions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void showLines(QListWidget *widget, const QStringList &lines, int selected)
{
    QStringList shown;
    for (int i = 0; i < widget->count(); ++i)
        shown << widget->item(i)->text();
    if (shown != lines) {
        widget->clear();
        widget->addItems(lines);
    }
    if (selected >= 0)
        widget->setCurrentRow(selected);
    else
        widget->clearSelection();
}

} // namespace

BunWindow::BunWindow(DetailActions &actions, qint64 lot, QWidget *parent)
    : QDialog(parent), m_actions(actions), m_lot(lot), m_rules(actions.prompter())
{
    setObjectName(QStringLiteral("BunWindow"));
    setWindowTitle(QStringLiteral("手配分割"));
    setModal(true);
    addList(QStringLiteral("NList"), SplitRing::Inner);
    addList(QStringLiteral("GList"), SplitRing::Outer);
    for (const char *name : {"Text1", "Text14", "Text2", "Text3"})
        addBox(QString::fromLatin1(name));
    for (const char *name : {"Text1", "Text2", "Text3"})
        box(QString::fromLatin1(name))->setReadOnly(true);
    addButton(QStringLiteral("Command3"), QStringLiteral("分割実施"));
    addButton(QStringLiteral("Command1"), QStringLiteral("分割キャンセル"));
    connect(button(QStringLiteral("Command3")), &QPushButton::clicked, this, &BunWindow::carryOut);
    connect(button(QStringLiteral("Command1")), &QPushButton::clicked, this, &QDialog::reject);
    buildLayout();

    m_rules.open(actions.store()[lot]);
    showTexts();
}

QListWidget *BunWindow::addList(const QString &name, SplitRing ring)
{
    auto *widget = new QListWidget(this);
    widget->setObjectName(name);
    widget->setFont(byteWidthListFont());
    widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(widget, &QListWidget::itemClicked, this,
            [this, widget, ring](QListWidgetItem *item) { lineClicked(ring, widget->row(item)); });
    m_lists.insert(name, widget);
    return widget;
}

QLineEdit *BunWindow::addBox(const QString &name)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->installEventFilter(this);
    m_boxes.insert(name, edit);
    return edit;
}

QPushButton *BunWindow::addButton(const QString &name, const QString &caption)
{
    auto *push = new QPushButton(caption, this);
    push->setObjectName(name);
    push->setAutoDefault(false);
    m_buttons.insert(name, push);
    return push;
}

void BunWindow::buildLayout()
{
    auto *all = new QVBoxLayout(this);
    const QFont font = byteWidthListFont();
    const int lineWidth = QFontMetrics(font).horizontalAdvance(splitlines::header() + QStringLiteral("  "));
    const auto ring = [&](const QString &caption, const QString &listName, const QString &totalName) {
        all->addWidget(new QLabel(caption));
        auto *header = new QLabel(splitlines::header());
        header->setFont(font);
        header->setContentsMargins(4, 0, 0, 0);
        all->addWidget(header);
        QListWidget *widget = list(listName);
        widget->setMinimumWidth(lineWidth + 8);
        widget->setMinimumHeight(QFontMetrics(font).lineSpacing() * 6);
        all->addWidget(widget);
        auto *total = new QHBoxLayout;
        total->addStretch();
        total->addWidget(new QLabel(QStringLiteral("分割数合計")));
        total->addWidget(box(totalName));
        all->addLayout(total);
    };
    ring(QStringLiteral("内輪"), QStringLiteral("NList"), QStringLiteral("Text2"));
    ring(QStringLiteral("外輪"), QStringLiteral("GList"), QStringLiteral("Text3"));

    auto *entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("生産計画番号")));
    entry->addWidget(box(QStringLiteral("Text1")));
    entry->addWidget(new QLabel(QStringLiteral("分割数")));
    entry->addWidget(box(QStringLiteral("Text14")));
    entry->addStretch();
    all->addLayout(entry);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button(QStringLiteral("Command3")));
    buttons->addWidget(button(QStringLiteral("Command1")));
    all->addLayout(buttons);
}

void BunWindow::showTexts()
{
    const BunTexts &t = m_rules.texts();
    showLines(list(QStringLiteral("NList")), t.innerLines, t.innerRow);
    showLines(list(QStringLiteral("GList")), t.outerLines, t.outerRow);
    box(QStringLiteral("Text1"))->setText(t.planNo);
    box(QStringLiteral("Text14"))->setText(t.splitCount);
    box(QStringLiteral("Text14"))->setEnabled(t.splitCountEnabled);
    box(QStringLiteral("Text2"))->setText(t.innerTotal);
    box(QStringLiteral("Text3"))->setText(t.outerTotal);
}

void BunWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The window opens on the first inner line, ready for its count.
    if (!m_rules.texts().innerLines.isEmpty() && m_rules.texts().planNo.isEmpty())
        lineClicked(SplitRing::Inner, 0);
}

void BunWindow::lineClicked(SplitRing ring, int row)
{
    m_rules.clickLine(ring, row);
    showTexts();
    QLineEdit *count = box(QStringLiteral("Text14"));
    count->setFocus();
    count->selectAll();
}

bool BunWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == box(QStringLiteral("Text14")) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_rules.texts().splitCount = box(QStringLiteral("Text14"))->text();
            const bool taken = m_rules.enterCount();
            showTexts();
            if (taken)
                button(QStringLiteral("Command3"))->setFocus();
            else
                box(QStringLiteral("Text14"))->selectAll();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BunWindow::carryOut()
{
    if (!m_rules.confirm())
        return;
    m_newLot = m_actions.splitLot(m_lot, m_rules.choice());
    accept();
}
