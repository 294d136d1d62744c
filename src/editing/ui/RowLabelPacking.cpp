#include "editing/ui/RowLabelPacking.h"

#include "editing/PlanActions.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>

RowLabelPacking::RowLabelPacking(PlanActions &actions, const QList<QLabel *> &labels, QScrollBar *kScroll,
                                 QObject *parent)
    : QObject(parent), m_actions(actions), m_labels(labels), m_kScroll(kScroll)
{
    for (QLabel *label : m_labels)
        label->installEventFilter(this);
}

bool RowLabelPacking::eventFilter(QObject *watched, QEvent *event)
{
    const qsizetype slot = m_labels.indexOf(qobject_cast<QLabel *>(watched));
    if (slot < 0)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonPress: {
        // A double-click of the left button, or a press of the right one (whose second press
        // of a double-click is not taken twice).
        const Qt::MouseButton button = static_cast<const QMouseEvent *>(event)->button();
        const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
        if ((doubleClick && button == Qt::LeftButton) || (!doubleClick && button == Qt::RightButton))
            m_actions.pack(int(slot) + 1 + m_kScroll->value());
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::ContextMenu:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
