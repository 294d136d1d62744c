#pragma once
// The mouse on the chart surfaces: a left press on a bar picks its lot up (not a locked one),
// the outline follows the pointer, rows scroll near the viewport's edges and the release drops
// the lot where the pointer is (BarDrop), on another bar offering to merge the two; under the
// outline the label DropLanding names the row and the start and end the drop would give; the
// pointer over a bar shows its caption in the hover label GradeName; a right press on an empty
// spot of the chart asks for the operating time of the row and moment under it. The rules live
// in the core; this only forwards the mouse.

#include "editing/BarDrop.h"
#include "gantt/BarDragRules.h"

#include <QDateTime>
#include <QObject>
#include <QPoint>

class ChartSurfaceWidget;
class QFrame;
class QLabel;
class QMouseEvent;
class QScrollBar;
class QWidget;

class BarDragController : public QObject
{
    Q_OBJECT
public:
    // DragState: nothing dragged, or a bar of the chart (a grid row drag belongs to the grid).
    enum class DragState { None = 0, Bar = 1 };

    // `viewport` is Picture1, which holds the main surface; the hover label lies on it.
    BarDragController(GanttChart &chart, const PlanStore &store, BarDrop &drop, ChartSurfaceWidget *main,
                      ChartSurfaceWidget *strip, QScrollBar *kScroll, QWidget *viewport, QObject *parent = nullptr);

    DragState dragState() const { return m_state; }
    qint64 draggedBar() const { return m_bar; }
    // The row the last pressed bar was picked up from, and the pointer's x inside it.
    const QString &dragOriginRow() const { return m_originRow; }
    double grabOffset() const { return m_grabOffset; }
    QLabel *gradeName() const { return m_gradeName; }
    QLabel *dropLanding() const { return m_landing; }
    const DragAutoScroll &autoScroll() const { return m_autoScroll; }

signals:
    // A right press on an empty spot of the main surface: the row under it (0 above the first
    // row) and the moment under it. The machine operating-time change decides what it opens.
    void operatingTimeRequested(int row, const QDateTime &at);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void press(ChartSurfaceWidget *surface, const QMouseEvent &event);
    void move(ChartSurfaceWidget *surface, const QMouseEvent &event);
    void release(ChartSurfaceWidget *surface, const QMouseEvent &event);
    void startDrag(qint64 bar);
    void showHoverLabel(ChartSurfaceWidget *surface, const QPointF &at, qint64 bar);
    void followPointer(ChartSurfaceWidget *surface, const QPoint &pixel);
    // The landing label under the outline, for the pointer at `pixel` of `surface`.
    void showLanding(ChartSurfaceWidget *surface, const QPoint &pixel);
    // The drag ends without a move: the bar is laid out from its lot again.
    void abandonDrag();
    // The pointer of a surface's event, in the coordinates of another widget.
    static QPoint mapBetween(const QWidget *from, const QWidget *to, const QPoint &pixel);

    GanttChart &m_chart;
    const PlanStore &m_store;
    BarDrop &m_drop;
    ChartSurfaceWidget *m_main;
    ChartSurfaceWidget *m_strip;
    QScrollBar *m_kScroll;
    QWidget *m_viewport;
    QLabel *m_gradeName;
    QFrame *m_outline;
    QLabel *m_landing;
    DragAutoScroll m_autoScroll;
    DragState m_state = DragState::None;
    qint64 m_bar = 0;
    QString m_originRow;
    double m_grabOffset = 0;
};
