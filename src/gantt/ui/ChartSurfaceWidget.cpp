#include "gantt/ui/ChartSurfaceWidget.h"

#include "gantt/BarTooltip.h"

#include "plan/ChartRows.h"
#include "plan/PlanStore.h"

#include "calendar/WorkCalendar.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QToolTip>

ChartSurfaceWidget::ChartSurfaceWidget(GanttChart &chart, ChartSurface surface, QWidget *parent)
    : QWidget(parent), m_chart(chart), m_surface(surface), m_painter(chart)
{
    setObjectName(surface == ChartSurface::Strip ? QStringLiteral("PlatForm2") : QStringLiteral("PlatForm"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&chart, &GanttChart::layoutChanged, this, qOverload<>(&QWidget::update));
    connect(&chart, &GanttChart::barsChanged, this, qOverload<>(&QWidget::update));
}

void ChartSurfaceWidget::setRowScroll(int value)
{
    if (value == m_rowScroll)
        return;
    m_rowScroll = value;
    update();
}

void ChartSurfaceWidget::setStripLeft(double x)
{
    if (m_surface != ChartSurface::Strip || x == m_stripLeft)
        return;
    m_stripLeft = x;
    update();
}

void ChartSurfaceWidget::setMarks(const ChartMarks *marks)
{
    m_marks = marks;
    m_painter.setMarks(marks);
    update();
}

bool ChartSurfaceWidget::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const QPoint pixel = static_cast<QHelpEvent *>(event)->pos();
    // A bar answers with its lot; elsewhere on a machine row the day's load does.
    if (const ChartHit hit = hitAt(pixel); hit.bar > 0) {
        const QString place = m_surface == ChartSurface::Strip || hit.row <= 1
            ? QStringLiteral("未割付")
            : m_chart.rows().row(hit.row).caption.simplified();
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
                           barTooltipText(m_chart.store()[hit.bar], place), this);
        return true;
    }
    if (m_surface != ChartSurface::Main || !m_marks) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const auto [row, day] = m_painter.loadStripAt(pixel, m_chart.axis().viewportLeftX(), m_rowScroll * ChartRows::RowHeight);
    const int percent = row == 0 ? -1 : m_marks->loadPercent(row, day);
    if (percent < 0) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
                       QStringLiteral("%1 %2　負荷 %3%（%4分／%5分）")
                           .arg(m_chart.rows().row(row).code.trimmed(),
                                m_chart.calendar().dateOf(day).toString(QStringLiteral("MM/dd")))
                           .arg(percent)
                           .arg(m_marks->plannedMinutes(row, day))
                           .arg(m_marks->workingMinutes(row, day)),
                       this);
    return true;
}

QPointF ChartSurfaceWidget::twipsAt(const QPoint &pixel) const
{
    if (m_surface == ChartSurface::Strip)
        return QPointF(m_stripLeft + pixel.x() * double(TwipsPerPixel), pixel.y() * double(TwipsPerPixel));
    // The date header does not scroll with the rows: a point on it is on the header, not on
    // the row that went up under it.
    const double y = pixel.y() * double(TwipsPerPixel);
    return QPointF(m_chart.axis().viewportLeftX() + pixel.x() * double(TwipsPerPixel),
                   y < ChartRows::FirstTop ? y : m_rowScroll * ChartRows::RowHeight + y);
}

ChartHit ChartSurfaceWidget::hitAt(const QPoint &pixel) const
{
    const QPointF at = twipsAt(pixel);
    return m_chart.hitTest(m_surface, at.x(), at.y());
}

void ChartSurfaceWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_surface == ChartSurface::Strip) {
        m_painter.paintStrip(painter, size(), m_stripLeft);
        return;
    }
    const double x0 = m_chart.axis().viewportLeftX();
    const double y0 = m_rowScroll * ChartRows::RowHeight;
    m_painter.paintMainSurface(painter, size(), x0, y0);
    // The date header stays at the top whatever the row scroll: its band is painted unscrolled
    // over the rows that went up under it.
    if (y0 > 0)
        m_painter.paintMainSurface(painter, QSize(width(), int(ChartRows::FirstTop) / TwipsPerPixel), x0, 0);
    m_painter.paintHeaderCaptions(painter, size(), x0);
}

void ChartSurfaceWidget::mousePressEvent(QMouseEvent *event)
{
    const QPoint pixel = event->position().toPoint();
    emit pressed(hitAt(pixel), event->button(), pixel);
}

void ChartSurfaceWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The scroll range follows the viewport's width at the next mode change; the scale does not.
    if (m_surface == ChartSurface::Main)
        m_chart.setViewportCurrentWidth(double(width()) * TwipsPerPixel);
}
