#include "editing/ui/BarDragController.h"

#include "plan/PlanStore.h"
#include "gantt/ui/ChartSurfaceWidget.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace {
constexpr RgbColor DragColour{64, 64, 64};

int pixels(double twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}
} // namespace

BarDragController::BarDragController(GanttChart &chart, const PlanStore &store, BarDrop &drop,
                                     ChartSurfaceWidget *main, ChartSurfaceWidget *strip, QScrollBar *kScroll,
                                     QWidget *viewport, QObject *parent)
    : QObject(parent), m_chart(chart), m_store(store), m_drop(drop), m_main(main), m_strip(strip), m_kScroll(kScroll),
      m_viewport(viewport)
{
    m_gradeName = new QLabel(viewport);
    m_gradeName->setObjectName(QStringLiteral("GradeName"));
    m_gradeName->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_gradeName->setAutoFillBackground(true);
    m_gradeName->setStyleSheet(QStringLiteral("QLabel { background: #ffffe1; color: black; }"));
    m_gradeName->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_gradeName->hide();

    m_outline = new QFrame(main->window());
    m_outline->setObjectName(QStringLiteral("DragOutline"));
    m_outline->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_outline->setLineWidth(2);
    m_outline->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_outline->hide();

    m_landing = new QLabel(main->window());
    m_landing->setObjectName(QStringLiteral("DropLanding"));
    m_landing->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_landing->setAutoFillBackground(true);
    m_landing->setStyleSheet(m_gradeName->styleSheet());
    m_landing->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_landing->hide();

    for (ChartSurfaceWidget *surface : {main, strip}) {
        surface->setMouseTracking(true);
        surface->installEventFilter(this);
    }
}

bool BarDragController::eventFilter(QObject *watched, QEvent *event)
{
    auto *surface = qobject_cast<ChartSurfaceWidget *>(watched);
    if (!surface)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // The label goes before a press does anything: a right press opens a menu over it.
        m_gradeName->hide();
        press(surface, static_cast<const QMouseEvent &>(*event));
        break;
    case QEvent::Leave:
    case QEvent::Wheel:
        // The pointer is no longer over the bar the label names.
        m_gradeName->hide();
        break;
    case QEvent::MouseMove:
        move(surface, static_cast<const QMouseEvent &>(*event));
        break;
    case QEvent::MouseButtonRelease:
        release(surface, static_cast<const QMouseEvent &>(*event));
        break;
    default:
        break;
    }
    // The surface still sees the event (the context menu listens to its presses).
    return QObject::eventFilter(watched, event);
}

void BarDragController::press(ChartSurfaceWidget *surface, const QMouseEvent &event)
{
    const QPoint pixel = event.position().toPoint();
    const QPointF at = surface->twipsAt(pixel);
    const ChartHit hit = m_chart.hitTest(surface->surface(), at.x(), at.y());
    if (hit.bar == 0) {
        if (event.button() == Qt::RightButton && surface == m_main)
            emit operatingTimeRequested(hit.row, hit.time);
        return;
    }
    m_grabOffset = at.x() - double(m_chart.bar(hit.bar).left);
    m_originRow = RowAtY(m_chart.rows(), at.y()).value_or(QString());
    if (event.button() == Qt::LeftButton)
        startDrag(hit.bar);
}

void BarDragController::startDrag(qint64 bar)
{
    const qint64 lot = m_store.findByBar(bar);
    if (lot < 2 || m_store[lot].isLocked())
        return;
    if (m_state == DragState::Bar && m_bar != bar)
        abandonDrag();
    m_chart.setBarBackground(bar, DragColour);
    m_state = DragState::Bar;
    m_bar = bar;
    m_gradeName->hide();
    const BarGeometry &geometry = m_chart.bar(bar);
    m_outline->resize(std::max(2, pixels(double(geometry.width))), pixels(double(PlanBarHeight)));
}

void BarDragController::move(ChartSurfaceWidget *surface, const QMouseEvent &event)
{
    const QPoint pixel = event.position().toPoint();
    if (m_state == DragState::Bar && (event.buttons() & Qt::LeftButton)) {
        followPointer(surface, pixel);
        return;
    }
    const QPointF at = surface->twipsAt(pixel);
    const ChartHit hit = m_chart.hitTest(surface->surface(), at.x(), at.y());
    if (hit.bar != 0)
        showHoverLabel(surface, at, hit.bar);
    else
        m_gradeName->hide();
}

void BarDragController::followPointer(ChartSurfaceWidget *surface, const QPoint &pixel)
{
    QWidget *window = m_outline->parentWidget();
    const QPoint inWindow = surface->mapTo(window, pixel);
    m_outline->move(inWindow - QPoint(pixels(m_grabOffset), 0));
    m_outline->show();
    m_outline->raise();
    showLanding(surface, pixel);

    const double y = double(mapBetween(surface, m_main, pixel).y()) * TwipsPerPixel;
    const double height = double(m_viewport->height()) * TwipsPerPixel;
    const int value = m_autoScroll.dragOver(y, height, m_kScroll->value(), m_kScroll->maximum());
    if (value != m_kScroll->value())
        m_kScroll->setValue(value);
}

void BarDragController::showLanding(ChartSurfaceWidget *surface, const QPoint &pixel)
{
    const QPoint onMain = mapBetween(surface, m_main, pixel);
    const QPointF at = m_main->twipsAt(onMain);
    const QString text = m_main->rect().contains(onMain)
        ? m_drop.landingText(m_bar, RowAtY(m_chart.rows(), at.y()), at.x() - m_grabOffset)
        : QString();
    if (text.isEmpty()) {
        m_landing->hide();
        return;
    }
    m_landing->setText(text);
    m_landing->resize(m_landing->sizeHint());
    // Just under the outline, kept inside the window.
    const QWidget *window = m_landing->parentWidget();
    const QPoint below = m_outline->geometry().bottomLeft() + QPoint(0, 3);
    m_landing->move(std::clamp(below.x(), 0, std::max(0, window->width() - m_landing->width())),
                    std::min(below.y(), window->height() - m_landing->height()));
    m_landing->show();
    m_landing->raise();
}

void BarDragController::showHoverLabel(ChartSurfaceWidget *surface, const QPointF &at, qint64 bar)
{
    const BarGeometry &geometry = m_chart.bar(bar);
    const QString caption = QString(geometry.caption).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    // Where the surface's origin lies in the viewport.
    const QPointF origin = QPointF(mapBetween(surface, m_viewport, QPoint(0, 0))) * TwipsPerPixel
        - (surface->twipsAt(QPoint(0, 0)));
    const HoverLabelPlace place = hoverLabelPlace(at.x() - double(geometry.left), geometry, origin.x(), origin.y(),
                                                  m_chart.scale().dayWidth(), caption.size());
    m_gradeName->setText(caption);
    m_gradeName->setGeometry(pixels(place.left), pixels(place.top),
                             std::max(pixels(place.width), m_gradeName->sizeHint().width()),
                             m_gradeName->sizeHint().height());
    m_gradeName->show();
    m_gradeName->raise();
}

void BarDragController::release(ChartSurfaceWidget *surface, const QMouseEvent &event)
{
    if (m_state != DragState::Bar || event.button() != Qt::LeftButton)
        return;
    m_outline->hide();
    m_landing->hide();
    const QPoint pixel = event.position().toPoint();
    const QPoint onLabel = mapBetween(surface, m_gradeName, pixel);
    const QPoint onMain = mapBetween(surface, m_main, pixel);
    if (m_gradeName->isVisible() && m_gradeName->rect().contains(onLabel)) {
        abandonDrag();
        return;
    }
    if (!m_main->rect().contains(onMain)) {
        abandonDrag();
        return;
    }
    // A drop on another bar may merge the two lots; a drop on a shading box or the empty
    // surface, or one that does not merge, is a drop on the surface there.
    const QPointF at = m_main->twipsAt(onMain);
    const qint64 bar = m_bar;
    m_state = DragState::None;
    m_bar = 0;
    const std::optional<QString> row = RowAtY(m_chart.rows(), at.y());
    const qint64 onBar = m_chart.hitTest(ChartSurface::Main, at.x(), at.y()).bar;
    if (onBar != 0 && onBar != bar)
        m_drop.dropOnBar(bar, onBar, row, at.x() - m_grabOffset);
    else
        m_drop.dropOnSurface(bar, row, at.x() - m_grabOffset);
}

void BarDragController::abandonDrag()
{
    m_outline->hide();
    m_landing->hide();
    const qint64 lot = m_store.findByBar(m_bar);
    m_state = DragState::None;
    m_bar = 0;
    if (lot >= 2)
        m_chart.layOutBar(lot);
}

QPoint BarDragController::mapBetween(const QWidget *from, const QWidget *to, const QPoint &pixel)
{
    const QWidget *window = from->window();
    return to->mapFrom(window, from->mapTo(window, pixel));
}
