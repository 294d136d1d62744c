#include "app/ui/ChartWheel.h"

#include "gantt/GanttChart.h"

#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {
constexpr int AnglePerNotch = 120;
}

ChartWheel::ChartWheel(QWidget *surface, GanttChart &chart, QScrollBar *rows, QScrollBar *time)
    : QObject(surface), m_surface(surface), m_chart(chart), m_rows(rows), m_time(time)
{
    surface->installEventFilter(this);
}

bool ChartWheel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_surface || event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    auto *wheel = static_cast<QWheelEvent *>(event);
    // Some platforms turn Shift+wheel into a horizontal turn: either direction counts.
    const QPoint angle = wheel->angleDelta();
    m_pending += angle.y() != 0 ? angle.y() : angle.x();
    const int notches = m_pending / AnglePerNotch;
    m_pending %= AnglePerNotch;
    if (notches == 0)
        return true;
    const Qt::KeyboardModifiers modifiers = wheel->modifiers();
    if (modifiers & Qt::ControlModifier)
        zoom(notches, int(wheel->position().x()));
    else if (modifiers & Qt::ShiftModifier)
        m_time->setValue(m_time->value() - notches * std::max(1, m_surface->width() / NotchesPerViewport));
    else
        m_rows->setValue(m_rows->value() - notches * RowsPerNotch);
    return true;
}

void ChartWheel::zoom(int notches, int pointerX)
{
    const int current = int(m_chart.axis().modeValue());
    const int next = std::clamp(current - notches, int(DisplayMode::Day), int(DisplayMode::FourWeeks));
    if (next == current || m_chart.scale().dayWidth() <= 0)
        return;
    const double pointer = double(pointerX) * TwipsPerPixel;
    const double days = (m_chart.axis().viewportLeftX() + pointer) / m_chart.scale().dayWidth();
    m_chart.showMode(DisplayMode(next));
    const double left = days * m_chart.scale().dayWidth() - pointer;
    m_time->setValue(int(std::lround(left / TwipsPerPixel)));
}
