#include "editing/ui/PlanDataGrid.h"

#include <QApplication>
#include <QFrame>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
constexpr int kHandleWidth = px(250);
constexpr int kHeaderHeight = px(211);
constexpr int kRowHeight = px(280);
constexpr int kDragLineHeight = px(50);
constexpr int kFontPoints = 10;

// The least column widths in pixels; a column is widened to its texts in the list's font.
// The handle is the row header.
constexpr int kColumnWidths[plangrid::ColumnCount] = {0,  30, 30, 64, 70, 110, 160, 36, 90, 62,
                                                      62, 62, 78, 78, 80, 100, 62, 160, 50, 170};

// Paints each row in its colour: the lot's colour from the model, else the window colour.
// While the columns are sized to their texts, each distinct text of a column is measured
// once: the same date, machine or state on a thousand rows takes one text layout, not a
// thousand. A cell's size follows from its text alone (the list has one font and no icons),
// and in a font whose digits are all as wide as each other, from the text with every digit
// read as 0: the dates, times, numbers and quantities of a thousand rows then take a few.
class RowColourDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The width the view gives the column for its texts among the rows it measures.
    int textWidthOf(const QAbstractItemView &view, int column)
    {
        m_measuring = true;
        m_digitsAlike = digitsShareOneWidth(view.fontMetrics());
        const int width = view.sizeHintForColumn(column);
        m_measuring = false;
        m_sizes.clear();
        return width;
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (!m_measuring)
            return QStyledItemDelegate::sizeHint(option, index);
        QString text = index.data(Qt::DisplayRole).toString();
        if (m_digitsAlike)
            readDigitsAsZero(text);
        auto found = m_sizes.constFind(text);
        if (found == m_sizes.cend())
            found = m_sizes.insert(text, QStyledItemDelegate::sizeHint(option, index));
        return *found;
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant rgb = index.data(PlanGridModel::RowColourRole);
        if (rgb.isValid())
            option->backgroundBrush = QColor::fromRgb(QRgb(0xFF000000u | rgb.toUInt()));
    }

private:
    // Ten of each digit take the same width, so that no digit is wider even by a fraction.
    static bool digitsShareOneWidth(const QFontMetrics &metrics)
    {
        const int zeros = metrics.horizontalAdvance(QString(10, u'0'));
        for (char16_t digit = u'1'; digit <= u'9'; ++digit)
            if (metrics.horizontalAdvance(QString(10, QChar(digit))) != zeros)
                return false;
        return true;
    }

    static void readDigitsAsZero(QString &text)
    {
        for (QChar &c : text)
            if (c >= u'1' && c <= u'9')
                c = u'0';
    }

    bool m_measuring = false;
    bool m_digitsAlike = false;
    mutable QHash<QString, QSize> m_sizes;
};

bool isCommitKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Up
        || key == Qt::Key_Down;
}

} // namespace

PlanDataGrid::PlanDataGrid(PlanGridModel &model, PlanActions &actions, QWidget *parent)
    : QTableView(parent), m_model(model), m_actions(actions)
{
    setObjectName(QStringLiteral("PlanDataGrid"));
    setModel(&m_model);
    setItemDelegate(new RowColourDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
    setWordWrap(false);
    QFont gridFont = font();
    gridFont.setPointSize(kFontPoints);
    setFont(gridFont);

    m_editor = new QLineEdit(viewport());
    m_editor->setObjectName(QStringLiteral("GridText1"));
    m_editor->setFrame(false);
    m_editor->hide();
    m_editor->installEventFilter(this);

    m_dragLine = new QFrame(viewport());
    m_dragLine->setObjectName(QStringLiteral("GridDragLine"));
    m_dragLine->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0);"));
    m_dragLine->hide();
    m_draggedRow = new QFrame(viewport());
    m_draggedRow->setObjectName(QStringLiteral("GridDragLineP"));
    m_draggedRow->setFrameShape(QFrame::Box);
    m_draggedRow->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_draggedRow->hide();

    verticalHeader()->viewport()->installEventFilter(this);
    setUpLayout();

    connect(&m_model, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_memory.rememberIfEmpty(currentPosition()); });
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] {
        setUpLayout();
        applyPosition(m_memory.restoreTarget(m_model.lotCount(), plangrid::ColumnCount - 1));
    });
}

void PlanDataGrid::setUpLayout()
{
    QHeaderView *header = horizontalHeader();
    header->setFixedHeight(std::max(kHeaderHeight, fontMetrics().height() + 2));
    header->setHighlightSections(false);
    // The widest text among the rows around the view (the header's precision) and the caption.
    auto *delegate = static_cast<RowColourDelegate *>(itemDelegate());
    for (int column = 1; column < plangrid::ColumnCount; ++column)
        setColumnWidth(column, std::max({kColumnWidths[column], delegate->textWidthOf(*this, column),
                                         header->sectionSizeHint(column)}));
    setColumnHidden(plangrid::Handle, true);
    QHeaderView *handle = verticalHeader();
    handle->setSectionResizeMode(QHeaderView::Fixed);
    handle->setDefaultSectionSize(kRowHeight);
    handle->setMinimumSectionSize(kRowHeight);
    handle->setFixedWidth(kHandleWidth);
}

void PlanDataGrid::refresh()
{
    m_model.rebuild();
}

GridPosition PlanDataGrid::currentPosition() const
{
    const QModelIndex current = currentIndex();
    GridPosition p;
    if (current.isValid()) {
        p.row = current.row() + 1;
        p.column = current.column();
    }
    p.topRow = rowAt(0) + 1;
    p.leftColumn = std::max(1, columnAt(0));
    return p;
}

void PlanDataGrid::applyPosition(const GridPosition &position)
{
    if (m_model.lotCount() == 0)
        return;
    setCurrentIndex(m_model.index(position.row - 1, position.column));
    verticalScrollBar()->setValue(verticalHeader()->sectionPosition(position.topRow - 1));
    horizontalScrollBar()->setValue(horizontalHeader()->sectionPosition(position.leftColumn)
                                    - horizontalHeader()->sectionPosition(plangrid::Display));
}

qint64 PlanDataGrid::currentLot() const
{
    return m_model.lotAt(currentIndex().row());
}

void PlanDataGrid::showLot(qint64 lot)
{
    const int row = m_model.rowOfLot(lot);
    if (row < 0)
        return;
    const QModelIndex index = m_model.index(row, std::max(1, currentIndex().column()));
    setCurrentIndex(index);
    scrollTo(index);
}

// --- In-place editing ------------------------------------------------------------------

void PlanDataGrid::openEditor(const QString &text, bool selectAll)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !plangrid::isEditable(current.column()))
        return;
    m_editing = current;
    scrollTo(current);
    m_editor->setGeometry(visualRect(current));
    m_editor->setText(text);
    if (selectAll)
        m_editor->selectAll();
    else
        m_editor->setCursorPosition(int(text.size()));
    m_editor->show();
    m_editor->setFocus();
}

void PlanDataGrid::closeEditor()
{
    m_editor->hide();
    m_editing = QModelIndex();
    setFocus();
}

void PlanDataGrid::commitEditor(Move move)
{
    const QModelIndex cell = m_editing;
    const QString text = m_editor->text();
    closeEditor();
    const qint64 lot = m_model.lotAt(cell.row());
    if (lot == 0)
        return;
    setCurrentIndex(cell);
    m_memory.remember(currentPosition());
    const PlanGridEdit::Outcome outcome = m_actions.editListCell(lot, cell.column(), text);
    if (outcome == PlanGridEdit::Outcome::Rejected) {
        openEditor(text, false);
        return;
    }
    if (outcome == PlanGridEdit::Outcome::MachineChanged)
        m_memory.forget();
    moveCursor(move);
}

void PlanDataGrid::moveCursor(Move move)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const int row = move == Move::Down ? std::min(current.row() + 1, m_model.lotCount() - 1)
                                       : std::max(current.row() - 1, 0);
    setCurrentIndex(m_model.index(row, current.column()));
}

bool PlanDataGrid::editorKey(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        closeEditor();
        return true;
    }
    if (isCommitKey(key)) {
        commitEditor(key == Qt::Key_Up ? Move::Up : Move::Down);
        return true;
    }
    return false;
}

void PlanDataGrid::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (current.isValid() && plangrid::isEditable(current.column())) {
        const QString typed = event->text();
        if (enter || key == Qt::Key_Space) {
            openEditor(current.data().toString(), enter);
            return;
        }
        if (!typed.isEmpty() && typed.at(0).unicode() > 32 && !(event->modifiers() & Qt::ControlModifier)) {
            openEditor(typed, false);
            return;
        }
    }
    if (enter) {
        moveCursor(Move::Down);
        return;
    }
    QTableView::keyPressEvent(event);
}

void PlanDataGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && plangrid::isEditable(index.column())) {
        setCurrentIndex(index);
        openEditor(index.data().toString(), true);
        return;
    }
    if (const qint64 lot = index.isValid() ? m_model.lotAt(index.row()) : 0; lot != 0 && event->button() == Qt::LeftButton) {
        emit lotDoubleClicked(lot);
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void PlanDataGrid::mousePressEvent(QMouseEvent *event)
{
    if (m_editor->isVisible())
        closeEditor();
    const QModelIndex index = indexAt(event->position().toPoint());
    const qint64 lot = m_model.lotAt(index.row());
    if (!index.isValid() || lot == 0) {
        QTableView::mousePressEvent(event);
        return;
    }
    setCurrentIndex(index);
    if (event->button() == Qt::RightButton) {
        emit popupRequested(lot, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (index.column() == plangrid::Display)
        m_actions.toggleDisplay(lot);
    else if (index.column() == plangrid::Confirm)
        m_actions.toggleConfirm(lot);
}

// --- Row drag ---------------------------------------------------------------------------

void PlanDataGrid::startRowDrag(int row)
{
    m_draggedLot = m_model.lotAt(row);
    if (m_draggedLot == 0)
        return;
    const int y = rowViewportPosition(row);
    m_draggedRow->setGeometry(0, y - kRowHeight / 4, viewport()->width(), kRowHeight * 3 / 2);
    m_draggedRow->setToolTip(QString::number(m_model.data(m_model.index(row, plangrid::BarId)).toLongLong()));
    m_draggedRow->show();
    followRowDrag(y + kRowHeight / 2);
}

void PlanDataGrid::followRowDrag(int y)
{
    if (y < kRowHeight / 2)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - kRowHeight);
    else if (y > viewport()->height() - kRowHeight / 2)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + kRowHeight);
    const int row = rowAt(std::clamp(y, 0, viewport()->height() - 1));
    if (row < 0) {
        m_dragLine->hide();
        return;
    }
    m_dragLine->setGeometry(0, rowViewportPosition(row) + rowHeight(row) - kDragLineHeight / 2, viewport()->width(),
                            kDragLineHeight);
    m_dragLine->show();
    m_dragLine->raise();
}

void PlanDataGrid::dropRow(int y)
{
    const qint64 dragged = m_draggedLot;
    endRowDrag();
    const qint64 target = m_model.lotAt(rowAt(y));
    if (dragged == 0 || target == 0 || target == dragged)
        return;
    m_memory.remember(currentPosition());
    m_actions.queueBehind(dragged, target);
}

void PlanDataGrid::endRowDrag()
{
    m_draggedLot = 0;
    m_dragLine->hide();
    m_draggedRow->hide();
}

bool PlanDataGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress)
        return editorKey(static_cast<QKeyEvent *>(event));
    if (watched == verticalHeader()->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton)
                startRowDrag(rowAt(int(mouse->position().y())));
            return true;
        }
        case QEvent::MouseMove:
            if (m_draggedLot != 0)
                followRowDrag(int(static_cast<QMouseEvent *>(event)->position().y()));
            return true;
        case QEvent::MouseButtonRelease:
            if (m_draggedLot != 0)
                dropRow(int(static_cast<QMouseEvent *>(event)->position().y()));
            return true;
        default:
            break;
        }
    }
    return QTableView::eventFilter(watched, event);
}
