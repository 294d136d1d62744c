#include "schedule_list/ui/frmYoteiIchiran.h"

#include "calendar/DateEntry.h"
#include "gantt/TimeScale.h"
#include "plan/RunContext.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

namespace {

// A text as wide as the widest value a planner needs to read in each column.
QString widestValue(int column)
{
    switch (column) {
    case schedulelist::SystemId: return QStringLiteral("000000");
    case schedulelist::Arrangement: return QStringLiteral("00000000");
    case schedulelist::ItemCode: return QStringLiteral("0000000000000");
    case schedulelist::ItemName: return QStringLiteral("ワイヤクリップ WC-1196型");
    case schedulelist::Sequence: return QStringLiteral("999");
    case schedulelist::Process: return QStringLiteral("インサート成形");
    case schedulelist::Machine: return QStringLiteral("IM150-01");
    case schedulelist::Start:
    case schedulelist::Due: return QStringLiteral("00/00/00");
    case schedulelist::Quantity: return QStringLiteral("9,999,999");
    case schedulelist::Mold: return QStringLiteral("K000000000");
    case schedulelist::RequestNo: return QStringLiteral("00000000");
    default: return {};
    }
}

QLineEdit *lineEdit(const char *name, int width, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(width);
    return edit;
}

} // namespace

frmYoteiIchiran::frmYoteiIchiran(const PlanStore &store, RunContext &context, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_context(context), m_rules(store, context, prompter)
{
    setObjectName(QStringLiteral("frmYoteiIchiran"));
    setWindowTitle(QStringLiteral("予定一覧"));
    buildControls();
}

void frmYoteiIchiran::buildControls()
{
    auto *fields = new QGridLayout;
    const auto label = [this](const QString &text, QLineEdit *buddy) {
        auto *caption = new QLabel(text, this);
        caption->setBuddy(buddy);
        return caption;
    };
    m_itemCode = lineEdit("txtHinmeiCd", 150, this);
    m_requestNo = lineEdit("txtSeizouIrai", 110, this);
    m_mold = lineEdit("txtKanagata", 110, this);
    m_dueFrom = lineEdit("txtYYMMDD_St", 100, this);
    m_dueTo = lineEdit("txtYYMMDD_Ed", 100, this);
    fields->addWidget(label(QStringLiteral("品名コード："), m_itemCode), 0, 0, Qt::AlignRight);
    fields->addWidget(m_itemCode, 0, 1);
    fields->addWidget(label(QStringLiteral("製造依頼番号："), m_requestNo), 0, 2, Qt::AlignRight);
    fields->addWidget(m_requestNo, 0, 3);
    fields->addWidget(label(QStringLiteral("金型："), m_mold), 0, 4, Qt::AlignRight);
    fields->addWidget(m_mold, 0, 5);
    auto *dates = new QHBoxLayout;
    dates->addWidget(m_dueFrom);
    dates->addWidget(new QLabel(QStringLiteral("～"), this));
    dates->addWidget(m_dueTo);
    dates->addStretch();
    fields->addWidget(label(QStringLiteral("納期："), m_dueFrom), 1, 0, Qt::AlignRight);
    fields->addLayout(dates, 1, 1, 1, 5);
    fields->setColumnStretch(6, 1);

    m_search = new QPushButton(QStringLiteral("検索"), this);
    m_search->setObjectName(QStringLiteral("cmdKensaku"));
    m_cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_search);
    buttons->addWidget(m_cancel);

    auto *top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(buttons);

    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("livIchiran"));
    m_list->setModel(&m_rules.model());
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView *header = m_list->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    sizeColumns();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);

    for (QLineEdit *field : {m_itemCode, m_requestNo, m_mold, m_dueFrom, m_dueTo})
        field->installEventFilter(this);
    connect(m_search, &QPushButton::clicked, this, &frmYoteiIchiran::search);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(header, &QHeaderView::sectionClicked, this, &frmYoteiIchiran::sortBy);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &frmYoteiIchiran::choose);
    connect(m_list, &QWidget::customContextMenuRequested, this, &frmYoteiIchiran::requestPopup);
}

void frmYoteiIchiran::sizeColumns()
{
    // Widths from the font, not from the listed lots: a list of tens of thousands of lots
    // opens without measuring every cell. The planner can still widen a column.
    const QFontMetrics metrics = m_list->fontMetrics();
    int total = 0;
    for (int column = 0; column < schedulelist::ColumnCount; ++column) {
        const int width = std::max(metrics.horizontalAdvance(schedulelist::header(column)),
                                   metrics.horizontalAdvance(widestValue(column)))
            + 3 * metrics.averageCharWidth();
        m_list->header()->resizeSection(column, width);
        total += width;
    }
    resize(total + 60, 520);
}

bool frmYoteiIchiran::prepare()
{
    if (!m_rules.open())
        return false;
    const ScheduleListMemory &memory = m_context.ScheduleList;
    move(int(memory.Left / TwipsPerPixel), int(memory.Top / TwipsPerPixel));
    showFields(m_rules.fields());
    showSortColumn();
    return true;
}

void frmYoteiIchiran::showList()
{
    do {
        m_reopen = false;
        if (!prepare())
            return;
        m_context.ScheduleListOpen = true;
        exec();
        m_context.ScheduleListOpen = false;
    } while (m_reopen);
}

void frmYoteiIchiran::reopen()
{
    m_reopen = true;
    reject();
}

void frmYoteiIchiran::done(int result)
{
    ScheduleListMemory &memory = m_context.ScheduleList;
    memory.Top = qint64(y()) * TwipsPerPixel;
    memory.Left = qint64(x()) * TwipsPerPixel;
    QDialog::done(result);
}

bool frmYoteiIchiran::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return QDialog::eventFilter(watched, event);
    // Enter moves on: item code, request number, mold, due-date start, end, then 検索. A date
    // box completes its entry first, as every date box does.
    auto *field = static_cast<QLineEdit *>(watched);
    if (field == m_dueFrom || field == m_dueTo)
        field->setText(ParseDateEntry(field->text(), QDate::currentDate()));
    const QList<QWidget *> order{m_itemCode, m_requestNo, m_mold, m_dueFrom, m_dueTo, m_search};
    const qsizetype at = order.indexOf(field);
    if (at >= 0 && at + 1 < order.size())
        order[at + 1]->setFocus(Qt::TabFocusReason);
    return true;
}

void frmYoteiIchiran::search()
{
    const ScheduleListSearch typed{m_itemCode->text(), m_requestNo->text(), m_mold->text(), m_dueFrom->text(),
                                   m_dueTo->text()};
    if (m_rules.search(typed))
        showFields(m_rules.fields());
}

void frmYoteiIchiran::sortBy(int column)
{
    if (m_rules.sortBy(column))
        showFields(m_rules.fields());
    showSortColumn();
}

void frmYoteiIchiran::showFields(const ScheduleListSearch &fields)
{
    m_itemCode->setText(fields.ItemCode);
    m_requestNo->setText(fields.RequestNo);
    m_mold->setText(fields.Mold);
    m_dueFrom->setText(fields.DueFrom);
    m_dueTo->setText(fields.DueTo);
}

void frmYoteiIchiran::showSortColumn()
{
    const ScheduleListMemory &memory = m_context.ScheduleList;
    QHeaderView *header = m_list->header();
    header->setSortIndicatorShown(memory.Sorted);
    if (memory.Sorted)
        header->setSortIndicator(memory.SortColumn, m_rules.sortOrder());
}

void frmYoteiIchiran::choose(const QModelIndex &index)
{
    const qint64 lot = m_rules.model().lotAt(index.row());
    if (lot == 0)
        return;
    emit lotChosen(lot);
    accept();
}

void frmYoteiIchiran::requestPopup(const QPoint &pos)
{
    const QModelIndex index = m_list->indexAt(pos);
    const qint64 lot = m_rules.model().lotAt(index.row());
    if (lot == 0)
        return;
    m_list->setCurrentIndex(index);
    emit popupRequested(lot, m_list->viewport()->mapToGlobal(pos));
}
